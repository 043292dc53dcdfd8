#include "history/PracticePlanNow.h"

#include "platform/system/WallClock.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "state/GameState.h"

std::vector<PracticeChoice> PracticePlanNow(const History& history, KanaScript script) {
  const History own = OfScript(history, script);
  std::vector<QString> table;
  for (int k = 1; k <= MojiTableSize; ++k) table.push_back(InScript(Game.MojiTable[k], script));
  std::vector<bool> inRowsPlayed(MojiTableSize, false);
  for (const GameRecord& game : own.games) {
    if (game.lessonNo < 1 || game.lessonNo > LessonCount) continue;
    const LessonRange range = LessonRangeOf(game.lessonNo);
    for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) inRowsPlayed[k - 1] = true;
  }
  return PracticePlan(own, table, inRowsPlayed, platform::WallClock());
}

std::vector<PracticeChoice> WordPracticePlanNow(const History& history, KanaScript script) {
  const History own = WordsOf(OfScript(history, script));
  bool lessonPlayed[WordLessonCount] = {};
  for (const GameRecord& game : own.games) {
    const int lesson = game.lessonNo - FirstWordLessonNo;
    if (lesson >= 0 && lesson < WordLessonCount) lessonPlayed[lesson] = true;
  }
  std::vector<QString> table;
  std::vector<bool> inRowsPlayed;
  for (const Word* word : WordsOfLesson(WordPracticeLessonNo, script)) {
    table.push_back(word->kana);
    bool played = false;
    for (int lesson = 0; lesson < WordLessonCount; ++lesson) {
      const auto [shortest, longest] = WordLengthsOf(FirstWordLessonNo + lesson);
      played = played || (lessonPlayed[lesson] && word->kana.size() >= shortest &&
                          word->kana.size() <= longest);
    }
    inRowsPlayed.push_back(played);
  }
  return PracticePlan(own, table, inRowsPlayed, platform::WallClock());
}
