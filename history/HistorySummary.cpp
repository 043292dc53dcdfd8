#include "history/HistorySummary.h"

#include <algorithm>
#include <map>

namespace {

constexpr int FewestPresentationsOfAWeakMoji = 3;

int RoundedShare(int64_t part, int64_t whole, int scale) {
  return whole == 0 ? 0 : static_cast<int>((2 * scale * part + whole) / (2 * whole));
}

}  // namespace

int CatchRateOf(const GameRecord& game) { return RoundedShare(game.caught, game.presented, 100); }

int CatchRateOf(const MojiTally& tally) { return RoundedShare(tally.caught, tally.presented, 100); }

int MeanCatchMsOf(const MojiTally& tally) { return RoundedShare(tally.catchMs, tally.caught, 1); }

std::vector<LessonSummary> LessonSummaries(const History& history) {
  std::map<int, LessonSummary> lessons;
  std::map<int, MojiTally> catches;
  for (const GameRecord& game : history.games) {
    LessonSummary& lesson = lessons[game.lessonNo];
    lesson.lessonNo = game.lessonNo;
    ++lesson.games;
    lesson.lastRatePercent = CatchRateOf(game);
    lesson.bestRatePercent = std::max(lesson.bestRatePercent, lesson.lastRatePercent);
    catches[game.lessonNo].caught += game.caught;
    catches[game.lessonNo].catchMs += int64_t{game.meanCatchMs} * game.caught;
  }
  std::vector<LessonSummary> list;
  for (auto& [lessonNo, lesson] : lessons) {
    lesson.meanCatchMs = MeanCatchMsOf(catches[lessonNo]);
    list.push_back(lesson);
  }
  return list;
}

std::vector<GameRecord> LastGamesOf(const History& history, int lessonNo, int count) {
  std::vector<GameRecord> games;
  for (auto game = history.games.rbegin(); game != history.games.rend(); ++game) {
    if (static_cast<int>(games.size()) == count) break;
    if (game->lessonNo == lessonNo) games.push_back(*game);
  }
  std::reverse(games.begin(), games.end());
  return games;
}

std::vector<WeakMoji> WeakestMoji(const History& history, int count) {
  std::vector<WeakMoji> list;
  for (const auto& [moji, tally] : history.mojiTotals) {
    if (tally.presented >= FewestPresentationsOfAWeakMoji) list.push_back({moji, tally});
  }
  // Rates compared as fractions, so that 1/3 and 2/6 are equal.
  std::stable_sort(list.begin(), list.end(), [](const WeakMoji& a, const WeakMoji& b) {
    const int64_t left = int64_t{a.tally.caught} * b.tally.presented;
    const int64_t right = int64_t{b.tally.caught} * a.tally.presented;
    if (left != right) return left < right;
    return MeanCatchMsOf(a.tally) > MeanCatchMsOf(b.tally);
  });
  if (static_cast<int>(list.size()) > count) list.resize(count);
  return list;
}

QString SecondsText(int ms) {
  return ms > 0 ? QString::number(ms / 1000.0, 'f', 1) + QStringLiteral(" 秒")
                : QStringLiteral("―");
}
