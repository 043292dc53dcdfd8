#include "Keyboard.h"

#include <QPainterPath>
#include <array>
#include <vector>

#include "Canvas.h"
#include "Playfield.h"

namespace pictures {
namespace {

// One pastel per finger, left little to right little.
const std::array<QColor, kFingers> kFingerColours{{
    {0xf7, 0x9f, 0xa8},  // left little: coral pink
    {0xfb, 0xc0, 0x7a},  // left ring: apricot
    {0xf4, 0xe0, 0x6e},  // left middle: lemon
    {0xa7, 0xdb, 0x86},  // left index: leaf green
    {0x7f, 0xd3, 0xcc},  // right index: mint
    {0x93, 0xb8, 0xf2},  // right middle: sky blue
    {0xbf, 0xa4, 0xf0},  // right ring: lavender
    {0xeb, 0x9f, 0xdc},  // right little: orchid
}};
const QColor kThumbs{0xdd, 0xd8, 0xd0};

// The four rows of the key block; the keys at either end of each row (JIS
// layout) are the little fingers'.
const std::array<const char *, 4> kRows{{"1234567890", "QWERTYUIOP", "ASDFGHJKL;", "ZXCVBNM,./"}};
const std::array<const char *, 4> kRightKeys{{"- ^ ¥", "@ [", ": ]", "＼"}};
const std::array<const char *, 4> kLeftKeys{{"", "Tab", "英数", "Shift"}};
// The wide keys that end the rows; the Enter key of rows 1 and 2 comes apart.
const std::array<const char *, 4> kLastKeys{{"BS", nullptr, nullptr, "Shift"}};
constexpr int kHomeRow = 2;

// The how-to-use screen prints the finger names in a fixed row above this
// picture: at the playfield's usual size, one name every 36 pixels from 30
// pixels right of the picture's left edge (the index fingers' names over two
// columns each). The key columns keep that pitch, and each row starts 7
// pixels right of the row above, so that every name stands over keys of its
// own finger in all four rows.
constexpr qreal kPitch = 36;
constexpr std::array<qreal, 4> kRowLeft{{22, 29, 36, 43}};
constexpr qreal kRowPitch = 37.6;
constexpr qreal kGap = 4.0;

// The box of the key from x `left` to `right` in `row` (row 4 is the space bar's).
QRectF span(int row, qreal left, qreal right) {
  return QRectF(left + kGap / 2, 2 + row * kRowPitch, right - left - kGap, kRowPitch - kGap);
}

// A key cap, a darker skirt with a lighter top face, over the union of
// `boxes` (the Enter key is two).
void key(QPainter &p, const std::vector<QRectF> &boxes, const QColor &colour, const QString &legend,
         qreal legendSize, bool home = false, bool bump = false) {
  QPainterPath skirt, face;
  skirt.setFillRule(Qt::WindingFill);
  face.setFillRule(Qt::WindingFill);
  for (const QRectF &box : boxes) {
    skirt.addRoundedRect(box, 6, 6);
    face.addRoundedRect(box.adjusted(4, 2.5, -4, -6), 4.5, 4.5);
  }
  p.setPen(inkPen(home ? 2.6 : 1.4));
  p.setBrush(colour.darker(112));
  p.drawPath(skirt.simplified());
  p.setPen(Qt::NoPen);
  p.setBrush(colour.lighter(112));
  p.drawPath(face.simplified());
  const QRectF &box = boxes.front();
  p.setFont(gothic(legendSize, true));
  p.setPen(kInk);
  p.drawText(box.adjusted(0, 0, 0, -4), Qt::AlignCenter, legend);
  if (bump) {
    p.setPen(inkPen(2.2));
    p.drawLine(QPointF(box.center().x() - 6, box.bottom() - 8),
               QPointF(box.center().x() + 6, box.bottom() - 8));
  }
}

}  // namespace

QRectF keyBox(int row, int column) {
  const qreal left = kRowLeft[row] + column * kPitch;
  return span(row, left, left + kPitch);
}

int fingerOfColumn(int column) {
  static constexpr std::array<int, 10> fingers{0, 1, 2, 3, 3, 4, 4, 5, 6, 7};
  return fingers[std::clamp(column, 0, 9)];
}

QColor fingerColour(int finger) { return kFingerColours[std::clamp(finger, 0, kFingers - 1)]; }

QImage renderKeyboard(int scale) {
  Canvas canvas(kKeyboardSize, scale, QImage::Format_RGB32, Qt::white);
  QPainter &p = canvas.painter();
  const qreal width = kKeyboardSize.width();
  for (int row = 0; row < int(kRows.size()); ++row) {
    for (int column = 0; column < 10; ++column) {
      // Home keys (A S D F, J K L ;) get a heavy rim, F and J their bump.
      const QChar legend = QLatin1Char(kRows[row][column]);
      const bool home = row == kHomeRow && column != 4 && column != 5;
      key(p, {keyBox(row, column)}, kFingerColours[fingerOfColumn(column)], QString(legend), 17,
          home, legend == QLatin1Char('F') || legend == QLatin1Char('J'));
    }
    // The keys at either end, for the little fingers.
    key(p, {span(row, -kGap, kRowLeft[row])}, kFingerColours.front(),
        QString::fromUtf8(kLeftKeys[row]), 9);
    qreal left = keyBox(row, 10).left() - kGap / 2;
    for (const QString &legend : QString::fromUtf8(kRightKeys[row]).split(QLatin1Char(' '))) {
      key(p, {span(row, left, left + kPitch)}, kFingerColours.back(), legend, 15);
      left += kPitch;
    }
    if (kLastKeys[row])
      key(p, {span(row, left, width + kGap)}, kFingerColours.back(),
          QString::fromUtf8(kLastKeys[row]), 9);
  }
  // Enter, over two rows, joined by a bridge between its two parts.
  const QRectF upper = span(1, kRowLeft[1] + 12 * kPitch, width + kGap);
  const QRectF lower = span(2, kRowLeft[2] + 12 * kPitch, width + kGap);
  const QRectF bridge(lower.left(), upper.center().y(), lower.width(),
                      lower.top() + 10 - upper.center().y());
  key(p, {upper, bridge, lower}, kFingerColours.back(), QStringLiteral("Enter"), 9);
  // The space bar, for the thumbs.
  key(p, {span(4, kRowLeft[3] + 2 * kPitch, kRowLeft[3] + 7 * kPitch)}, kThumbs, QString(), 9);
  return canvas.finish();
}

}  // namespace pictures
