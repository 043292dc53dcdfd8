#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QRect>
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
#include "platform/Picture.h"
#include "platform/Screen.h"
#include "platform/TextFont.h"
#include "support/GameFixture.h"
#include "support/PresentRecorder.h"
#include "support/TestPictures.h"

using platform::Picture;
using platform::ScaledForDrawing;

namespace {

// A patterned destination and a source of assorted colours, both 64 x 32.
class BlockCopy : public testing::Test {
 protected:
  void SetUp() override {
    FillWithPattern(dest);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 64; ++x) source.Image().setPixel(x, y, qRgb(x * 37 + y, y * 53, x * y));
    }
    before = dest.Image().copy();
  }

  Picture dest{64, 32};
  Picture source{64, 32};
  QImage before;
};

// A started program whose background is a pattern, with the test critters
// loaded at their drawn size and the bare background in the composite.
class Playfield : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    FillWithPattern(BackPicture);
    for (int k = 1; k <= 8; ++k) {
      Game.KobImage[k] = MakeKobImage(k);
      Game.KobMaskImage[k] = MakeKobMask();
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

  // Checks the whole composite: hole h's critter picture k over the
  // background above the ground line, the background everywhere else.
  void ExpectCompositeShows(int h, int k) {
    const QPoint kob(Game.KobRect[h].Left, Game.KobRect[h].Top);
    const QRect aboveGround(kob, QPoint(kob.x() + KobWidth - 1, Game.RestY[h] - 1));
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const QPoint offset = QPoint(x, y) - kob - KobDiscCentre;
        const bool critter = aboveGround.contains(x, y) &&
                             QPoint::dotProduct(offset, offset) <= KobDiscRadius * KobDiscRadius;
        ASSERT_EQ(AllPicture.Image().pixel(x, y), critter ? KobColour(k) : PatternAt(x, y))
            << "at " << x << ", " << y;
      }
    }
  }

  // `ground` with `text` printed on it at `at` in the given font and colour.
  static QImage Printed(const QImage& ground, const QString& text, QPoint at, int points, bool bold,
                        QColor colour) {
    platform::Picture picture;
    picture.Image() = ground.copy();
    picture.Font = {platform::ProportionalGothic, points, bold};
    picture.ForeColor = colour;
    picture.Print(at, text);
    return picture.Image();
  }

  // The counter band as it should look, `rows` rows high: red shown count,
  // orange catch count.
  QImage ExpectedBand(int shownCount, int catchCount, int rows) const {
    const QImage left = Printed(BackPicture.Image().copy(0, 0, 640, rows),
                                QStringLiteral("ぴこり %1").arg(shownCount), {65, 23}, 30, false,
                                QColor(255, 0, 0));
    return Printed(left, QStringLiteral("つかまえた %1").arg(catchCount), {390, 23}, 30, false,
                   QColor(255, 100, 0));
  }

  bool CompositeIsBareBackground() const { return AllPicture.Image() == BackPicture.Image(); }

  PresentRecorder shown;
};

// A screen of ratio 2: every picture holds two by two image pixels per game
// pixel, with a background whose every image pixel tells where it is and the
// test critters at the size the data set draws them.
class PlayfieldAtRatioTwo : public GameFixture {
 protected:
  void SetUp() override {
    platform::UsePixelRatio(2);
    GameFixture::SetUp();
    QImage& back = BackPicture.Image();
    for (int y = 0; y < back.height(); ++y) {
      for (int x = 0; x < back.width(); ++x) back.setPixel(x, y, PatternAt(x, y));
    }
    for (int k = 1; k <= 8; ++k) {
      Game.KobImage[k] = platform::ScaledForDrawing(MakeKobImage(k, 2), QSize(125, 145), 2);
      Game.KobMaskImage[k] = platform::ScaledForDrawing(MakeKobMask(2), QSize(125, 145), 2);
    }
    ClearPlayfield();
  }
  void TearDown() override {
    GameFixture::TearDown();
    platform::UsePixelRatio(0);
  }
};

// Pixels of `label` in exactly the colour `glyph` next to one of exactly the
// colour `patch`: where the label's colour meets what lies behind it.
int GlyphPixelsTouchingThePatch(const QImage& label, QRgb glyph, QRgb patch) {
  int touching = 0;
  for (int y = 1; y < label.height() - 1; ++y) {
    for (int x = 1; x < label.width() - 1; ++x) {
      const QImage around = label.copy(x - 1, y - 1, 3, 3);
      touching += label.pixel(x, y) == glyph && CountColour(around, patch, around.rect()) > 0;
    }
  }
  return touching;
}

}  // namespace

