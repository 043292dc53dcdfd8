#pragma once
#include <QString>
#include <vector>

#include "romaji/KanaScript.h"

// One word of the word lessons: the kana a player types, the way it is
// usually written (with kanji where it has them), and its English meaning.
struct Word {
  QString kana;
  QString written;
  QString meaning;
};

// A word table read from its file: the words in the file's order, or, when
// the file cannot be used, what is wrong with it and where ("line 12: ...").
struct WordTable {
  std::vector<Word> words;
  QString fault;
};

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
