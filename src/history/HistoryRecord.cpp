#include "history/HistoryRecord.h"

#include "history/HistoryRanges.h"

int PresentedTotal(const History& history) {
  int total = 0;
  for (const auto& [moji, tally] : history.mojiTotals) total += tally.presented;
  return total;
}

History OfScript(const History& history, KanaScript script) {
  History own;
  for (const GameRecord& game : history.games) {
    if (game.script == script) own.games.push_back(game);
  }
  for (const auto& [moji, tally] : history.mojiTotals) {
    if (WrittenIn(moji, script)) own.mojiTotals[moji] = tally;
  }
  for (const auto& [moji, schedule] : history.schedule) {
    if (WrittenIn(moji, script)) own.schedule[moji] = schedule;
  }
  return own;
}

GameRecord RecordOfGame(const GameResults& results, int lessonNo, int speedLevel, int mojiTotal,
                        KanaScript script, const QDateTime& at) {
  return {at,
          lessonNo,
          speedLevel,
          mojiTotal,
          results.presented,
          results.caught,
          MeanCatchMs(results),
          results.tally,
          script};
}
