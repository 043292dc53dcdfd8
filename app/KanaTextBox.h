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
//
// The box shows two or three characters of its 50-point text. What has
// scrolled out on the left while the player types at the end is kept beside
// the line edit, not in it, so that laying out and drawing the line costs
// the same however long the text grows; it comes back into the line edit as
// soon as the player reaches for it (backspace into it, cursor keys, the
// mouse). Text() is always the whole text.
class KanaTextBox : public QLineEdit, public platform::TextBox {
 public:
  explicit KanaTextBox(QWidget* parent = nullptr);

  // Called with the key code at every key release in the box.
  std::function<void(int keyCode)> onKeyUp;
  // Called after an input method committed text into the box.
  std::function<void()> onCommit;

  QString Text() const override { return head + text(); }
  bool Holds(const QString& moji) const override;
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
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // What a key press does to the text.
  void TakeKey(QKeyEvent* event);
  // Shows the cursor and starts its blinking afresh, as typing should.
  void ShowCursorSteadily();
  // Shows the composer's text, and its pending letters underlined after it.
  void ShowRomaji();
  // An input-method event of the box's own that changes the text around the
  // composition the box shows, the input method's or its own waiting
  // letters, and leaves that as it is.
  // Replaces `length` characters of the line edit from `from` by `commit`,
  // and with a `cursor` selects from `anchor` to it.
  void ChangeKeepingComposition(const QString& commit, qsizetype from, qsizetype length,
                                int anchor = -1, int cursor = -1);
  // Moves what lies left of the shown part into the head, once the line edit
  // holds more than a few lines' worth and the cursor is at its end.
  void FoldShownText();
  // Moves the last `count` characters of the head back into the line edit.
  void UnfoldShownText(qsizetype count);

  RomajiComposer romaji;
  // What the input method is composing, as it last showed it in the box.
  QString imeComposition;
  QList<QInputMethodEvent::Attribute> imeFormat;
  // The start of the text, kept out of the line edit.
  QString head;
};
