#include "Compose.h"

#include "Playfield.h"

namespace pictures {

QImage toFrame(const QImage &picture) {
  return picture.scaled(kCritterSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_RGB32);
}

void composeCritter(QImage &field, const QImage &critter, const QImage &mask, int left, int groundY,
                    int rows) {
  const int top = groundY - rows;
  for (int row = 0; row < rows; ++row) {
    const int y = top + row;
    if (y < 0 || y >= field.height()) continue;
    const QRgb *c = reinterpret_cast<const QRgb *>(critter.constScanLine(row));
    const QRgb *m = reinterpret_cast<const QRgb *>(mask.constScanLine(row));
    QRgb *d = reinterpret_cast<QRgb *>(field.scanLine(y));
    for (int col = 0; col < critter.width(); ++col) {
      const int x = left + col;
      if (x < 0 || x >= field.width()) continue;
      const QRgb under = (~m[col] | d[x]) & 0x00ffffffu;
      d[x] = (c[col] & under) | 0xff000000u;
    }
  }
}

}  // namespace pictures
