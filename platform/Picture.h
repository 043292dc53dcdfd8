#pragma once
#include <QColor>
#include <QImage>

namespace platform {

// A retained picture: keeps what is drawn into it until it is drawn over,
// with a text (fore) colour for what is printed into it.
class Picture {
 public:
  Picture() = default;
  Picture(int width, int height);

  // Makes the picture width x height, all white.
  void Resize(int width, int height);

  int Width() const { return image.width(); }
  int Height() const { return image.height(); }
  QImage& Image() { return image; }
  const QImage& Image() const { return image; }

  QColor ForeColor = Qt::black;

 private:
  QImage image;
};

}  // namespace platform
