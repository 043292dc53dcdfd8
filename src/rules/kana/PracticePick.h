#pragma once
#include <vector>

// The practice of weak strings (lesson 12) picks each string with one draw
// of the shared generator, mapped through the table entries' weights, so
// that an entry comes as often as its weight's share of their sum.

// Gives entry k of MojiTable the weight weights[k - 1]; an entry of weight 0
// never comes. Until set, for a list of the wrong length and for weights
// that are all 0, all entries weigh the same.
void SetPracticeWeights(const std::vector<double>& weights);

// The entry of MojiTable, 1 to 195, that the draw r (0 <= r < 1) picks.
int PracticeEntry(float r);
