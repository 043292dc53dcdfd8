#pragma once
#include <QString>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "state/Holes.h"

// How one string fared: how often it rose, was caught and sank back
// uncaught, and the milliseconds from its rises to its catches, summed.
struct MojiTally {
  int presented = 0;
  int caught = 0;
  int escaped = 0;
  int64_t catchMs = 0;
};

// What the player did in the current game, kept as the game runs: every
// critter that starts to rise, every catch with how long after the rise it
// came, and every string that sank back into its hole uncaught.
struct GameResults {
  int presented = 0;
  int caught = 0;
  int64_t catchMsTotal = 0;
  std::map<QString, int> escaped;      // string -> times it sank uncaught
  std::map<QString, MojiTally> tally;  // each string presented in this game
  PerHole<int32_t> riseTick;           // when each hole's critter began to rise
};

// These keep Game.Results.
// A new game begins: everything counted so far is forgotten.
void ResultsGameStarted();
// Hole h's critter begins to rise with its new string.
void ResultsCritterRose(int h);
// Hole h's critter is caught now.
void ResultsCritterCaught(int h);
// Hole h's critter arrived back in its hole without being caught.
void ResultsCritterEscaped(int h);

// Caught as a share of presented, in percent (0 when nothing was presented).
int CatchRatePercent(const GameResults& results);
// Mean milliseconds from a rise to its catch; 0 when nothing was caught.
int MeanCatchMs(const GameResults& results);
// The escaped strings with their counts, most often first; strings that
// escaped equally often in the kana table's order (katakana in the place
// of their hiragana).
std::vector<std::pair<QString, int>> EscapedMostOftenFirst(const GameResults& results);
