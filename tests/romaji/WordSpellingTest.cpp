// The romaji that type a whole word, as its hint shows them.
#include <gtest/gtest.h>

#include "romaji/WordSpelling.h"
#include "support/QtPrinters.h"

// っ doubles the next consonant (ch too), and is "xtu" where none follows;
// ん is "nn" before a vowel, a y, an n and at the end, "n" before other
// consonants; ー is "-"; a kana and its small kana go together where they
// have one spelling, else apart.
TEST(WordSpelling, SpellsWholeWordsAsTheBoxAndTheInputMethodsTakeThem) {
  const char* const cases[][2] = {
      {"きって", "kitte"},     {"マッチ", "macchi"},      {"ほんや", "honnya"},
      {"てんいん", "tenninn"}, {"かんじ", "kanji"},       {"ほん", "honn"},
      {"コーヒー", "ko-hi-"},  {"パーティー", "pa-thi-"}, {"ぎゅうにゅう", "gyuunyuu"},
      {"くゃっ", "kuxyaxtu"},  {"ファン", "fann"},        {"あっ", "axtu"}};
  for (const auto& [word, romaji] : cases)
    EXPECT_EQ(WordSpelling(QString::fromUtf8(word)), QString::fromUtf8(romaji)) << word;
  EXPECT_EQ(WordSpelling(QStringLiteral("かx")), "") << "a character without romaji";
}
