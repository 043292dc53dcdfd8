#pragma once
#include <QString>

#include "romaji/RomajiInput.h"

// Feeds `keys` to a fresh composer: "\b" stands for Backspace and "\n" for
// Enter, every other character is typed.
inline RomajiComposer Typed(const QString& keys) {
  RomajiComposer box;
  for (const QChar key : keys) {
    if (key == u'\b') box.Backspace();
    if (key == u'\n') box.CommitAtEnter();
    if (key != u'\b' && key != u'\n') box.Type(key);
  }
  return box;
}
