#include "history/PracticePlanNow.h"

#include "platform/system/WallClock.h"
#include "rules/kana/MojiTable.h"
#include "state/GameState.h"

std::vector<PracticeChoice> PracticePlanNow(const History& history) {
  std::vector<QString> table;
  for (int k = 1; k <= MojiTableSize; ++k) table.push_back(Game.MojiTable[k]);
  std::vector<bool> inRowsPlayed(MojiTableSize, false);
  for (const GameRecord& game : history.games) {
    if (game.lessonNo < 1 || game.lessonNo > LessonCount) continue;
    const LessonRange range = LessonRangeOf(game.lessonNo);
    for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) inRowsPlayed[k - 1] = true;
  }
  return PracticePlan(history, table, inRowsPlayed, platform::WallClock());
}
