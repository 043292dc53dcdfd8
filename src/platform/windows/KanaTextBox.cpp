#include "platform/windows/KanaTextBox.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <QTextCharFormat>
#include <algorithm>
#include <cmath>

#include "platform/system/KeyCodes.h"
#include "platform/windows/CachedPanelStyle.h"

namespace {

// The line edit holds at most FoldAt characters while the player types at
// its end; the box shows two or three of them.
constexpr qsizetype FoldAt = 8;

// The box's own waiting letters are shown underlined, like a composition.
QList<QInputMethodEvent::Attribute> Underlined(qsizetype length) {
  if (length == 0) return {};
  QTextCharFormat underline;
  underline.setFontUnderline(true);
  return {{QInputMethodEvent::TextFormat, 0, int(length), underline}};
}

// `font`, laying out without OpenType shaping the scripts that need none.
QFont Unshaped(QFont font) {
  font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
  return font;
}

// Keys that only change how the next key is read; they never touch the text.
bool IsModifierKey(int key) {
  return (key >= Qt::Key_Shift && key <= Qt::Key_ScrollLock) || key == Qt::Key_Super_L ||
         key == Qt::Key_Super_R || key == Qt::Key_AltGr || key == Qt::Key_Mode_switch;
}

}  // namespace

KanaTextBox::KanaTextBox(QWidget* parent) : QLineEdit(parent) {
  auto* style = new CachedPanelStyle(QStyleFactory::create(QApplication::style()->name()));
  style->setParent(this);
  setStyle(style);
  connect(this, &QLineEdit::textChanged, this, [this] { ++changes; });
  connect(this, &QLineEdit::cursorPositionChanged, this, [this] { ++changes; });
  connect(this, &QLineEdit::selectionChanged, this, [this] { ++changes; });
  setFont(Unshaped(font()));
}

bool KanaTextBox::Holds(const QString& moji) const {
  const QString shown = text();
  const QStringView whole(moji);
  return head.size() + shown.size() == whole.size() && whole.first(head.size()) == head &&
         whole.sliced(head.size()) == shown;
}

void KanaTextBox::Clear() {
  head.clear();
  romaji.ClearText();
  if (imeComposition.isEmpty()) {
    ShowRomaji();
    return;
  }
  // setText() would make the input method commit its composition half-typed
  // (a romaji letter left in the box): remove the text with an input-method
  // event of the box's own instead, showing the composition as it was.
  ChangeKeepingComposition(QString(), 0, text().size());
}

void KanaTextBox::ChangeKeepingComposition(const QString& commit, qsizetype from, qsizetype length,
                                           int anchor, int cursor) {
  const bool imeComposing = !imeComposition.isEmpty();
  const QString composition = imeComposing ? imeComposition : romaji.Pending();
  QList<QInputMethodEvent::Attribute> format =
      imeComposing ? imeFormat : Underlined(composition.size());
  if (cursor >= 0) {
    format << QInputMethodEvent::Attribute(QInputMethodEvent::Selection, anchor, cursor - anchor);
  }
  deselect();
  QInputMethodEvent change(composition, format);
  change.setCommitString(commit, int(from) - cursorPosition(), int(length));
  Compose(change);
}

void KanaTextBox::FoldShownText() {
  const QString shown = text();
  if (shown.size() <= FoldAt || cursorPosition() != shown.size() || hasSelectedText()) return;
  // Keep one character more than fills the box's width, so that the box
  // shows what it would show with the whole text in the line edit.
  const QFontMetricsF metrics(font());
  qsizetype cut = shown.size() - 1;
  while (cut > 0 && metrics.horizontalAdvance(shown.sliced(cut)) <= width()) --cut;
  cut = std::max<qsizetype>(cut - 1, 0);
  if (cut > 0 && shown.at(cut).isLowSurrogate()) --cut;
  if (cut == 0) return;
  head += shown.first(cut);
  ChangeKeepingComposition(QString(), 0, cut);
  romaji.SetText(text());
}

