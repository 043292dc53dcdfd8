#pragma once
#include <QPoint>

// A word's label on a critter: where its text cell goes and its size, and
// the size its romaji hint starts at.
struct WordLabel {
  QPoint at;
  int points;
  int hintPoints;
};

// The sizes a word's label takes: at most that of a label of two kana, and
// at least that of the how-to-use screen's smallest text.
constexpr int LargestWordPoints = 25;
constexpr int SmallestWordPoints = 9;

// Hole h's word (three kana or more) fitted to the light patch of its
// critter in the rows it shows when fully up, for the label anchor (x, y):
// the largest size whose glyphs and outline lie wholly on the patch, placed
// as near as they fit to the middle of where two kana go
// and, when it has a hint, where the hint fits under it on the critter at
// the label's size or 14 points, the smaller. Where no size leaves room for
// the hint, the label alone is fitted and the hint finds its own place.
// Where the patch holds it at no readable size (a picture without one), on
// the critter instead, and failing that, at the smallest size within the
// picture.
WordLabel FitWordLabel(int h, int x, int y);
