#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <tuple>

#include "platform/system/Services.h"
#include "platform/system/TextBox.h"
#include "rules/anim/KobbinMove.h"
#include "rules/control/GameControl.h"
#include "rules/control/InputMatching.h"
#include "rules/media/BgmSwitch.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "support/GameFixture.h"
#include "support/PresentRecorder.h"

namespace {

class GameCore : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    Game.MissSoundPath = "/d/金属.wav";
    Game.CatchSoundPath = "/d/みゃ.wav";
  }

  void Type(const QString& text, int keyCode = 65) {
    platform::DetachedText1().text = text;
    Text1_KeyUp(keyCode, 0);
  }

  // A game of lesson 11 with 70 strings at the default speed, started with
  // the clock at `start`, one pass a millisecond; drawing a hole's column
  // takes 7 ms, the counter band 5 ms. The player types the string of every
  // critter in holes 1 to 3 as soon as it is more than 40 rows out, and that
  // of every critter in hole 4 as it starts to rise, too early. Until the 5th
  // rise the trace holds each rise (ms since the start, hole, string, colour)
  // and each typed string with what it did and the sound it made; then the
  // music requests of each pass, and what the game ended with, the focus
  // requests beyond one a pass of the game among them: every pass of a
  // running game gives the box the focus, so that typing always lands in
  // it, and a pass outside a game leaves it alone.
  QStringList PlayScriptedGame(uint32_t start) {
    struct SlowView : PresentRecorder {
      explicit SlowView(TestClock& clock) : clock(clock) {}
      void Present(const QRect&) override { clock.Advance(7); }
      void PresentBand(const QRect&, int) override { clock.Advance(5); }
      TestClock& clock;
    } slow(clock);
    QStringList trace;
    int leaving = 0, ended = 0;
    Hooks = {[&] { ++leaving; }, [&] { ++ended; }, {}};
    platform::ResetRandom();
    clock.Set(start);
    Game.LessonNo = 11;
    Game.MojiTotal = 70;
    platform::DetachedText1().focusRequests = 0;
    Pass(0);  // no game: the box is left alone
    Start_Click();
    PerHole<bool> wasRising;
    int passes = 0;
    for (; Game.GameRunning; ++passes) {
      Pass();
      const uint32_t ms = clock.ticks - start;
      const bool traced = Game.ShownCount <= 5;
      for (int h = 1; h <= HoleCount; ++h) {
        const bool rose = Game.KobRising[h] && !wasRising[h];
        wasRising[h] = Game.KobRising[h];
        if (rose && traced)
          trace << TraceLine(ms, h, Game.HoleMoji[h], KobPicture[h].ForeColor.name());
        const bool catchable =
            !Game.HoleMoji[h].isEmpty() && Game.KobRect[h].Top < Game.RestY[h] - 40;
        if (!(h <= 3 && catchable) && !(h == 4 && rose)) continue;
        const int caught = Game.CatchCount;
        const QString moji = Game.HoleMoji[h];
        sounds.requests.clear();
        Type(moji, KeyReturn);
        for (const QString& sound : sounds.requests)
          if (traced)
            trace << TraceLine(ms, Game.CatchCount > caught ? "caught" : "missed", moji, sound);
      }
      if (!music.commands.isEmpty()) trace << TraceLine(ms, music.commands.join(' '));
      music.commands.clear();
    }
    Pass(0);
    Hooks = {};
    const GameResults& results = Game.Results;
    trace << TraceLine("end", clock.ticks - start, "shown", results.presented, "caught",
                       Game.CatchCount, "in", MeanCatchMs(results), "ms", CatchRatePercent(results),
                       "%", "box", platform::Text1().IsVisible(), "hooks", leaving, ended, "focus",
                       platform::DetachedText1().focusRequests - passes);
    QStringList escaped("escaped");  // most often first, then in table order
    for (const auto& [moji, times] : EscapedMostOftenFirst(results))
      escaped << TraceLine(moji, times);
    return trace << escaped.join(' ');
  }
};

}  // namespace

// The same scripted game, also across the wraps of the tick counter. The
// trace depends on the holes being stepped 1 to 6, the step interval and its
// stamp, the pauses and their stamps, each rise drawing its string before its
// colour, the catch line and the two sounds, the music restart and what a
// game's end does.
TEST_F(GameCore, AScriptedGameRunsTheSameWhereverTheTickCounterStands) {
  const QStringList expected = {
      "1 play",
      "1040 1 てぇ #516ba5",
      "1116 caught てぇ /d/みゃ.wav",
      "2301 1 くぅ #1fb910",
      "2377 caught くぅ /d/みゃ.wav",
      "3035 2 ぎぇ #03ab30",
      "3111 caught ぎぇ /d/みゃ.wav",
      "4024 4 りぇ #903187",
      "4024 missed りぇ /d/金属.wav",
      "4024 5 ぢょ #68b203",
      "67001 stop play",
      "76411 stop",
      "end 76411 shown 70 caught 47 in 91 ms 67 % box 1 hooks 1 1 focus 0",
      "escaped くぃ 2 き 1 こ 1 きゃ 1 きぃ 1 ぎぃ 1 くぉ 1 さ 1 でょ 1 ぢょ 1 "
      "にゃ 1 は 1 へ 1 ぽ 1 ま 1 も 1 みゃ 1 よ 1 りぇ 1 つぉ 1 ふぅ 1 ふぉ 1"};
  for (uint32_t start : {1000u, 0x7FFFFFFFu - 9000u, 0xFFFFFFFFu - 9000u})
    EXPECT_EQ(PlayScriptedGame(start), expected) << "from " << start;
}

