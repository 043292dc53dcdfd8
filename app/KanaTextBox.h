#pragma once
#include <QInputMethodEvent>
#include <QLineEdit>
#include <functional>

#include "kana/RomajiInput.h"
#include "platform/TextBox.h"

// The typed-input box Text1: a line edit that reports every key release
// with its Windows-style virtual-key code and every input-method commit.
// Without a Japanese input method, Latin letters typed into it become
// hiragana as an input method's romaji mode makes them; letters that do not
// make a kana yet are shown underlined, like an input method's composition,
// and are not part of the box's text.
//
// Emptying the box (Clear) removes only its text: a composition under way,
// the input method's or the box's own pending letters, stays and goes on
// to its kana, so a word begun before the box is emptied is not broken.
class KanaTextBox : public QLineEdit, public platform::TextBox {
 public:
  explicit KanaTextBox(QWidget* parent = nullptr);

  // Called with the key code at every key release in the box.
  std::function<void(int keyCode)> onKeyUp;
  // Called after an input method committed text into the box.
  std::function<void()> onCommit;

  QString Text() const override { return text(); }
  void Clear() override;
  void SetVisible(bool visible) override { setVisible(visible); }
  bool IsVisible() const override { return isVisible(); }
  void SetFocus() override;

  // The Latin letters waiting to become a kana.
  QString Pending() const { return romaji.Pending(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // Shows the composer's text, and its pending letters underlined after it.
  void ShowRomaji();

  RomajiComposer romaji;
  // What the input method is composing, as it last showed it in the box.
  QString imeComposition;
  QList<QInputMethodEvent::Attribute> imeFormat;
};
