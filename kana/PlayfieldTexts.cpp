#include "kana/PlayfieldTexts.h"

void DrawMoji(int, int, int) {}

void DrawCounts() {}

void DrawCountsLowRes() {}