TEST_F(BlockCopy, MergePaintAndSrcAndCombineEachPixelBitByBit) {
  const struct {
    platform::RasterOp op;
    QRgb (*rule)(QRgb src, QRgb old);
  } ops[] = {{platform::MERGEPAINT, [](QRgb src, QRgb old) { return ~src | old; }},
             {platform::SRCAND, [](QRgb src, QRgb old) { return src & old; }}};
  for (const auto& [op, rule] : ops) {
    dest.Image() = before.copy();
    platform::BitBlt(dest, dest.Rect(), source, QPoint(0, 0), op);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 64; ++x) {
        ASSERT_EQ(dest.Image().pixel(x, y),
                  rule(source.Image().pixel(x, y), before.pixel(x, y)) | 0xff000000u)
            << std::hex << op << " at " << std::dec << x << ", " << y;
      }
    }
  }
}

// A copy that reaches past the source's edge must not bring in made-up
// (black) pixels, stretched or not; a shrink blends what it squeezes together.
TEST_F(BlockCopy, OnlyTheSourcesOwnPixelsAreCopiedAndAShrinkBlendsThem) {
  platform::BitBlt(dest, QRect(0, 0, 40, 8), source, QPoint(44, 0), platform::SRCCOPY);
  platform::StretchBlt(dest, QRect(0, 16, 64, 16), source, QRect(48, 16, 32, 16),
                       platform::SRCCOPY);
  for (int x = 0; x < 64; ++x) {
    ASSERT_EQ(dest.Image().pixel(x, 3),
              x < 20 ? source.Image().pixel(x + 44, 3) : before.pixel(x, 3))
        << "column " << x;
    if (x >= 32) {
      ASSERT_EQ(dest.Image().pixel(x, 20), before.pixel(x, 20)) << "column " << x;
    }
  }
  for (int x = 0; x < 64; ++x) {
    for (int y = 0; y < 32; ++y) source.Image().setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : 0);
  }
  platform::StretchBlt(dest, QRect(0, 0, 32, 16), source, source.Rect(), platform::SRCCOPY);
  const int grey = qGray(dest.Image().pixel(16, 8));
  EXPECT_GT(grey, 64) << "a nearest-pixel shrink keeps only black or only white";
  EXPECT_LT(grey, 192);
}

TEST(PrintedText, StartsItsCellAtThePrintPositionAndDrawsOnlyBoldGlyphsOverTheGround) {
  Picture picture(200, 160);
  picture.ForeColor = QColor(20, 40, 160);
  picture.Font = {platform::ProportionalGothic, 35, true};
  const auto ink = [&] { return InkBounds(picture.Image(), qRgb(255, 255, 255), picture.Rect()); };
  const auto strokes = [&] {
    return CountColour(picture.Image(), qRgb(20, 40, 160), picture.Rect());
  };
  picture.Print(QPoint(10, 70), QStringLiteral("あ"));
  const QRect first = ink();
  const int bold = strokes();
  EXPECT_TRUE(QRect(10, 70, 7, 11).contains(first.topLeft())) << "not the baseline";
  EXPECT_GE(first.height(), 36) << "35 points are about 47 pixels";
  EXPECT_LE(first.height(), 47);

  picture.Image().fill(Qt::white);
  picture.Print(QPoint(47, 83), QStringLiteral("あ"));
  EXPECT_EQ(ink(), first.translated(37, 13));
  picture.Image().fill(Qt::white);
  picture.Font.bold = false;
  picture.Print(QPoint(10, 70), QStringLiteral("あ"));
  EXPECT_GT(bold, strokes()) << "bold strokes are thicker";

  FillWithPattern(picture);
  picture.Print(QPoint(10, 10), QStringLiteral("あい"));
  int kept = 0;
  for (int x = 10; x < 104; ++x) {
    for (int y = 10; y < 57; ++y) kept += picture.Image().pixel(x, y) == PatternAt(x, y);
  }
  EXPECT_GT(strokes(), 100);
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
  QImage picture = MakeKobImage(2, 2);
  for (int y = 0; y < 20; ++y) picture.setPixel(1, y, 0);
  const QImage scaled = ScaledForDrawing(picture, QSize(125, 145));
  ASSERT_EQ(scaled.size(), QSize(125, 145));
  EXPECT_EQ(scaled.pixel(KobDiscCentre), KobColour(2));
  const int grey = qGray(scaled.pixel(0, 5));
  EXPECT_GT(grey, 64) << "one black and one white column blend";
  EXPECT_LT(grey, 192);
  EXPECT_TRUE(ScaledForDrawing(QImage(), QSize(125, 145)).isNull());

  Picture sharp;
  sharp.Image() = ScaledForDrawing(picture, QSize(125, 145), 2.0);
  EXPECT_EQ(sharp.Image().size(), QSize(250, 290));
  EXPECT_EQ(sharp.Rect(), QRect(0, 0, 125, 145)) << "pictures measure in game pixels";
}

