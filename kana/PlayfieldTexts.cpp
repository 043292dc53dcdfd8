#include "kana/PlayfieldTexts.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/LabelOutline.h"
#include "platform/Blit.h"
#include "platform/PlayfieldView.h"
#include "platform/Screen.h"

namespace {

// The small kana that make a label of one kana smaller, like a label of two.
const QString SmallKana = QStringLiteral("ぁぃぅぇぉゃゅょ");

constexpr int BandRows = 100;
// Small screens squeeze the band's 80 rows into 73 rows of the playfield.
constexpr int BandRowsLowRes = 80;
constexpr int BandWindowRowsLowRes = 73;

// The small form of the band is for screens at most 640 pixels wide.
bool LowResCounts() { return platform::ScreenPixels().width <= 640; }

// The counter band: `bandRows` rows at the top of the composite, shown in
// the top `windowRows` rows of the playfield.
void DrawCountBand(int bandRows, int windowRows) {
  const QRect band(0, 0, AllPicture.Width(), bandRows);
  AllPicture.Font = {platform::ProportionalGothic, 30, false};
  platform::StretchBlt(AllPicture, band, BackPicture, QRect(0, 0, BackPicture.Width(), bandRows),
                       platform::SRCCOPY);
  AllPicture.ForeColor = QColor(255, 0, 0);
  AllPicture.Print(QPoint(65, 23), QStringLiteral("ぴこり ") + QString::number(Game.ShownCount));
  AllPicture.ForeColor = QColor(255, 100, 0);
  AllPicture.Print(QPoint(390, 23),
                   QStringLiteral("つかまえた ") + QString::number(Game.CatchCount));
  AllPicture.ForeColor = QColor(0, 0, 0);
  platform::PresentCompositeBand(band, windowRows);
}

}  // namespace

void DrawMoji(int h, int x, int y) {
  const QString& moji = Game.HoleMoji[h];
  int points = 25;
  QPoint at(x - 5, y + 10);
  if (moji.size() == 1 && SmallKana.contains(moji[0])) {
    at = QPoint(x + 10, y + 10);
  } else if (moji.size() == 1) {
    points = 35;
    at = QPoint(x, y);
  }
  platform::Picture& kobPicture = KobPicture[h];
  kobPicture.Font = {platform::ProportionalGothic, points, true};
  kobPicture.PrintOutlined(at, moji, LabelOutlineColor(kobPicture.ForeColor));
}

void DrawCounts() { DrawCountBand(BandRows, BandRows); }

void DrawCountsLowRes() { DrawCountBand(BandRowsLowRes, BandWindowRowsLowRes); }

void DrawCountsForScreen() {
  if (LowResCounts()) {
    DrawCountsLowRes();
  } else {
    DrawCounts();
  }
}

int CountBandRows() { return LowResCounts() ? BandWindowRowsLowRes : BandRows; }
