#pragma once
#include <vector>

#include "history/PracticeWeights.h"

// The practice's plan for a game in `script` starting now, from the games of
// `history` in that script alone: over MojiTable's entries written in it,
// with the new strings taken from the lessons played in it. Word games count
// for nothing here.
std::vector<PracticeChoice> PracticePlanNow(const History& history, KanaScript script);

// The practice of weak words' plan alike, from the word games in `script`:
// over the words of that script's word table in its order, the new words
// taken from those of the word lessons played in it.
std::vector<PracticeChoice> WordPracticePlanNow(const History& history, KanaScript script);
