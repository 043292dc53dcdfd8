#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <tuple>
#include <vector>

#include "anim/KobbinMove.h"
#include "anim/Playfield.h"
#include "core/GameControl.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/LabelOutline.h"
#include "kana/PlayfieldTexts.h"
#include "platform/Blit.h"
#include "platform/Screen.h"
#include "platform/TextFont.h"
#include "support/GameFixture.h"
#include "support/PresentRecorder.h"

using platform::Picture;
using platform::ScaledForDrawing;

namespace {

// Pictures made in code so that every pixel is known. Critter picture k (1 to
// 8) is a disc of KobColour(k) on white inside its 125 x 145 image, and every
// mask the same disc in black; `scale` makes them that many times bigger.
constexpr QPoint KobDiscCentre(62, 50);
constexpr int KobDiscRadius = 40;
const QRgb White = qRgb(255, 255, 255);

QRgb KobColour(int k) { return qRgb(30 * k, 250 - 25 * k, 40 + 20 * k); }

template <typename Visit>
void ForEachPixel(const QRect& area, Visit visit) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) visit(x, y);
  }
}

bool InDisc(QPoint offset) {
  offset -= KobDiscCentre;
  return QPoint::dotProduct(offset, offset) <= KobDiscRadius * KobDiscRadius;
}

QImage MakeDisc(QRgb colour, int scale = 1) {
  QImage image(125 * scale, 145 * scale, QImage::Format_RGB32);
  ForEachPixel(image.rect(), [&](int x, int y) {
    image.setPixel(x, y, InDisc(QPoint(x, y) / scale) ? colour : White);
  });
  return image;
}

// A pattern in which every pixel tells where it is, so that a copy from the
// wrong place shows.
QRgb PatternAt(int x, int y) { return qRgb(x % 256, y % 256, (x / 256) * 64 + (y / 256) * 128); }

void FillWithPattern(QImage& image) {
  ForEachPixel(image.rect(), [&](int x, int y) { image.setPixel(x, y, PatternAt(x, y)); });
}

// The smallest rectangle of `area` holding every pixel that is not white.
QRect InkBounds(const QImage& image, const QRect& area) {
  QRect bounds;
  ForEachPixel(area, [&](int x, int y) {
    if (image.pixel(x, y) != White) bounds |= QRect(x, y, 1, 1);
  });
  return bounds;
}

int CountColour(const QImage& image, QRgb colour, const QRect& area) {
  int count = 0;
  ForEachPixel(area, [&](int x, int y) { count += image.pixel(x, y) == colour; });
  return count;
}

// A started program whose background is a pattern, with the test critters
// loaded at their drawn size and the bare background in the composite.
class Playfield : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    UseRatio(1);
  }
  void TearDown() override {
    GameFixture::TearDown();
    platform::UsePixelRatio(0);
  }

  // A screen of `ratio` image pixels per game pixel in each direction.
  void UseRatio(int ratio) {
    platform::UsePixelRatio(ratio);
    SizePictures();
    FillWithPattern(BackPicture.Image());
    for (int k = 1; k <= 8; ++k) {
      Game.KobImage[k] = ScaledForDrawing(MakeDisc(KobColour(k), ratio), QSize(125, 145), ratio);
      Game.KobMaskImage[k] = ScaledForDrawing(MakeDisc(0, ratio), QSize(125, 145), ratio);
    }
    ClearPlayfield();
    shown.Clear();
  }

  // Draws hole h's critter picture k `rows` rows out of its hole, without a label.
  void DrawAt(int h, int rows, int k) {
    Game.HoleMoji[h].clear();
    Game.KobRect[h].Top = Game.RestY[h] - rows;
    DrawHole(h, k, rows, 10, 70);
  }

  // Checks every pixel of the composite: hole h's critter picture k over the
  // background above the ground line, the background everywhere else.
  void ExpectCompositeShows(int h, int k, int ratio = 1) {
    const QImage& all = AllPicture.Image();
    const QPoint kob = QPoint(Game.KobRect[h].Left, Game.KobRect[h].Top) * ratio;
    const QRect aboveGround(
        kob, QPoint(kob.x() + KobWidth * ratio, Game.RestY[h] * ratio) - QPoint(1, 1));
    for (int y = 0; y < all.height(); ++y) {
      for (int x = 0; x < all.width(); ++x) {
        const bool critter = aboveGround.contains(x, y) && InDisc((QPoint(x, y) - kob) / ratio);
        ASSERT_EQ(all.pixel(x, y), critter ? KobColour(k) : PatternAt(x, y)) << x << ", " << y;
      }
    }
  }

  static QImage Printed(QImage ground, const QString& text, QPoint at, QColor colour) {
    Picture picture;
    picture.Image() = ground;
    picture.Font = {platform::ProportionalGothic, 30, false};
    picture.ForeColor = colour;
    picture.Print(at, text);
    return picture.Image();
  }

  // The counter band as it should look, `rows` rows high: red shown count,
  // orange catch count.
  QImage ExpectedBand(int shownCount, int catchCount, int rows) const {
    const QImage left = Printed(BackPicture.Image().copy(0, 0, 640, rows),
                                QStringLiteral("ぴこり %1").arg(shownCount), {65, 23}, Qt::red);
    return Printed(left, QStringLiteral("つかまえた %1").arg(catchCount), {390, 23},
                   QColor(255, 100, 0));
  }

  PresentRecorder shown;
};

}  // namespace

