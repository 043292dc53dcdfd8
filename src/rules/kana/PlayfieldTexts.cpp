#include "rules/kana/PlayfieldTexts.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/drawing/Blit.h"
#include "platform/drawing/PlayfieldView.h"
#include "platform/system/Caches.h"
#include "platform/system/Screen.h"
#include "rules/kana/LabelGround.h"
#include "rules/kana/LabelOutline.h"
#include "rules/kana/LabelStamp.h"
#include "rules/kana/WordLabel.h"
#include "state/GameState.h"
#include "state/Holes.h"
#include "state/Pictures.h"

namespace {

// The small kana that make a label of one kana smaller, like a label of two;
// a small katakana alone is printed as its hiragana is.
const QString SmallKana = QStringLiteral("ぁぃぅぇぉゃゅょァィゥェォャュョ");

// Hole h's label with the anchor (x, y): where its text cell goes and how
// big it is printed, by the string.
struct Label {
  QPoint at;
  int points;
};

Label LabelOf(int h, int x, int y) {
  const QString& moji = Game.HoleMoji[h];
  if (moji.size() == 1 && SmallKana.contains(moji[0])) return {QPoint(x + 10, y + 10), 25};
  if (moji.size() == 1) return {QPoint(x, y), 35};
  if (moji.size() <= 2) return {QPoint(x - 5, y + 10), 25};
  const WordLabel word = FitWordLabel(h, x, y);
  return {word.at, word.points};
}

// Where hole h's hint goes in `picture`, whose font it sets to the hint's:
// first under the label's glyphs `label` (HintUnder). Where that box would
// run off the critter (a placard's bottom edge, a critter narrower than the
// hint), the nearest box wholly on the critter and clear of the label takes
// its place; where there is none, a smaller hint is tried, down to
// `smallestPoints`, which goes under the label even so.
QPoint HintAt(platform::Picture& picture, int h, const QRect& label, int startPoints,
              int smallestPoints) {
  const int ring = platform::Picture::OutlineReach;
  const int reach = LabelReach();
  const KobGround& critter = GroundOf(HolePicture[h - 1], KobGround::Critter);
  const int shownRows = Game.RestY[h] - Game.PeakY[h];
  for (int points = startPoints;; --points) {
    picture.Font = {platform::ProportionalGothic, points, true};
    const QRect ink = picture.TextBounds(QPoint(0, 0), Game.HoleHint[h]);
    const QRect under = HintUnder(label, ink.size(), shownRows);
    const QRect box = under.adjusted(-reach, -reach, reach, reach);
    std::optional<QPoint> best;
    if (!critter.Known() || critter.Covers(box)) {
      best = under.topLeft();
    } else {
      const QRect clear =
          label.adjusted(-ring - HintGap, -ring - HintGap, ring + HintGap, ring + HintGap);
      int nearest = INT_MAX;
      for (int y = 0; y + box.height() <= shownRows; ++y) {
        for (int x = 0; x + box.width() <= KobWidth; ++x) {
          const QRect there(QPoint(x, y), box.size());
          const int distance = (x - box.x()) * (x - box.x()) + (y - box.y()) * (y - box.y());
          if (distance < nearest && !there.intersects(clear) && critter.Covers(there)) {
            nearest = distance;
            best = QPoint(x + reach, y + reach);
          }
        }
      }
    }
    if (!best && points > smallestPoints) continue;
    const QPoint at = best.value_or(under.topLeft());
    return QPoint(at.x() - ink.left(), at.y() - ink.top());
  }
}

LabelKey KeyOf(int h, const Label& label) {
  const platform::Picture& picture = KobPicture[h];
  return {Game.HoleMoji[h],
          Game.HoleHint[h],
          label.at,
          Game.RestY[h] - Game.PeakY[h],
          picture.ForeColor.rgb(),
          picture.Image().size(),
          picture.Ratio()};
}

PerHole<LabelStamp> labelStamps;

constexpr int BandRows = 100;
// Small screens squeeze the band's 80 rows into 73 rows of the playfield.
constexpr int BandRowsLowRes = 80;
constexpr int BandWindowRowsLowRes = 73;

// The small form of the band is for screens at most 640 pixels wide.
bool LowResCounts() { return platform::ScreenPixels().width <= 640; }

// The counter band's two texts, strings presented and critters caught,
// each with where it goes and its colour.
struct CountText {
  QPoint at;
  QColor colour;
  QString text;
};

std::array<CountText, 2> CountTexts() {
  return {CountText{QPoint(65, 23), QColor(255, 0, 0),
                    QStringLiteral("ぴこり ") + QString::number(Game.ShownCount)},
          CountText{QPoint(390, 23), QColor(255, 100, 0),
                    QStringLiteral("つかまえた ") + QString::number(Game.CatchCount)}};
}

// The texts keep to their own sides of the band, left and right of where
// the second begins, with this many pixels to spare: then one can be
// printed anew over its side's background and leave the other as it is.
constexpr int InkMargin = 2;

// The counter band as last printed: its image rows, what they show, and
// the ground and screen it was printed for (the band's form and where it
// goes on the playfield follow from the screen).
struct PrintedBand {
  QImage rows;
  int counts[2] = {-1, -1};
  QRect ink[2];           // where its texts' glyphs lie
  bool apart = false;     // its texts kept apart
  qint64 background = 0;  // the background picture's contents, by their key
  platform::ScreenSize screen;
};
PrintedBand printedBand;

// The labels and the band are printed afresh once the caches are forgotten.
[[maybe_unused]] const bool forgettable = platform::ForgetWithCaches([] {
  labelStamps = {};
  printedBand = {};
});

// Whether the band as last printed, `pixels` image pixels, lies on the
// background as it is now, for this screen.
bool SameGround(const PrintedBand& printed, QSize pixels) {
  return printed.background == BackPicture.Image().cacheKey() && printed.rows.size() == pixels &&
         printed.screen.width == platform::ScreenPixels().width &&
         printed.screen.height == platform::ScreenPixels().height;
}

// The counter band: `bandRows` rows at the top of the composite, shown in
// the top `windowRows` rows of the playfield. A text is printed only when
// its count changed; otherwise the band as last printed is copied back, and
// the playfield is told only when that changed the composite.
void DrawCountBand(int bandRows, int windowRows) {
  const QRect band(0, 0, AllPicture.Width(), bandRows);
  AllPicture.Font = {platform::ProportionalGothic, 30, false};
  const QImage& all = std::as_const(AllPicture).Image();
  const QSize bandPixels(all.width(), static_cast<int>(bandRows * AllPicture.Ratio()));
  const bool sameGround = SameGround(printedBand, bandPixels);
  const bool changed[2] = {printedBand.counts[0] != Game.ShownCount,
                           printedBand.counts[1] != Game.CatchCount};
  // The band's image rows span the composite's width, so they lie one
  // after another in memory.
  const qsizetype bytes = printedBand.rows.sizeInBytes();
  if (sameGround && !changed[0] && !changed[1]) {
    // Nothing drawn into the band since it was put there: it is as it was.
    if (AllPicture.DrawnArea().intersects(band) &&
        std::memcmp(all.constBits(), printedBand.rows.constBits(), bytes) != 0) {
      std::memcpy(AllPicture.ImageToDrawIn(band).bits(), printedBand.rows.constBits(), bytes);
      platform::PresentCompositeBand(band, windowRows);
    }
    AllPicture.ForgetDrawnArea();
    AllPicture.ForeColor = QColor(0, 0, 0);
    return;
  }

  const std::array<CountText, 2> texts = CountTexts();
  const int split = texts[1].at.x();
  QRect ink[2];
  for (int i = 0; i < 2; ++i) {
    ink[i] = changed[i] ? AllPicture.TextBounds(texts[i].at, texts[i].text) : printedBand.ink[i];
  }
  const bool apart = ink[0].right() + InkMargin < split && ink[1].left() - InkMargin >= split;
  const QRect sides[2] = {QRect(0, 0, split, bandRows),
                          QRect(split, 0, band.width() - split, bandRows)};
  const bool oneSide =
      sameGround && apart && printedBand.apart && BackPicture.Width() == band.width();
  if (oneSide) {
    std::memcpy(AllPicture.ImageToDrawIn(band).bits(), printedBand.rows.constBits(), bytes);
  } else {
    platform::StretchBlt(AllPicture, band, BackPicture, QRect(0, 0, BackPicture.Width(), bandRows),
                         platform::SRCCOPY);
  }
  for (int i = 0; i < 2; ++i) {
    if (oneSide) {
      if (!changed[i]) continue;
      platform::StretchBlt(AllPicture, sides[i], BackPicture, sides[i], platform::SRCCOPY);
    }
    AllPicture.ForeColor = texts[i].colour;
    AllPicture.Print(texts[i].at, texts[i].text);
  }
  AllPicture.ForeColor = QColor(0, 0, 0);
  // Into the rows kept from the last print where they fit, so that a new
  // count never holds two bands at once (2 MB at scale 2).
  if (printedBand.rows.size() == bandPixels && printedBand.rows.format() == all.format()) {
    std::memcpy(printedBand.rows.bits(), all.constBits(), printedBand.rows.sizeInBytes());
  } else {
    printedBand.rows = QImage();
    printedBand.rows = all.copy(QRect(QPoint(0, 0), bandPixels));
  }
  printedBand.counts[0] = Game.ShownCount;
  printedBand.counts[1] = Game.CatchCount;
  printedBand.ink[0] = ink[0];
  printedBand.ink[1] = ink[1];
  printedBand.apart = apart;
  printedBand.background = BackPicture.Image().cacheKey();
  printedBand.screen = platform::ScreenPixels();
  AllPicture.ForgetDrawnArea();
  platform::PresentCompositeBand(band, windowRows);
}

}  // namespace

