#include "history/PracticeWeights.h"

#include <algorithm>
#include <map>

namespace {

// Presentations of the learner's mean that every string's own figures are
// blended with, so that one unlucky escape does not make a string weak.
constexpr double PriorWeight = 2;
// The weight that a string never let escape keeps, against 1 for a string
// that always escaped (before slowness).
constexpr double FloorShare = 0.1;
// The catch time assumed before anything was caught.
constexpr double AssumedCatchMs = 1500;
// A string back from its rest weighs this share of a weak one of the same
// figures; a resting string, this share for each box it climbed.
constexpr double DueShare = 0.5;
constexpr double RestingShareEachBox = 0.25;

struct LearnerMeans {
  double escapeRate = 0.5;
  double catchMs = AssumedCatchMs;
};

LearnerMeans MeansOf(const History& history) {
  MojiTally all;
  for (const auto& [moji, tally] : history.mojiTotals) {
    all.presented += tally.presented;
    all.escaped += tally.escaped;
    all.caught += tally.caught;
    all.catchMs += tally.catchMs;
  }
  LearnerMeans means;
  if (all.presented) means.escapeRate = double(all.escaped) / all.presented;
  if (all.caught) means.catchMs = std::max(1.0, double(all.catchMs) / all.caught);
  return means;
}

// How hard `tally` says a string is: 1.1 for one that always escaped at the
// learner's mean pace, 0.1 for one never let escape, more the slower.
double HardnessOf(const MojiTally& tally, const LearnerMeans& means) {
  const double escapes =
      (tally.escaped + PriorWeight * means.escapeRate) / (tally.presented + PriorWeight);
  const double meanMs =
      (tally.catchMs + PriorWeight * means.catchMs) / (tally.caught + PriorWeight);
  return (FloorShare + escapes) * (meanMs / means.catchMs);
}

PracticeChoice ChoiceOfMet(const QString& moji, const History& history, const LearnerMeans& means,
                           const QDateTime& now) {
  const MojiSchedule& schedule = history.schedule.at(moji);
  const double hardness = HardnessOf(history.mojiTotals.at(moji), means);
  if (schedule.box <= 1) return {moji, hardness, PracticeReason::Weak};
  if (schedule.lastSeen.addDays(RestDaysOfBox[schedule.box]) <= now) {
    return {moji, hardness * DueShare, PracticeReason::Due};
  }
  double share = 1;
  for (int box = 1; box < schedule.box; ++box) share *= RestingShareEachBox;
  return {moji, hardness * share, PracticeReason::Resting};
}

}  // namespace

std::vector<PracticeChoice> PracticePlan(const History& history, const std::vector<QString>& table,
                                         const std::vector<bool>& inRowsPlayed,
                                         const QDateTime& now) {
  const LearnerMeans means = MeansOf(history);
  std::vector<PracticeChoice> plan;
  std::vector<size_t> fresh;
  std::map<QString, size_t> firstEntry;
  double metWeight = 0;
  for (size_t k = 0; k < table.size(); ++k) {
    const QString& moji = table[k];
    if (const auto [first, isFirst] = firstEntry.try_emplace(moji, k); !isFirst) {
      plan.push_back({moji, 0, plan[first->second].reason});
      continue;
    }
    if (history.schedule.count(moji) && history.mojiTotals.count(moji)) {
      plan.push_back(ChoiceOfMet(moji, history, means, now));
      metWeight += plan.back().weight;
      continue;
    }
    plan.push_back({moji, 0, PracticeReason::NotYet});
    const bool played = k < inRowsPlayed.size() && inRowsPlayed[k];
    if (played && fresh.size() < size_t{NewMojiAtATime}) fresh.push_back(k);
  }
  // The new strings together weigh NewMojiShare of the whole game.
  if (fresh.empty()) return plan;
  const double each =
      metWeight > 0 ? metWeight * NewMojiShare / (1 - NewMojiShare) / double(fresh.size()) : 1.0;
  for (size_t k : fresh) plan[k] = {table[k], each, PracticeReason::New};
  return plan;
}

std::vector<double> WeightsOf(const std::vector<PracticeChoice>& plan) {
  std::vector<double> weights;
  for (const PracticeChoice& choice : plan) weights.push_back(choice.weight);
  return weights;
}
