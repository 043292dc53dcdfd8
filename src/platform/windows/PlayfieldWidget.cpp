#include "platform/windows/PlayfieldWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/drawing/Picture.h"

namespace platform {

namespace {

// Qt's raster engine hands a fill of 96 device rows or more to a thread pool,
// 64 rows a thread, and waits for them. For copies as short as a step's
// areas, waking the pool's threads costs more than copying on this one.
constexpr int BandRows = 64;

// Calls `draw` once for each band of at most BandRows device rows of `area`,
// clipped to the band, so that every pixel comes out as drawing the whole
// area at once makes it.
template <typename Draw>
void PaintInBands(QPainter& painter, const QRect& area, qreal deviceRatio, const Draw& draw) {
  const int rows = std::max(1, int(BandRows / deviceRatio));
  for (int top = area.top(); top <= area.bottom(); top += rows) {
    painter.setClipRect(
        QRect(area.left(), top, area.width(), std::min(rows, area.bottom() + 1 - top)));
    draw();
  }
  painter.setClipping(false);
}

}  // namespace

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
      PaintInBands(painter, area, devicePixelRatioF(), [&] {
        painter.drawImage(QRectF(area), image, QRectF(area.topLeft() * ratio, area.size() * ratio));
      });
    }
    return;
  }
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (const QRect& area : event->region())
    PaintInBands(painter, area, devicePixelRatioF(), [&] { painter.drawImage(rect(), image); });
}

}  // namespace platform
