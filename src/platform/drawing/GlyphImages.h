#pragma once
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRawFont>

class QGlyphRun;
class QPainter;

namespace platform {

// Pictures of single glyphs, each filled once by Qt from the glyph's outline
// and then copied. Qt caches the pictures of glyphs up to 64 pixels only and
// fills the outline of a larger glyph afresh at every draw; the text box's
// 67-pixel kana cost more that way than the rest of a key.
//
// Qt places a glyph's outline at a fraction of a pixel; a picture is kept
// for each quarter of a pixel a glyph is drawn at (across and down), so a
// glyph is drawn within an eighth of a pixel of where Qt would draw it.
class GlyphImages {
 public:
  // At most `capacity` pictures are kept; when one more is needed, all go.
  explicit GlyphImages(int capacity = 48) : capacity(capacity) {}

  // Draws the glyphs of `run`, whose positions are from `origin`, in `color`
  // at the resolution of the painter's device.
  void Draw(QPainter& painter, const QGlyphRun& run, QPointF origin, const QColor& color);

 private:
  struct Key {
    QRawFont font;
    quint32 glyph;
    qreal ratio;
    // Quarters of a device pixel right and down of a whole pixel.
    QPoint phase;
    bool operator==(const Key& other) const {
      return glyph == other.glyph && ratio == other.ratio && phase == other.phase &&
             font == other.font;
    }
  };
  friend size_t qHash(const Key& key, size_t seed) {
    return qHashMulti(seed, key.font, key.glyph, key.ratio, key.phase.x(), key.phase.y());
  }
  // The glyph's coverage, with its device pixels' offset from the origin.
  struct Picture {
    QImage coverage;
    QPoint offset;
  };
  const Picture& Find(const Key& key);

  int capacity;
  QHash<Key, Picture> pictures;
};

}  // namespace platform
