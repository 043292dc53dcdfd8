#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/MojiPicking.h"
#include "kana/MojiTable.h"
#include "kana/SettingsMenus.h"
#include "support/GameFixture.h"

namespace {

class KanaMaterial : public GameFixture {};

}  // namespace

TEST_F(KanaMaterial, TheTableHoldsItsListedEntriesIncludingTheRepeatedKyo) {
  EXPECT_EQ(Game.MojiTable[1], "あ");
  EXPECT_EQ(Game.MojiTable[15], "こ");
  EXPECT_EQ(Game.MojiTable[122], "いぇ");
  EXPECT_EQ(Game.MojiTable[143], "くょ");
  EXPECT_EQ(Game.MojiTable[145], "くょ");
  EXPECT_EQ(Game.MojiTable[195], "ょ");
  std::set<QString> distinct;
  for (const QString& moji : Game.MojiTable) {
    EXPECT_TRUE(moji.size() == 1 || moji.size() == 2) << moji.toStdString();
    distinct.insert(moji);
  }
  EXPECT_EQ(distinct.size(), 194u) << "only entry 145 repeats another";
}

TEST_F(KanaMaterial, LessonsOneToTenTileTheTableAndLessonElevenIsAllOfIt) {
  int next = 1;
  for (int lesson = 1; lesson <= 10; ++lesson) {
    const LessonRange range = LessonRangeOf(lesson);
    EXPECT_EQ(range.Base + 1, next) << "lesson " << lesson;
    next = range.Base + range.Size + 1;
  }
  EXPECT_EQ(next, MojiTableSize + 1);
  EXPECT_EQ(LessonRangeOf(11).Base, 0);
  EXPECT_EQ(LessonRangeOf(11).Size, MojiTableSize);
  EXPECT_EQ(Game.MojiTable[LessonRangeOf(7).Base + 1], "ま") << "lesson 7 starts at ま";
  EXPECT_EQ(Game.MojiTable[LessonRangeOf(9).Base + 1], "うぁ") << "lesson 9 starts at うぁ";
}

TEST_F(KanaMaterial, PicksStayInTheLessonAndOverManyPicksCoverIt) {
  for (int lesson = 1; lesson <= LessonCount; ++lesson) {
    Game.LessonNo = static_cast<int16_t>(lesson);
    const LessonRange range = LessonRangeOf(lesson);
    std::set<QString> allowed, seen;
    for (int k = range.Base + 1; k <= range.Base + range.Size; ++k)
      allowed.insert(Game.MojiTable[k]);
    for (int i = 0; i < 20000; ++i) {
      SelectMoji(1 + i % 6);
      const QString picked = Game.HoleMoji[1 + i % 6];
      ASSERT_TRUE(allowed.count(picked)) << "lesson " << lesson << ": " << picked.toStdString();
      seen.insert(picked);
    }
    EXPECT_EQ(seen, allowed) << "lesson " << lesson;
  }
}

TEST_F(KanaMaterial, TheSmallestAndLargestDrawPickTheEndsOfTheRange) {
  ScriptedRandom draws;
  platform::UseRandomSource(&draws);
  Game.LessonNo = 11;
  draws.draws = {0.0f, std::nextafter(1.0f, 0.0f)};
  SelectMoji(1);
  EXPECT_EQ(Game.HoleMoji[1], "あ");
  SelectMoji(1);
  EXPECT_EQ(Game.HoleMoji[1], "ょ");
  Game.LessonNo = 4;
  draws.draws = {0.0f, std::nextafter(1.0f, 0.0f)};
  SelectMoji(2);
  EXPECT_EQ(Game.HoleMoji[2], "た");
  SelectMoji(2);
  EXPECT_EQ(Game.HoleMoji[2], "ちょ");
}

TEST_F(KanaMaterial, LabelColoursDrawRedGreenBlueInOrderWithinOneTo200) {
  ScriptedRandom draws;
  platform::UseRandomSource(&draws);
  draws.draws = {0.0f, 0.5f, std::nextafter(1.0f, 0.0f)};
  SelectMojiColor(3);
  EXPECT_EQ(Game.MojiRed[3], 1);
  EXPECT_EQ(Game.MojiGreen[3], 101);
  EXPECT_EQ(Game.MojiBlue[3], 200);
  EXPECT_EQ(KobPicture[3].ForeColor, QColor(1, 101, 200))
      << "the colour lives on the hole's picture";
  platform::UseRandomSource(nullptr);
  for (int i = 0; i < 10000; ++i) {
    SelectMojiColor(4);
    for (int c : {Game.MojiRed[4], Game.MojiGreen[4], Game.MojiBlue[4]}) {
      ASSERT_GE(c, 1);
      ASSERT_LE(c, 200);
    }
  }
}

TEST_F(KanaMaterial, TheSameDrawsGiveTheSameStringsAndColours) {
  auto pickSome = [] {
    platform::ResetRandom();
    std::vector<QString> picks;
    for (int h = 1; h <= HoleCount; ++h) {
      SelectMoji(h);
      SelectMojiColor(h);
      picks.push_back(Game.HoleMoji[h] + KobPicture[h].ForeColor.name());
    }
    return picks;
  };
  Game.LessonNo = 11;
  EXPECT_EQ(pickSome(), pickSome());
}

TEST_F(KanaMaterial, SettingsMenusStoreTheirValueAndCheckOnlyTheClickedItem) {
  LessonCheck_Click(9);
  SpeedCheck_Click(1);
  MojiCount_Click(3);
  EXPECT_EQ(Game.LessonNo, 9);
  EXPECT_EQ(Game.SpeedLevel, 1);
  EXPECT_EQ(Game.MojiTotal, 70);
  MojiCount_Click(2);
  MojiCount_Click(2);
  EXPECT_EQ(Game.MojiTotal, 50);
}

TEST_F(KanaMaterial, SettingsMenusRefuseEveryClickWhileAGameRuns) {
  Game.GameRunning = true;
  LessonCheck_Click(5);
  SpeedCheck_Click(2);
  MojiCount_Click(3);
  EXPECT_EQ(Game.LessonNo, 1);
  EXPECT_EQ(Game.SpeedLevel, 3);
  EXPECT_EQ(Game.MojiTotal, 30);
}