void KanaTextBox::UnfoldShownText(qsizetype count) {
  count = std::min(count, head.size());
  if (count == 0) return;
  if (count < head.size() && head.at(head.size() - count).isLowSurrogate()) ++count;
  const int cursor = cursorPosition() + int(count);
  int anchor = cursor;
  if (hasSelectedText()) {
    anchor =
        (cursorPosition() == selectionStart() ? selectionEnd() : selectionStart()) + int(count);
  }
  const QString back = head.last(count);
  head.chop(count);
  ChangeKeepingComposition(back, 0, 0, anchor, cursor);
  romaji.SetText(text());
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
  const QString shown = text();
  const QString wanted = romaji.Text();
  const QString pending = romaji.Pending();
  QInputMethodEvent composition(pending, Underlined(pending.size()));
  // A kana added or a character taken back at the end, where the cursor
  // stands while the player types, goes in with the composition as one
  // change; anything else replaces the line edit's text.
  if (wanted != shown) {
    const bool atEnd = cursorPosition() == shown.size() && !hasSelectedText();
    if (atEnd && wanted.startsWith(shown)) {
      composition.setCommitString(wanted.sliced(shown.size()));
    } else if (atEnd && shown.startsWith(wanted)) {
      const int taken = int(shown.size() - wanted.size());
      composition.setCommitString(QString(), -taken, taken);
    } else {
      setText(wanted);
    }
  }
  Compose(composition);
  FoldShownText();
}

void KanaTextBox::keyPressEvent(QKeyEvent* event) {
  TakeKey(event);
  ShowCursorSteadily();
}

void KanaTextBox::ShowCursorSteadily() {
  // The line edit shows its cursor and starts its blinking afresh at a key's
  // release; done while the key's change waits to be painted, the two
  // repaints are one.
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier);
  QLineEdit::keyReleaseEvent(&release);
  StartBlinking();
}

void KanaTextBox::TakeKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers chord =
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (chord) {
    UnfoldShownText(head.size());
    LetLineEditMoveCursor();
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
      if (text().isEmpty() && romaji.Pending().isEmpty()) UnfoldShownText(FoldAt / 2);
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
  // The cursor keys and the like may reach into the head: give the line edit
  // the whole text first.
  if (!IsModifierKey(event->key())) UnfoldShownText(head.size());
  LetLineEditMoveCursor();
  QLineEdit::keyPressEvent(event);
  if (text() != romaji.Text()) romaji.SetText(text());
}

void KanaTextBox::keyReleaseEvent(QKeyEvent* event) {
  // The line edit would show its cursor again here, repainting the box a
  // second time for the key; it was shown with the press's own repaint.
  QWidget::keyReleaseEvent(event);
  if (event->isAutoRepeat()) return;
  if (onKeyUp) onKeyUp(platform::VirtualKeyCode(event->key()));
}

void KanaTextBox::inputMethodEvent(QInputMethodEvent* event) {
  const QString before = text();
  Compose(*event);
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
  const bool committed = !event->commitString().isEmpty() && text() != before;
  romaji.SetText(text());
  FoldShownText();
  ShowCursorSteadily();
  if (committed && onCommit) onCommit();
}

void KanaTextBox::mousePressEvent(QMouseEvent* event) {
  UnfoldShownText(head.size());
  LetLineEditMoveCursor();
  QLineEdit::mousePressEvent(event);
  StartBlinking();
}

void KanaTextBox::mouseDoubleClickEvent(QMouseEvent* event) {
  UnfoldShownText(head.size());
  LetLineEditMoveCursor();
  QLineEdit::mouseDoubleClickEvent(event);
}

void KanaTextBox::contextMenuEvent(QContextMenuEvent* event) {
  UnfoldShownText(head.size());
  LetLineEditMoveCursor();
  QLineEdit::contextMenuEvent(event);
}

void KanaTextBox::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::NoButton) LetLineEditMoveCursor();
  QLineEdit::mouseMoveEvent(event);
}

void KanaTextBox::mouseReleaseEvent(QMouseEvent* event) {
  LetLineEditMoveCursor();
  QLineEdit::mouseReleaseEvent(event);
}

void KanaTextBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  StartBlinking();
}

void KanaTextBox::Compose(QInputMethodEvent& event) {
  QLineEdit::inputMethodEvent(&event);
  shown.Composed(event, cursorPosition());
  ++changes;
}

void KanaTextBox::LetLineEditMoveCursor() {
  // Only a composition can be lost; with none the box still knows all.
  if (shown.Composing()) shown.Lost();
}

bool KanaTextBox::DrawsItsOwnText() const {
  return shown.Known() && !hasSelectedText() && shown.PlainUnderlinesOnly() &&
         echoMode() == Normal && layoutDirection() == Qt::LeftToRight && !text().isRightToLeft() &&
         placeholderText().isEmpty() && styleSheet().isEmpty() && qApp->styleSheet().isEmpty();
}

void KanaTextBox::StartBlinking() {
  cursorShown.start();
  flashTime = QGuiApplication::styleHints()->cursorFlashTime();
}

