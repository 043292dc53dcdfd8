// Shared drawing kit of the pictures: a canvas drawn in game pixels at a
// higher resolution, the outline style every picture uses, and JPEG output.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>
#include <memory>

namespace pictures {

// The pictures are drawn at twice the size the game shows them at.
inline constexpr int kDetail = 2;

// One ink for every outline, a warm dark brown rather than black.
inline const QColor kInk{0x3a, 0x28, 0x22};

QPen inkPen(qreal width);
QColor mix(const QColor &a, const QColor &b, qreal t);  // t = 0 -> a, 1 -> b

// An image of logical size `size` (game pixels) times `scale`, with a
// painter already scaled so callers draw in game pixels.
class Canvas {
 public:
  Canvas(QSize size, int scale, QImage::Format format, const QColor &fill);
  ~Canvas();
  QPainter &painter() { return *painter_; }
  QImage finish();  // ends painting and hands the picture over

 private:
  QImage image_;
  std::unique_ptr<QPainter> painter_;
};

// Writes a JPEG at the highest quality; false if it could not be written.
bool saveJpeg(const QImage &image, const QString &path);

}  // namespace pictures
