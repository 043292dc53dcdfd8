#pragma once
#include <QElapsedTimer>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <functional>
#include <optional>

#include "platform/drawing/GlyphImages.h"
#include "platform/system/TextBox.h"
#include "platform/windows/ShownLine.h"
#include "romaji/RomajiInput.h"

// The typed-input box Text1: a line edit that reports every key release
// with its Windows-style virtual-key code and every input-method commit.
// Without a Japanese input method, Latin letters typed into it become
// hiragana, or katakana once asked for (SetScript), as an input method's
// romaji mode makes them; letters that do not make a kana yet are shown
// underlined, like an input method's composition, and are not part of the
// box's text.
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
//
// The box draws its text from pictures of its glyphs, each filled once
// (see GlyphImages), with its text cursor and the composition's underline,
// from a layout of what the line edit shows (ShownLine). The line edit
// still works out how far its text is scrolled and where its cursor
// stands, for the mouse and the input method's candidate window, and
// draws the box itself whenever there is more to draw: a selection, or a
// composition in colours.
//
// Its font lays out kana and Latin letters without OpenType shaping (Qt's
// PreferNoShaping; scripts that need shaping still get it): the kana faces
// kern none of them, and the line is laid out two or three times at every
// key, each time shaped through a large CJK face's tables.
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

  // The script the box's own romaji input writes kana in, from the next one.
  void SetScript(KanaScript script) { romaji.SetScript(script); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  QPaintDevice* redirected(QPoint* offset) const override;

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
  // Hands an input-method event to the line edit and notes what it shows.
  void Compose(QInputMethodEvent& event);
  // Before the line edit moves its cursor or selection, which ends a
  // composition it shows.
  void LetLineEditMoveCursor();

  // The box draws its own text when it shows no more than text, a
  // composition in plain underlines and the text cursor.
  bool DrawsItsOwnText() const;
  // The line edit has shown its cursor steadily: its blinking starts again.
  void StartBlinking();
  // The line edit's text cursor is in the visible half of its blinking.
  bool CursorBlinkedOn() const;
  // What the line edit's scrolling depends on.
  struct ScrollState {
    quint64 changes;
    QSize size;
    QFont font;
    bool operator==(const ScrollState&) const = default;
  };
  ScrollState Now() const { return {changes, size(), font()}; }
  // Lets the line edit work out its scrolling for what it now shows, if it
  // has not yet: it paints the corner pixel of its frame, which takes none
  // of its text's glyphs, into `probe`. Done on the window's update
  // request, before anything in it paints.
  void ProbeScrolling();

  RomajiComposer romaji;
  // What the input method is composing, as it last showed it in the box.
  QString imeComposition;
  QList<QInputMethodEvent::Attribute> imeFormat;
  // The start of the text, kept out of the line edit.
  QString head;

  ShownLine shown;
  platform::GlyphImages glyphs;
  // The line edit paints its frame's corner pixel into this, to work out
  // its scrolling, while the box probes.
  mutable QImage probe{1, 1, QImage::Format_ARGB32_Premultiplied};
  bool probing = false;
  // Changes to the text, cursor, selection and composition, counted; and
  // the state the line edit last worked out its scrolling for.
  quint64 changes = 0;
  std::optional<ScrollState> scrolledFor;
  // The window whose update requests the box watches.
  QPointer<QWidget> watchedWindow;
  // Since the line edit last showed its cursor steadily, and the flash
  // time then.
  QElapsedTimer cursorShown;
  int flashTime = 0;
};
