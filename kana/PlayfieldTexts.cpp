#include "kana/PlayfieldTexts.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <algorithm>

#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/LabelOutline.h"
#include "platform/Blit.h"
#include "platform/PlayfieldView.h"
#include "platform/Screen.h"

namespace {

// The small kana that make a label of one kana smaller, like a label of two.
const QString SmallKana = QStringLiteral("ぁぃぅぇぉゃゅょ");

// The romaji hint's size, and the rows between the label's outline and its
// own.
constexpr int HintPoints = 14;
constexpr int HintGap = 2;

// Prints hole h's hint as its label is printed, in the label's colour and
// outline: centred under the label's glyphs `label`, and lifted where need
// be so that it lies, outline and all, within the critter's columns and the
// rows that show when it is fully up.
void DrawHint(int h, const QRect& label) {
  platform::Picture& kobPicture = KobPicture[h];
  const QString& hint = Game.HoleHint[h];
  const int ring = platform::Picture::OutlineReach;
  kobPicture.Font = {platform::ProportionalGothic, HintPoints, true};
  const QRect ink = kobPicture.TextBounds(QPoint(0, 0), hint);
  const int shownRows = Game.RestY[h] - Game.PeakY[h];
  const int top =
      std::min(label.bottom() + 1 + 2 * ring + HintGap, shownRows - ring - ink.height());
  const int left =
      std::clamp(label.center().x() - ink.width() / 2, ring, KobWidth - ring - ink.width());
  kobPicture.PrintOutlined(QPoint(left - ink.left(), top - ink.top()), hint,
                           LabelOutlineColor(kobPicture.ForeColor));
}

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
  if (!Game.HoleHint[h].isEmpty()) DrawHint(h, kobPicture.TextBounds(at, moji));
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
