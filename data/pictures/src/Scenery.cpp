#include "Scenery.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>
#include <vector>

#include "Canvas.h"
#include "Critters.h"
#include "Playfield.h"

namespace pictures {
namespace {

const QColor kSkyTop{0xe4, 0xf5, 0xff};
const QColor kSkyLow{0xbf, 0xe6, 0xfa};
const QColor kFarHill{0xb9, 0xe2, 0x9b};
const QColor kNearHill{0x9d, 0xd4, 0x7a};
const QColor kMeadow{0x9c, 0xd8, 0x6c};
const QColor kMeadowLow{0x82, 0xc7, 0x59};
const QColor kGrassDark{0x5e, 0xa6, 0x44};
const QColor kDirt{0xc9, 0x8f, 0x5a};
const QColor kHoleDark{0x33, 0x1f, 0x15};

// Distant things get a softer, lighter outline than the critters.
QPen softPen(const QColor &base, qreal width) {
  QPen pen(base.darker(135), width);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void sky(QPainter &p, QSizeF size, qreal calmBand) {
  QLinearGradient gradient(0, 0, 0, calmBand * 2);
  gradient.setColorAt(0, kSkyTop);
  gradient.setColorAt(1, kSkyLow);
  p.fillRect(QRectF(QPointF(0, 0), size), gradient);
}

void cloud(QPainter &p, QPointF c, qreal s) {
  QPainterPath puff;
  puff.addEllipse(c + QPointF(-22, 0) * s, 16 * s, 11 * s);
  puff.addEllipse(c + QPointF(0, -7) * s, 20 * s, 15 * s);
  puff.addEllipse(c + QPointF(22, -1) * s, 17 * s, 12 * s);
  puff.addRoundedRect(QRectF(c + QPointF(-34, -2) * s, QSizeF(68, 12) * s), 6 * s, 6 * s);
  puff.setFillRule(Qt::WindingFill);
  puff = puff.simplified();
  p.setPen(QPen(QColor(0xa9, 0xcf, 0xe6), 1.4));
  p.setBrush(QColor(0xff, 0xff, 0xff));
  p.drawPath(puff);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xe3, 0xf1, 0xfb));
  p.save();
  p.setClipPath(puff, Qt::IntersectClip);
  p.drawEllipse(c + QPointF(4, 12) * s, 40 * s, 8 * s);
  p.restore();
}

// A rolling hill line across the width, filled down to `bottom`.
void hills(QPainter &p, qreal width, qreal baseY, qreal bottom, const std::vector<QPointF> &crests,
           const QColor &fill) {
  QPainterPath path;
  path.moveTo(-10, bottom);
  path.lineTo(-10, baseY);
  QPointF last(-10, baseY);
  for (const QPointF &crest : crests) {
    const qreal span = crest.x() - last.x();
    path.cubicTo(last + QPointF(span * 0.5, 0), crest - QPointF(span * 0.5, 0), crest);
    last = crest;
  }
  const qreal span = width + 10 - last.x();
  path.cubicTo(last + QPointF(span * 0.5, 0), QPointF(width + 10 - span * 0.5, baseY),
               QPointF(width + 10, baseY));
  path.lineTo(width + 10, bottom);
  path.closeSubpath();
  p.setPen(softPen(fill, 1.6));
  p.setBrush(fill);
  p.drawPath(path);
}

void tree(QPainter &p, QPointF foot, qreal s) {
  p.setPen(softPen(QColor(0xa0, 0x70, 0x48), 1.2));
  p.setBrush(QColor(0xb5, 0x82, 0x55));
  p.drawRoundedRect(QRectF(foot + QPointF(-2.5, -14) * s, QSizeF(5, 14) * s), 1.5, 1.5);
  const QColor leaves(0x74, 0xbf, 0x5c);
  QPainterPath crown;
  crown.addEllipse(foot + QPointF(0, -24) * s, 12 * s, 12 * s);
  crown.addEllipse(foot + QPointF(-8, -17) * s, 9 * s, 8 * s);
  crown.addEllipse(foot + QPointF(8, -17) * s, 9 * s, 8 * s);
  crown.setFillRule(Qt::WindingFill);
  p.setPen(softPen(leaves, 1.4));
  p.setBrush(leaves);
  p.drawPath(crown.simplified());
  p.setPen(Qt::NoPen);
  p.setBrush(leaves.lighter(115));
  p.drawEllipse(foot + QPointF(-4, -28) * s, 5 * s, 4 * s);
}

void meadow(QPainter &p, QSizeF size, qreal top) {
  QLinearGradient gradient(0, top, 0, size.height());
  gradient.setColorAt(0, kMeadow);
  gradient.setColorAt(1, kMeadowLow);
  QPainterPath ground;
  ground.moveTo(-10, size.height() + 10);
  ground.lineTo(-10, top + 8);
  ground.cubicTo(size.width() * 0.3, top - 6, size.width() * 0.7, top + 10, size.width() + 10, top);
  ground.lineTo(size.width() + 10, size.height() + 10);
  ground.closeSubpath();
  p.setPen(softPen(kMeadow, 1.6));
  p.setBrush(gradient);
  p.drawPath(ground);
}

// Lighter mown patches that give the flat meadow a little depth.
void meadowPatches(QPainter &p, const std::vector<QRectF> &patches) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xb4, 0xe6, 0x86, 120));
  for (const QRectF &patch : patches) p.drawEllipse(patch);
}

