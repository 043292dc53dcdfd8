#include "platform/Blit.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// One row of `op`, as the painter's raster operations make it on pixels
// without transparency: the colour bits combined, the pixel kept opaque.
// Four pixels at a time where the processor has SSE2 (every x86-64 one).
void CombineRow(QRgb* to, const QRgb* from, int count, RasterOp op) {
  if (op == SRCCOPY) {
    std::memcpy(to, from, count * sizeof(QRgb));
    return;
  }
  const bool merge = op == MERGEPAINT;
  int i = 0;
#ifdef __SSE2__
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xff000000));
  const __m128i allBits = _mm_set1_epi32(-1);
  for (; i + 4 <= count; i += 4) {
    const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
    const __m128i bits =
        merge ? _mm_or_si128(_mm_xor_si128(source, allBits), old) : _mm_and_si128(source, old);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_or_si128(bits, opaque));
  }
#endif
  for (; i < count; ++i) to[i] = (merge ? ~from[i] | to[i] : from[i] & to[i]) | 0xff000000;
}

// Turns `count` 8-bit greys into the opaque 32-bit pixels with that value
// in red, green and blue; sixteen at a time where the processor has SSE2.
void ExpandGrays(QRgb* to, const uchar* from, int count) {
  int i = 0;
#ifdef __SSE2__
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xff000000));
  for (; i + 16 <= count; i += 16) {
    const __m128i grays = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    const __m128i low = _mm_unpacklo_epi8(grays, grays);  // each grey twice
    const __m128i high = _mm_unpackhi_epi8(grays, grays);
    auto* out = reinterpret_cast<__m128i*>(to + i);
    _mm_storeu_si128(out, _mm_or_si128(_mm_unpacklo_epi16(low, low), opaque));
    _mm_storeu_si128(out + 1, _mm_or_si128(_mm_unpackhi_epi16(low, low), opaque));
    _mm_storeu_si128(out + 2, _mm_or_si128(_mm_unpacklo_epi16(high, high), opaque));
    _mm_storeu_si128(out + 3, _mm_or_si128(_mm_unpackhi_epi16(high, high), opaque));
  }
#endif
  for (; i < count; ++i) to[i] = 0xff000000u | from[i] * 0x010101u;
}

// CombineRow from a row of 8-bit greys, taken a piece at a time.
void CombineGrayRow(QRgb* to, const uchar* from, int count, RasterOp op) {
  constexpr int Piece = 256;
  QRgb pixels[Piece];
  for (int done = 0; done < count; done += Piece) {
    const int n = std::min(Piece, count - done);
    ExpandGrays(pixels, from + done, n);
    CombineRow(to + done, pixels, n, op);
  }
}

// Combines the `from` pixels of `source` (opaque 32-bit pixels or 8-bit
// greys) into `target` at `at` (opaque 32-bit pixels), row by row; what
// falls outside `target` is left out. The painter would do the same, but it sets up an engine for
// every call and shares a larger area out to its thread pool, which costs more than the combining
// itself for a critter's few rows.
void CombineDirectly(QImage& target, QPoint at, const QImage& source, QRect from, RasterOp op) {
  const QRect into = QRect(at, from.size()).intersected(target.rect());
  if (into.isEmpty()) return;
  from.translate(into.topLeft() - at);
  const bool gray = source.format() == QImage::Format_Grayscale8;
  for (int y = 0; y < into.height(); ++y) {
    const uchar* sourceRow = source.constScanLine(from.y() + y);
    auto* targetRow = reinterpret_cast<QRgb*>(target.scanLine(into.y() + y)) + into.x();
    if (gray) {
      CombineGrayRow(targetRow, sourceRow + from.x(), into.width(), op);
    } else {
      CombineRow(targetRow, reinterpret_cast<const QRgb*>(sourceRow) + from.x(), into.width(), op);
    }
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
