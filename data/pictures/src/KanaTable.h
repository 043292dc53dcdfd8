// The kana-to-keys table (input.jpg): every kana string of the lessons with
// the romaji keys that type it, read from romaji.tsv.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace pictures {

// Shown pixel for pixel in a 235-wide window whose scroll bar hides the
// leftmost 15 pixels; the game scrolls 1500 px past the window's height.
inline constexpr int kTableWidth = 235;
inline constexpr int kTableHeight = 2300;
inline constexpr int kTableHiddenLeft = 15;

struct KanaEntry {
    QString kana;
    QStringList spellings;  // usual one first; "+" joins two parts
};
using KanaRow = std::vector<KanaEntry>;  // one row of the table, at most five
struct Lesson {
    QString caption;
    std::vector<KanaRow> rows;
};

// Reads the lessons; on a malformed file returns nothing and says why.
std::vector<Lesson> readRomajiTable(const QString &path, QString *error);

// Column (0..4) of each entry of a row: the vowel column (a i u e o) of its
// usual spelling when the row's vowels allow, else left to right.
std::vector<int> rowColumns(const KanaRow &row);

QImage renderKanaTable(const std::vector<Lesson> &lessons);

}  // namespace pictures
