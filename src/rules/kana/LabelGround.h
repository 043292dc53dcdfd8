#pragma once
#include <QImage>
#include <QRect>
#include <QSize>
#include <vector>

// What a label may lie on in a critter picture, in game pixels: the
// critter's own pixels, by its mask (black where the critter is, at any
// ratio), or only those of its light patch, the placard or pale belly a
// word sits on. A picture or mask of any size is read as stretched over the
// critter, as the playfield puts them together; a null one leaves no ground.
class KobGround {
 public:
  enum Kind {
    Critter,
    Light,  // the critter's pixels whose colour is pale in every channel
  };
  KobGround(const QImage& picture, const QImage& mask, Kind kind);

  bool Known() const { return !sums.empty(); }
  // Whether every pixel of `box` is ground: one look-up in the sums over
  // every rectangle from the top left.
  bool Covers(const QRect& box) const;

 private:
  std::vector<int> sums;
  int& At(int x, int y);
  int At(int x, int y) const;
};

// The ground of kind `kind` in critter picture k (1 to 8), worked out once
// for each picture and mask the game loads rather than at every rise.
const KobGround& GroundOf(int k, KobGround::Kind kind);

// The romaji hint's size under a kana, and the smallest a long word's hint
// shrinks to; the rows between a label's outline and its hint's.
constexpr int HintPoints = 14;
constexpr int SmallestHintPoints = 9;
constexpr int HintGap = 2;

// The outline's ring around a label's glyphs, and a pixel its smoothed edge
// may touch: how far past its glyphs' box a label's print reaches.
int LabelReach();

// Where the glyphs of a romaji hint of `hint` pixels go first under a label
// whose glyphs cover `label`: centred under them, a gap below the label's
// outline, and lifted where need be so that it lies, outline and all,
// within the critter's columns and the top `shownRows` rows.
QRect HintUnder(const QRect& label, QSize hint, int shownRows);
