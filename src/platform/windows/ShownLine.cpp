#include "platform/windows/ShownLine.h"

#include <QTextCharFormat>

void ShownLine::Composed(const QInputMethodEvent& event, int cursor) {
  // As the line edit takes it: the composition at the cursor, the text
  // cursor after it unless the event places (or hides) it, and the
  // formats from the cursor.
  preedit = event.preeditString();
  preeditAt = cursor;
  preeditCursor = int(preedit.size());
  hideCursor = false;
  formats.clear();
  for (const QInputMethodEvent::Attribute& attribute : event.attributes()) {
    if (attribute.type == QInputMethodEvent::Cursor) {
      preeditCursor = attribute.start;
      hideCursor = attribute.length == 0;
    } else if (attribute.type == QInputMethodEvent::TextFormat) {
      const QTextCharFormat format = qvariant_cast<QTextFormat>(attribute.value).toCharFormat();
      if (format.isValid()) formats.append({attribute.start + cursor, attribute.length, format});
    }
  }
  known = true;
  laidOut = false;
}

bool ShownLine::PlainUnderlinesOnly() const {
  for (const QTextLayout::FormatRange& range : formats) {
    for (const int property : range.format.properties().keys()) {
      const bool plainUnderline =
          (property == QTextFormat::TextUnderlineStyle &&
           range.format.underlineStyle() == QTextCharFormat::SingleUnderline) ||
          (property == QTextFormat::FontUnderline && range.format.fontUnderline()) ||
          property == QTextFormat::TextUnderlineColor;
      if (!plainUnderline) return false;
    }
  }
  return true;
}

const QTextLayout& ShownLine::LayOut(const QString& text, const QFont& font) {
  if (laidOut && text == laidText && font == laidFont) return layout;
  laidText = text;
  laidFont = font;
  // The line edit shows control characters as spaces.
  QString shown = text;
  for (QChar& c : shown) {
    if ((c.unicode() < 0x20 && c.unicode() != 0x09) || c == QChar::LineSeparator ||
        c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter) {
      c = QChar(0x20);
    }
  }
  layout.setFont(font);
  layout.setText(shown);
  layout.setPreeditArea(preedit.isEmpty() ? -1 : preeditAt, preedit);
  layout.setFormats(formats);
  QTextOption option = layout.textOption();
  option.setTextDirection(Qt::LeftToRight);
  option.setFlags(QTextOption::IncludeTrailingSpaces);
  layout.setTextOption(option);
  layout.setCacheEnabled(true);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  laidOut = true;
  return layout;
}
