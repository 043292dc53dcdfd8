#include "anim/Playfield.h"

void DrawHole(int, int, int, int, int) {}

void ClearPlayfield() {}

void ShowPlayfield() {}
