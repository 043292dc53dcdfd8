#pragma once
#include <QFont>
#include <QInputMethodEvent>
#include <QString>
#include <QTextLayout>

// What a line edit shows, laid out as the line edit lays it out: its text
// with the composition of the last input-method event at the place the
// event left the cursor, that composition's formats, and where the text
// cursor stands in it. The box draws from this layout what the line edit
// would draw from its own.
class ShownLine {
 public:
  // Takes note of an input-method event the line edit has just handled;
  // `cursor` is its cursor position after it.
  void Composed(const QInputMethodEvent& event, int cursor);
  // The line edit dropped or changed its composition on its own (moving the
  // cursor ends it): until the next input-method event, what it shows is
  // not known here.
  void Lost() { known = false; }
  bool Known() const { return known; }
  bool Composing() const { return !preedit.isEmpty(); }

  // The layout of `text` with the composition, in `font`; laid out again
  // only when one of them changed.
  const QTextLayout& LayOut(const QString& text, const QFont& font);
  // The text cursor's position in the layout for the line edit's `cursor`.
  int CursorInLayout(int cursor) const { return cursor + preeditCursor; }
  // The composition asks for no text cursor.
  bool CursorHidden() const { return hideCursor; }
  // Every format of the composition is a plain underline, at most coloured.
  bool PlainUnderlinesOnly() const;
  const QList<QTextLayout::FormatRange>& Formats() const { return formats; }

 private:
  bool known = true;
  QString preedit;
  int preeditAt = -1;
  int preeditCursor = 0;
  bool hideCursor = false;
  QList<QTextLayout::FormatRange> formats;

  QTextLayout layout;
  bool laidOut = false;
  QString laidText;
  QFont laidFont;
};
