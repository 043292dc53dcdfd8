#include "Canvas.h"

#include <QImageWriter>

namespace pictures {

QPen inkPen(qreal width) {
  QPen pen(kInk, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

QColor mix(const QColor &a, const QColor &b, qreal t) {
  return QColor::fromRgbF(
      a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
      a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

Canvas::Canvas(QSize size, int scale, QImage::Format format, const QColor &fill)
    : image_(size * scale, format) {
  image_.fill(fill);
  painter_ = std::make_unique<QPainter>(&image_);
  painter_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
  painter_->scale(scale, scale);
}

Canvas::~Canvas() = default;

QImage Canvas::finish() {
  painter_.reset();
  return image_;
}

bool saveJpeg(const QImage &image, const QString &path) {
  QImageWriter writer(path, "jpeg");
  writer.setQuality(100);
  return writer.write(image.convertToFormat(QImage::Format_RGB32));
}

}  // namespace pictures
