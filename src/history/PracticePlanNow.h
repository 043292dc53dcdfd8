#pragma once
#include <vector>

#include "history/PracticeWeights.h"

// The practice's plan for a game starting now, from the games of `history`:
// over MojiTable, with the new strings taken from the lessons played.
std::vector<PracticeChoice> PracticePlanNow(const History& history);
