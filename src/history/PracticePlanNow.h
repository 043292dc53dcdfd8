#pragma once
#include <vector>

#include "history/PracticeWeights.h"

// The practice's plan for a game in `script` starting now, from the games of
// `history` in that script alone: over MojiTable's entries written in it,
// with the new strings taken from the lessons played in it.
std::vector<PracticeChoice> PracticePlanNow(const History& history, KanaScript script);