// On a screen of ratio 2 a label is drawn with the screen's own pixels, not
// a game-sized label blown up: twice as tall and wide in image pixels.
TEST(PrintedText, AtRatioTwoALabelHasTwiceThePixelsInEachDirection) {
  Picture picture(200, 160);
  picture.Font = {platform::ProportionalGothic, 35, true};
  picture.Print(QPoint(10, 70), QStringLiteral("きゃ"));
  const QRect single = InkBounds(picture.Image(), qRgb(255, 255, 255), picture.Rect());
  platform::UsePixelRatio(2);
  Picture sharp(200, 160);
  platform::UsePixelRatio(0);
  ASSERT_EQ(sharp.Rect(), picture.Rect());
  sharp.ForeColor = picture.ForeColor;
  sharp.Font = picture.Font;
  sharp.Print(QPoint(10, 70), QStringLiteral("きゃ"));
  const QRect ink = InkBounds(sharp.Image(), qRgb(255, 255, 255), sharp.Image().rect());
  EXPECT_NEAR(ink.left(), 2 * single.left(), 2);
  EXPECT_NEAR(ink.top(), 2 * single.top(), 2);
  EXPECT_NEAR(ink.width(), 2 * single.width(), 3);
  EXPECT_NEAR(ink.height(), 2 * single.height(), 3);
}

TEST_F(Playfield, ACritterShowsThroughItsMaskAboveTheGroundLineAndLeavesNoTraceOfOldFrames) {
  // Up and down by one step of the default speed at a time.
  for (const int rows : {20, 40, 60, 80, 100, 120, 100, 80, 60}) DrawAt(1, rows, 1);
  ExpectCompositeShows(1, 1);
  for (const int rows : {40, 20, 0}) DrawAt(1, rows, 1);
  EXPECT_TRUE(CompositeIsBareBackground()) << "with no rows shown only background is left";
}

TEST_F(Playfield, OnlyAnUncaughtCritterCarriesItsLabelAndACaughtOneShowsItsCaughtForm) {
  for (const bool caught : {false, true}) {
    Game.HoleMoji[4] = QStringLiteral("あ");
    KobPicture[4].ForeColor = QColor(10, 20, 30);
    Game.KobCaught[4] = caught;
    Game.KobRect[4].Top = Game.PeakY[4];
    DrawHole(4, 4, 120, 40, 40);
    const QRect label(63 + 40, Game.PeakY[4] + 40, 47, 47);
    EXPECT_EQ(CountColour(AllPicture.Image(), qRgb(10, 20, 30), label) > 50, !caught);
  }
  ExpectCompositeShows(4, 8);
}

