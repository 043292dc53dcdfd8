#pragma once

// Virtual-key code of the Enter key.
constexpr int KeyReturn = 13;

// Key release in the text box: hands the key code on to CheckInput; the
// shift state plays no part.
void Text1_KeyUp(int KeyCode, int Shift);

// Compares the whole text of the box with the strings of holes 1 to 6 and
// catches the first critter that carries it and stands above its hole's
// catch line; otherwise plays the miss sound, and an Enter empties the box.
void CheckInput(int KeyCode);
