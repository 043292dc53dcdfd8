#pragma once
#include <QDateTime>
#include <QString>
#include <map>
#include <vector>

#include "game/GameResults.h"

// One game that ended by itself, as the history keeps it.
struct GameRecord {
  QDateTime playedAt;  // when it ended, UTC
  int lessonNo = 0;
  int speedLevel = 0;
  int mojiTotal = 0;
  int presented = 0;
  int caught = 0;
  int meanCatchMs = 0;  // mean time from a rise to its catch; 0 when nothing was caught
  // Each string presented in the game; a string that did not come is left out.
  std::map<QString, MojiTally> moji;
};

// The games played so far, oldest first (their per-string figures left
// out), and each string's figures summed over all of them.
struct History {
  std::vector<GameRecord> games;
  std::map<QString, MojiTally> mojiTotals;
};

// Strings presented over all the games of `history`.
int PresentedTotal(const History& history);

// Adds `game` to `history`: to its games (without its per-string figures)
// and to the per-string sums.
void AddToHistory(History& history, const GameRecord& game);

// The record of the game that `results` describe, played with the given
// settings and ended at `at`.
GameRecord RecordOfGame(const GameResults& results, int lessonNo, int speedLevel, int mojiTotal,
                        const QDateTime& at);
