#include "platform/drawing/Picture.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/system/Services.h"

namespace platform {
Picture::Picture(int width, int height) { Resize(width, height); }

void Picture::Resize(int width, int height) {
  const int ratio = PixelRatio();
  pixels->image = QImage(width * ratio, height * ratio, QImage::Format_RGB32);
  pixels->image.setDevicePixelRatio(ratio);
  pixels->blank = true;
  drawn = Rect();
}

int Picture::Width() const { return qRound(pixels->image.deviceIndependentSize().width()); }

int Picture::Height() const { return qRound(pixels->image.deviceIndependentSize().height()); }

void Picture::Print(QPoint topLeft, const QString& text) {
  if (pixels->image.isNull() || text.isEmpty()) return;
  QPainter painter(&ImageToDrawIn());
  painter.setFont(ToQFont(Font));
  painter.setPen(ForeColor);
  // The text cell's top is `ascent` above the baseline that Qt draws on.
  painter.drawText(QPoint(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent()), text);
}

void Picture::PrintOutlined(QPoint topLeft, const QString& text, QColor outline) {
  if (pixels->image.isNull() || text.isEmpty()) return;
  QPainter painter(&ImageToDrawIn());
  painter.setFont(ToQFont(Font));
  const QPoint baseline(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent());
  // The text in the outline colour at every offset of a small disc grows
  // the glyphs by the ring; far cheaper than stroking the glyphs' paths.
  painter.setPen(outline);
  for (int dy = -OutlineReach; dy <= OutlineReach; ++dy) {
    for (int dx = -OutlineReach; dx <= OutlineReach; ++dx) {
      if ((dx || dy) && dx * dx + dy * dy <= OutlineReach * OutlineReach + 1) {
        painter.drawText(baseline + QPoint(dx, dy), text);
      }
    }
  }
  painter.setPen(ForeColor);
  painter.drawText(baseline, text);
}

QRect Picture::TextBounds(QPoint topLeft, const QString& text) const {
  const QFontMetrics metrics(ToQFont(Font));
  return metrics.tightBoundingRect(text).translated(topLeft.x(), topLeft.y() + metrics.ascent());
}

QImage ScaledForDrawing(const QImage& image, QSize size, qreal pixelRatio) {
  if (image.isNull() || size.isEmpty()) return {};
  const QSize pixels(static_cast<int>(std::lround(size.width() * pixelRatio)),
                     static_cast<int>(std::lround(size.height() * pixelRatio)));
  QImage scaled = image.size() == pixels
                      ? image
                      : image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  scaled = scaled.convertToFormat(QImage::Format_RGB32);
  scaled.setDevicePixelRatio(pixelRatio);
  return scaled;
}

QImage GrayIfColourless(const QImage& image) {
  if (image.format() != QImage::Format_RGB32) return image;
  QImage gray(image.size(), QImage::Format_Grayscale8);
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* grays = gray.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = row[x];
      if (qRed(pixel) != qBlue(pixel) || qGreen(pixel) != qBlue(pixel)) return image;
      grays[x] = static_cast<uchar>(qBlue(pixel));
    }
  }
  gray.setDevicePixelRatio(image.devicePixelRatio());
  return gray;
}

int PixelRatio() {
  if (const int chosen = CurrentServices().pixelRatio; chosen > 0) return chosen;
  const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
  if (!screen) return 1;
  return std::clamp(static_cast<int>(std::ceil(screen->devicePixelRatio() - 0.01)), 1, 4);
}

}  // namespace platform
