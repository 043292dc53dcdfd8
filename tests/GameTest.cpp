#include <gtest/gtest.h>

#include <QStringList>
#include <map>
#include <string>
#include <vector>

#include "anim/KobbinMove.h"
#include "core/GameControl.h"
#include "core/InputMatching.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "media/BgmSwitch.h"
#include "platform/TextBox.h"
#include "support/GameFixture.h"
#include "support/PresentRecorder.h"

namespace {

using Requests = std::vector<std::string>;
constexpr int KeyA = 65;

class GameCore : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    Game.MissSoundPath = "/d/金属.wav";
    Game.CatchSoundPath = "/d/みゃ.wav";
  }

  // Ends hole h's current pause so that its next step starts a move.
  void EndPause(int h) {
    Game.HoleWait[h] = 0;
    Game.HoleTick[h] = clock.Read() - 1;
  }

  // Puts hole h's critter `rows` pixels out of its hole carrying `moji`.
  void Raise(int h, const QString& moji, int rows) {
    Game.HoleMoji[h] = moji;
    Game.KobRect[h].Top = Game.RestY[h] - rows;
    Game.KobRising[h] = true;
  }

  void Type(const QString& text, int keyCode = KeyA) {
    platform::DetachedText1().text = text;
    Text1_KeyUp(keyCode, 0);
  }

  // The ms until hole h's critter, stepped every 31 ms, next starts to move
  // or stops moving.
  int MsUntilMoveChanges(int h) {
    const bool moving = Game.KobRising[h] || Game.KobSinking[h];
    for (int ms = 31;; ms += 31) {
      clock.Advance(31);
      MoveKob(h);
      if ((Game.KobRising[h] || Game.KobSinking[h]) != moving) return ms;
    }
  }

  // Runs passes from the current state, calling `seen(time, h)` whenever
  // hole h's critter starts to rise, until `done` holds.
  template <typename Seen, typename Done>
  void WatchRises(Seen seen, Done done) {
    PerHole<bool> wasRising;
    const int32_t start = clock.Read();
    while (!done()) {
      Pass();
      for (int h = 1; h <= HoleCount; ++h) {
        if (Game.KobRising[h] && !wasRising[h]) seen(clock.Read() - start, h);
        wasRising[h] = Game.KobRising[h];
      }
    }
  }

  // Plays a game from Start, one pass a millisecond, typing the string of
  // every critter in holes 1 to `catchUpTo` as soon as it can be caught.
  // Returns the rises seen; the strings let go are counted in letGo.
  int PlayGame(int catchUpTo = 0) {
    Start_Click();
    int rises = 0;
    const auto rose = [&](int, int h) {
      ++rises;
      if (h > catchUpTo) ++letGo[Game.HoleMoji[h]];
    };
    WatchRises(rose, [&] {
      for (int h = 1; h <= catchUpTo; ++h) {
        if (!Game.HoleMoji[h].isEmpty() && Game.KobRect[h].Top < Game.RestY[h] - 40) {
          Type(Game.HoleMoji[h], KeyReturn);
        }
      }
      return !Game.GameRunning;
    });
    return rises;
  }

  std::map<QString, int> letGo;
};

}  // namespace

// Whole games, also across the wraps of the tick counter: the count of
// strings rises, the game ends by itself and stops the music.
TEST_F(GameCore, WholeGamesPresentTheirCountAndEndEvenAcrossTheTickCounterWrap) {
  for (uint32_t start : {1000u, 0x7FFFFFFFu - 9000u, 0xFFFFFFFFu - 9000u}) {
    clock.Set(start);
    EXPECT_EQ(PlayGame(), 30) << "from " << start;
    EXPECT_EQ(Game.ShownCount, 30);
    EXPECT_EQ(music.commands.back(), "stop");
    EXPECT_TRUE(platform::Text1().IsVisible()) << "only Stop hides the box";
  }
  Game.LessonNo = 11;
  Game.MojiTotal = 50;
  EXPECT_EQ(PlayGame(HoleCount), 50);
  EXPECT_EQ(Game.CatchCount, 50) << "a quick enough typist catches every string";
}

