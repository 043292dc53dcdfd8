#pragma once

// Prints hole h's string into its critter picture with the label anchor
// (x, y), in the hole's label colour with a thin black or white outline,
// and under it, in the same colours, the hole's romaji hint when it has one.
void DrawMoji(int h, int x, int y);

// Puts the label DrawMoji last printed for hole h back into the top `rows`
// rows of its critter picture, when the label (string, hint, colour, place)
// is still the same and lies on the same ground there; answers whether it
// did. Nothing is drawn when it answers false.
bool DrawMojiAgain(int h, int x, int y, int rows);

// Redraws the counter band at the top of the playfield: strings presented
// and critters caught. A count's text is printed only when the count
// changed; the band is copied into the composite every time, and the
// playfield is told of it only when that changed the composite. The
// low-resolution form is for screens at most 640 pixels wide.
void DrawCounts();
void DrawCountsLowRes();

// The form of the band that the screen the program runs on takes, and the
// rows at the top of the playfield that this form covers.
void DrawCountsForScreen();
int CountBandRows();
