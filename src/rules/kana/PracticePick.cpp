#include "rules/kana/PracticePick.h"

#include <algorithm>

#include "platform/system/Random.h"
#include "state/GameState.h"

namespace {

// The weights summed over entries 1 to k, at index k - 1; empty for equal
// weights.
std::vector<double> cumulative;
std::vector<double> wordCumulative;

std::vector<double> Summed(const std::vector<double>& weights) {
  std::vector<double> sums;
  double sum = 0;
  for (double weight : weights) sums.push_back(sum += std::max(0.0, weight));
  if (sum <= 0) sums.clear();
  return sums;
}

// The entry, 1 to `count`, at which the draw r falls in `sums`.
int EntryOf(const std::vector<double>& sums, float r, int count) {
  if (count <= 0) return 0;
  if (sums.size() != static_cast<size_t>(count)) return platform::RandomWhole(r, count);
  const double point = static_cast<double>(r) * sums.back();
  const auto entry = std::upper_bound(sums.begin(), sums.end(), point);
  return static_cast<int>(std::min<std::ptrdiff_t>(entry - sums.begin(), count - 1)) + 1;
}

}  // namespace

void SetPracticeWeights(const std::vector<double>& weights) {
  cumulative.clear();
  if (weights.size() != static_cast<size_t>(MojiTableSize)) return;
  cumulative = Summed(weights);
}

int PracticeEntry(float r) { return EntryOf(cumulative, r, MojiTableSize); }

void SetWordPracticeWeights(const std::vector<double>& weights) {
  wordCumulative = Summed(weights);
}

int WordPracticeEntry(float r, int count) { return EntryOf(wordCumulative, r, count); }
