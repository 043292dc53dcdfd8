#pragma once
#include <QApplication>
#include <QInputMethodEvent>

// What an input method sends to `into`: a composition under way, or a commit.
inline void Compose(QWidget& into, const QString& composing, const QString& commit = {}) {
  QInputMethodEvent event(composing, {});
  event.setCommitString(commit);
  QApplication::sendEvent(&into, &event);
}
