#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/GameControl.h"
#include "game/GameState.h"
#include "media/BgmSwitch.h"
#include "support/GameFixture.h"

namespace {

using Commands = std::vector<std::string>;

const std::string Play = "play";
const std::string Stop = "stop";

class BgmSwitch : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    // Long enough that no game here ends by itself, which would stop the music.
    Game.MojiTotal = 70;
  }

  // The commands that `action` sends, with the mark checked against the switch.
  template <typename Action>
  Commands Sent(Action action) {
    music.commands.clear();
    action();
    return music.commands;
  }

  // 80 s of passes, one a second: more than one restart period.
  Commands EightySeconds() {
    return Sent([&] { RunPassesUntil([] { return false; }, 1000, 80); });
  }
};

}  // namespace

TEST_F(BgmSwitch, OutsideAGameOffSendsTheStopAndOnWaitsForStartUnlessItIsOffAgain) {
  EXPECT_EQ(Sent(BgmStop_Click), Commands{Stop});
  EXPECT_EQ(Sent(Start_Click), Commands{}) << "off at start: no play";
  EXPECT_EQ(EightySeconds(), Commands{}) << "and no restart";
  Stop_Click();
  EXPECT_EQ(Sent(BgmStop_Click), Commands{}) << "switched on";
  EXPECT_EQ(Sent(Start_Click), Commands{Play});
}

// The restart comes 67 s after Start whatever the switch did in between.
TEST_F(BgmSwitch, InAGameOffStopsAtOnceAndOnPlaysFromTheBeginningOnTheOldSchedule) {
  Start_Click();
  Pass(10000);
  EXPECT_EQ(Sent(BgmStop_Click), Commands{Stop});
  Pass(50000);
  EXPECT_EQ(Sent(BgmStop_Click), Commands{Play});
  EXPECT_EQ(Sent([&] { Pass(7000); }), Commands{}) << "67000 ms exactly is not yet more";
  EXPECT_EQ(Sent([&] { Pass(1); }), (Commands{Stop, Play}));
  BgmStop_Click();
  EXPECT_EQ(EightySeconds(), Commands{}) << "off: no restart";
  EXPECT_TRUE(Game.GameRunning);
}
