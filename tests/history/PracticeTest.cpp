// The practice of weak strings: the plan worked out from the history, drawn
// through the game's own pick.
#include <gtest/gtest.h>

#include "history/PracticePlanNow.h"
#include "history/PracticeWeights.h"
#include "platform/system/Services.h"
#include "rules/kana/MojiPicking.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/PracticePick.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "state/GameState.h"
#include "support/GameFixture.h"

namespace {

// A started game whose generator gives the draws the test chooses.
class Practice : public GameFixture {
 protected:
  // How often each string comes in `picks` picks of lesson `lessonNo`, each
  // pick one draw of the game's generator.
  std::map<QString, int> Picked(int lessonNo, int picks) {
    Game.LessonNo = static_cast<int16_t>(lessonNo);
    platform::ChangeServices([&](platform::Services& s) { s.random = &draws; });
    std::map<QString, int> seen;
    for (int pick = 1; pick <= picks; ++pick) {
      SelectMoji(1);
      ++seen[Game.HoleMoji[1]];
    }
    return seen;
  }

  // The kana practice planned at `now`, picked `picks` times.
  std::map<QString, int> PracticeDraws(const History& history, const QDateTime& now, int picks) {
    std::vector<QString> table;
    std::vector<bool> inRowsPlayed;
    for (int k = 1; k <= MojiTableSize; ++k) {
      table.push_back(Game.MojiTable[k]);
      inRowsPlayed.push_back(k <= LessonRangeOf(2).Base + LessonRangeOf(2).Size);
    }
    SetPracticeWeights(WeightsOf(PracticePlan(history, table, inRowsPlayed, now)));
    const std::map<QString, int> seen = Picked(PracticeLessonNo, picks);
    SetPracticeWeights({});
    return seen;
  }

  ScriptedRandom draws;
};

// Three lesson-1 games of one morning: ぅ escaped all 7 times it came, ぇ
// 7 times of 10 and came slowly; the other 13 strings were caught at once.
History FirstMorning() {
  History history;
  const QStringList lesson1 = EntriesOf(1);
  for (int game = 0; game < 3; ++game) {
    GameRecord record{
        QDateTime(QDate(2026, 12, 1), QTime(9, 10 * game), Qt::UTC), 1, 1, 30, 0, 0, 900, {}};
    for (const QString& moji : lesson1) record.moji[moji] = {2, 2, 0, 1800};
    record.moji[QStringLiteral("ぅ")] = {2 + game / 2, 0, 2 + game / 2, 0};
    record.moji[QStringLiteral("ぇ")] = {3 + game / 2, 1, 2 + game / 2, 1500};
    for (const auto& [moji, tally] : record.moji) {
      record.presented += tally.presented;
      record.caught += tally.caught;
    }
    AddToHistory(history, record);
  }
  return history;
}

// The strings drawn more often than ぅ or ぇ.
QStringList DrawnMoreThanTheWeak(std::map<QString, int> seen) {
  const int fewer = std::min(seen[QStringLiteral("ぅ")], seen[QStringLiteral("ぇ")]);
  QStringList more;
  for (const auto& [moji, times] : seen)
    if (times > fewer && moji != QStringLiteral("ぅ") && moji != QStringLiteral("ぇ")) more << moji;
  return more;
}

}  // namespace

