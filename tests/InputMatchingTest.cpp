#include <gtest/gtest.h>

#include "core/GameControl.h"
#include "core/InputMatching.h"
#include "game/GameState.h"
#include "platform/TextBox.h"
#include "support/GameFixture.h"

namespace {

constexpr int KeyA = 65;

class InputMatching : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    Game.MissSoundPath = "/data/Deta/金属.wav";
    Game.CatchSoundPath = "/data/Deta/みゃ.wav";
    Start_Click();
  }

  // Puts hole h's critter `rows` pixels out of its hole carrying `moji`.
  void Raise(int h, const QString& moji, int rows) {
    Game.HoleMoji[h] = moji;
    Game.KobRect[h].Top = Game.RestY[h] - rows;
    Game.KobRising[h] = true;
  }

  void Type(const QString& text, int keyCode = KeyA) {
    box().text = text;
    Text1_KeyUp(keyCode, 0);
  }

  platform::DetachedTextBox& box() { return platform::DetachedText1(); }
  std::vector<QString> Played() const {
    std::vector<QString> paths;
    for (const auto& request : sounds.requests) paths.push_back(request.path);
    return paths;
  }
};

}  // namespace

TEST_F(InputMatching, WithNoGameRunningKeysChangeNothingAndPlayNothing) {
  Stop_Click();
  Raise(1, "か", 100);
  Type("か", KeyReturn);
  EXPECT_EQ(box().text, "か");
  EXPECT_EQ(Game.CatchCount, 0);
  EXPECT_TRUE(sounds.requests.empty());
}

TEST_F(InputMatching, ACatchCountsOnceEmptiesTheStringAndTheBoxAndSinksTheCritter) {
  Raise(3, "きゃ", 60);
  Type("きゃ");
  EXPECT_EQ(Game.CatchCount, 1);
  EXPECT_EQ(Game.HoleMoji[3], "");
  EXPECT_EQ(box().text, "") << "a catch by a key other than Enter empties the box too";
  EXPECT_TRUE(Game.KobCaught[3]);
  EXPECT_TRUE(Game.KobSinking[3]);
  EXPECT_FALSE(Game.KobRising[3]);
  ASSERT_EQ(sounds.requests.size(), 1u);
  EXPECT_EQ(sounds.requests[0].path, "/data/Deta/みゃ.wav");
  EXPECT_EQ(sounds.requests[0].flags, 19u);
}

TEST_F(InputMatching, TheLowerNumberedHoleIsCaughtFirstWhenTwoCarryTheString) {
  Raise(2, "か", 100);
  Raise(5, "か", 100);
  Type("か");
  EXPECT_TRUE(Game.KobCaught[2]);
  EXPECT_FALSE(Game.KobCaught[5]);
  EXPECT_EQ(Game.HoleMoji[5], "か");
  Type("か");
  EXPECT_TRUE(Game.KobCaught[5]);
  EXPECT_EQ(Game.CatchCount, 2);
}

TEST_F(InputMatching, ACritterAtItsCatchLineIsOutOfReachAndEnterThenEmptiesTheBox) {
  Raise(1, "か", 40);
  Type("か");
  EXPECT_EQ(Game.CatchCount, 0);
  EXPECT_EQ(box().text, "か") << "a key other than Enter leaves the text";
  Type("か", KeyReturn);
  EXPECT_EQ(Game.CatchCount, 0);
  EXPECT_EQ(box().text, "");
  EXPECT_EQ(Played(), (std::vector<QString>{"/data/Deta/金属.wav", "/data/Deta/金属.wav"}));
  Raise(1, "か", 60);
  Type("か");
  EXPECT_EQ(Game.CatchCount, 1) << "one step further out it is caught";
}

TEST_F(InputMatching, TextIsComparedExactlyAsTyped) {
  Raise(4, "か", 100);
  for (const QString typed : {"か ", " か", "カ", "ｶ", "ka", "かか"}) {
    Type(typed);
    EXPECT_EQ(Game.CatchCount, 0) << typed.toStdString();
  }
}

// A caught critter's string is empty while it sinks above its catch line;
// an empty box must not catch it again.
TEST_F(InputMatching, AnEmptyBoxNeverCatches) {
  Raise(6, "ぬ", 120);
  Type("ぬ");
  ASSERT_EQ(Game.CatchCount, 1);
  Type("");
  Type("", KeyReturn);
  EXPECT_EQ(Game.CatchCount, 1);
  Raise(1, "", 100);
  Type("");
  EXPECT_EQ(Game.CatchCount, 1);
}

// A player who types every critter's string as soon as it can be caught
// catches every string the game presents.
TEST_F(InputMatching, AScriptedPlayerCatchesEveryPresentedString) {
  Game.LessonNo = 11;
  Game.MojiTotal = 50;
  Stop_Click();
  Start_Click();
  int passes = 0;
  while (Game.GameRunning && ++passes < 1000000) {
    Pass();
    for (int h = 1; h <= HoleCount; ++h) {
      const bool catchable = Game.KobRect[h].Top < Game.RestY[h] - 40;
      if (catchable && !Game.HoleMoji[h].isEmpty()) Type(Game.HoleMoji[h], KeyReturn);
    }
  }
  EXPECT_FALSE(Game.GameRunning);
  EXPECT_EQ(Game.ShownCount, 50);
  EXPECT_EQ(Game.CatchCount, 50);
}
