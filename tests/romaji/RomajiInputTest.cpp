// The box's own romaji input: the composer that turns typed letters into kana.
#include <gtest/gtest.h>

#include "romaji/RomajiTable.h"
#include "support/QtPrinters.h"
#include "support/RomajiTyping.h"

// A lone n waits, since na or nya may follow; nn, n', a consonant and Enter
// end it, and Enter drops other waiting letters. A doubled consonant gives っ
// and keeps the second letter waiting. Capitals convert and waiting letters
// keep their case. A letter no spelling goes on with settles the ones before
// it; any other character settles them and joins the text, but control
// characters are left to the box. Backspace takes the last waiting letter,
// else the last character.
TEST(RomajiComposer, TurnsTypedLettersIntoKanaAndKeepsTheRestAsTyped) {
  // Keys typed, then the text and the waiting letters.
  const char* const cases[][3] = {
      {"nna", "んあ", ""}, {"nnna", "んな", ""},   {"n'a", "んあ", ""},    {"nk", "ん", "k"},
      {"N\n", "ん", ""},   {"kak\n", "か", ""},    {"ssha", "っしゃ", ""}, {"tchi", "っち", ""},
      {"KK", "っ", "K"},   {"Kya", "きゃ", ""},    {"kY", "", "kY"},       {"kqa", "kくぁ", ""},
      {"tsk", "ts", "k"},  {"K1", "K1", ""},       {"n.", "ん.", ""},      {"ka ", "か ", ""},
      {"nか", "んか", ""}, {"éa", "éあ", ""},      {"k'", "k'", ""},       {"t'a", "t'あ", ""},
      {"D'U", "どぅ", ""}, {"ka\t\x1b", "か", ""}, {"ky\b", "", "k"},      {"kya\b", "き", ""}};
  for (const auto& [keys, text, pending] : cases) {
    const RomajiComposer box = Typed(QString::fromUtf8(keys));
    EXPECT_EQ(box.Text(), QString::fromUtf8(text)) << keys;
    EXPECT_EQ(box.Pending(), QString::fromUtf8(pending)) << keys;
  }
  // An input method's text replaces the box's, waiting letters too, and
  // Backspace never leaves half a character outside the basic plane.
  RomajiComposer box = Typed("k");
  box.SetText(QString::fromUtf8("か😀"));
  box.Backspace();
  EXPECT_EQ(box.Text() + box.Pending(), "か");
  EXPECT_EQ(box.Type(QChar(0x1b)), KeyResult::Ignored) << "Escape goes on to the window";
}

// In katakana the box takes the same keys for the same sounds: nn, a doubled
// consonant, the small forms with x and l. Every spelling it knows can be
// typed (one that a shorter one completed before its last letter could not)
// and gives the katakana of what it gives in hiragana.
TEST(RomajiComposer, InKatakanaTheSameKeysWriteTheSameSoundsInKatakana) {
  const char* const cases[][2] = {
      {"kya", "キャ"}, {"nna", "ンア"}, {"n\n", "ン"},   {"ssha", "ッシャ"}, {"xa", "ァ"},
      {"lyo", "ョ"},   {"ltsu", "ッ"},  {"dyo", "ヂョ"}, {"wo", "ヲ"},       {"kqa", "kクァ"}};
  for (const auto& [keys, text] : cases)
    EXPECT_EQ(Typed(QString::fromUtf8(keys), KanaScript::Katakana).Text(), QString::fromUtf8(text))
        << keys;
  for (const RomajiRule& rule : RomajiRules()) {
    EXPECT_EQ(Typed(rule.spelling + ".").Text(), rule.kana + rule.carry + ".")
        << rule.spelling.toStdString();
    EXPECT_EQ(Typed(rule.spelling + "n.", KanaScript::Katakana).Text(),
              InScript(Typed(rule.spelling + "n.").Text(), KanaScript::Katakana))
        << rule.spelling.toStdString() << " in katakana";
  }
}
