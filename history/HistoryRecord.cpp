#include "history/HistoryRecord.h"

int PresentedTotal(const History& history) {
  int total = 0;
  for (const auto& [moji, tally] : history.mojiTotals) total += tally.presented;
  return total;
}

void AddToHistory(History& history, const GameRecord& game) {
  GameRecord summary = game;
  summary.moji.clear();
  history.games.push_back(std::move(summary));
  for (const auto& [moji, tally] : game.moji) {
    MojiTally& sum = history.mojiTotals[moji];
    sum.presented += tally.presented;
    sum.caught += tally.caught;
    sum.escaped += tally.escaped;
    sum.catchMs += tally.catchMs;
  }
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
