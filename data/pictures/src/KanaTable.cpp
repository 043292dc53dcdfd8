#include "KanaTable.h"

#include <QFile>
#include <QFontMetricsF>
#include <QTextStream>
#include <array>

#include "Canvas.h"
#include "Playfield.h"
#include "romaji/RomajiTable.h"

namespace pictures {

std::vector<Lesson> readInputTable(const QString &path, QString *error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    *error = QStringLiteral("cannot read %1").arg(path);
    return {};
  }
  std::vector<Lesson> lessons;
  QTextStream in(&file);
  in.setEncoding(QStringConverter::Utf8);
  for (int number = 1; !in.atEnd(); ++number) {
    const QString line = in.readLine().trimmed();
    const auto fail = [&](const QString &why) {
      *error = QStringLiteral("%1:%2: %3").arg(path).arg(number).arg(why);
      return std::vector<Lesson>{};
    };
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    if (line.startsWith(QLatin1Char('['))) {
      if (!line.endsWith(QLatin1Char(']')))
        return fail(QStringLiteral("a lesson caption ends with ]"));
      lessons.push_back({line.mid(1, line.size() - 2), {}});
      continue;
    }
    const QStringList kana = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (lessons.empty() || kana.size() > 5)
      return fail(QStringLiteral("a row of at most five kana inside a lesson"));
    KanaRow &row = lessons.back().rows.emplace_back();
    for (const QString &moji : kana) {
      const QStringList spellings = ShownSpellings(moji);
      if (spellings.isEmpty())
        return fail(QStringLiteral("the romaji table has no spelling of %1").arg(moji));
      row.push_back({moji, spellings});
    }
  }
  return lessons;
}

std::vector<int> rowColumns(const KanaRow &row) {
  static const QString vowels = QStringLiteral("aiueo");
  std::vector<int> columns;
  int previous = -1;
  for (const KanaEntry &entry : row) {
    const int column = vowels.indexOf(entry.spellings.first().back());
    if (column <= previous) break;
    columns.push_back(column);
    previous = column;
  }
  if (columns.size() == row.size()) return columns;
  columns.clear();
  for (std::size_t i = 0; i < row.size(); ++i) columns.push_back(int(i));
  return columns;
}

namespace {

const QColor kPaper{0xff, 0xfd, 0xf7};
const QColor kCellFill{0xff, 0xff, 0xff};
const QColor kCellLine{0xd9, 0xcf, 0xbf};
const QColor kMainText{0x1b, 0x2a, 0x4a};
const QColor kAltText{0x4a, 0x3e, 0x38};
const std::array<QColor, 5> kBands{{{0xff, 0xe1, 0xe5},
                                    {0xff, 0xec, 0xcc},
                                    {0xe6, 0xf4, 0xd6},
                                    {0xdc, 0xee, 0xfb},
                                    {0xec, 0xe3, 0xfb}}};

constexpr qreal kLeft = kTableHiddenLeft + 2;
constexpr qreal kCellWidth = (kTableWidth - kLeft - 2) / 5.0;
constexpr qreal kTop = 40;
constexpr qreal kHeading = 21;
constexpr qreal kBottom = 4;

// `font` made smaller until `text` fits into `width`.
QFont fitted(QFont font, const QString &text, qreal width) {
  while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(text) > width)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

void cell(QPainter &p, const QRectF &box, const KanaEntry &entry, KanaScript script) {
  p.setPen(QPen(kCellLine, 1));
  p.setBrush(kCellFill);
  p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 4, 4);

  // Three lines: the kana, its first spelling, then the other spellings.
  const qreal line = (box.height() - 3) / 3.3;
  QRectF text(box.left(), box.top() + 1.5, box.width(), line * 1.3);
  p.setPen(kInk);
  p.setFont(gothic(entry.kana.size() > 1 ? 15 : 16));
  p.drawText(text, Qt::AlignCenter, InScript(entry.kana, script));
  text.translate(0, text.height());
  text.setHeight(line);
  p.setPen(kMainText);
  p.setFont(fitted(gothic(13, true, true), entry.spellings.first(), box.width() - 3));
  p.drawText(text, Qt::AlignCenter, entry.spellings.first());
  if (entry.spellings.size() < 2) return;
  const QString others = entry.spellings.mid(1).join(QLatin1Char(' '));
  text.translate(0, text.height());
  p.setPen(kAltText);
  p.setFont(fitted(gothic(11, false, true), others, box.width() - 3));
  p.drawText(text, Qt::AlignCenter, others);
}

}  // namespace

QImage renderKanaTable(const std::vector<Lesson> &lessons, KanaScript script) {
  int rows = 0;
  for (const Lesson &lesson : lessons) rows += int(lesson.rows.size());
  // Rows share out what the headings leave, so the table fills the strip.
  const qreal rowHeight =
      rows ? (kTableHeight - kTop - kBottom - kHeading * lessons.size()) / rows : 0;

  Canvas canvas(QSize(kTableWidth, kTableHeight), 1, QImage::Format_RGB32, kPaper);
  QPainter &p = canvas.painter();
  p.setPen(kInk);
  p.setFont(gothic(17, true));
  p.drawText(QRectF(kLeft, 2, kTableWidth - kLeft, 22), Qt::AlignCenter,
             QStringLiteral("ローマ字の打ち方"));
  p.setFont(gothic(11));
  p.setPen(kAltText);
  p.drawText(QRectF(kLeft, 22, kTableWidth - kLeft, 16), Qt::AlignCenter,
             QStringLiteral("小さい字はほかの打ち方 (+ は続けて打つ)"));

  qreal y = kTop;
  for (std::size_t index = 0; index < lessons.size(); ++index) {
    const Lesson &lesson = lessons[index];
    const QRectF band(kLeft, y + 2, kTableWidth - kLeft - 2, kHeading - 4);
    p.setPen(QPen(kBands[index % kBands.size()].darker(125), 1));
    p.setBrush(kBands[index % kBands.size()]);
    p.drawRoundedRect(band, 6, 6);
    p.setPen(kInk);
    p.setFont(gothic(14, true));
    p.drawText(band.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("%1. %2").arg(index + 1).arg(lesson.caption));
    y += kHeading;
    for (const KanaRow &row : lesson.rows) {
      const std::vector<int> columns = rowColumns(row);
      for (std::size_t i = 0; i < row.size(); ++i)
        cell(p, QRectF(kLeft + columns[i] * kCellWidth, y, kCellWidth, rowHeight), row[i], script);
      y += rowHeight;
    }
  }
  return canvas.finish();
}

}  // namespace pictures
