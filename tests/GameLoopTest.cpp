#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/GameControl.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "platform/TextBox.h"
#include "support/GameFixture.h"

namespace {

using Commands = std::vector<std::string>;

class GameLoop : public GameFixture {
 protected:
  bool AllDown() const {
    for (int h = 1; h <= HoleCount; ++h) {
      if (Game.KobRect[h].Top < Game.RestY[h]) return false;
    }
    return true;
  }

  // The invariants of a running game.
  void ExpectInvariants() const {
    ASSERT_GE(Game.ShownCount, 0);
    ASSERT_LE(Game.ShownCount, Game.MojiTotal);
    for (int h = 1; h <= HoleCount; ++h) {
      ASSERT_LE(Game.PeakY[h], Game.KobRect[h].Top) << "hole " << h;
      ASSERT_LE(Game.KobRect[h].Top, Game.RestY[h]) << "hole " << h;
    }
  }

  // Plays a whole game from Start with one pass per millisecond and checks,
  // after every pass, the invariants and that the game ends exactly at the
  // first pass on which every string was shown and every critter is down.
  // Returns the number of rises seen.
  int PlayWholeGame() {
    Start_Click();
    int rises = 0;
    PerHole<bool> wasRising;
    for (int pass = 0; Game.GameRunning; ++pass) {
      if (pass > 2000000) {
        ADD_FAILURE() << "the game never ended";
        break;
      }
      Pass();
      ExpectInvariants();
      for (int h = 1; h <= HoleCount; ++h) {
        if (Game.KobRising[h] && !wasRising[h]) ++rises;
        wasRising[h] = Game.KobRising[h];
      }
      const bool over = Game.ShownCount >= Game.MojiTotal && AllDown();
      EXPECT_EQ(Game.GameRunning, !over) << "pass " << pass;
    }
    return rises;
  }
};

}  // namespace

TEST_F(GameLoop, AThirtyStringGamePresentsExactlyThirtyAndEndsWhenAllAreDown) {
  EXPECT_EQ(PlayWholeGame(), 30);
  EXPECT_EQ(Game.ShownCount, 30);
  EXPECT_EQ(music.commands.back(), "stop");
  EXPECT_TRUE(platform::Text1().IsVisible()) << "only Stop hides the box";
}

TEST_F(GameLoop, WholeGamesRunAcrossTheTickCounterWrapPoints) {
  for (uint32_t start : {0x7FFFFFFFu - 9000u, 0xFFFFFFFFu - 9000u}) {
    clock.Set(start);
    EXPECT_EQ(PlayWholeGame(), 30) << "starting at " << start;
    EXPECT_GT(clock.ticks - start, 20000u);
  }
}

TEST_F(GameLoop, AnimationStepsComeOnlyOnceMoreThanThirtyMillisecondsHavePassed) {
  Start_Click();
  const int32_t start = Game.LastStepTick;
  Pass(30);
  EXPECT_EQ(Game.LastStepTick, start);
  const platform::PassOutcome outcome = MainLoopPass();
  EXPECT_EQ(outcome.nextDueIn, 1u) << "the loop sleeps just until the step is due";
  Pass(1);
  EXPECT_EQ(Game.LastStepTick, start + 31);
}

TEST_F(GameLoop, StartDuringAGameChangesNothing) {
  Start_Click();
  RunPassesUntil([] { return Game.ShownCount >= 2; });
  const int16_t shown = Game.ShownCount;
  const int32_t bgmStart = Game.BgmStartTick;
  const size_t sent = music.commands.size();
  clock.Advance(500);
  Start_Click();
  EXPECT_EQ(Game.ShownCount, shown);
  EXPECT_EQ(Game.BgmStartTick, bgmStart);
  EXPECT_EQ(music.commands.size(), sent);
}

TEST_F(GameLoop, StartShowsAnEmptyBoxAndPlaysTheMusicStopHidesTheBoxAndStopsIt) {
  platform::DetachedText1().text = "か";
  Start_Click();
  EXPECT_TRUE(platform::Text1().IsVisible());
  EXPECT_EQ(platform::Text1().Text(), "");
  Stop_Click();
  EXPECT_FALSE(Game.GameRunning);
  EXPECT_FALSE(platform::Text1().IsVisible());
  EXPECT_EQ(music.commands, (Commands{"play", "stop"}));
}

TEST_F(GameLoop, StopWithNoGameStillSendsTheStopCommand) {
  Stop_Click();
  EXPECT_EQ(music.commands, Commands{"stop"});
}

TEST_F(GameLoop, ANewGameAfterAStoppedOneStartsFromZeroWithEveryCritterDown) {
  Start_Click();
  RunPassesUntil([] { return Game.ShownCount >= 4; });
  Game.CatchCount = 2;
  Stop_Click();
  Start_Click();
  EXPECT_EQ(Game.ShownCount, 0);
  EXPECT_EQ(Game.CatchCount, 0);
  for (int h = 1; h <= HoleCount; ++h) EXPECT_EQ(Game.KobRect[h].Top, Game.RestY[h]);
}

TEST_F(GameLoop, TheMusicRestartsOnTheFirstPassMoreThan67SecondsAfterItsLastStart) {
  Game.MojiTotal = 1000;  // long enough for two restarts
  Start_Click();
  const int32_t started = Game.BgmStartTick;
  RunPassesUntil([&] { return music.commands.size() > 1; });
  EXPECT_EQ(clock.Read() - started, 67001);
  EXPECT_EQ(music.commands, (Commands{"play", "stop", "play"}));
  const int32_t restarted = Game.BgmStartTick;
  RunPassesUntil([&] { return music.commands.size() > 3; });
  EXPECT_EQ(clock.Read() - restarted, 67001);
}

TEST_F(GameLoop, MusicSwitchedOffIsNeitherStartedNorRestarted) {
  Game.BgmOff = true;
  Game.MojiTotal = 1000;
  Start_Click();
  RunPassesUntil([] { return false; }, 10, 15000);
  EXPECT_TRUE(Game.GameRunning);
  EXPECT_TRUE(music.commands.empty());
}
