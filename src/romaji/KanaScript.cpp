#include "romaji/KanaScript.h"

namespace {

// The hiragana ぁ (U+3041) to ゖ (U+3096) and the katakana ァ (U+30A1) to ヶ
// (U+30F6) stand in the same order, one block apart.
constexpr char16_t FirstHiragana = u'ぁ', LastHiragana = u'ゖ';
constexpr char16_t ScriptDistance = u'ァ' - u'ぁ';

QString Shifted(QStringView text, char16_t first, int by) {
  QString shifted = text.toString();
  for (QChar& c : shifted) {
    if (c.unicode() >= first && c.unicode() <= first + (LastHiragana - FirstHiragana))
      c = QChar(c.unicode() + by);
  }
  return shifted;
}

}  // namespace

QString InScript(QStringView hiragana, KanaScript script) {
  if (script == KanaScript::Hiragana) return hiragana.toString();
  return Shifted(hiragana, FirstHiragana, ScriptDistance);
}

QString HiraganaOf(QStringView text) {
  return Shifted(text, FirstHiragana + ScriptDistance, -ScriptDistance);
}