void DrawMoji(int h, int x, int y) {
  const Label label = LabelOf(h, x, y);
  const QString& moji = Game.HoleMoji[h];
  // A word's hint starts at the size its label was fitted with and may
  // shrink; a kana's keeps its size.
  const bool word = moji.size() > 2;
  const int hintPoints = word ? FitWordLabel(h, x, y).hintPoints : HintPoints;
  const int smallestHintPoints = word ? SmallestHintPoints : HintPoints;
  platform::Picture& kobPicture = KobPicture[h];
  labelStamps[h].PrintAndKeep(
      KeyOf(h, label), kobPicture, [&](platform::Picture& picture, bool outlined) {
        const QColor outline = LabelOutlineColor(picture.ForeColor);
        const auto print = [&](QPoint at, const QString& text) {
          if (outlined) {
            picture.PrintOutlined(at, text, outline);
          } else {
            picture.Print(at, text);
          }
        };
        picture.Font = {platform::ProportionalGothic, label.points, true};
        print(label.at, moji);
        const QString& hint = Game.HoleHint[h];
        if (hint.isEmpty()) return;
        const QRect glyphs = picture.TextBounds(label.at, moji);
        print(HintAt(picture, h, glyphs, hintPoints, smallestHintPoints), hint);
      });
}

bool DrawMojiAgain(int h, int x, int y, int rows) {
  return labelStamps[h].PutBack(KeyOf(h, LabelOf(h, x, y)), KobPicture[h], rows);
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