// The practice asks for the strings the learner met and finds hard; a
// string caught well rests, and comes back after days; new strings come a
// few at a time from the rows played (here lessons 1 and 2), never the
// whole table.
TEST_F(Practice, ThePracticeAsksForWeakStringsRestsTheWellCaughtAndBringsInAFewNewOnes) {
  constexpr int Picks = 30000;
  const History history = FirstMorning();
  const QDateTime thatNoon(QDate(2026, 12, 1), QTime(12, 0), Qt::UTC);
  std::map<QString, int> seen = PracticeDraws(history, thatNoon, Picks);
  EXPECT_EQ(draws.drawn, Picks) << "one draw of the generator per pick";
  EXPECT_EQ(DrawnMoreThanTheWeak(seen), QStringList());
  const QStringList lesson1 = EntriesOf(1);
  int met = 0, weak = seen[QStringLiteral("ぅ")] + seen[QStringLiteral("ぇ")];
  for (const QString& moji : lesson1) met += seen[moji];
  EXPECT_GE(met, Picks * 70 / 100) << "strings met";
  EXPECT_GE(weak, Picks * 60 / 100) << "ぅ and ぇ";
  QStringList fresh;
  for (const auto& [moji, times] : seen)
    if (!lesson1.contains(moji)) fresh << moji;
  EXPECT_EQ(fresh.join(' '), QStringLiteral("が ぎ ぐ")) << "the next strings of lesson 2";
  const int resting = seen[QStringLiteral("あ")];

  // Ten days on, the strings caught well have rested long enough: they come
  // back, though ぅ and ぇ still come most.
  seen = PracticeDraws(history, thatNoon.addDays(10), Picks);
  EXPECT_EQ(DrawnMoreThanTheWeak(seen), QStringList());
  EXPECT_GT(seen[QStringLiteral("あ")], 4 * resting) << "あ, rested 10 days";
}

// Each script, and the words, have a practice of their own. A katakana game of lesson 2 where ガ
// always escaped leaves the hiragana practice as it was (strings, pace, rows played); the katakana
// one asks for ガ alone. A word game leaves the kana practice as it was (its plan, and the strings
// that open it), and にがてなことば, drawn through the game's own pick, asks for the three words
// that escaped more than for any other, the new words taken from those of three kana, the lesson
// played.
TEST_F(Practice, EachScriptAndTheWordsPractiseTheirOwnWeakStringsAlone) {
  History history = FirstMorning();
  const auto hiraganaAlone = WeightsOf(PracticePlanNow(history, KanaScript::Hiragana));
  GameRecord katakana{
      QDateTime(QDate(2026, 12, 1), QTime(10, 0), Qt::UTC), 2, 1, 40, 38, 36, 700, {}};
  katakana.script = KanaScript::Katakana;
  for (const QString& moji : EntriesOf(2))
    katakana.moji[InScript(moji, KanaScript::Katakana)] = {2, 2, 0, 1400};
  katakana.moji[QStringLiteral("ガ")] = {2, 0, 2, 0};
  AddToHistory(history, katakana);
  EXPECT_EQ(WeightsOf(PracticePlanNow(history, KanaScript::Hiragana)), hiraganaAlone)
      << "the hiragana practice changed with a katakana game";
  QStringList weak;
  for (const PracticeChoice& choice : PracticePlanNow(history, KanaScript::Katakana))
    if (choice.reason == PracticeReason::Weak) weak << choice.moji;
  EXPECT_EQ(weak.join(' '), QStringLiteral("ガ"));

  const int presented = PresentedTotal(history);
  ReadShippedWordTables();
  const auto three = WordsOfLesson(FirstWordLessonNo + 1, KanaScript::Hiragana);
  const QDateTime ten(QDate(2026, 12, 1), QTime(10, 0), Qt::UTC);
  GameRecord words{ten, FirstWordLessonNo + 1, 1, 30, 33, 24, 1500, {}};
  for (int k = 0; k < 27; ++k)
    words.moji[three[k]->kana] = k < 3 ? MojiTally{3, 0, 3, 0} : MojiTally{1, 1, 0, 1500};
  AddToHistory(history, words);
  EXPECT_EQ(WeightsOf(PracticePlanNow(history, KanaScript::Hiragana)), hiraganaAlone)
      << "the hiragana practice changed with a word game";
  EXPECT_EQ(PresentedTotal(history), presented) << "words opening にがてな文字";

  SetWordPracticeWeights(WeightsOf(WordPracticePlanNow(history, KanaScript::Hiragana)));
  std::map<QString, int> seen = Picked(WordPracticeLessonNo, 3000);
  SetWordPracticeWeights({});
  const int weakest = std::min({seen[three[0]->kana], seen[three[1]->kana], seen[three[2]->kana]});
  for (const auto& [word, times] : seen) {
    const auto met = words.moji.find(word);
    EXPECT_TRUE(met == words.moji.end() ? word.size() == 3 : met->second.escaped || times < weakest)
        << word.toStdString() << " came " << times << " times, a weak word " << weakest;
  }
}