bool KanaTextBox::CursorBlinkedOn() const {
  // The line edit shows its cursor steadily at a key and then turns it off
  // and on every half flash time; its timer may come a little early.
  const int half = flashTime / 2;
  if (half < 1 || !cursorShown.isValid()) return true;
  return (cursorShown.elapsed() + half / 10) / half % 2 == 0;
}

void KanaTextBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange && !(font().styleStrategy() & QFont::PreferNoShaping)) {
    // Sends a font change of its own, which the line edit takes in.
    setFont(Unshaped(font()));
    return;
  }
  QLineEdit::changeEvent(event);
}

bool KanaTextBox::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // A character typed alone or with Shift is the box's, as the line edit
    // decides, which first looks the key up among the standard shortcuts
    // (copy, undo and so on) at some cost; none of them is such a key.
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    if (key->key() < Qt::Key_Escape &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier ||
         modifiers == Qt::KeypadModifier)) {
      if (!isReadOnly()) key->accept();
      return QWidget::event(event);
    }
  }
  if (event->type() == QEvent::UpdateRequest) ProbeScrolling();
  if (event->type() == QEvent::Show || event->type() == QEvent::ParentChange) {
    if (watchedWindow != window()) {
      if (watchedWindow) watchedWindow->removeEventFilter(this);
      watchedWindow = window();
      if (watchedWindow != this) watchedWindow->installEventFilter(this);
    }
  }
  return QLineEdit::event(event);
}

bool KanaTextBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == watchedWindow && event->type() == QEvent::UpdateRequest && isVisible())
    ProbeScrolling();
  return QLineEdit::eventFilter(watched, event);
}

void KanaTextBox::ProbeScrolling() {
  if (scrolledFor == Now() || !DrawsItsOwnText()) return;
  // At the screen's resolution, so that the panel drawn there is the one
  // the style keeps for the box.
  if (probe.devicePixelRatio() != devicePixelRatioF())
    probe.setDevicePixelRatio(devicePixelRatioF());
  // The line edit's painter goes to the probe (see redirected()), without
  // the machinery of render().
  probing = true;
  QPaintEvent corner(QRect(0, 0, 1, 1));
  paintEvent(&corner);
  probing = false;
}

QPaintDevice* KanaTextBox::redirected(QPoint* offset) const {
  if (!probing) return QLineEdit::redirected(offset);
  if (offset) *offset = QPoint();
  return &probe;
}

void KanaTextBox::paintEvent(QPaintEvent* event) {
  // The line edit paints the box, and works out its scrolling, when the box
  // shows more than it draws itself or when the state changed since the
  // line edit last did (the window shown, or uncovered, before its update).
  if (probing || !DrawsItsOwnText() || scrolledFor != Now()) {
    QLineEdit::paintEvent(event);
    scrolledFor = Now();
    return;
  }

  QPainter painter(this);
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
  painter.setClipRect(style()
                          ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                          .marginsRemoved(textMargins()));

  const QTextLayout& layout = shown.LayOut(text(), font());
  const QTextLine line = layout.lineAt(0);
  const int cursor = shown.CursorInLayout(cursorPosition());
  // The line edit's cursor rectangle starts five pixels left of the cursor,
  // at the top of the line.
  const QRect cursorArea = cursorRect();
  const QPointF topLeft(cursorArea.x() + 5 - qRound(line.cursorToX(cursor)), cursorArea.y());
  const QColor color = palette().text().color();
  for (const QGlyphRun& run : line.glyphRuns()) glyphs.Draw(painter, run, topLeft, color);

  // The composition's underlines, placed and drawn as Qt draws them.
  const QFontMetricsF metrics(font());
  qreal offset = std::ceil(metrics.underlinePos()) + 0.5;
  if (metrics.underlinePos() <= metrics.descent())
    offset = std::min(offset, metrics.descent() - 0.5);
  const qreal underlineY = topLeft.y() + line.y() + line.ascent() + offset;
  for (const QTextLayout::FormatRange& range : shown.Formats()) {
    if (!range.format.fontUnderline()) continue;
    const QColor underline = range.format.underlineColor();
    painter.setPen(QPen(underline.isValid() ? underline : color, metrics.lineWidth(), Qt::SolidLine,
                        Qt::FlatCap));
    painter.drawLine(QLineF(std::floor(topLeft.x() + line.cursorToX(range.start)), underlineY,
                            std::floor(topLeft.x() + line.cursorToX(range.start + range.length)),
                            underlineY));
  }

  if (hasFocus() && !isReadOnly() && !shown.CursorHidden() && CursorBlinkedOn()) {
    painter.setPen(color);
    layout.drawCursor(&painter, topLeft, cursor,
                      style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel));
  }
}
