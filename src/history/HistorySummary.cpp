#include "history/HistorySummary.h"

#include <algorithm>
#include <map>

namespace {

int RoundedShare(int64_t part, int64_t whole, int scale) {
  return whole == 0 ? 0 : static_cast<int>((2 * scale * part + whole) / (2 * whole));
}

}  // namespace

int CatchRateOf(const GameRecord& game) { return RoundedShare(game.caught, game.presented, 100); }

int CatchRateOf(const MojiTally& tally) { return RoundedShare(tally.caught, tally.presented, 100); }

int MeanCatchMsOf(const MojiTally& tally) { return RoundedShare(tally.catchMs, tally.caught, 1); }

std::vector<LessonSummary> LessonSummaries(const History& history) {
  std::map<std::pair<int, KanaScript>, LessonSummary> lessons;
  std::map<std::pair<int, KanaScript>, MojiTally> catches;
  for (const GameRecord& game : history.games) {
    const std::pair key(game.lessonNo, game.script);
    LessonSummary& lesson = lessons[key];
    lesson.lessonNo = game.lessonNo;
    lesson.script = game.script;
    ++lesson.games;
    lesson.lastRatePercent = CatchRateOf(game);
    lesson.bestRatePercent = std::max(lesson.bestRatePercent, lesson.lastRatePercent);
    catches[key].caught += game.caught;
    catches[key].catchMs += int64_t{game.meanCatchMs} * game.caught;
  }
  std::vector<LessonSummary> list;
  for (auto& [key, lesson] : lessons) {
    lesson.meanCatchMs = MeanCatchMsOf(catches[key]);
    list.push_back(lesson);
  }
  return list;
}

std::vector<GameRecord> LastGamesOf(const History& history, int lessonNo, KanaScript script,
                                    int count) {
  std::vector<GameRecord> games;
  for (auto game = history.games.rbegin(); game != history.games.rend(); ++game) {
    if (static_cast<int>(games.size()) == count) break;
    if (game->lessonNo == lessonNo && game->script == script) games.push_back(*game);
  }
  std::reverse(games.begin(), games.end());
  return games;
}

QString SecondsText(int ms) {
  return ms > 0 ? QString::number(ms / 1000.0, 'f', 1) + QStringLiteral(" 秒")
                : QStringLiteral("―");
}