void tuft(QPainter &p, QPointF foot, qreal s) {
  QPainterPath blades;
  blades.moveTo(foot + QPointF(-7, 0) * s);
  blades.quadTo(foot + QPointF(-6, -5) * s, foot + QPointF(-9, -10) * s);
  blades.quadTo(foot + QPointF(-3, -6) * s, foot + QPointF(-2, -3) * s);
  blades.quadTo(foot + QPointF(-1, -9) * s, foot + QPointF(0, -14) * s);
  blades.quadTo(foot + QPointF(2, -8) * s, foot + QPointF(2, -3) * s);
  blades.quadTo(foot + QPointF(4, -7) * s, foot + QPointF(9, -9) * s);
  blades.quadTo(foot + QPointF(6, -4) * s, foot + QPointF(7, 0) * s);
  blades.closeSubpath();
  p.setPen(softPen(kGrassDark, 1.1));
  p.setBrush(QColor(0x74, 0xbd, 0x52));
  p.drawPath(blades);
}

void flower(QPainter &p, QPointF c, qreal s, const QColor &petals) {
  p.setPen(softPen(kGrassDark, 1.0));
  p.drawLine(c, c + QPointF(0, 8) * s);
  p.setPen(QPen(petals.darker(140), 0.9));
  p.setBrush(petals);
  for (int i = 0; i < 5; ++i) {
    const qreal angle = i * 2 * M_PI / 5;
    p.drawEllipse(c + QPointF(qCos(angle), qSin(angle)) * 3.2 * s, 2.6 * s, 2.6 * s);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xff, 0xc8, 0x3a));
  p.drawEllipse(c, 2.0 * s, 2.0 * s);
}

// Flowers and tufts scattered over the meadow, kept off `keepOut` areas.
void scatter(QPainter &p, const QRectF &area, const std::vector<QRectF> &keepOut, int count,
             quint32 seed) {
  static const QColor petals[] = {
      {0xff, 0xff, 0xff}, {0xff, 0xb3, 0xc7}, {0xff, 0xe0, 0x66}, {0xc9, 0xb5, 0xf5}};
  QRandomGenerator random(seed);
  std::vector<QPointF> spots;
  for (int tries = 0; int(spots.size()) < count && tries < count * 40; ++tries) {
    const QPointF spot(area.left() + random.bounded(area.width()),
                       area.top() + random.bounded(area.height()));
    bool clear = true;
    for (const QRectF &out : keepOut) clear = clear && !out.contains(spot);
    for (const QPointF &other : spots) clear = clear && QLineF(spot, other).length() > 26;
    if (clear) spots.push_back(spot);
  }
  std::sort(spots.begin(), spots.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
  for (std::size_t i = 0; i < spots.size(); ++i) {
    const qreal depth = 0.75 + 0.5 * (spots[i].y() - area.top()) / area.height();
    if (i % 3 == 0)
      tuft(p, spots[i], depth);
    else
      flower(p, spots[i], depth, petals[i % 4]);
  }
}

// Keeps the meadow's decorations away from a hole and the critter above it.
QRectF holeArea(qreal centreX, qreal groundY, qreal size, qreal riseRows) {
  return QRectF(centreX - 92 * size, groundY - riseRows * size, 184 * size, (riseRows + 30) * size);
}

}  // namespace

