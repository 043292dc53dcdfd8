#include "romaji/RomajiInput.h"

#include "romaji/RomajiTable.h"

namespace {

bool IsLatinLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// A hyphen is the long-vowel mark ー, as in the input methods' romaji.
bool IsSpellingCharacter(QChar c) { return IsLatinLetter(c) || c == u'-'; }

// An apostrophe is part of a spelling where one goes on with it: "n'" is ん,
// "t'i" is てぃ. Anywhere else it is an ordinary character.
bool ContinuesSpelling(const QString& pending, QChar typed) {
  if (typed != u'\'' || pending.isEmpty()) return false;
  const QString letters = (pending + typed).toLower();
  return CanGrowIntoRomaji(letters) || FindRomajiRule(letters);
}

// Letters that can wait no longer: a spelling that is complete but could have
// grown (a lone "n") gives its kana in `script`; anything else stays as typed.
QString SettledForm(const QString& letters, KanaScript script) {
  const RomajiRule* rule = FindRomajiRule(letters.toLower());
  return rule ? InScript(rule->kana, script) : letters;
}

}  // namespace

KeyResult RomajiComposer::Type(QChar typed) {
  const QString textBefore = text;
  if (IsSpellingCharacter(typed) || ContinuesSpelling(pending, typed)) {
    TypeLetter(typed);
    return text == textBefore ? KeyResult::Held : KeyResult::Changed;
  }
  if (typed.category() == QChar::Other_Control) return KeyResult::Ignored;
  SettlePending();
  text += typed;
  return KeyResult::Changed;
}

void RomajiComposer::TypeLetter(QChar letter) {
  QString letters = pending + letter;
  for (;;) {
    const QString spelling = letters.toLower();
    if (CanGrowIntoRomaji(spelling)) {
      pending = letters;
      return;
    }
    if (const RomajiRule* rule = FindRomajiRule(spelling)) {
      text += InScript(rule->kana, script);
      pending = letters.right(rule->carry.size());
      return;
    }
    if (letters.size() == 1) {
      text += letters;
      pending.clear();
      return;
    }
    // No spelling begins with these letters: what waited before this letter
    // is settled ("nk" is ん, a stray "k" in "kq" stays Latin) and the new
    // letter starts afresh.
    text += SettledForm(letters.chopped(1), script);
    letters = QString(letter);
  }
}

void RomajiComposer::SettlePending() {
  text += SettledForm(pending, script);
  pending.clear();
}

bool RomajiComposer::Backspace() {
  if (!pending.isEmpty()) {
    pending.chop(1);
    return true;
  }
  if (text.isEmpty()) return false;
  // A character outside the basic plane is two code units; never leave half.
  const bool pair = text.size() >= 2 && text.back().isLowSurrogate() &&
                    text.at(text.size() - 2).isHighSurrogate();
  text.chop(pair ? 2 : 1);
  return true;
}

void RomajiComposer::CommitAtEnter() {
  if (FindRomajiRule(pending.toLower())) text += SettledForm(pending, script);
  pending.clear();
}

void RomajiComposer::SetText(const QString& newText) {
  text = newText;
  pending.clear();
}
