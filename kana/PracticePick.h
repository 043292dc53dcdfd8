#pragma once
#include <vector>

// The practice of weak strings (lesson 12) picks each string with one draw
// of the shared generator, mapped through the table entries' weights, so
// that an entry comes as often as its weight's share of their sum.

// Gives entry k of MojiTable the weight weights[k - 1]; every weight is
// above 0, so every entry stays possible. Until set, and for a list of the
// wrong length, all entries weigh the same.
void SetPracticeWeights(const std::vector<double>& weights);

// The entry of MojiTable, 1 to 195, that the draw r (0 <= r < 1) picks.
int PracticeEntry(float r);