void paintHole(QPainter &p, qreal cx, qreal g, qreal s) {
  // Dirt mound, lit from above, with a darker front where it meets the grass.
  const QRectF mound(cx - 84 * s, g - 36 * s, 168 * s, 55 * s);
  QLinearGradient dirt(0, mound.top(), 0, mound.bottom());
  dirt.setColorAt(0, kDirt.lighter(112));
  dirt.setColorAt(1, kDirt.darker(112));
  p.setPen(inkPen(2.0 * s));
  p.setBrush(dirt);
  p.drawEllipse(mound);
  // Opening: its lowest point is the ground line, a little past it at most.
  const QRectF opening(cx - 69 * s, g - 31 * s, 138 * s, 33 * s);
  QPainterPath hole;
  hole.addEllipse(opening);
  QLinearGradient depth(0, opening.top(), 0, opening.bottom());
  depth.setColorAt(0, kHoleDark);
  depth.setColorAt(1, QColor(0x1f, 0x12, 0x0c));
  p.setBrush(depth);
  p.drawPath(hole);
  // The inner back wall catches a little light.
  p.save();
  p.setClipPath(hole, Qt::IntersectClip);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x5c, 0x3b, 0x27));
  p.drawEllipse(QRectF(opening.left() - 4 * s, opening.top() - 12 * s, opening.width() + 8 * s,
                       opening.height() * 0.9));
  p.setBrush(kHoleDark);
  p.drawEllipse(QRectF(opening.left() + 6 * s, opening.top() + 5 * s, opening.width() - 12 * s,
                       opening.height() + 8 * s));
  p.restore();
  p.setPen(inkPen(2.0 * s));
  p.setBrush(Qt::NoBrush);
  p.drawPath(hole);
  // Pebbles on the front of the mound.
  p.setPen(inkPen(1.0 * s));
  p.setBrush(QColor(0xe2, 0xc0, 0x95));
  p.drawEllipse(QPointF(cx - 52 * s, g + 9 * s), 4 * s, 2.6 * s);
  p.drawEllipse(QPointF(cx + 46 * s, g + 11 * s), 3 * s, 2 * s);
  p.drawEllipse(QPointF(cx + 58 * s, g + 6 * s), 2.2 * s, 1.6 * s);
}

QImage renderBackground(int scale) {
  const QSizeF size = kFieldSize;
  Canvas canvas(kFieldSize, scale, QImage::Format_RGB32, kSkyTop);
  QPainter &p = canvas.painter();

  // The top 100 rows stay plain light sky: the game prints its counters there.
  sky(p, size, 100);
  cloud(p, {118, 132}, 0.9);
  cloud(p, {372, 122}, 0.7);
  cloud(p, {590, 138}, 0.85);
  hills(p, size.width(), 178, 260, {{90, 150}, {250, 172}, {420, 146}, {600, 168}}, kFarHill);
  tree(p, {92, 156}, 0.9);
  tree(p, {430, 152}, 1.0);
  tree(p, {452, 158}, 0.75);
  hills(p, size.width(), 196, 260, {{170, 178}, {340, 192}, {530, 176}}, kNearHill);
  tree(p, {560, 182}, 0.85);
  meadow(p, size, 196);
  meadowPatches(p, {{20, 300, 200, 60}, {380, 290, 240, 70}, {180, 440, 300, 60}});

  std::vector<QRectF> keepOut;
  for (const Hole &hole : kHoles)
    keepOut.push_back(holeArea(hole.left + 62, hole.restY, 1, hole.maxRise));
  scatter(p, QRectF(8, 210, size.width() - 16, size.height() - 218), keepOut, 34, 20240611);
  for (const Hole &hole : kHoles) paintHole(p, hole.left + kHoleWidth / 2.0, hole.restY, 1);
  return canvas.finish();
}

namespace {

// Big sticker lettering: a dark rim, a white ring, then the colour.
void stickerText(QPainter &p, const QString &text, const QFont &font, QPointF baseline,
                 const std::vector<QColor> &colours) {
  const QFontMetricsF metrics(font);
  QPointF pen = baseline;
  std::vector<QPainterPath> glyphs;
  for (const QChar ch : text) {
    QPainterPath glyph;
    glyph.addText(pen, font, QString(ch));
    glyphs.push_back(glyph);
    pen.rx() += metrics.horizontalAdvance(ch) * 0.94;
  }
  auto strokeAll = [&](const QColor &colour, qreal width) {
    QPen outline(colour, width);
    outline.setJoinStyle(Qt::RoundJoin);
    p.setPen(outline);
    p.setBrush(colour);
    for (const QPainterPath &glyph : glyphs) p.drawPath(glyph);
  };
  p.save();
  p.translate(3, 4);
  strokeAll(QColor(0x3a, 0x28, 0x22, 90), 16);
  p.restore();
  strokeAll(kInk, 16);
  strokeAll(Qt::white, 10);
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const QRectF box = glyphs[i].boundingRect();
    QLinearGradient shine(0, box.top(), 0, box.bottom());
    const QColor colour = colours[i % colours.size()];
    shine.setColorAt(0, colour.lighter(122));
    shine.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(150), 1.6));
    p.setBrush(shine);
    p.drawPath(glyphs[i]);
  }
}