// Each pause length follows the speed level (0: the pause in the hole); the
// fastest level draws no number. The largest draw, below 1, still picks the
// longest pause: worked out in single precision, it times 7, plus 1, would
// round up to 8.
TEST_F(GameCore, PausesFollowTheSpeedLevel) {
  ScriptedRandom draws;
  platform::ChangeServices([&](platform::Services& s) { s.random = &draws; });
  const float top = std::nextafter(1.0f, 0.0f);
  const std::tuple<int, float, int> cases[] = {{0, 0.0f, 1000}, {0, top, 7000}, {3, 0.0f, 4000},
                                               {3, 0.5f, 5000}, {3, top, 6000}, {2, 0.0f, 2000},
                                               {2, top, 3000},  {1, 0.5f, 1}};
  for (const auto& [speed, draw, wait] : cases) {
    draws.draws = {draw};
    Game.SpeedLevel = static_cast<int16_t>(speed);
    speed == 0 ? SetHideWait(1) : SetStayWait(1);
    EXPECT_EQ(Game.HoleWait[1], wait) << speed << " " << draw;
  }
  EXPECT_EQ(draws.draws.size(), 1u);
}

// Only the exact text catches, and only a critter more than 40 rows out: the
// lowest-numbered one; a catch counts once, empties its string and the box
// and sounds; a miss sounds and Enter then empties the box. No game: nothing.
TEST_F(GameCore, TheExactTextCatchesTheLowestNumberedCritterMoreThan40RowsOut) {
  Raise(1, "か", 100);
  Type("か", KeyReturn);
  EXPECT_EQ(TraceLine(platform::DetachedText1().text, sounds.requests.size()), "か 0");

  Start_Click();
  Raise(1, "か", 40);
  Type("か");
  EXPECT_EQ(platform::DetachedText1().text, "か") << "a miss by a key other than Enter";
  Type("か", KeyReturn);
  EXPECT_EQ(platform::DetachedText1().text, "");
  for (const QString typed : {"か ", "カ", "ｶ", "ka", "かか", ""}) Type(typed);
  EXPECT_EQ(TraceLine(sounds.requests.size(), sounds.requests.back()), "8 /d/金属.wav");

  Raise(2, "きゃ", 60);
  Raise(5, "きゃ", 60);
  Type("きゃ");
  Type("");  // the caught critter's string is empty, still above its catch line
  EXPECT_EQ(Game.CatchCount, 1);
  EXPECT_EQ(Game.HoleMoji[5], "きゃ");
  EXPECT_EQ(platform::DetachedText1().text, "") << "a catch by any key empties the box";
  EXPECT_TRUE(Game.KobCaught[2] && Game.KobSinking[2] && !Game.KobRising[2]);

  for (const auto& [moji, otherScript] : {std::pair{"キョ", "きょ"}, {"きょ", "キョ"}}) {
    Raise(3, moji, 60);
    Type(otherScript);
    EXPECT_EQ(Game.HoleMoji[3], QString(moji)) << otherScript << " left it";
    Type(moji);
    EXPECT_EQ(Game.HoleMoji[3], "") << moji << " caught it";
  }
}

// Strings that got away equally often list in the table's order, katakana
// in their hiragana's place (お before ぉ, before く).
TEST_F(GameCore, StringsThatGotAwayEquallyOftenListInTheTablesOrderInEitherScript) {
  GameResults results;
  results.escaped = {{"ク", 1}, {"ォ", 1}, {"オ", 1}, {"き", 1}, {"ゥ", 3}};
  QStringList order;
  for (const auto& [moji, times] : EscapedMostOftenFirst(results)) order << moji;
  EXPECT_EQ(order.join(' '), "ゥ オ ォ き ク");
}

// Start during a game changes nothing; Stop ends it at any time and hides
// the box. The restart comes 67 s after the last start whatever the switch
// did in between; switched off, the music is neither started nor restarted.
TEST_F(GameCore, StartAndStopAndTheMusicSwitchSendTheirRequests) {
  auto sent = [&](auto action) {
    music.commands.clear();
    action();
    return music.commands;
  };
  auto passFor = [&](uint32_t ms) {
    return sent([&] { RunPassesUntil([] { return false; }, 1000, ms / 1000); });
  };
  Game.MojiTotal = 70;
  platform::DetachedText1().text = "か";
  EXPECT_EQ(sent(Start_Click), QStringList{"play"});
  EXPECT_EQ(platform::Text1().Text(), "");
  passFor(3000);
  const int shown = Game.ShownCount;
  EXPECT_EQ(sent(Start_Click), QStringList{});
  EXPECT_EQ(Game.ShownCount, shown);
  EXPECT_EQ(sent(Stop_Click), QStringList{"stop"});
  EXPECT_FALSE(platform::Text1().IsVisible());
  EXPECT_EQ(sent(Stop_Click), QStringList{"stop"}) << "Stop with no game still stops the music";

  EXPECT_EQ(sent(BgmStop_Click), QStringList{"stop"});
  EXPECT_EQ(sent(Start_Click), QStringList{}) << "off at start: no play";
  EXPECT_EQ(Game.ShownCount, 0);
  EXPECT_EQ(passFor(80000), QStringList{}) << "and no restart";
  Stop_Click();
  EXPECT_EQ(sent(BgmStop_Click), QStringList{}) << "switched on outside a game";
  EXPECT_EQ(sent(Start_Click), QStringList{"play"});
  EXPECT_EQ(sent(BgmStop_Click), QStringList{"stop"});
  EXPECT_EQ(passFor(60000), QStringList{});
  EXPECT_EQ(sent(BgmStop_Click), QStringList{"play"}) << "switched on in a game";
  EXPECT_EQ(sent([&] { Pass(7000); }), QStringList{}) << "67000 ms exactly is not yet more";
  EXPECT_EQ(sent([&] { Pass(1); }), (QStringList{"stop", "play"}));
}
