#include "platform/drawing/Blit.h"

#include <QImage>
#include <QPainter>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/drawing/Picture.h"

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

// `source` pixels combined into `old` ones under `op`, as the painter's
// raster operations make them on pixels without transparency: the colour
// bits combined, the result kept opaque.
template <RasterOp op>
QRgb Combined(QRgb source, QRgb old) {
  if constexpr (op == SRCCOPY) return source | 0xff000000u;
  if constexpr (op == MERGEPAINT) return ~source | old | 0xff000000u;
  return (source & old) | 0xff000000u;
}

#ifdef __SSE2__
template <RasterOp op>
__m128i Combined(__m128i source, __m128i old) {
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xff000000));
  if constexpr (op == SRCCOPY) return _mm_or_si128(source, opaque);
  if constexpr (op == MERGEPAINT) {
    return _mm_or_si128(_mm_or_si128(_mm_xor_si128(source, _mm_set1_epi32(-1)), old), opaque);
  }
  return _mm_or_si128(_mm_and_si128(source, old), opaque);
}
#endif

// One row of `op` from opaque 32-bit pixels, four at a time where the
// processor has SSE2 (every x86-64 one).
template <RasterOp op>
void CombineRow(QRgb* to, const QRgb* from, int count) {
  int i = 0;
#ifdef __SSE2__
  for (; i + 4 <= count; i += 4) {
    auto* out = reinterpret_cast<__m128i*>(to + i);
    const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    _mm_storeu_si128(out, Combined<op>(source, _mm_loadu_si128(out)));
  }
#endif
  for (; i < count; ++i) to[i] = Combined<op>(from[i], to[i]);
}

// One row of `op` from 8-bit greys, each standing for the opaque pixel with
// that value in red, green and blue; sixteen at a time with SSE2.
template <RasterOp op>
void CombineGrayRow(QRgb* to, const uchar* from, int count) {
  int i = 0;
#ifdef __SSE2__
  for (; i + 16 <= count; i += 16) {
    const __m128i grays = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    const __m128i low = _mm_unpacklo_epi8(grays, grays);  // each grey twice
    const __m128i high = _mm_unpackhi_epi8(grays, grays);
    // Four pixels at a time with the grey in every byte: only the colour
    // bytes matter, the result is made opaque.
    const __m128i pixels[4] = {_mm_unpacklo_epi16(low, low), _mm_unpackhi_epi16(low, low),
                               _mm_unpacklo_epi16(high, high), _mm_unpackhi_epi16(high, high)};
    auto* out = reinterpret_cast<__m128i*>(to + i);
    for (int j = 0; j < 4; ++j) {
      _mm_storeu_si128(out + j, Combined<op>(pixels[j], _mm_loadu_si128(out + j)));
    }
  }
#endif
  for (; i < count; ++i) to[i] = Combined<op>(from[i] * 0x010101u, to[i]);
}

// The `size` block of `source` at `from` into `target` at `to`, under `op`.
template <RasterOp op>
void CombineRows(QImage& target, QPoint to, const QImage& source, QPoint from, QSize size) {
  const bool gray = source.format() == QImage::Format_Grayscale8;
  for (int y = 0; y < size.height(); ++y) {
    const uchar* sourceRow = source.constScanLine(from.y() + y);
    auto* targetRow = reinterpret_cast<QRgb*>(target.scanLine(to.y() + y)) + to.x();
    if (gray) {
      CombineGrayRow<op>(targetRow, sourceRow + from.x(), size.width());
    } else if constexpr (op == SRCCOPY) {
      std::memcpy(targetRow, reinterpret_cast<const QRgb*>(sourceRow) + from.x(),
                  size.width() * sizeof(QRgb));
    } else {
      CombineRow<op>(targetRow, reinterpret_cast<const QRgb*>(sourceRow) + from.x(), size.width());
    }
  }
}

// Combines the `from` pixels of `source` (opaque 32-bit pixels or 8-bit
// greys) into `target` at `at` (opaque 32-bit pixels), row by row; what
// falls outside `target` is left out. The painter would do the same, but
// it sets up an engine for every call and shares a larger area out to its
// thread pool, which costs more than the combining itself for a critter's
// few rows.
void CombineDirectly(QImage& target, QPoint at, const QImage& source, QRect from, RasterOp op) {
  const QRect into = QRect(at, from.size()).intersected(target.rect());
  if (into.isEmpty()) return;
  from.translate(into.topLeft() - at);
  switch (op) {
    case SRCCOPY:
      return CombineRows<SRCCOPY>(target, into.topLeft(), source, from.topLeft(), into.size());
    case MERGEPAINT:
      return CombineRows<MERGEPAINT>(target, into.topLeft(), source, from.topLeft(), into.size());
    case SRCAND:
      return CombineRows<SRCAND>(target, into.topLeft(), source, from.topLeft(), into.size());
  }
}

bool IsWhole(const QRectF& area) { return area == QRectF(area.toRect()); }

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

  const QRectF from = PixelsOf(visible, src.devicePixelRatio());
  const bool oneToOne =
      to.size() == visible.size() && src.devicePixelRatio() == target.devicePixelRatio();
  const QRectF toPixels = PixelsOf(to, target.devicePixelRatio());
  if (oneToOne &&
      (src.format() == QImage::Format_RGB32 || src.format() == QImage::Format_Grayscale8) &&
      target.format() == QImage::Format_RGB32 && IsWhole(toPixels) && IsWhole(from)) {
    CombineDirectly(target, toPixels.topLeft().toPoint(), src, from.toRect(), op);
    return;
  }
  // The raster operations work on colours alone, as on a screen; a loaded
  // picture's transparency plays no part. Greys are filtered as the colours
  // they stand for.
  const QImage source = src.hasAlphaChannel() || src.format() == QImage::Format_Grayscale8
                            ? src.convertToFormat(QImage::Format_RGB32)
                            : src;
  QPainter painter(&target);
  painter.setCompositionMode(ModeOf(op));
  if (oneToOne) {
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
