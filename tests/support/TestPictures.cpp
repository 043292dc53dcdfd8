#include "support/TestPictures.h"

#include "platform/Picture.h"

QRgb KobColour(int k) { return qRgb(30 * k, 250 - 25 * k, 40 + 20 * k); }

namespace {

QImage MakeDisc(QRgb colour, int scale) {
  QImage image(125 * scale, 145 * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QPoint offset = QPoint(x, y) / scale - KobDiscCentre;
      if (QPoint::dotProduct(offset, offset) <= KobDiscRadius * KobDiscRadius) {
        image.setPixel(x, y, colour);
      }
    }
  }
  return image;
}

// Calls `visit(x, y)` for every pixel of `area`.
template <typename Visit>
void ForEachPixel(const QRect& area, Visit visit) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) visit(x, y);
  }
}

}  // namespace

QImage MakeKobImage(int k, int scale) { return MakeDisc(KobColour(k), scale); }

QImage MakeKobMask(int scale) { return MakeDisc(qRgb(0, 0, 0), scale); }

QRgb PatternAt(int x, int y) { return qRgb(x % 256, y % 256, (x / 256) * 64 + (y / 256) * 128); }

void FillWithPattern(platform::Picture& picture) {
  ForEachPixel(picture.Rect(),
               [&](int x, int y) { picture.Image().setPixel(x, y, PatternAt(x, y)); });
}

QRect InkBounds(const QImage& image, QRgb ground, const QRect& area) {
  QRect bounds;
  ForEachPixel(area, [&](int x, int y) {
    if (image.pixel(x, y) != ground) bounds |= QRect(x, y, 1, 1);
  });
  return bounds;
}

int CountColour(const QImage& image, QRgb colour, const QRect& area) {
  int count = 0;
  ForEachPixel(area, [&](int x, int y) { count += image.pixel(x, y) == colour; });
  return count;
}
