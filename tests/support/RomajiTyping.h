#pragma once
#include <QString>

#include "romaji/RomajiInput.h"

// Feeds `keys` to a fresh composer writing `script`: "\b" stands for
// Backspace and "\n" for Enter, every other character is typed.
inline RomajiComposer Typed(const QString& keys, KanaScript script = KanaScript::Hiragana) {
  RomajiComposer box;
  box.SetScript(script);
  for (const QChar key : keys) {
    if (key == u'\b') box.Backspace();
    if (key == u'\n') box.CommitAtEnter();
    if (key != u'\b' && key != u'\n') box.Type(key);
  }
  return box;
}
