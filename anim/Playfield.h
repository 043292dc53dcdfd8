#pragma once

// Redraws hole h: its critter (picture 1 to 4, or its caught form) with
// `shown` rows above the ground line and its label at (dx, dy), into the
// composite, and pushes the hole's column to the window.
void DrawHole(int h, int picture, int shown, int dx, int dy);

// Makes the composite the bare background and shows it.
void ClearPlayfield();

// Copies the whole composite into the visible playfield.
void ShowPlayfield();
