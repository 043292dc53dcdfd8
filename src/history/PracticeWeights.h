#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

#include "history/HistoryRecord.h"

// Why the practice of weak strings asks for a string as often as it does.
enum class PracticeReason {
  Weak,     // it escaped or came slowly in the last game it came in (box 1)
  Due,      // caught well before, but it has rested long enough to come back
  Resting,  // caught well lately: it comes seldom until its rest is over
  New,      // never met yet, one of the few new strings of the rows played
  NotYet,   // never met and not yet brought in: it does not come
};

// One entry of MojiTable in the practice: how much it weighs against the
// others, and why.
struct PracticeChoice {
  QString moji;
  double weight = 0;
  PracticeReason reason = PracticeReason::NotYet;
};

// New strings brought in at a time, and their share of a practice game.
constexpr int NewMojiAtATime = 3;
constexpr double NewMojiShare = 0.2;

// The practice's plan at `now` from the games of `history`, entry k of
// `table` (MojiTable's strings in order, in the script of those games) at
// index k - 1. `inRowsPlayed`
// tells for each entry whether it lies in a lesson the learner has played:
// the new strings come from those, in table order. The strings met weigh by
// how hard they are (how often they escaped, how slowly they were caught,
// both against the learner's own mean) and by their place in the schedule
// (history/MojiSchedule.h); the few new strings share NewMojiShare of the
// game; a string entered twice in the table weighs once.
std::vector<PracticeChoice> PracticePlan(const History& history, const std::vector<QString>& table,
                                         const std::vector<bool>& inRowsPlayed,
                                         const QDateTime& now);

// The weights of `plan`, in its order.
std::vector<double> WeightsOf(const std::vector<PracticeChoice>& plan);
