#include "screens/HowToUse.h"

#include <QPushButton>
#include <cmath>

#include "platform/drawing/Blit.h"
#include "platform/drawing/JpegFile.h"
#include "platform/system/TextBox.h"
#include "rules/anim/Playfield.h"
#include "state/GameState.h"
#include "state/Pictures.h"

namespace {

// Rounds to the nearest integer, a half to the even neighbour.
int RoundHalfEven(double value) { return static_cast<int>(std::lrint(value)); }

struct HelpLine {
  int below;  // rows below the keyboard picture's top edge plus its height
  const char* text;
};

constexpr HelpLine HelpLines[] = {
    {55, "左小指A 左薬指S 左中指D 左人差指F 右人差指J 右中指K 右薬指L 右小指;に指を置きます。"},
    {75, "この位置をホームポジションといいます。"},
    {95, "上の図の同じ色のキーを同じ指で打ちます。打ち終わるとホームポジションに戻します。"},
    {155, "文字を入力した後は、エンターキーを押して下さい。"},
};

}  // namespace

// The font is fixed-pitch, so the runs of blanks set the names over their keys.
const QString FingerNames =
    QStringLiteral("左小指左薬指左中指  左人差指     右人差指 右中指右薬指右小指");

QPoint FingerNamesAt(QSize inner) { return {HowToUseLayoutFor(inner).x + 30, 20}; }

HowToUseLayout HowToUseLayoutFor(QSize inner) {
  const int w = RoundHalfEven(inner.width() / 100.0 * 80);
  const int h = RoundHalfEven(inner.height() / 100.0 * 40);
  return {w, h, RoundHalfEven((inner.width() - w) / 2.0)};
}

void SubHelp_Click(QPushButton& Command1, QSize inner) {
  if (Game.GameRunning) return;
  platform::Text1().SetVisible(false);
  DrawHowToUse(Command1, inner);
}

void DrawHowToUse(QPushButton& Command1, QSize inner) {
  Command1.setGeometry(inner.width() - 100, inner.height() - 40, 80, 30);
  Command1.show();
  Command1.raise();
  AllPicture.ImageToDrawIn().fill(Qt::white);

  const HowToUseLayout layout = HowToUseLayoutFor(inner);
  const QImage keyboard = platform::DecodeJpeg(Game.KeyboardJpeg);
  platform::StretchBlt(AllPicture, QRect(layout.x, 35, layout.w, layout.h), keyboard,
                       keyboard.rect(), platform::SRCAND);

  AllPicture.ForeColor = Qt::black;
  AllPicture.Font = {platform::FixedGothic, 9, false};
  AllPicture.Print(FingerNamesAt(inner), FingerNames);
  AllPicture.Font.points = 10;
  for (const HelpLine& line : HelpLines) {
    AllPicture.Print(QPoint(layout.x, layout.h + line.below), QString::fromUtf8(line.text));
  }
  ShowPlayfield();
}

void Command1_Click(QPushButton& Command1) {
  Command1.hide();
  CloseHowToUse();
}
