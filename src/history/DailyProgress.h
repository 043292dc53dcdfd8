#pragma once
#include <QDate>
#include <QTimeZone>
#include <vector>

#include "history/HistoryRecord.h"

// The games of one calendar day, or of several, at a glance.
struct DayProgress {
  QDate day;  // the first day of a week
  int games = 0;
  int presented = 0;
  int caught = 0;
  int meanCatchMs = 0;  // over every catch of those games; 0 without a catch
};

// Each day on which games were played, oldest first: the learner's own
// calendar days in `zone`, though the history keeps its times in UTC.
std::vector<DayProgress> DaysPlayed(const History& history, const QTimeZone& zone);

// The days played in a row up to `today`, or up to yesterday while nothing
// has been played yet today; 0 when neither was played.
int DaysInARow(const std::vector<DayProgress>& days, QDate today);

// The seven days up to `lastDay`, summed: `today` for this week, `today`
// less 7 days for last week.
DayProgress WeekUpTo(const std::vector<DayProgress>& days, QDate lastDay);
