#pragma once
#include <QString>
#include <vector>

#include "romaji/KanaScript.h"
#include "state/GameState.h"  // Word, WordTable

// The shortest and longest words the lessons take, in characters.
constexpr int ShortestWord = 2;
constexpr int LongestWord = 5;

// Reads a word table: UTF-8 lines "kana<TAB>written<TAB>meaning", and "#"
// comments. Every word must be written in `script` (katakana may hold the
// long-vowel mark ー), be ShortestWord to LongestWord characters long, be
// typeable by romaji, and come once; a line that breaks a rule makes the
// whole table unusable, since a lesson drawn from part of it would not be
// the lesson its file holds.
WordTable ReadWordTable(const QString& path, KanaScript script);

// The name of the data folder's word table in `script`: "hiragana-words.txt"
// or "katakana-words.txt".
QString WordTableFileName(KanaScript script);

// The table of `script` that start-up read (empty until then).
const WordTable& WordsIn(KanaScript script);

// The words that word lesson `lessonNo` (13 to 16) draws from in `script`:
// those of its lengths, in the table's order; the practice of weak words
// draws from the whole table.
std::vector<const Word*> WordsOfLesson(int lessonNo, KanaScript script);

// Why lesson `lessonNo` cannot be played in `script`, in English, naming
// the file: its table is unusable, or holds no word of the lesson's
// lengths. Empty for a lesson that can be played, every kana lesson among
// them.
QString WhyNotPlayable(int lessonNo, KanaScript script);

// The word of either table written `kana`, or null.
const Word* WordOf(const QString& kana);
