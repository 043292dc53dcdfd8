#pragma once

// Gives hole h a new string, drawn from the chosen lesson's range of
// MojiTable with one draw of the shared generator; in the practice of weak
// strings, from the whole table by the practice weights. While the game is
// played in katakana the entry is given in katakana. While the romaji hint is
// on, the string's first spelling goes with it. A word lesson draws, with
// one draw too, among the words of its lengths in the chosen script's word
// table, each as likely (the practice of weak words by its weights, over
// the whole table), and its hint is the romaji of the whole word.
void SelectMoji(int h);

// Gives hole h a new label colour, each of red, green and blue drawn in that
// order from 1 to 200, and makes it the text colour of KobPicture(h).
void SelectMojiColor(int h);
