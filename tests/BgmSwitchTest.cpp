#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/GameControl.h"
#include "core/GameState.h"
#include "media/BgmSwitch.h"
#include "support/GameFixture.h"

namespace {

using Commands = std::vector<std::string>;

const std::string Play = "play gBGMfile from 0 ";
const std::string Stop = "stop gBGMfile ";

class BgmSwitch : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    BgmStopChecked = false;
    // Long enough that no game here ends by itself, which would stop the music.
    Game.MojiTotal = 70;
  }

  // The commands that `action` sends, with the mark checked against the switch.
  template <typename Action>
  Commands Sent(Action action) {
    music.commands.clear();
    action();
    EXPECT_EQ(BgmStopChecked, Game.BgmOff);
    return music.commands;
  }

  // 80 s of passes, one a second: more than one restart period.
  void EightySeconds() {
    RunPassesUntil([] { return false; }, 1000, 80);
    EXPECT_TRUE(Game.GameRunning);
  }
};

}  // namespace

TEST_F(BgmSwitch, OffOutsideAGameStillSendsTheStopAndOnSendsNothingTillStart) {
  EXPECT_EQ(Sent(BgmStop_Click), Commands{Stop});
  EXPECT_TRUE(Game.BgmOff);
  EXPECT_EQ(Sent(BgmStop_Click), Commands{});
  EXPECT_FALSE(Game.BgmOff);
  EXPECT_EQ(Sent(Start_Click), Commands{Play});
}

TEST_F(BgmSwitch, OffAtStartTheGameSendsNoPlayAndNeverRestartsTheTune) {
  BgmStop_Click();
  EXPECT_EQ(Sent(Start_Click), Commands{});
  EXPECT_EQ(Sent([&] { EightySeconds(); }), Commands{});
}

TEST_F(BgmSwitch, OffDuringAGameStopsAtOnceAndTheLoopNoLongerRestarts) {
  Start_Click();
  Pass(10000);
  EXPECT_EQ(Sent(BgmStop_Click), Commands{Stop});
  EXPECT_EQ(Sent([&] { EightySeconds(); }), Commands{});
}

TEST_F(BgmSwitch, OnDuringAGamePlaysFromTheBeginningAndKeepsTheRestartSchedule) {
  Start_Click();
  const int32_t started = Game.BgmStartTick;
  Pass(10000);
  BgmStop_Click();
  Pass(50000);
  EXPECT_EQ(Sent(BgmStop_Click), Commands{Play});
  EXPECT_EQ(Game.BgmStartTick, started);
  // The restart comes 67 s after Start, only 7 s after the switch.
  EXPECT_EQ(Sent([&] { Pass(7000); }), Commands{}) << "67000 ms exactly is not yet more";
  EXPECT_EQ(Sent([&] { Pass(1); }), (Commands{Stop, Play}));
}
