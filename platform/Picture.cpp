#include "platform/Picture.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace platform {

Picture::Picture(int width, int height) { Resize(width, height); }

void Picture::Resize(int width, int height) {
  image = QImage(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
}

int Picture::Width() const { return qRound(image.deviceIndependentSize().width()); }

int Picture::Height() const { return qRound(image.deviceIndependentSize().height()); }

void Picture::Print(QPoint topLeft, const QString& text) {
  if (image.isNull() || text.isEmpty()) return;
  QPainter painter(&image);
  painter.setFont(ToQFont(Font));
  painter.setPen(ForeColor);
  // The text cell's top is `ascent` above the baseline that Qt draws on.
  painter.drawText(QPoint(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent()), text);
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

}  // namespace platform
