#include "rules/kana/PlayfieldTexts.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "platform/drawing/Blit.h"
#include "platform/drawing/PlayfieldView.h"
#include "platform/system/Caches.h"
#include "platform/system/Screen.h"
#include "rules/kana/LabelOutline.h"
#include "rules/kana/LabelStamp.h"
#include "state/GameState.h"
#include "state/Holes.h"
#include "state/Pictures.h"

namespace {

// The small kana that make a label of one kana smaller, like a label of two;
// a small katakana alone is printed as its hiragana is.
const QString SmallKana = QStringLiteral("ぁぃぅぇぉゃゅょァィゥェォャュョ");

// The romaji hint's size, and the rows between the label's outline and its
// own.
constexpr int HintPoints = 14;
constexpr int HintGap = 2;

// The critter's own pixels in a critter picture, by its mask (black where
// the critter is, at any ratio), summed over every rectangle from the top
// left in game pixels, so that whether a box lies wholly on the critter is
// one look-up; empty without a mask.
class CritterCover {
 public:
  explicit CritterCover(const QImage& mask) {
    if (mask.isNull()) return;
    sums.assign((KobWidth + 1) * (KobHeight + 1), 0);
    for (int y = 0; y < KobHeight; ++y) {
      for (int x = 0; x < KobWidth; ++x) {
        const QRgb pixel = mask.pixel(x * mask.width() / KobWidth, y * mask.height() / KobHeight);
        At(x + 1, y + 1) = (qGray(pixel) < 128 ? 1 : 0) + At(x, y + 1) + At(x + 1, y) - At(x, y);
      }
    }
  }
  bool Known() const { return !sums.empty(); }
  bool Covers(const QRect& box) const {
    if (!QRect(0, 0, KobWidth, KobHeight).contains(box)) return false;
    return At(box.right() + 1, box.bottom() + 1) - At(box.left(), box.bottom() + 1) -
               At(box.right() + 1, box.top()) + At(box.left(), box.top()) ==
           box.width() * box.height();
  }

 private:
  std::vector<int> sums;
  int& At(int x, int y) { return sums[y * (KobWidth + 1) + x]; }
  int At(int x, int y) const { return sums[y * (KobWidth + 1) + x]; }
};

// Hole h's critter cover, worked out once for each mask the game loads
// rather than at every rise.
const CritterCover& CoverOf(int h) {
  static std::map<qint64, CritterCover> covers;
  [[maybe_unused]] static const bool forgettable =
      platform::ForgetWithCaches([] { covers.clear(); });
  const QImage& mask = Game.KobMaskImage[HolePicture[h - 1]];
  return covers.try_emplace(mask.cacheKey(), mask).first->second;
}

// Where hole h's hint goes in `picture`, whose font it sets to the hint's:
// centred under the label's glyphs `label`, and lifted where need be so
// that it lies, outline and all, within the critter's columns and the rows
// that show when it is fully up. Where that box would run off the critter
// (a placard's bottom edge, a critter narrower than the hint), the nearest
// box wholly on the critter and clear of the label takes its place.
QPoint HintAt(platform::Picture& picture, int h, const QRect& label) {
  const int ring = platform::Picture::OutlineReach;
  picture.Font = {platform::ProportionalGothic, HintPoints, true};
  const QRect ink = picture.TextBounds(QPoint(0, 0), Game.HoleHint[h]);
  const int shownRows = Game.RestY[h] - Game.PeakY[h];
  const int top =
      std::min(label.bottom() + 1 + 2 * ring + HintGap, shownRows - ring - ink.height());
  const int left =
      std::clamp(label.center().x() - ink.width() / 2, ring, KobWidth - ring - ink.width());
  // The outline's ring, and a pixel its smoothed edge may touch.
  const int reach = ring + 1;
  const QRect box(left - reach, top - reach, ink.width() + 2 * reach, ink.height() + 2 * reach);
  const CritterCover& cover = CoverOf(h);
  QPoint best(left, top);
  if (cover.Known() && !cover.Covers(box)) {
    const QRect clear =
        label.adjusted(-ring - HintGap, -ring - HintGap, ring + HintGap, ring + HintGap);
    int nearest = INT_MAX;
    for (int y = 0; y + box.height() <= shownRows; ++y) {
      for (int x = 0; x + box.width() <= KobWidth; ++x) {
        const QRect there(QPoint(x, y), box.size());
        const int distance = (x - box.x()) * (x - box.x()) + (y - box.y()) * (y - box.y());
        if (distance < nearest && !there.intersects(clear) && cover.Covers(there)) {
          nearest = distance;
          best = QPoint(x + reach, y + reach);
        }
      }
    }
  }
  return QPoint(best.x() - ink.left(), best.y() - ink.top());
}

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
  return {QPoint(x - 5, y + 10), 25};
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
  ++PlayfieldTextPrints.bands;
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

TextPrints PlayfieldTextPrints;

void DrawMoji(int h, int x, int y) {
  const Label label = LabelOf(h, x, y);
  const QString& moji = Game.HoleMoji[h];
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
        if (!hint.isEmpty()) print(HintAt(picture, h, picture.TextBounds(label.at, moji)), hint);
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
