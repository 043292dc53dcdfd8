// The strings in the other script.
#include <gtest/gtest.h>

#include "romaji/KanaScript.h"
#include "support/QtPrinters.h"

// Every hiragana of the table has its katakana, the small ones and ゔ too;
// the long-vowel mark, other text and katakana outside the hiragana's
// range stay as they are, both ways.
TEST(KanaScript, EachHiraganaBecomesItsKatakanaAndBackAndTheRestStays) {
  const std::pair<const char*, const char*> pairs[] = {
      {"あぁきゃぢょをんっゔゕゖ", "アァキャヂョヲンッヴヵヶ"}, {"ー x1、", "ー x1、"}};
  for (const auto& [hiragana, katakana] : pairs) {
    EXPECT_EQ(InScript(QString::fromUtf8(hiragana), KanaScript::Katakana),
              QString::fromUtf8(katakana));
    EXPECT_EQ(InScript(QString::fromUtf8(hiragana), KanaScript::Hiragana),
              QString::fromUtf8(hiragana));
    EXPECT_EQ(HiraganaOf(QString::fromUtf8(katakana)), QString::fromUtf8(hiragana));
  }
  EXPECT_EQ(HiraganaOf(QStringLiteral("ヷヺ・ヽ")), QStringLiteral("ヷヺ・ヽ"))
      << "katakana without a hiragana";
}
