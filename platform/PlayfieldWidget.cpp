#include "platform/PlayfieldWidget.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/Picture.h"

namespace platform {

PlayfieldWidget::PlayfieldWidget(const Picture& composite, QWidget* parent)
    : QWidget(parent), composite(composite) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
}

QRect PlayfieldWidget::ToWidget(const QRect& compositeArea) const {
  const QSize source = composite.Image().size();
  if (source.isEmpty() || size() == source) return compositeArea;
  const double sx = double(width()) / source.width();
  const double sy = double(height()) / source.height();
  return QRectF(compositeArea.x() * sx, compositeArea.y() * sy, compositeArea.width() * sx,
                compositeArea.height() * sy)
      .toAlignedRect();
}

void PlayfieldWidget::Present(const QRect& compositeArea) { update(ToWidget(compositeArea)); }

void PlayfieldWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QImage& image = composite.Image();
  if (image.isNull()) {
    painter.fillRect(event->rect(), Qt::white);
    return;
  }
  if (size() == image.size()) {
    painter.drawImage(event->rect(), image, event->rect());
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), image);
}

}  // namespace platform
