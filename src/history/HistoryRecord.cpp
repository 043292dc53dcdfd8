#include "history/HistoryRecord.h"

#include "history/HistoryRanges.h"

int PresentedTotal(const History& history) {
  int total = 0;
  for (const auto& [moji, tally] : history.mojiTotals) total += tally.presented;
  return total;
}

namespace {

// The entries of `all` written in `script`.
template <typename Value>
std::map<QString, Value> InScriptAlone(const std::map<QString, Value>& all, KanaScript script) {
  std::map<QString, Value> own;
  for (const auto& [moji, value] : all) {
    if (WrittenIn(moji, script)) own.emplace(moji, value);
  }
  return own;
}

}  // namespace

History OfScript(const History& history, KanaScript script) {
  History own;
  for (const GameRecord& game : history.games) {
    if (game.script == script) own.games.push_back(game);
  }
  own.mojiTotals = InScriptAlone(history.mojiTotals, script);
  own.schedule = InScriptAlone(history.schedule, script);
  own.wordTotals = InScriptAlone(history.wordTotals, script);
  own.wordSchedule = InScriptAlone(history.wordSchedule, script);
  return own;
}

History WordsOf(const History& history) {
  History words;
  for (const GameRecord& game : history.games) {
    if (IsWordLesson(game.lessonNo)) words.games.push_back(game);
  }
  words.mojiTotals = history.wordTotals;
  words.schedule = history.wordSchedule;
  return words;
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
