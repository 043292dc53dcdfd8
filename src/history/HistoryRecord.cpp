#include "history/HistoryRecord.h"

int PresentedTotal(const History& history) {
  int total = 0;
  for (const auto& [moji, tally] : history.mojiTotals) total += tally.presented;
  return total;
}

GameRecord RecordOfGame(const GameResults& results, int lessonNo, int speedLevel, int mojiTotal,
                        const QDateTime& at) {
  return {at,
          lessonNo,
          speedLevel,
          mojiTotal,
          results.presented,
          results.caught,
          MeanCatchMs(results),
          results.tally};
}
