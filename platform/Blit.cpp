#include "platform/Blit.h"

#include <QImage>
#include <QPainter>

#include "platform/Picture.h"

namespace platform {
namespace {

QPainter::CompositionMode ModeOf(RasterOp op) {
  switch (op) {
    case MERGEPAINT:
      return QPainter::RasterOp_NotSourceOrDestination;
    case SRCAND:
      return QPainter::RasterOp_SourceAndDestination;
    case SRCCOPY:
      break;
  }
  return QPainter::CompositionMode_Source;
}

QRectF PixelsOf(const QRectF& area, qreal pixelRatio) {
  return QRectF(area.topLeft() * pixelRatio, area.size() * pixelRatio);
}

}  // namespace

void BitBlt(Picture& dest, const QRect& destArea, const Picture& src, QPoint srcTopLeft,
            RasterOp op) {
  StretchBlt(dest, destArea, src.Image(), QRect(srcTopLeft, destArea.size()), op);
}

void StretchBlt(Picture& dest, const QRect& destArea, const Picture& src, const QRect& srcArea,
                RasterOp op) {
  StretchBlt(dest, destArea, src.Image(), srcArea, op);
}

void StretchBlt(Picture& dest, const QRect& destArea, const QImage& src, const QRect& srcArea,
                RasterOp op) {
  QImage& target = dest.ImageToDrawIn(destArea);
  if (target.isNull() || src.isNull() || destArea.isEmpty() || srcArea.isEmpty()) return;

  // Only the part of the source that exists is copied, into the part of the
  // destination area it maps to.
  const QRectF visible =
      QRectF(srcArea).intersected(QRectF(QPointF(0, 0), src.deviceIndependentSize()));
  if (visible.isEmpty()) return;
  const qreal sx = destArea.width() / qreal(srcArea.width());
  const qreal sy = destArea.height() / qreal(srcArea.height());
  const QRectF to(destArea.x() + (visible.x() - srcArea.x()) * sx,
                  destArea.y() + (visible.y() - srcArea.y()) * sy, visible.width() * sx,
                  visible.height() * sy);

  // The raster operations work on colours alone, as on a screen; a loaded
  // picture's transparency plays no part.
  const QImage source = src.hasAlphaChannel() ? src.convertToFormat(QImage::Format_RGB32) : src;
  const QRectF from = PixelsOf(visible, src.devicePixelRatio());

  QPainter painter(&target);
  painter.setCompositionMode(ModeOf(op));
  if (to.size() == visible.size() && src.devicePixelRatio() == target.devicePixelRatio()) {
    painter.drawImage(to.topLeft(), source, from);
    return;
  }
  // Scaled first and combined afterwards, so that the raster operation meets
  // the smoothly filtered pixels one to one.
  const qreal ratio = target.devicePixelRatio();
  QImage scaled = source.copy(from.toAlignedRect())
                      .scaled(PixelsOf(to, ratio).size().toSize(), Qt::IgnoreAspectRatio,
                              Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(ratio);
  painter.drawImage(to.topLeft(), scaled);
}

}  // namespace platform