// The first rises of a game: which hole, when, which string in which colour.
// They depend on the holes being stepped 1 to 6, the pauses and their tick
// stamps, and each rise drawing its string before its colour.
TEST_F(GameCore, TheFirstRisesComeInTheGamesOwnOrderTimesStringsAndColours) {
  Game.LessonNo = 11;
  Game.SpeedLevel = 2;
  Start_Click();
  QStringList rises;
  WatchRises(
      [&](int ms, int h) {
        rises << QStringLiteral("%1 %2 %3 %4")
                     .arg(ms)
                     .arg(h)
                     .arg(Game.HoleMoji[h], KobPicture[h].ForeColor.name());
      },
      [&] { return rises.size() >= 12; });
  const QStringList expected = {
      "1023 1 てぇ #516ba5",  "3007 2 くぅ #1fb910",  "4030 4 う #ab307d",    "4030 5 りぇ #903187",
      "5022 3 どぇ #030a5f",  "5022 6 ひゃ #9e0bb6",  "5487 1 ぴ #0f1dbb",    "6417 2 ふょ #17896f",
      "10943 1 りぃ #ab1c24", "12431 3 みゅ #22c17b", "12803 2 びょ #121a70", "13423 4 ぷ #a015af"};
  EXPECT_EQ(rises, expected);
}

// A step comes once more than 30 ms passed since the previous step's drawing
// ended; every pass of a game, and only of a game, gives the box the focus.
TEST_F(GameCore, AStepComesMoreThan30msAfterThePreviousStepsDrawingAndEveryPassFocusesTheBox) {
  struct SlowView : PresentRecorder {  // drawing that takes time
    explicit SlowView(TestClock& clock) : clock(clock) {}
    void Present(const QRect& area) override {
      PresentRecorder::Present(area);
      clock.Advance(7);
    }
    void PresentBand(const QRect& area, int rows) override {
      PresentRecorder::PresentBand(area, rows);
      clock.Advance(5);
    }
    TestClock& clock;
  } slow(clock);
  Pass();
  EXPECT_EQ(platform::DetachedText1().focusRequests, 0);
  Start_Click();
  for (int h = 1; h <= HoleCount; ++h) EndPause(h);
  Pass(31);
  const int32_t stepEnd = clock.Read();
  ASSERT_GT(stepEnd, Game.BgmStartTick + 31) << "the drawing took time";
  EXPECT_EQ(Game.LastStepTick, stepEnd);
  // Holes 1 to 6 in turn: their columns were shown left to right, upper row
  // first.
  std::vector<QPoint> corners;
  for (const QRect& area : slow.areas) corners.push_back(area.topLeft());
  EXPECT_EQ(corners, (std::vector<QPoint>{
                         {63, 112}, {270, 108}, {464, 132}, {63, 286}, {270, 289}, {464, 286}}));
  Pass(30);
  EXPECT_EQ(Game.LastStepTick, stepEnd);
  EXPECT_EQ(MainLoopPass().nextDueIn, 1u) << "the loop sleeps just until the step is due";
  Pass(1);
  EXPECT_GT(Game.LastStepTick, stepEnd);
  EXPECT_EQ(platform::DetachedText1().focusRequests, 4);
}

TEST_F(GameCore, StartBeginsAFreshGameOnceAndStopEndsItAtAnyTime) {
  platform::DetachedText1().text = "か";
  Start_Click();
  EXPECT_TRUE(platform::Text1().IsVisible());
  EXPECT_EQ(platform::Text1().Text(), "");
  RunPassesUntil([] { return Game.ShownCount >= 4; });
  Game.CatchCount = 2;
  const int32_t bgmStart = Game.BgmStartTick;
  clock.Advance(500);
  Start_Click();
  EXPECT_EQ(Game.ShownCount, 4) << "Start during a game changes nothing";
  EXPECT_EQ(Game.BgmStartTick, bgmStart);
  Stop_Click();
  EXPECT_FALSE(Game.GameRunning);
  EXPECT_FALSE(platform::Text1().IsVisible());
  Stop_Click();
  EXPECT_EQ(music.commands, (Requests{"play", "stop", "stop"}))
      << "Stop with no game still stops the music";
  Start_Click();
  EXPECT_EQ(Game.ShownCount + Game.CatchCount, 0);
  for (int h = 1; h <= HoleCount; ++h) EXPECT_EQ(Game.KobRect[h].Top, Game.RestY[h]);
}