// MERGEPAINT and SRCAND combine each pixel bit by bit; a copy that reaches
// past the source's edge brings in no made-up (black) pixels, stretched or
// not; a shrink blends what it squeezes together.
TEST(BlockCopy, RasterOpsWorkBitByBitAndOnlyTheSourcesOwnPixelsAreCopied) {
  Picture dest(64, 32);
  Picture source(64, 32);
  FillWithPattern(dest.Image());
  ForEachPixel(source.Rect(), [&](int x, int y) {
    source.Image().setPixel(x, y, qRgb(x * 37 + y, y * 53, x * y));
  });
  const QImage before = dest.Image().copy();
  const QImage& src = source.Image();
  const struct {
    platform::RasterOp op;
    QRgb (*rule)(QRgb src, QRgb old);
  } ops[] = {{platform::MERGEPAINT, [](QRgb src, QRgb old) { return ~src | old; }},
             {platform::SRCAND, [](QRgb src, QRgb old) { return src & old; }}};
  for (const auto& [op, rule] : ops) {
    dest.Image() = before.copy();
    platform::BitBlt(dest, dest.Rect(), source, QPoint(0, 0), op);
    ForEachPixel(dest.Rect(), [&](int x, int y) {
      ASSERT_EQ(dest.Image().pixel(x, y), rule(src.pixel(x, y), before.pixel(x, y)) | 0xff000000u)
          << op << " at " << x << ", " << y;
    });
  }

  dest.Image() = before.copy();
  platform::BitBlt(dest, QRect(0, 0, 40, 8), source, QPoint(44, 0), platform::SRCCOPY);
  platform::StretchBlt(dest, QRect(0, 16, 64, 16), source, QRect(48, 16, 32, 16),
                       platform::SRCCOPY);
  for (int x = 0; x < 64; ++x) {
    ASSERT_EQ(dest.Image().pixel(x, 3), x < 20 ? src.pixel(x + 44, 3) : before.pixel(x, 3)) << x;
    if (x >= 32) {
      ASSERT_EQ(dest.Image().pixel(x, 20), before.pixel(x, 20)) << x;
    }
  }
  ForEachPixel(source.Rect(),
               [&](int x, int y) { source.Image().setPixel(x, y, x % 2 ? White : 0); });
  platform::StretchBlt(dest, QRect(0, 0, 32, 16), source, source.Rect(), platform::SRCCOPY);
  EXPECT_NEAR(qGray(dest.Image().pixel(16, 8)), 128, 64) << "a nearest-pixel shrink keeps no grey";
}

