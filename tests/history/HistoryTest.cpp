// What the history works out from the games kept: the learner's days, and
// each string's place in the practice's schedule.
#include <gtest/gtest.h>

#include "history/DailyProgress.h"
#include "support/QtPrinters.h"

// The learner's days in Tokyo, nine hours ahead of the UTC the history
// keeps: a game at 23:50 there and one at 00:10 fall on two days, and a
// game of a clock set back goes to its own day. The days in a row count up
// to today, or to yesterday before today's first game.
TEST(DailyProgress, CountsTheLearnersOwnDaysInARowAndWeekByWeek) {
  History history;
  const auto play = [&](int day, int hourUtc, int minute, int presented, int caught, int ms) {
    const QDateTime at(QDate(2026, 12, day), QTime(hourUtc, minute), Qt::UTC);
    AddToHistory(history, {at, 1, 1, 70, presented, caught, ms, {}});
  };
  play(1, 14, 50, 30, 15, 1000);  // 12月1日 23:50 in Tokyo
  play(1, 15, 10, 30, 30, 2000);  // 12月2日 00:10
  play(4, 1, 0, 50, 40, 1500);
  play(5, 1, 0, 30, 30, 1000);
  play(2, 3, 0, 30, 0, 0);  // the clock set back three days
  const std::vector<DayProgress> days = DaysPlayed(history, QTimeZone("Asia/Tokyo"));
  QStringList shown;
  for (const DayProgress& day : days)
    shown << QString::asprintf("%s %d %d/%d %d", qPrintable(day.day.toString(Qt::ISODate)),
                               day.games, day.caught, day.presented, day.meanCatchMs);
  EXPECT_EQ(shown.join('|'), QString("2026-12-01 1 15/30 1000|2026-12-02 2 30/60 2000|"
                                     "2026-12-04 1 40/50 1500|2026-12-05 1 30/30 1000"));

  for (const auto& [today, inARow] :
       std::vector<std::pair<int, int>>{{5, 2}, {6, 2}, {7, 0}, {3, 2}, {4, 1}, {2, 2}, {30, 0}})
    EXPECT_EQ(DaysInARow(days, QDate(2026, 12, 1).addDays(today - 1)), inARow) << "12月" << today;
  const DayProgress week = WeekUpTo(days, QDate(2026, 12, 7));
  EXPECT_EQ(std::tie(week.day, week.games, week.presented, week.caught, week.meanCatchMs),
            std::tuple(QDate(2026, 12, 1), 5, 170, 115, 1435));
  EXPECT_EQ(WeekUpTo(days, QDate(2026, 11, 30)).games, 0);
}

// Up a box for a game without an escape and with quick catches, to box 5 at
// most; back to box 1 for an escape or a slow catch; a string still out of
// its hole when the game ended keeps its box.
TEST(MojiSchedule, MovesUpForQuickCleanGamesAndBackForAnEscapeOrASlowCatch) {
  MojiSchedule schedule;
  std::vector<int> boxes;
  const MojiTally games[] = {{2, 2, 0, 1800}, {1, 1, 0, 900}, {1, 1, 0, 900},
                             {1, 1, 0, 900},  {1, 1, 0, 900}, {1, 0, 0, 0},
                             {1, 1, 0, 1300}, {1, 1, 0, 900}, {2, 1, 1, 900}};
  for (const MojiTally& game : games) {
    ScheduleAfterGame(schedule, game, 1000, QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC));
    boxes.push_back(schedule.box);
  }
  EXPECT_EQ(boxes, (std::vector<int>{2, 3, 4, 5, 5, 5, 1, 2, 1}));
}
