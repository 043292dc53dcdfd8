// The keyboard of the how-to screen (KeyBorad.jpg): the main key block with
// every key coloured by the finger that types it in touch typing.
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>

namespace pictures {

inline constexpr QSize kKeyboardSize{512, 192};
inline constexpr int kFingers = 8;  // left little .. left index, right index .. right little

// Finger (0..7) that types the key in column `column` (0..9) of a letter or
// number row.
int fingerOfColumn(int column);

// The colour of the keys finger `finger` (0..7) types.
QColor fingerColour(int finger);

// The key in `column` (0..9) of `row` (0 = number row .. 3 = bottom letter
// row), in picture pixels at size 1.
QRectF keyBox(int row, int column);

QImage renderKeyboard(int scale);

}  // namespace pictures