// The text cell starts at the print position; bold strokes are thicker; the
// ground between the glyphs stays; on a screen of ratio 2 the text is drawn
// with the screen's own pixels, twice as tall and wide in image pixels.
TEST(PrintedText, StartsItsCellAtThePrintPositionAndDrawsBoldGlyphsOnlyAtTheScreensResolution) {
  const auto print = [](QPoint at, const QString& text, bool bold, int ratio = 1) {
    platform::UsePixelRatio(ratio);
    Picture picture(200, 160);
    platform::UsePixelRatio(0);
    picture.ForeColor = QColor(20, 40, 160);
    picture.Font = {platform::ProportionalGothic, 35, bold};
    picture.Print(at, text);
    return picture.Image();
  };
  const auto strokes = [](const QImage& image) {
    return CountColour(image, qRgb(20, 40, 160), image.rect());
  };
  const QImage first = print({10, 70}, QStringLiteral("あ"), true);
  const QRect ink = InkBounds(first, first.rect());
  EXPECT_TRUE(QRect(10, 70, 7, 11).contains(ink.topLeft())) << "not the baseline";
  EXPECT_GE(ink.height(), 36) << "35 points are about 47 pixels";
  EXPECT_LE(ink.height(), 47);
  const QImage moved = print({47, 83}, QStringLiteral("あ"), true);
  EXPECT_EQ(InkBounds(moved, moved.rect()), ink.translated(37, 13));
  EXPECT_GT(strokes(first), strokes(print({10, 70}, QStringLiteral("あ"), false)));

  const QImage pair = print({10, 70}, QStringLiteral("きゃ"), true);
  const QImage sharp = print({10, 70}, QStringLiteral("きゃ"), true, 2);
  const QRect single = InkBounds(pair, pair.rect());
  const QRect doubled = InkBounds(sharp, sharp.rect());
  EXPECT_NEAR(doubled.left(), 2 * single.left(), 2);
  EXPECT_NEAR(doubled.top(), 2 * single.top(), 2);
  EXPECT_NEAR(doubled.width(), 2 * single.width(), 3);
  EXPECT_NEAR(doubled.height(), 2 * single.height(), 3);

  Picture patterned(200, 160);
  FillWithPattern(patterned.Image());
  patterned.Font = {platform::ProportionalGothic, 35, true};
  patterned.Print(QPoint(10, 10), QStringLiteral("あい"));
  int kept = 0;
  ForEachPixel(QRect(10, 10, 94, 47),
               [&](int x, int y) { kept += patterned.Image().pixel(x, y) == PatternAt(x, y); });
  EXPECT_GT(kept, 94 * 47 / 2) << "most of the text cell keeps its ground";
}

