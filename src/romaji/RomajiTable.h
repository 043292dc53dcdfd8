#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <span>

// One way of typing kana with Latin letters: the letters (lowercase), the
// hiragana they become, and the letters that stay pending afterwards (the
// second "k" of "kk", which gives っ and starts the next kana).
struct RomajiRule {
  QString spelling;
  QString kana;
  QString carry;
};

// Every spelling the text box understands, Hepburn, Kunrei and the usual
// input-method variants alike, sorted by spelling.
std::span<const RomajiRule> RomajiRules();

// The rule spelled exactly `letters` (lowercase), or nullptr.
const RomajiRule* FindRomajiRule(QStringView letters);

// Whether some spelling is longer than `letters` and begins with them, so
// that more letters may still complete a kana.
bool CanGrowIntoRomaji(QStringView letters);

// The spellings the input table shows for the kana string `moji`, the one to
// learn first and then the others; empty for a string the table lacks. A "+"
// joins parts typed one after the other ("ku+xya" is く then ゃ).
QStringList ShownSpellings(QStringView moji);

// The first of them: one that the common input methods and the text box all
// turn into `moji`. Empty for a string the table lacks.
QString FirstSpelling(QStringView moji);
