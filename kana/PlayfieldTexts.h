#pragma once

// Prints hole h's string into its critter picture with the label anchor
// (x, y), in the hole's label colour with a thin black or white outline,
// and under it, in the same colours, the hole's romaji hint when it has one.
void DrawMoji(int h, int x, int y);

// Redraws the counter band at the top of the playfield: strings presented
// and critters caught. The low-resolution form is for screens at most 640
// pixels wide.
void DrawCounts();
void DrawCountsLowRes();

// The form of the band that the screen the program runs on takes, and the
// rows at the top of the playfield that this form covers.
void DrawCountsForScreen();
int CountBandRows();
