#pragma once

namespace platform {

// What the program works out once and keeps in statics for the rest of its
// run (labels and counter band as last printed, the critters' covers, the
// face picked for kana, the frame a window manager puts around a window)
// registers here how to forget it: as the program starts, or where it is
// kept in a function, the first time it is kept.

// Registers `forget`, which empties one such cache. Answers true, so that a
// cache can register in the initialiser of a static beside it.
bool ForgetWithCaches(void (*forget)());

// Empties every cache registered: what the program needs next it works out
// afresh, as a program just started would. Each test of a game begins with
// this (the game fixture).
void ForgetCaches();

}  // namespace platform