// Points are taken at 96 dots an inch; without the stand-in, Qt falls back to
// a Latin face that has no kana.
TEST(TextFont, HasThePixelSizeOfItsPointsAndFallsBackToTheIpaStandIns) {
  EXPECT_EQ(platform::PointsToPixels(30), 40);
  EXPECT_EQ(platform::PointsToPixels(25), 33);
  const QFont proportional = platform::ToQFont({platform::ProportionalGothic, 35, false});
  EXPECT_EQ(proportional.pixelSize(), 47);
  EXPECT_EQ(proportional.families().first(), QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(QFontInfo(proportional).family(), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(QFontInfo(platform::ToQFont({platform::FixedGothic, 30, false})).family(),
            QStringLiteral("IPAGothic"));
}

TEST(ScaledForDrawing, ShrinksSmoothlyToTheDrawnSizeTimesThePixelRatio) {
  QImage picture = MakeDisc(KobColour(2), 2);
  for (int y = 0; y < 20; ++y) picture.setPixel(1, y, 0);
  const QImage scaled = ScaledForDrawing(picture, QSize(125, 145));
  ASSERT_EQ(scaled.size(), QSize(125, 145));
  EXPECT_EQ(scaled.pixel(KobDiscCentre), KobColour(2));
  EXPECT_NEAR(qGray(scaled.pixel(0, 5)), 128, 64) << "one black and one white column blend";
  EXPECT_TRUE(ScaledForDrawing(QImage(), QSize(125, 145)).isNull());
  Picture sharp;
  sharp.Image() = ScaledForDrawing(picture, QSize(125, 145), 2.0);
  EXPECT_EQ(sharp.Image().size(), QSize(250, 290));
  EXPECT_EQ(sharp.Rect(), QRect(0, 0, 125, 145)) << "pictures measure in game pixels";
}

// Up and down a step at a time, on screens of ratio 1 and 2: the critter
// shows through its mask above the ground line only, and old frames leave no
// trace. Only an uncaught critter carries its label.
TEST_F(Playfield, ACritterShowsThroughItsMaskWithItsLabelOrItsCaughtFormAndLeavesNoTrace) {
  Game.KobRect[4].Top = Game.PeakY[4];
  KobPicture[4].ForeColor = QColor(10, 20, 30);
  for (const bool caught : {false, true}) {
    Game.HoleMoji[4] = QStringLiteral("あ");
    Game.KobCaught[4] = caught;
    DrawHole(4, 4, Game.RestY[4] - Game.PeakY[4], 40, 40);
    const QRect label(63 + 40, Game.PeakY[4] + 40, 47, 47);
    EXPECT_EQ(CountColour(AllPicture.Image(), qRgb(10, 20, 30), label) > 50, !caught);
  }
  ExpectCompositeShows(4, 8);
  for (const int ratio : {1, 2}) {
    UseRatio(ratio);
    for (const int rows : {20, 40, 60, 80, 100, 120, 100, 80, 60}) DrawAt(1, rows, 1);
    ExpectCompositeShows(1, 1, ratio);
    for (const int rows : {40, 20, 0}) DrawAt(1, rows, 1);
    EXPECT_EQ(AllPicture.Image(), BackPicture.Image()) << "no rows shown: only background";
  }
}

// The pictures here are twice the critter's size, as read from the data
// folder on a high-resolution screen, so they must be stretched to fit.
TEST_F(Playfield, EachHoleShowsItsOwnCritterAndItsCaughtForm) {
  for (int k = 1; k <= 8; ++k) {
    Game.KobImage[k] = MakeDisc(KobColour(k), 2);
    Game.KobMaskImage[k] = MakeDisc(0, 2);
  }
  Start_Click();
  const int expected[HoleCount] = {1, 2, 3, 4, 1, 2};
  const QPoint inDisc = KobDiscCentre - QPoint(0, KobDiscRadius - 5);  // above every label
  for (int h = 1; h <= HoleCount; ++h) {
    Game.HoleWait[h] = 0;
    clock.Advance(31);
    for (const int form : {0, 4}) {
      Game.KobCaught[h] = form != 0;
      MoveKob(h);
      const QPoint at = QPoint(Game.KobRect[h].Left, Game.KobRect[h].Top) + inDisc;
      EXPECT_EQ(AllPicture.Image().pixel(at), KobColour(expected[h - 1] + form)) << "hole " << h;
    }
  }
}

TEST_F(Playfield, StopLeavesTheBareBackgroundButAGameThatEndsByItselfKeepsItsCounterBand) {
  Start_Click();
  RunPassesUntil([] { return Game.ShownCount >= 3; }, 31);
  ASSERT_NE(AllPicture.Image(), BackPicture.Image());
  Stop_Click();
  EXPECT_EQ(AllPicture.Image(), BackPicture.Image());
  EXPECT_EQ(shown.areas.back(), QRect(0, 0, 640, 480));
  Start_Click();
  Game.MojiTotal = 2;
  RunPassesUntil([] { return !Game.GameRunning; }, 31);
  EXPECT_NE(AllPicture.Image().copy(0, 0, 640, 100), BackPicture.Image().copy(0, 0, 640, 100));
  EXPECT_EQ(AllPicture.Image().copy(0, 100, 640, 380), BackPicture.Image().copy(0, 100, 640, 380))
      << "every critter is back in its hole";
}

// From 800 x 600 up the window holds the whole composite one to one; below
// that the view shrinks the whole composite for every drawn hole.
TEST_F(Playfield, ADrawnHolePresentsItsColumnOnALargeScreenAndEverythingOnASmallOne) {
  for (const auto& [width, height, large] :
       {std::tuple{800, 600, true}, {1920, 1080, true}, {799, 600, false}, {800, 599, false}}) {
    platform::UseScreenSize({width, height});
    shown.Clear();
    DrawAt(2, 40, 2);
    const QRect presented = large ? QRect(270, 108, 125, 120) : QRect(0, 0, 640, 480);
    EXPECT_EQ(shown.areas, std::vector<QRect>{presented}) << width << " x " << height;
  }
}

// One kana is printed big at the anchor, except the eight small kana (not
// the small tsu), which are printed smaller and further in; two kana are
// printed smaller, a little to the left and down.
TEST_F(Playfield, TheLabelSizeAndPlaceFollowTheString) {
  const struct {
    const char* moji;
    QPoint anchor;
    int points;
    QPoint at;
  } cases[] = {{"あ", {10, 70}, 35, {10, 70}},
               {"ぁ", {10, 70}, 25, {20, 80}},
               {"ゃ", {5, 55}, 25, {15, 65}},
               {"っ", {40, 40}, 35, {40, 40}},
               {"きゃ", {40, 40}, 25, {35, 50}}};
  KobPicture[2].ForeColor = QColor(0, 90, 40);
  for (const auto& c : cases) {
    KobPicture[2].Image().fill(Qt::white);
    Game.HoleMoji[2] = QString::fromUtf8(c.moji);
    DrawMoji(2, c.anchor.x(), c.anchor.y());
    Picture expected(KobWidth, KobHeight);
    expected.Font = {platform::ProportionalGothic, c.points, true};
    expected.ForeColor = QColor(0, 90, 40);
    expected.PrintOutlined(c.at, Game.HoleMoji[2], Qt::white);
    EXPECT_EQ(KobPicture[2].Image(), expected.Image()) << c.moji;
  }
}

// Each step of a game draws the counter band over the old counts: 100 rows,
// or on a screen 640 pixels wide 80 rows squeezed into 73 window rows.
TEST_F(Playfield, EachStepDrawsTheCounterBandForTheScreenOverTheOldCounts) {
  for (const auto& [width, rows, windowRows] :
       {std::tuple{1024, 100, 100}, {641, 100, 100}, {640, 80, 73}}) {
    platform::UseScreenSize({width, 480});
    AllPicture.Image().fill(Qt::white);
    Start_Click();
    for (int h = 1; h <= HoleCount; ++h) Game.HoleWait[h] = 30000;
    Game.ShownCount = Game.CatchCount = 88;
    Game.MojiTotal = 100;
    Pass(31);
    Game.ShownCount = 12;
    Game.CatchCount = 3;
    Pass(31);
    EXPECT_EQ(AllPicture.Image().copy(0, 0, 640, rows), ExpectedBand(12, 3, rows)) << width;
    EXPECT_EQ(InkBounds(AllPicture.Image(), QRect(0, rows, 640, 480 - rows)), QRect());
    EXPECT_EQ(shown.bands.back().compositeArea, QRect(0, 0, 640, rows));
    EXPECT_EQ(shown.bands.back().windowRows, windowRows);
    Stop_Click();
  }
}

// Every colour the label colour rule can draw (each channel 1 to 200) gets an
// outline of black or white that stands out from it by at least 4.5 : 1 (by
// the accessibility guidelines' measure: #777777 on white is just under).
TEST(LabelOutline, EveryLabelColourStandsOutFromItsOutline) {
  EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
  EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.005);
  for (int r = 1; r <= 200; ++r) {
    for (int g = 1; g <= 200; ++g) {
      for (int b = 1; b <= 200; ++b) {
        const QColor label(r, g, b);
        const QColor outline = LabelOutlineColor(label);
        ASSERT_TRUE(outline == Qt::black || outline == Qt::white) << r << ',' << g << ',' << b;
        ASSERT_GE(ContrastRatio(label, outline), 4.5) << r << ',' << g << ',' << b;
      }
    }
  }
}

// A pale label on the pale patch, and a dark one on a dark patch: the label
// colour touches only its outline, never the patch.
TEST_F(Playfield, TheLabelColourNeverTouchesThePatchBehindIt) {
  const struct {
    QRgb glyph;
    QRgb patch;
    QRgb outline;
    const char* moji;
  } cases[] = {{qRgb(200, 200, 120), qRgb(250, 240, 215), qRgb(0, 0, 0), "こ"},
               {qRgb(200, 190, 150), qRgb(250, 240, 215), qRgb(0, 0, 0), "すぃ"},
               {qRgb(20, 20, 90), qRgb(30, 30, 60), White, "ぁ"}};
  for (const auto& c : cases) {
    QImage& label = KobPicture[3].Image();
    label.fill(c.patch);
    KobPicture[3].ForeColor = QColor(c.glyph);
    Game.HoleMoji[3] = QString::fromUtf8(c.moji);
    DrawMoji(3, 5, 55);
    EXPECT_GT(CountColour(label, c.glyph, label.rect()), 100) << c.moji;
    EXPECT_GT(CountColour(label, c.outline, label.rect()), 50) << c.moji;
    int touching = 0;
    ForEachPixel(label.rect().adjusted(1, 1, -1, -1), [&](int x, int y) {
      touching += label.pixel(x, y) == c.glyph && CountColour(label, c.patch, {x - 1, y - 1, 3, 3});
    });
    EXPECT_EQ(touching, 0) << c.moji;
  }
}
