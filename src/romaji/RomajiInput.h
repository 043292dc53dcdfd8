#pragma once
#include <QChar>
#include <QString>

#include "romaji/KanaScript.h"

// What one typed character did to the box.
enum class KeyResult {
  Ignored,  // a control character: nothing changed, the box handles the key itself
  Held,     // a Latin letter now waits in Pending(); Text() is unchanged
  Changed,  // Text() changed: a kana was completed or a character joined it
};

// Turns Latin letters typed into the text box into kana, the way an input
// method's romaji mode does, for players without a Japanese input method:
// hiragana, or katakana in its katakana mode, by the same spellings.
//
// Text() holds what the box has settled on and is what the game compares with
// the critters' strings; Pending() holds the Latin letters that do not make a
// kana yet ("k", "ky", a lone "n"), shown underlined after the text. A kana
// joins Text() as soon as its last letter is typed: "k", "y", "a" gives きゃ at
// the "a". Only plain Latin letters and the hyphen are converted; anything an input method
// commits, and every other character, goes into the text as it is.
class RomajiComposer {
 public:
  // Feeds one typed character. Letters A-Z convert like a-z, a hyphen is the
  // long-vowel mark ー, and an apostrophe that goes on with a spelling converts
  // too ("n'" is ん, "t'i" is てぃ). Any
  // other character first settles the pending letters (a lone "n" becomes ん,
  // others stay as Latin letters in the text) and then joins the text unchanged.
  KeyResult Type(QChar typed);

  // Removes the last pending letter or, with none pending, the last character
  // of the text. False if the box was already empty.
  bool Backspace();

  // Enter: a pending "n" becomes ん, any other pending letters are dropped.
  void CommitAtEnter();

  // Replaces the whole box, when the game or an input method sets it.
  void SetText(const QString& text);

  // Empties the text; letters still waiting for their kana stay, so a word
  // the player has begun survives the box being emptied under it.
  void ClearText() { text.clear(); }

  QString Text() const { return text; }
  QString Pending() const { return pending; }

  // The script the kana are written in from the next one on; what the text
  // holds already stays.
  void SetScript(KanaScript newScript) { script = newScript; }

 private:
  void TypeLetter(QChar letter);
  // Ends the pending letters at a non-letter: a lone "n" is ん, others stay Latin.
  void SettlePending();

  QString text;
  QString pending;  // as typed, so a letter left over keeps its case
  KanaScript script = KanaScript::Hiragana;
};
