#include "Keyboard.h"

#include "Canvas.h"
#include "Playfield.h"

#include <QPainterPath>

#include <array>

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

// The four rows of the key block; the stagger grows by a quarter key a row.
const std::array<const char *, 4> kRows{{"1234567890", "QWERTYUIOP", "ASDFGHJKL;", "ZXCVBNM,./"}};
constexpr int kHomeRow = 2;
constexpr qreal kPitch = 512.0 / 10.75;
constexpr qreal kRowPitch = 37.6;
constexpr qreal kGap = 4.0;

void key(QPainter &p, const QRectF &box, const QColor &colour, const QString &legend, bool home,
         bool bump)
{
    // Cap: a darker skirt with a lighter top face.
    p.setPen(inkPen(home ? 2.6 : 1.4));
    p.setBrush(colour.darker(112));
    p.drawRoundedRect(box, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.lighter(112));
    p.drawRoundedRect(box.adjusted(4, 2.5, -4, -6), 4.5, 4.5);
    if (legend.isEmpty())
        return;
    p.setFont(gothic(17, true));
    p.setPen(kInk);
    p.drawText(box.adjusted(0, 0, 0, -4), Qt::AlignCenter, legend);
    if (bump) {
        p.setPen(inkPen(2.2));
        p.drawLine(QPointF(box.center().x() - 6, box.bottom() - 8),
                   QPointF(box.center().x() + 6, box.bottom() - 8));
    }
}

}  // namespace

QRectF keyBox(int row, int column)
{
    const qreal shift = row * kPitch / 4;
    return QRectF(shift + column * kPitch + kGap / 2, 2 + row * kRowPitch, kPitch - kGap,
                  kRowPitch - kGap);
}

int fingerOfColumn(int column)
{
    static constexpr std::array<int, 10> fingers{0, 1, 2, 3, 3, 4, 4, 5, 6, 7};
    return fingers[std::clamp(column, 0, 9)];
}

QImage renderKeyboard(int scale)
{
    Canvas canvas(kKeyboardSize, scale, QImage::Format_RGB32, Qt::white);
    QPainter &p = canvas.painter();
    for (int row = 0; row < int(kRows.size()); ++row) {
        for (int column = 0; column < 10; ++column) {
            // Home keys (A S D F, J K L ;) get a heavy rim, F and J their bump.
            const QChar legend = QLatin1Char(kRows[row][column]);
            const bool home = row == kHomeRow && column != 4 && column != 5;
            key(p, keyBox(row, column), kFingerColours[fingerOfColumn(column)], QString(legend),
                home, legend == QLatin1Char('F') || legend == QLatin1Char('J'));
        }
    }
    // The space bar, for the thumbs.
    const QRectF space(2.75 * kPitch, 2 + 4 * kRowPitch, 5.25 * kPitch, kRowPitch - kGap);
    key(p, space, kThumbs, QString(), false, false);
    return canvas.finish();
}

}  // namespace pictures
