#pragma once
#include <cstdint>

#include "state/OneBased.h"

// Holes are numbered 1 to 6: 1 to 3 the upper row, 4 to 6 the lower, each
// from left to right.
constexpr int HoleCount = 6;

template <typename T>
using PerHole = OneBased<T, HoleCount>;

// A critter's rectangle on the playfield; during a game only Top moves.
struct KobRectangle {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

// Fixed geometry of the holes: the critter rectangle's left edge, and Top
// when the critter is fully down (RestY) and fully up (PeakY).
constexpr int KobWidth = 125;
constexpr int KobHeight = 145;
constexpr int HoleLeft[HoleCount] = {63, 270, 464, 63, 270, 464};
constexpr int HoleRestY[HoleCount] = {252, 228, 252, 406, 429, 406};
constexpr int HolePeakY[HoleCount] = {112, 108, 132, 286, 289, 286};

// The critter picture (1 to 4) each hole shows; its caught form is the
// picture 4 further on.
constexpr int HolePicture[HoleCount] = {1, 2, 3, 4, 1, 2};