// A critter coming out of a hole on the title, cut at the ground line.
void peekingCritter(QPainter &p, int species, qreal cx, qreal g, qreal s, qreal rise,
                    const QString &kana) {
  paintHole(p, cx, g, s);
  p.save();
  p.translate(cx - 62.5 * s, g - rise * s);
  p.scale(s, s);
  p.setClipRect(QRectF(-10, -10, 145, rise + 10));
  paintCritter(p, species, kana.isEmpty());
  if (!kana.isEmpty()) {
    const Hole *home = nullptr;
    for (const Hole &hole : kHoles)
      if (!home && hole.species == species) home = &hole;
    const Label label = labelFor(kana, home->labelAnchor);
    p.setFont(label.font);
    p.setPen(QColor(0xc0, 0x30, 0x48));
    p.drawText(QPointF(label.cellTopLeft) + QPointF(0, QFontMetricsF(label.font).ascent()), kana);
  }
  p.restore();
}

}  // namespace

QImage renderTitle(int scale) {
  const QSizeF size = kTitleSize;
  Canvas canvas(kTitleSize, scale, QImage::Format_RGB32, kSkyTop);
  QPainter &p = canvas.painter();

  sky(p, size, 160);
  // A friendly sun in the corner.
  QRadialGradient glow(QPointF(580, 58), 70);
  glow.setColorAt(0, QColor(0xff, 0xf4, 0xb8, 220));
  glow.setColorAt(1, QColor(0xff, 0xf4, 0xb8, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(580, 58), 70, 70);
  p.setPen(inkPen(2.0));
  p.setBrush(QColor(0xff, 0xd4, 0x4a));
  p.drawEllipse(QPointF(580, 58), 30, 30);
  for (int i = 0; i < 10; ++i) {
    const qreal a = i * M_PI / 5 + 0.2;
    p.drawLine(QPointF(580, 58) + QPointF(qCos(a), qSin(a)) * 38,
               QPointF(580, 58) + QPointF(qCos(a), qSin(a)) * 48);
  }
  cloud(p, {84, 62}, 1.0);
  cloud(p, {470, 220}, 0.8);
  cloud(p, {120, 236}, 0.7);

  hills(p, size.width(), 292, 360, {{110, 258}, {300, 280}, {480, 254}, {620, 270}}, kFarHill);
  tree(p, {112, 262}, 1.0);
  tree(p, {470, 258}, 1.1);
  tree(p, {494, 264}, 0.8);
  hills(p, size.width(), 312, 360, {{200, 296}, {420, 306}, {590, 292}}, kNearHill);
  meadow(p, size, 314);
  meadowPatches(p, {{30, 420, 180, 50}, {400, 400, 220, 60}});
  scatter(p, QRectF(10, 330, size.width() - 20, size.height() - 340), {{10, 340, 626, 160}}, 14, 7);
  // The lower edge of the meadow, in front of the holes.
  scatter(p, QRectF(10, 500, size.width() - 20, 20), {}, 10, 11);

  peekingCritter(p, 1, 98, 430, 0.95, 122, QStringLiteral("か"));
  peekingCritter(p, 2, 252, 462, 1.0, 112, QStringLiteral("な"));
  peekingCritter(p, 4, 400, 456, 1.0, 96, QString());
  peekingCritter(p, 3, 554, 432, 0.95, 110, QStringLiteral("き"));

  const QFont title = gothic(96, true);
  const QString name = QStringLiteral("かなキャッチ");
  const qreal width = QFontMetricsF(title).horizontalAdvance(name) * 0.94;
  stickerText(p, name, title, QPointF((size.width() - width) / 2, 150),
              {{0xff, 0x7a, 0x8c},
               {0xff, 0xa3, 0x3d},
               {0x6c, 0xc2, 0x4a},
               {0x3f, 0xa9, 0xe0},
               {0x9b, 0x7a, 0xe8},
               {0xf2, 0x6f, 0xb5}});

  // Subtitle ribbon.
  const QFont small = gothic(24, true);
  const QString subtitle = QStringLiteral("かな入力練習ゲーム");
  const qreal subWidth = QFontMetricsF(small).horizontalAdvance(subtitle);
  const QRectF ribbon((size.width() - subWidth) / 2 - 22, 176, subWidth + 44, 40);
  p.setPen(inkPen(2.0));
  p.setBrush(QColor(0xff, 0xf8, 0xe8));
  p.drawRoundedRect(ribbon, 20, 20);
  p.setFont(small);
  p.setPen(kInk);
  p.drawText(ribbon, Qt::AlignCenter, subtitle);
  return canvas.finish();
}

}  // namespace pictures
