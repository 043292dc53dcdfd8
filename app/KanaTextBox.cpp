#include "app/KanaTextBox.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextCharFormat>

#include "platform/KeyCodes.h"

KanaTextBox::KanaTextBox(QWidget* parent) : QLineEdit(parent) {}

void KanaTextBox::Clear() {
  romaji.Clear();
  ShowRomaji();
}

void KanaTextBox::SetFocus() {
  QWidget* active = QApplication::activeWindow();
  // Another application has the keyboard: leave it there.
  if (!active) return;
  // Another window of this program (the input table) has it: bring the
  // main window back to the front, so typing goes to the box.
  if (active != window()) window()->activateWindow();
  if (!hasFocus()) setFocus(Qt::OtherFocusReason);
}

void KanaTextBox::ShowRomaji() {
  if (text() != romaji.Text()) setText(romaji.Text());
  QTextCharFormat underline;
  underline.setFontUnderline(true);
  const QString pending = romaji.Pending();
  QList<QInputMethodEvent::Attribute> attributes;
  if (!pending.isEmpty()) {
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, pending.size(),
                                               underline);
  }
  QInputMethodEvent composition(pending, attributes);
  QLineEdit::inputMethodEvent(&composition);
}

void KanaTextBox::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers chord =
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (chord) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Settled before the release, so that the release's matching sees a
      // lone "n" as ん.
      romaji.CommitAtEnter();
      ShowRomaji();
      return;
    case Qt::Key_Backspace:
      romaji.Backspace();
      ShowRomaji();
      return;
    default:
      break;
  }
  const QString typed = event->text();
  if (typed.size() == 1 && romaji.Type(typed[0]) != KeyResult::Ignored) {
    ShowRomaji();
    return;
  }
  // Shift, Caps Lock, the arrows and the like carry no text: they leave
  // letters waiting for their kana alone, so "K" then Shift+"A" is か.
  if (typed.isEmpty() && !romaji.Pending().isEmpty()) return;
  QLineEdit::keyPressEvent(event);
  if (text() != romaji.Text()) romaji.SetText(text());
}

void KanaTextBox::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (event->isAutoRepeat()) return;
  if (onKeyUp) onKeyUp(platform::VirtualKeyCode(event->key()));
}

void KanaTextBox::inputMethodEvent(QInputMethodEvent* event) {
  const QString before = text();
  QLineEdit::inputMethodEvent(event);
  romaji.SetText(text());
  if (!event->commitString().isEmpty() && text() != before && onCommit) onCommit();
}
