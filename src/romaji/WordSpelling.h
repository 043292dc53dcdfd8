#pragma once
#include <QString>
#include <QStringView>

// The romaji that type the kana word `word` (hiragana or katakana, with the
// long-vowel mark ー) in the text box and in the common input methods, as
// the hint under a word shows them: each kana, or kana with its small kana
// (きゃ, ティ), by its first spelling; っ as the next kana's first consonant
// doubled ("kka"); ん as "nn" before a vowel, a "y", an "n" and at the end of
// the word, else as "n" ("kanji"); ー as "-". Empty when some character has
// no spelling.
QString WordSpelling(QStringView word);
