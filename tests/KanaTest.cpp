#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <set>

#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/MojiPicking.h"
#include "kana/MojiTable.h"
#include "kana/SettingsMenus.h"
#include "support/GameFixture.h"

namespace {

class Kana : public GameFixture {};

// Lessons 1 to 10, every entry in table order; lesson 11 is all of them.
// くょ comes twice in その他１, so it comes up twice as often there.
const char* const LessonEntries[10] = {
    "あ い う え お ぁ ぃ ぅ ぇ ぉ か き く け こ",
    "が ぎ ぐ げ ご きゃ きぃ きゅ きぇ きょ ぎゃ ぎぃ ぎゅ ぎぇ ぎょ くぁ くぃ くぇ くぉ",
    "さ し す せ そ ざ じ ず ぜ ぞ しゃ しぃ しゅ しぇ しょ じゃ じぃ じゅ じぇ じょ",
    "た ち つ て と だ ぢ づ で ど でゃ でぃ でゅ でぇ でょ ちゃ ちぃ ちゅ ちぇ ちょ",
    "ぢゃ ぢぃ ぢゅ ぢぇ ぢょ な に ぬ ね の にゃ にぃ にゅ にぇ にょ",
    "は ひ ふ へ ほ ば び ぶ べ ぼ ぱ ぴ ぷ ぺ ぽ ひゃ ひぃ ひゅ ひぇ ひょ",
    "ま み む め も みゃ みぃ みゅ みぇ みょ や ゆ いぇ よ",
    "ら り る れ ろ りゃ りぃ りゅ りぇ りょ わ を ん",
    "うぁ うぃ うぇ うぉ くゃ くゅ くょ くぅ くょ ぐぁ ぐぃ ぐぅ ぐぇ ぐぉ すぁ すぃ すぅ すぇ "
    "すぉ "
    "つぁ つぃ つぇ つぉ てゃ てぃ てゅ てぇ てょ",
    "とぁ とぃ とぅ とぇ とぉ どぁ どぃ どぅ どぇ どぉ ふゃ ふゅ ふょ ふぁ ふぃ ふぅ ふぇ ふぉ "
    "びゃ びぃ びゅ びぇ びょ ぴゃ ぴぃ ぴゅ ぴぇ ぴょ ゃ ゅ ょ"};

QStringList EntriesOf(LessonRange range) {
  QStringList entries;
  for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) entries << Game.MojiTable[k];
  return entries;
}

}  // namespace

TEST_F(Kana, EveryLessonHoldsExactlyItsEntriesAndLessonElevenTheWholeTable) {
  QStringList all;
  for (int lesson = 1; lesson <= 10; ++lesson) {
    const QStringList entries = QString::fromUtf8(LessonEntries[lesson - 1]).split(' ');
    EXPECT_EQ(EntriesOf(LessonRangeOf(lesson)), entries) << "lesson " << lesson;
    all << entries;
  }
  EXPECT_EQ(EntriesOf(LessonRangeOf(11)), all);
  EXPECT_EQ(all.size(), MojiTableSize);
  EXPECT_STREQ(LessonCaptions[0], "あ行、か行 １");
  EXPECT_STREQ(LessonCaptions[7], "ら、わ、ん行");
  EXPECT_STREQ(LessonCaptions[10], "全行");
}

TEST_F(Kana, PicksStayInTheLessonCoverItAndTheEndDrawsPickItsEnds) {
  for (int lesson = 1; lesson <= LessonCount; ++lesson) {
    Game.LessonNo = static_cast<int16_t>(lesson);
    const QStringList entries = EntriesOf(LessonRangeOf(lesson));
    const std::set<QString> allowed(entries.begin(), entries.end());
    std::set<QString> seen;
    for (int i = 0; i < 5000; ++i) {
      SelectMoji(1 + i % 6);
      seen.insert(Game.HoleMoji[1 + i % 6]);
    }
    EXPECT_EQ(seen, allowed) << "lesson " << lesson;

    ScriptedRandom draws;
    platform::UseRandomSource(&draws);
    draws.draws = {0.0f, std::nextafter(1.0f, 0.0f)};
    SelectMoji(2);
    EXPECT_EQ(Game.HoleMoji[2], entries.first());
    SelectMoji(2);
    EXPECT_EQ(Game.HoleMoji[2], entries.last());
    EXPECT_EQ(draws.drawn, 2) << "one draw a pick";
    platform::UseRandomSource(nullptr);
  }
}

TEST_F(Kana, LabelColoursDrawRedGreenBlueInOrderWithinOneTo200) {
  ScriptedRandom draws;
  platform::UseRandomSource(&draws);
  draws.draws = {0.0f, 0.5f, std::nextafter(1.0f, 0.0f)};
  SelectMojiColor(3);
  EXPECT_EQ(KobPicture[3].ForeColor, QColor(1, 101, 200))
      << "the colour lives on the hole's picture";
  EXPECT_EQ(Game.MojiGreen[3], 101);
}

TEST_F(Kana, SettingsMenusStoreTheirValueButRefuseEveryClickWhileAGameRuns) {
  LessonCheck_Click(9);
  SpeedCheck_Click(1);
  MojiCount_Click(3);
  EXPECT_EQ(Game.LessonNo, 9);
  EXPECT_EQ(Game.SpeedLevel, 1);
  EXPECT_EQ(Game.MojiTotal, 70);
  MojiCount_Click(2);
  EXPECT_EQ(Game.MojiTotal, 50);
  Game.GameRunning = true;
  LessonCheck_Click(5);
  SpeedCheck_Click(2);
  MojiCount_Click(1);
  EXPECT_EQ(Game.LessonNo, 9);
  EXPECT_EQ(Game.SpeedLevel, 1);
  EXPECT_EQ(Game.MojiTotal, 50);
}
