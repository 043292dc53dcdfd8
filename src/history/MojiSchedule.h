#pragma once
#include <QDateTime>
#include <algorithm>

#include "state/GameResults.h"

// Where a string stands in the practice of weak strings: a box of five, as a
// learner sorts flash cards. Every string starts in box 1; a game in which
// it was caught every time it came, quickly, moves it up one box; a game in
// which it escaped, or came slowly, sends it back to box 1. The higher its
// box, the longer a string rests before the practice asks for it again.
// A string still out of its hole when the game ended counts neither way.
// Header only: the store module adds up the games it reads with it.
struct MojiSchedule {
  int box = 1;
  QDateTime lastSeen;  // the end of the last game the string came in, UTC
};

constexpr int ScheduleBoxes = 5;

// A string was caught quickly in a game when its mean catch took no more
// than this share of the game's own mean: quick for this learner, today.
constexpr double QuickShareOfGameMean = 1.25;

// The days a string of each box rests after it last came: box 1 never rests.
constexpr int RestDaysOfBox[ScheduleBoxes + 1] = {0, 0, 1, 3, 7, 14};

// Moves `schedule` on after a game that ended at `at` with a mean catch of
// `gameMeanCatchMs`, in which the string fared as `inGame` says.
inline void ScheduleAfterGame(MojiSchedule& schedule, const MojiTally& inGame, int gameMeanCatchMs,
                              const QDateTime& at) {
  schedule.lastSeen = at;
  if (inGame.caught == 0 && inGame.escaped == 0) return;
  const bool quick =
      inGame.caught > 0 &&
      inGame.catchMs <= QuickShareOfGameMean * double(gameMeanCatchMs) * inGame.caught;
  schedule.box = inGame.escaped == 0 && quick ? std::min(schedule.box + 1, ScheduleBoxes) : 1;
}