// The restart comes 67 s after the last start whatever the switch did in
// between; switched off, the music is neither started nor restarted.
TEST_F(GameCore, TheMusicRestartsMoreThan67sAfterItsStartAndFollowsItsSwitch) {
  Game.MojiTotal = 70;
  auto sent = [&](auto action) {
    music.commands.clear();
    action();
    return music.commands;
  };
  auto passFor = [&](uint32_t ms) {
    return sent([&] { RunPassesUntil([] { return false; }, 1000, ms / 1000); });
  };
  EXPECT_EQ(sent(BgmStop_Click), Requests{"stop"});
  EXPECT_EQ(sent(Start_Click), Requests{}) << "off at start: no play";
  EXPECT_EQ(passFor(80000), Requests{}) << "and no restart";
  Stop_Click();
  EXPECT_EQ(sent(BgmStop_Click), Requests{}) << "switched on outside a game";
  EXPECT_EQ(sent(Start_Click), Requests{"play"});
  EXPECT_EQ(passFor(10000), Requests{});
  EXPECT_EQ(sent(BgmStop_Click), Requests{"stop"});
  EXPECT_EQ(passFor(50000), Requests{});
  EXPECT_EQ(sent(BgmStop_Click), Requests{"play"}) << "switched on in a game";
  EXPECT_EQ(sent([&] { Pass(7000); }), Requests{}) << "67000 ms exactly is not yet more";
  EXPECT_EQ(sent([&] { Pass(1); }), (Requests{"stop", "play"}));
  EXPECT_EQ(passFor(67000), Requests{});
  EXPECT_EQ(sent([&] { Pass(1); }), (Requests{"stop", "play"}));
  EXPECT_TRUE(Game.GameRunning);
}

// Each hole's critter rises 20 rows a step in its own number of steps; a
// caught one turns at once and is cleared once down; once all strings are
// out, critters stay down.
TEST_F(GameCore, CrittersRiseTwentyRowsAStepTurnWhenCaughtAndStayDownOnceAllStringsAreOut) {
  Start_Click();
  const int steps[HoleCount] = {7, 6, 6, 6, 7, 6};
  for (int h = 1; h <= HoleCount; ++h) {
    EndPause(h);
    for (int s = 1; s <= steps[h - 1]; ++s) {
      clock.Advance(31);
      MoveKob(h);
      EXPECT_EQ(Game.RestY[h] - Game.KobRect[h].Top, 20 * s) << "hole " << h;
    }
    EXPECT_EQ(Game.KobRect[h].Top, Game.PeakY[h]);
    MoveKob(h);
    EXPECT_FALSE(Game.KobRising[h]) << "the step after the arrival ends the rise";
  }
  EXPECT_EQ(Game.ShownCount, 6);

  Game.KobRect[1].Top = Game.RestY[1] - 80;
  Game.KobCaught[1] = Game.KobSinking[1] = true;
  MoveKob(1);
  EXPECT_EQ(Game.KobRect[1].Top, Game.RestY[1] - 60);
  for (int i = 0; i < 4; ++i) MoveKob(1);
  EXPECT_EQ(Game.KobRect[1].Top, Game.RestY[1]);
  EXPECT_FALSE(Game.KobCaught[1] || Game.KobSinking[1]) << "cleared once fully down";

  Game.ShownCount = Game.MojiTotal;
  EndPause(1);
  clock.Advance(31);
  MoveKob(1);
  EXPECT_EQ(Game.KobRect[1].Top, Game.RestY[1]);
  EXPECT_EQ(Game.ShownCount, Game.MojiTotal);
}

// Each pause is timed from the step that begins it: the top pause from the
// arrival at the top, the hole pause from the arrival back in the hole; its
// length follows the speed level and the hole rule.
TEST_F(GameCore, PausesFollowTheSpeedLevelAndRunFromTheArrivalsAtTheTopAndBackInTheHole) {
  ScriptedRandom draws;
  platform::UseRandomSource(&draws);
  Start_Click();
  // String, three colour channels, then the top pause (5000 ms at the
  // default speed, おそい) and the hole pause (3000 ms).
  draws.draws = {0.1f, 0.1f, 0.1f, 0.1f, 0.4f, 0.3f};
  Game.HoleWait[1] = 2000;
  Game.HoleTick[1] = clock.Read();
  EXPECT_EQ(MsUntilMoveChanges(1), 2015) << "the first step more than 2000 ms on";
  EXPECT_EQ(MsUntilMoveChanges(1), 7 * 31) << "six more steps up and one that ends the rise";
  EXPECT_EQ(MsUntilMoveChanges(1), 5022);
  EXPECT_TRUE(Game.KobSinking[1]);
  EXPECT_EQ(MsUntilMoveChanges(1), 7 * 31);
  EXPECT_EQ(MsUntilMoveChanges(1), 3007);
  EXPECT_TRUE(Game.KobRising[1]);

  const struct {
    int speed;  // 0: the hole pause
    float draw;
    int wait;
  } cases[] = {{0, 0.0f, 1000},  {0, 0.99f, 7000}, {3, 0.0f, 4000}, {3, 0.5f, 5000},
               {3, 0.99f, 6000}, {2, 0.0f, 2000},  {2, 0.99f, 3000}};
  for (const auto& c : cases) {
    draws.draws = {c.draw};
    Game.SpeedLevel = static_cast<int16_t>(c.speed);
    c.speed == 0 ? SetHideWait(1) : SetStayWait(1);
    EXPECT_EQ(Game.HoleWait[1], c.wait) << c.speed << " " << c.draw;
  }
  Game.SpeedLevel = 1;
  const int drawnBefore = draws.drawn;
  SetStayWait(1);
  EXPECT_EQ(Game.HoleWait[1], 1);
  EXPECT_EQ(draws.drawn, drawnBefore) << "the fastest level draws no number";
}

