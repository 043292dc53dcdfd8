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
  const QSize source = composite.Image().deviceIndependentSize().toSize();
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
  // Shown one to one, the changed areas are copied pixel for pixel (each on
  // its own, not the rectangle around them all: two hole columns far apart
  // would take most of the playfield), at the screen's full resolution when
  // the composite has as many pixels (a screen of ratio 1.5 gets the
  // composite of ratio 2 smoothly shrunk).
  if (size() == image.deviceIndependentSize().toSize()) {
    const qreal ratio = image.devicePixelRatio();
    if (ratio != devicePixelRatioF()) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const QRect& area : event->region()) {
      painter.drawImage(QRectF(area), image, QRectF(area.topLeft() * ratio, area.size() * ratio));
    }
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), image);
}

}  // namespace platform
