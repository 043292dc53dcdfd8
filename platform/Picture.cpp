#include "platform/Picture.h"

namespace platform {

Picture::Picture(int width, int height) { Resize(width, height); }

void Picture::Resize(int width, int height) {
  image = QImage(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
}

}  // namespace platform
