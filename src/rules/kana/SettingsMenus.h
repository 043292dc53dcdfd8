#pragma once
#include <cstdint>

#include "romaji/KanaScript.h"

// Menu handlers; Index is the clicked item's number, from 1. While a game
// runs they refuse and the setting stays as it was. The menus' check marks
// are shown from the settings themselves.
void LessonCheck_Click(int Index);
void SpeedCheck_Click(int Index);
void MojiCount_Click(int Index);

// The string count that item `Index` of the "文字数" menu stands for: 30, 50
// or 70.
int16_t MojiTotalOf(int Index);

// The "ローマ字ヒント" item: switches the spelling under each rising
// critter's label on or off, at any time; it shows from the next rise.
void RomajiHint_Click();

// The "カタカナ" item: switches every string of the next games between
// hiragana and katakana; refused while a game runs.
void Katakana_Click();

// The script the strings show in, and that the box's own romaji input writes.
KanaScript ChosenScript();
