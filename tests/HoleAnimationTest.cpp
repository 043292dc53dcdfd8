#include <gtest/gtest.h>

#include <vector>

#include "anim/KobbinMove.h"
#include "core/GameControl.h"
#include "game/GameState.h"
#include "support/GameFixture.h"

namespace {

class HoleAnimation : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    Start_Click();
  }

  // Ends hole h's current pause so that its next step starts a move.
  void EndPause(int h) {
    Game.HoleWait[h] = 0;
    Game.HoleTick[h] = clock.Read() - 1;
  }

  // Steps hole h until its critter stops moving; returns the rows shown
  // after each step that moved it.
  std::vector<int> StepsUntilStill(int h) {
    std::vector<int> shown;
    for (int i = 0; i < 20; ++i) {
      clock.Advance(31);
      const int before = Game.KobRect[h].Top;
      MoveKob(h);
      if (Game.KobRect[h].Top == before) break;
      shown.push_back(Game.RestY[h] - Game.KobRect[h].Top);
    }
    return shown;
  }
};

}  // namespace

TEST_F(HoleAnimation, EachHoleRisesInItsOwnNumberOfStepsShowingTwentyMoreRowsEachStep) {
  const int steps[HoleCount] = {7, 6, 6, 6, 7, 6};
  for (int h = 1; h <= HoleCount; ++h) {
    EndPause(h);
    std::vector<int> expected;
    for (int s = 1; s <= steps[h - 1]; ++s) expected.push_back(20 * s);
    EXPECT_EQ(StepsUntilStill(h), expected) << "hole " << h;
    EXPECT_EQ(Game.KobRect[h].Top, Game.PeakY[h]);
    EXPECT_FALSE(Game.KobRising[h]) << "the step after the arrival ends the rise";
  }
  EXPECT_EQ(Game.ShownCount, 6);
}

TEST_F(HoleAnimation, APauseEndsAtTheFirstStepAfterItsLength) {
  Game.HoleWait[1] = 3000;
  Game.HoleTick[1] = clock.Read();
  clock.Advance(3000);
  MoveKob(1);
  EXPECT_FALSE(Game.KobRising[1]);
  clock.Advance(1);
  MoveKob(1);
  EXPECT_TRUE(Game.KobRising[1]);
  EXPECT_EQ(Game.KobRect[1].Top, Game.RestY[1] - 20)
      << "the critter moves in the step that starts it";
}

TEST_F(HoleAnimation, PausesFollowTheSpeedLevelAndTheHoleRule) {
  ScriptedRandom draws;
  platform::UseRandomSource(&draws);
  draws.draws = {0.0f, 0.99f, 0.0f, 0.5f, 0.99f, 0.0f, 0.99f};
  SetHideWait(1);
  EXPECT_EQ(Game.HoleWait[1], 1000);
  SetHideWait(1);
  EXPECT_EQ(Game.HoleWait[1], 7000);
  Game.SpeedLevel = 3;
  SetStayWait(1);
  EXPECT_EQ(Game.HoleWait[1], 4000);
  SetStayWait(1);
  EXPECT_EQ(Game.HoleWait[1], 5000);
  SetStayWait(1);
  EXPECT_EQ(Game.HoleWait[1], 6000);
  Game.SpeedLevel = 2;
  SetStayWait(1);
  EXPECT_EQ(Game.HoleWait[1], 2000);
  SetStayWait(1);
  EXPECT_EQ(Game.HoleWait[1], 3000);
  Game.SpeedLevel = 1;
  const int drawnBefore = draws.drawn;
  SetStayWait(1);
  EXPECT_EQ(Game.HoleWait[1], 1);
  EXPECT_EQ(draws.drawn, drawnBefore) << "the fastest level draws no number";
}

TEST_F(HoleAnimation, AtTheFastestLevelACritterTurnsBackAfterTwoStepIntervals) {
  Game.SpeedLevel = 1;
  EndPause(2);
  StepsUntilStill(2);  // six steps up, then the step that notices the arrival
  EXPECT_EQ(Game.KobRect[2].Top, Game.PeakY[2]);
  clock.Advance(31);
  MoveKob(2);
  EXPECT_EQ(Game.KobRect[2].Top, Game.PeakY[2] + 20);
  EXPECT_TRUE(Game.KobSinking[2]);
}

TEST_F(HoleAnimation, ACritterCaughtWhileRisingTurnsAtOnceAndSinksToRest) {
  EndPause(1);
  for (int i = 0; i < 4; ++i) MoveKob(1);
  const int top = Game.KobRect[1].Top;
  Game.KobCaught[1] = true;
  Game.KobRising[1] = false;
  Game.KobSinking[1] = true;
  MoveKob(1);
  EXPECT_EQ(Game.KobRect[1].Top, top + 20);
  for (int i = 0; i < 10; ++i) MoveKob(1);
  EXPECT_EQ(Game.KobRect[1].Top, Game.RestY[1]);
  EXPECT_FALSE(Game.KobCaught[1]) << "cleared once the critter is fully down";
  EXPECT_FALSE(Game.KobSinking[1]);
}

TEST_F(HoleAnimation, OnceEveryStringWasShownHiddenCrittersStayDown) {
  Game.ShownCount = Game.MojiTotal;
  EndPause(3);
  clock.Advance(31);
  MoveKob(3);
  EXPECT_EQ(Game.KobRect[3].Top, Game.RestY[3]);
  EXPECT_EQ(Game.ShownCount, Game.MojiTotal);
}
