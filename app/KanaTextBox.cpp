#include "app/KanaTextBox.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextCharFormat>

#include "platform/KeyCodes.h"

KanaTextBox::KanaTextBox(QWidget* parent) : QLineEdit(parent) {}

void KanaTextBox::Clear() {
  romaji.ClearText();
  if (imeComposition.isEmpty()) {
    ShowRomaji();
    return;
  }
  // setText() would make the input method commit its composition half-typed
  // (a romaji letter left in the box): remove the text with an input-method
  // event of the box's own instead, showing the composition as it was.
  deselect();
  QInputMethodEvent removal(imeComposition, imeFormat);
  removal.setCommitString(QString(), -cursorPosition(), text().size());
  QLineEdit::inputMethodEvent(&removal);
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
  imeComposition = event->preeditString();
  // Only the attributes placed within the composition; a selection is
  // placed in the text, which emptying the box changes.
  imeFormat.clear();
  for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
    if (attribute.type == QInputMethodEvent::TextFormat ||
        attribute.type == QInputMethodEvent::Cursor) {
      imeFormat << attribute;
    }
  }
  romaji.SetText(text());
  if (!event->commitString().isEmpty() && text() != before && onCommit) onCommit();
}