// Only the exact text catches, and only a critter more than 40 rows out: the
// lowest-numbered one; a catch counts once, empties its string and the box
// and sounds; a miss sounds and Enter then empties the box. No game: nothing.
TEST_F(GameCore, TheExactTextCatchesTheLowestNumberedCritterMoreThan40RowsOut) {
  Raise(1, "か", 100);
  Type("か", KeyReturn);
  EXPECT_EQ(platform::DetachedText1().text, "か");
  EXPECT_TRUE(sounds.requests.empty());

  Start_Click();
  Raise(1, "か", 40);
  Type("か");
  EXPECT_EQ(platform::DetachedText1().text, "か") << "a miss by a key other than Enter";
  Type("か", KeyReturn);
  EXPECT_EQ(platform::DetachedText1().text, "");
  for (const QString typed : {"か ", " か", "カ", "ｶ", "ka", "かか", ""}) Type(typed);
  EXPECT_EQ(Game.CatchCount, 0);
  EXPECT_EQ(sounds.requests.size(), 9u);
  EXPECT_EQ(sounds.requests.back().path, "/d/金属.wav");

  Raise(2, "きゃ", 60);
  Raise(5, "きゃ", 60);
  Type("きゃ");
  EXPECT_EQ(Game.CatchCount, 1);
  EXPECT_EQ(Game.HoleMoji[2], "");
  EXPECT_EQ(Game.HoleMoji[5], "きゃ");
  EXPECT_EQ(platform::DetachedText1().text, "") << "a catch by any key empties the box";
  EXPECT_TRUE(Game.KobCaught[2] && Game.KobSinking[2] && !Game.KobRising[2]);
  EXPECT_EQ(sounds.requests.back().path, "/d/みゃ.wav");
  EXPECT_EQ(sounds.requests.back().flags, 19u);
  Type("");  // the caught critter's string is empty, still above its catch line
  EXPECT_EQ(Game.CatchCount, 1);
  Type("きゃ");
  EXPECT_TRUE(Game.KobCaught[5]);
  EXPECT_EQ(sounds.requests.size(), 12u);
}

TEST_F(GameCore, ResultsCountEveryRiseCatchAndEscapeAndTheHooksMarkTheGamesEdges) {
  int leaving = 0;
  int ended = 0;
  Hooks = {[&] { ++leaving; }, [&] { ++ended; }, {}};
  Start_Click();
  RunPassesUntil([] { return Game.ShownCount >= 5; });
  Stop_Click();
  EXPECT_EQ(leaving, 2);
  EXPECT_EQ(ended, 0) << "a stopped game has no results";

  Game.MojiTotal = 50;
  PlayGame(3);
  Hooks = {};
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(Game.Results.presented, 50);
  EXPECT_EQ(Game.Results.caught, Game.CatchCount);
  EXPECT_EQ(Game.Results.escaped, letGo);
  EXPECT_EQ(MeanCatchMs(Game.Results), 62)
      << "caught at the third step, two step periods after the rise";
  EXPECT_EQ(CatchRatePercent(Game.Results), (100 * Game.Results.caught + 25) / 50);

  GameResults results;
  results.escaped = {{"き", 1}, {"か", 3}, {"あ", 3}, {"きゃ", 2}};
  const std::vector<std::pair<QString, int>> expected = {
      {"あ", 3}, {"か", 3}, {"きゃ", 2}, {"き", 1}};
  EXPECT_EQ(EscapedMostOftenFirst(results), expected) << "most often first, then table order";
}
