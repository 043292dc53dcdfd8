#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <tuple>
#include <vector>

#include "anim/KobbinMove.h"
#include "anim/Playfield.h"
#include "core/GameControl.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "platform/Picture.h"
#include "platform/Screen.h"
#include "support/GameFixture.h"
#include "support/PresentRecorder.h"
#include "support/TestPictures.h"

namespace {

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

}  // namespace

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
