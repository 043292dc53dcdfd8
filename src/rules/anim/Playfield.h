#pragma once

// Redraws hole h: its critter (picture 1 to 4, or its caught form) with
// `shown` rows above the ground line and its label at (dx, dy), into the
// composite, and pushes the hole's column to the window.
void DrawHole(int h, int picture, int shown, int dx, int dy);

// Makes the composite the bare background and shows it.
void ClearPlayfield();

// Copies the whole composite into the visible playfield.
void ShowPlayfield();

// The drawing behind the how-to-use screen's OK button (Command1): the help
// text goes and the bare background shows. The button's click handler hides
// the button and calls this.
void CloseHowToUse();
