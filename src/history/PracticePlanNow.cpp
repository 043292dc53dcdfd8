#include "history/PracticePlanNow.h"

#include "platform/system/WallClock.h"
#include "rules/kana/MojiTable.h"
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
