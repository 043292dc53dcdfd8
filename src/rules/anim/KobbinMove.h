#pragma once

// One animation step of hole h (1 to 6): starts a rise or a sinking when the
// hole's pause is over, moves a moving critter by MoveStep and redraws it.
void MoveKob(int h);

// Sets hole h's pause in the hole: 1000 to 7000 ms in steps of 1000.
void SetHideWait(int h);

// Sets hole h's pause at the top for the speed level: 1 ms, 2000 or
// 3000 ms, or 4000 to 6000 ms.
void SetStayWait(int h);

// Where each hole's label goes inside its critter.
struct LabelAnchor {
  int x;
  int y;
};
constexpr LabelAnchor HoleLabelAnchor[6] = {{10, 70}, {40, 40}, {5, 55},
                                            {40, 40}, {5, 70},  {45, 40}};
