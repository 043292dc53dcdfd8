#pragma once
#include "platform/system/PassLoop.h"

// Runs the program until MainLoopActive is cleared: a pass after every
// handled event and whenever an animation step or a music restart falls due.
void MainLoop();

// One pass of the loop, after the window system's events were handled:
// while a game runs, keeps the focus in the text box, makes an animation
// step once more than 30 ms have passed since the last one, keeps the music
// going and notices the end of the game. Tests call it directly.
platform::PassOutcome MainLoopPass();

// An animation step is due once more than this many ms have passed since
// the previous step's drawing ended.
constexpr unsigned StepIntervalMs = 30;
