#include "platform/drawing/GlyphImages.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace platform {

const GlyphImages::Picture& GlyphImages::Find(const Key& key) {
  if (const auto found = pictures.constFind(key); found != pictures.cend()) return *found;
  if (pictures.size() >= capacity) pictures.clear();

  // Filled as Qt fills a large glyph: its outline with the nonzero rule,
  // antialiased, at the device's resolution and the fraction of a pixel.
  const qreal ratio = key.ratio;
  const QPointF phase = QPointF(key.phase) / 4 / ratio;
  QPainterPath outline = key.font.pathForGlyph(key.glyph).translated(phase);
  outline.setFillRule(Qt::WindingFill);
  const QRectF bounds = outline.boundingRect();
  const QPoint offset(int(std::floor(bounds.left() * ratio)) - 1,
                      int(std::floor(bounds.top() * ratio)) - 1);
  const QSize size(int(std::ceil(bounds.right() * ratio)) - offset.x() + 1,
                   int(std::ceil(bounds.bottom() * ratio)) - offset.y() + 1);
  QImage filled(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  filled.fill(Qt::transparent);
  {
    QPainter painter(&filled);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-offset);
    painter.scale(ratio, ratio);
    painter.fillPath(outline, Qt::black);
  }
  QImage coverage = filled.convertToFormat(QImage::Format_Alpha8);
  coverage.setDevicePixelRatio(ratio);
  return *pictures.insert(key, Picture{std::move(coverage), offset});
}

void GlyphImages::Draw(QPainter& painter, const QGlyphRun& run, QPointF origin,
                       const QColor& color) {
  const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
  const QRawFont font = run.rawFont();
  const QList<quint32> glyphs = run.glyphIndexes();
  const QList<QPointF> positions = run.positions();
  // Coverage alone draws as black; any other colour is put through it.
  const bool black = color.rgba() == qRgb(0, 0, 0);
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    // The device pixel the glyph's origin falls in, and the quarters of a
    // pixel past it.
    const QPointF at = (origin + positions[i]) * ratio;
    QPoint whole(int(std::floor(at.x())), int(std::floor(at.y())));
    QPoint phase(int(std::lround((at.x() - whole.x()) * 4)),
                 int(std::lround((at.y() - whole.y()) * 4)));
    if (phase.x() == 4) whole.rx() += 1, phase.setX(0);
    if (phase.y() == 4) whole.ry() += 1, phase.setY(0);
    const Picture& picture = Find({font, glyphs[i], ratio, phase});
    const QPointF device(whole + picture.offset);
    if (black) {
      painter.drawImage(device / ratio, picture.coverage);
      continue;
    }
    QImage tinted(picture.coverage.size(), QImage::Format_ARGB32_Premultiplied);
    tinted.setDevicePixelRatio(ratio);
    tinted.fill(color);
    {
      QPainter tint(&tinted);
      tint.setCompositionMode(QPainter::CompositionMode_DestinationIn);
      tint.drawImage(0, 0, picture.coverage);
    }
    painter.drawImage(device / ratio, tinted);
  }
}

}  // namespace platform
