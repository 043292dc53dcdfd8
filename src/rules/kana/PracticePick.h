#pragma once
#include <vector>

// The practice of weak strings (lesson 12) picks each string with one draw
// of the shared generator, mapped through the table entries' weights, so
// that an entry comes as often as its weight's share of their sum. The
// practice of weak words (lesson 16) picks its words alike, among the words
// of the chosen script's word table.

// Gives entry k of MojiTable the weight weights[k - 1]; an entry of weight 0
// never comes. Until set, for a list of the wrong length and for weights
// that are all 0, all entries weigh the same.
void SetPracticeWeights(const std::vector<double>& weights);

// The entry of MojiTable, 1 to 195, that the draw r (0 <= r < 1) picks.
int PracticeEntry(float r);

// Gives word k of the word table the practice draws from the weight
// weights[k - 1], as SetPracticeWeights does for the kana.
void SetWordPracticeWeights(const std::vector<double>& weights);

// The word, 1 to `count`, that the draw r picks; all weigh the same when the
// weights set are not `count` or are all 0. 0 when `count` is 0.
int WordPracticeEntry(float r, int count);