// The pictures here are twice the critter's size, as read from the data
// folder on a high-resolution screen, so they must be stretched to fit.
TEST_F(Playfield, EachHoleShowsItsOwnCritterAndItsCaughtForm) {
  for (int k = 1; k <= 8; ++k) {
    Game.KobImage[k] = MakeKobImage(k, 2);
    Game.KobMaskImage[k] = MakeKobMask(2);
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
  ASSERT_FALSE(CompositeIsBareBackground());
  Stop_Click();
  EXPECT_TRUE(CompositeIsBareBackground());
  EXPECT_EQ(shown.areas.back(), QRect(0, 0, 640, 480));

  Start_Click();
  Game.MojiTotal = 2;
  RunPassesUntil([] { return !Game.GameRunning; }, 31);
  ASSERT_FALSE(Game.GameRunning);
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

TEST_F(PlayfieldAtRatioTwo, ACritterGoesThroughItsMaskPixelForPixelAtTheScreensFullResolution) {
  Game.KobRect[2].Top = Game.RestY[2] - 100;
  DrawHole(2, 3, 100, 10, 70);
  const QImage& all = AllPicture.Image();
  ASSERT_EQ(all.size(), QSize(1280, 960));
  ASSERT_EQ(AllPicture.Rect(), QRect(0, 0, 640, 480));
  const QImage mask = MakeKobMask(2);
  const QRect kob(2 * Game.KobRect[2].Left, 2 * Game.KobRect[2].Top, 2 * KobWidth, 2 * 100);
  for (int y = 0; y < all.height(); ++y) {
    for (int x = 0; x < all.width(); ++x) {
      const bool critter =
          kob.contains(x, y) && mask.pixel(x - kob.x(), y - kob.y()) == qRgb(0, 0, 0);
      ASSERT_EQ(all.pixel(x, y), critter ? KobColour(3) : PatternAt(x, y))
          << "at " << x << ", " << y;
    }
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
  const QImage blank = platform::Picture(KobWidth, KobHeight).Image();
  KobPicture[2].ForeColor = QColor(0, 90, 40);
  for (const auto& c : cases) {
    KobPicture[2].Image().fill(Qt::white);
    Game.HoleMoji[2] = QString::fromUtf8(c.moji);
    DrawMoji(2, c.anchor.x(), c.anchor.y());
    platform::Picture expected;
    expected.Image() = blank.copy();
    expected.Font = {platform::ProportionalGothic, c.points, true};
    expected.ForeColor = QColor(0, 90, 40);
    expected.PrintOutlined(c.at, Game.HoleMoji[2], Qt::white);
    EXPECT_EQ(KobPicture[2].Image(), expected.Image()) << c.moji;
  }
}

TEST_F(Playfield, TheCounterBandReplacesTheOldCountsOverTheBackground) {
  Game.ShownCount = Game.CatchCount = 88;
  DrawCounts();
  Game.ShownCount = 12;
  Game.CatchCount = 3;
  DrawCounts();
  EXPECT_EQ(AllPicture.Image().copy(0, 0, 640, 100), ExpectedBand(12, 3, 100));
  EXPECT_EQ(AllPicture.Image().copy(0, 100, 640, 380), BackPicture.Image().copy(0, 100, 640, 380));
  EXPECT_EQ(shown.bands.back().compositeArea, QRect(0, 0, 640, 100));
  EXPECT_EQ(shown.bands.back().windowRows, 100);
}

// A screen 640 pixels wide gets a band of 80 rows squeezed into 73 window rows.
TEST_F(Playfield, TheLowResolutionBandRestoresEightyRowsForAScreenSixHundredAndFortyWide) {
  AllPicture.Image().fill(Qt::white);
  DrawCountsLowRes();
  EXPECT_EQ(AllPicture.Image().copy(0, 0, 640, 80), ExpectedBand(0, 0, 80));
  EXPECT_EQ(InkBounds(AllPicture.Image(), qRgb(255, 255, 255), QRect(0, 80, 640, 400)), QRect());
  EXPECT_EQ(shown.bands.back().compositeArea, QRect(0, 0, 640, 80));
  for (const int width : {640, 641}) {
    platform::UseScreenSize({width, 480});
    Start_Click();
    shown.Clear();
    Pass(31);
    ASSERT_FALSE(shown.bands.empty());
    EXPECT_EQ(shown.bands.back().windowRows, width == 640 ? 73 : 100) << width;
    Stop_Click();
  }
}

// Known values of the accessibility guidelines: black on white, and #777777
// on white, just under 4.5 : 1.
TEST(LabelOutline, ContrastRatiosMatchTheGuidelinesKnownValues) {
  EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
  EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.005);
}

// Every colour the label colour rule can draw (each channel 1 to 200) gets an
// outline of black or white that stands out from it by at least 4.5 : 1.
TEST(LabelOutline, EveryLabelColourStandsOutFromItsOutline) {
  double worst = 21.0;
  QColor worstColour;
  for (int r = 1; r <= 200; ++r) {
    for (int g = 1; g <= 200; ++g) {
      for (int b = 1; b <= 200; ++b) {
        const QColor label(r, g, b);
        const QColor outline = LabelOutlineColor(label);
        ASSERT_TRUE(outline == Qt::black || outline == Qt::white) << r << ',' << g << ',' << b;
        const double ratio = ContrastRatio(label, outline);
        if (ratio < worst) {
          worst = ratio;
          worstColour = label;
        }
      }
    }
  }
  std::printf("worst label contrast %.3f : 1 for (%d, %d, %d)\n", worst, worstColour.red(),
              worstColour.green(), worstColour.blue());
  EXPECT_GE(worst, 4.5);
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
               {qRgb(20, 20, 90), qRgb(30, 30, 60), qRgb(255, 255, 255), "ぁ"}};
  for (const auto& c : cases) {
    KobPicture[3].Image().fill(c.patch);
    KobPicture[3].ForeColor = QColor(c.glyph);
    Game.HoleMoji[3] = QString::fromUtf8(c.moji);
    DrawMoji(3, 5, 55);
    const QImage& label = KobPicture[3].Image();
    EXPECT_GT(CountColour(label, c.glyph, label.rect()), 100) << c.moji;
    EXPECT_GT(CountColour(label, c.outline, label.rect()), 50) << c.moji;
    EXPECT_EQ(GlyphPixelsTouchingThePatch(label, c.glyph, c.patch), 0) << c.moji;
  }
}
