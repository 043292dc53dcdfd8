#include "history/PracticeWeights.h"

#include <algorithm>

#include "game/GameState.h"

namespace {

// Presentations of the learner's mean that every string's own figures are
// blended with, so that one unlucky escape does not make a string weak.
constexpr double PriorWeight = 2;
// The weight that a string never let escape keeps, against 1 for a string
// that always escaped (before slowness).
constexpr double FloorShare = 0.1;
// The catch time assumed before anything was caught.
constexpr double AssumedCatchMs = 1500;

}  // namespace

std::vector<double> PracticeWeights(const std::map<QString, MojiTally>& totals) {
  MojiTally all;
  for (const auto& [moji, tally] : totals) {
    all.presented += tally.presented;
    all.escaped += tally.escaped;
    all.caught += tally.caught;
    all.catchMs += tally.catchMs;
  }
  const double escapeRate = all.presented ? double(all.escaped) / all.presented : 0.5;
  const double catchMs =
      std::max(1.0, all.caught ? double(all.catchMs) / all.caught : AssumedCatchMs);

  std::vector<double> weights;
  for (int k = 1; k <= MojiTableSize; ++k) {
    const auto found = totals.find(Game.MojiTable[k]);
    const MojiTally tally = found == totals.end() ? MojiTally{} : found->second;
    const double escapes =
        (tally.escaped + PriorWeight * escapeRate) / (tally.presented + PriorWeight);
    const double meanMs = (tally.catchMs + PriorWeight * catchMs) / (tally.caught + PriorWeight);
    weights.push_back((FloorShare + escapes) * (meanMs / catchMs));
  }
  return weights;
}
