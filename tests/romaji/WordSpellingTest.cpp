// The romaji that type a whole word, as its hint shows them.
#include <gtest/gtest.h>

#include "romaji/WordSpelling.h"
#include "support/QtPrinters.h"
#include "support/RomajiTyping.h"

// っ doubles the next consonant (ch too), and is "xtu" where none follows;
// ん is "nn" before a vowel, a y, an n and at the end, "n" before other
// consonants; ー is "-"; a kana and its small kana go together where they
// have one spelling, else apart. Typed into the box, each gives its word back.
TEST(WordSpelling, TypesWholeWordsAsTheBoxAndTheInputMethodsTakeThem) {
  const char* const cases[][2] = {
      {"きって", "kitte"},     {"マッチ", "macchi"},      {"ほんや", "honnya"},
      {"てんいん", "tenninn"}, {"かんじ", "kanji"},       {"ほん", "honn"},
      {"コーヒー", "ko-hi-"},  {"パーティー", "pa-thi-"}, {"ぎゅうにゅう", "gyuunyuu"},
      {"くゃっ", "kuxyaxtu"},  {"ファン", "fann"},        {"あっ", "axtu"}};
  for (const auto& [word, romaji] : cases) {
    const QString kana = QString::fromUtf8(word);
    EXPECT_EQ(WordSpelling(kana), QString::fromUtf8(romaji)) << word;
    const KanaScript script =
        HiraganaOf(kana) == kana ? KanaScript::Hiragana : KanaScript::Katakana;
    EXPECT_EQ(Typed(WordSpelling(kana) + "\n", script).Text(), kana) << word << " typed back";
  }
  EXPECT_EQ(WordSpelling(QStringLiteral("かx")), "") << "a character without romaji";
}
