#pragma once
#include <QString>
#include <map>
#include <vector>

#include "game/GameResults.h"

// The weights of MojiTable's entries for the practice of weak strings, from
// each string's figures over the games played: entry k at index k - 1. A
// string weighs more the more often it escaped and the slower it was
// caught, both against the learner's own mean; a string with few
// presentations leans towards that mean, and every string keeps a weight
// above 0.
std::vector<double> PracticeWeights(const std::map<QString, MojiTally>& totals);
