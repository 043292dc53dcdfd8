#include "history/DailyProgress.h"

#include "history/HistorySummary.h"

namespace {

// Adds `part` to `sum`, the mean catch times weighed by their catches.
void Add(DayProgress& sum, const DayProgress& part) {
  const int64_t catchMs =
      int64_t{sum.meanCatchMs} * sum.caught + int64_t{part.meanCatchMs} * part.caught;
  sum.games += part.games;
  sum.presented += part.presented;
  sum.caught += part.caught;
  sum.meanCatchMs = MeanCatchMsOf(MojiTally{0, sum.caught, 0, catchMs});
}

}  // namespace

std::vector<DayProgress> DaysPlayed(const History& history, const QTimeZone& zone) {
  std::vector<DayProgress> days;
  for (const GameRecord& game : history.games) {
    const QDate day = game.playedAt.toTimeZone(zone).date();
    // Games are kept in the order they ended; a clock set back can put one
    // before the day of the game before it.
    auto at = days.end();
    while (at != days.begin() && (at - 1)->day > day) --at;
    if (at == days.begin() || (at - 1)->day != day) at = days.insert(at, DayProgress{day}) + 1;
    Add(*(at - 1), {day, 1, game.presented, game.caught, game.meanCatchMs});
  }
  return days;
}

int DaysInARow(const std::vector<DayProgress>& days, QDate today) {
  auto day = days.end();
  // Days after today are the marks of a clock that was set wrong.
  while (day != days.begin() && (day - 1)->day > today) --day;
  if (day == days.begin()) return 0;
  --day;
  QDate expected = day->day == today ? today : today.addDays(-1);
  int count = 0;
  while (day->day == expected) {
    ++count;
    expected = expected.addDays(-1);
    if (day == days.begin()) break;
    --day;
  }
  return count;
}

DayProgress WeekUpTo(const std::vector<DayProgress>& days, QDate lastDay) {
  DayProgress week{lastDay.addDays(-6)};
  for (const DayProgress& day : days) {
    if (day.day >= week.day && day.day <= lastDay) Add(week, day);
  }
  return week;
}
