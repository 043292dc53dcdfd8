// The kana-to-keys table (input.jpg, and input-katakana.jpg with every kana
// string in katakana): every kana string of the lessons, laid out as
// input-table.txt says, with the romaji keys that type it from the game's
// table of spellings.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

#include "romaji/KanaScript.h"

namespace pictures {

// Shown pixel for pixel in a 235-wide window whose scroll bar hides the
// leftmost 15 pixels. At its largest scroll value the window shows the
// picture down to 1500 px (1600 on a 480 px screen) past its own height, which
// is the screen's less 25 px and less the frame: 456 - 45 px on a 481 px
// screen with a tall caption, so every row is within reach down to 1911 px.
inline constexpr int kTableWidth = 235;
inline constexpr int kTableHeight = 1910;
inline constexpr int kTableHiddenLeft = 15;

struct KanaEntry {
  QString kana;
  QStringList spellings;  // the one to learn first; "+" joins two parts
};
using KanaRow = std::vector<KanaEntry>;  // one row of the table, at most five
struct Lesson {
  QString caption;
  std::vector<KanaRow> rows;
};

// Reads the lessons and looks up their spellings; on a malformed file, or a
// kana string without a spelling, returns nothing and says why.
std::vector<Lesson> readInputTable(const QString &path, QString *error);

// Column (0..4) of each entry of a row: the vowel column (a i u e o) of its
// first spelling when the row's vowels allow, else left to right.
std::vector<int> rowColumns(const KanaRow &row);

// The table with its kana strings in `script`; the captions, spellings and
// layout are the same in both scripts, so both pictures scroll alike.
QImage renderKanaTable(const std::vector<Lesson> &lessons,
                       KanaScript script = KanaScript::Hiragana);

}  // namespace pictures
