#include "rules/kana/PracticePick.h"

#include <algorithm>

#include "platform/system/Random.h"
#include "rules/kana/MojiTable.h"
#include "state/GameState.h"

namespace {

// The weights summed over entries 1 to k, at index k - 1; empty for equal
// weights.
std::vector<double> cumulative;

}  // namespace

void SetPracticeWeights(const std::vector<double>& weights) {
  cumulative.clear();
  if (weights.size() != static_cast<size_t>(MojiTableSize)) return;
  double sum = 0;
  for (double weight : weights) cumulative.push_back(sum += std::max(0.0, weight));
  if (sum <= 0) cumulative.clear();
}

int PracticeEntry(float r) {
  if (cumulative.empty()) return platform::RandomWhole(r, MojiTableSize);
  const double point = static_cast<double>(r) * cumulative.back();
  const auto entry = std::upper_bound(cumulative.begin(), cumulative.end(), point);
  return static_cast<int>(std::min<std::ptrdiff_t>(entry - cumulative.begin(), MojiTableSize - 1)) +
         1;
}
