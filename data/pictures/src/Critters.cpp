#include "Critters.h"

#include <QPainterPath>
#include <QtMath>

#include "Canvas.h"
#include "Playfield.h"

namespace pictures {
namespace {

// Light patches carrying the label: warm cream, never pure white so the
// critter's outline stays part of the critter and not of the ground.
const QColor kCream{0xff, 0xf8, 0xe8};
const QColor kBlush{0xff, 0x8f, 0x9e, 110};
const QColor kStar{0xff, 0xd2, 0x3f};
const QColor kBump{0xf4, 0x8a, 0x8a};

void fillAndInk(QPainter &p, const QPainterPath &path, const QColor &fill, qreal ink) {
  p.setPen(inkPen(ink));
  p.setBrush(fill);
  p.drawPath(path);
}

QPainterPath ellipsePath(QPointF centre, qreal rx, qreal ry) {
  QPainterPath path;
  path.addEllipse(centre, rx, ry);
  return path;
}

// A dome: round top, straight sides running down past the bottom of the
// frame, so the critter always looks cut by the ground line.
QPainterPath dome(qreal left, qreal right, qreal top, qreal shoulder) {
  const qreal mid = (left + right) / 2;
  QPainterPath path;
  path.moveTo(left, kCritterSize.height() + 10);
  path.lineTo(left, shoulder);
  path.cubicTo(left, top + (shoulder - top) * 0.1, mid - (right - left) * 0.3, top, mid, top);
  path.cubicTo(mid + (right - left) * 0.3, top, right, top + (shoulder - top) * 0.1, right,
               shoulder);
  path.lineTo(right, kCritterSize.height() + 10);
  path.closeSubpath();
  return path;
}

// Soft light from the upper left and shade on the right, kept inside `body`.
void shade(QPainter &p, const QPainterPath &body, const QColor &base) {
  p.save();
  p.setClipPath(body, Qt::IntersectClip);
  p.setPen(Qt::NoPen);
  const QRectF box = body.boundingRect();
  QColor dark = base.darker(125);
  dark.setAlpha(150);
  p.setBrush(dark);
  p.drawEllipse(QPointF(box.right() + box.width() * 0.18, box.center().y()), box.width() * 0.32,
                box.height() * 0.8);
  QColor light = base.lighter(118);
  light.setAlpha(170);
  p.setBrush(light);
  p.drawEllipse(QPointF(box.left() + box.width() * 0.3, box.top() + 18), box.width() * 0.22, 9);
  p.restore();
}

void eye(QPainter &p, QPointF c, qreal r) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(c, r * 0.85, r);
  p.setBrush(Qt::white);
  p.drawEllipse(c + QPointF(-r * 0.3, -r * 0.38), r * 0.34, r * 0.34);
}

// Caught: a spiral in place of the eye.
void dizzyEye(QPainter &p, QPointF c, qreal r) {
  QPainterPath spiral;
  const int steps = 48;
  for (int i = 0; i <= steps; ++i) {
    const qreal t = qreal(i) / steps;
    const qreal angle = t * 2.2 * 2 * M_PI;
    const QPointF point = c + QPointF(qCos(angle), qSin(angle)) * (r * (0.12 + 0.88 * t));
    if (i == 0)
      spiral.moveTo(point);
    else
      spiral.lineTo(point);
  }
  p.setPen(inkPen(1.3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(spiral);
}

void blush(QPainter &p, QPointF c, qreal rx) {
  p.setPen(Qt::NoPen);
  p.setBrush(kBlush);
  p.drawEllipse(c, rx, rx * 0.6);
}

// A small smiling "w" mouth; caught critters get a wobbly open one instead.
void mouth(QPainter &p, QPointF c, qreal w, bool caught) {
  QPainterPath path;
  if (caught) {
    path.moveTo(c + QPointF(-w, 1));
    path.cubicTo(c + QPointF(-w * 0.6, -2), c + QPointF(-w * 0.3, -2), c + QPointF(0, 1));
    path.cubicTo(c + QPointF(w * 0.3, 4), c + QPointF(w * 0.6, 4), c + QPointF(w, 0));
  } else {
    path.moveTo(c + QPointF(-w, -1));
    path.quadTo(c + QPointF(-w / 2, 3.5), c + QPointF(0, -0.5));
    path.quadTo(c + QPointF(w / 2, 3.5), c + QPointF(w, -1));
  }
  p.setPen(inkPen(1.3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void star(QPainter &p, QPointF c, qreal r, qreal turn) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const qreal angle = turn + i * M_PI / 5 - M_PI / 2;
    const qreal radius = i % 2 ? r * 0.45 : r;
    const QPointF point = c + QPointF(qCos(angle), qSin(angle)) * radius;
    if (i == 0)
      path.moveTo(point);
    else
      path.lineTo(point);
  }
  path.closeSubpath();
  fillAndInk(p, path, kStar, 1.2);
}

// The lump a caught critter gets on its head, sitting over the head's outline.
void bump(QPainter &p, QPointF c, qreal r) {
  fillAndInk(p, ellipsePath(c, r, r * 0.9), kBump, 1.6);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.35), r * 0.28, r * 0.2);
}

void paw(QPainter &p, QPointF c, qreal r, const QColor &fill) {
  fillAndInk(p, ellipsePath(c, r, r * 0.85), fill, 1.5);
}

// A cream placard the critter holds up for its kana.
void placard(QPainter &p, const QRectF &board, const QColor &edge) {
  QPainterPath path;
  path.addRoundedRect(board, 6, 6);
  fillAndInk(p, path, kCream, 2.0);
  p.setPen(QPen(edge, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(board.adjusted(3.2, 3.2, -3.2, -3.2), 4, 4);
}

struct Face {
  QPointF leftEye, rightEye;
  qreal eyeRadius;
};

void eyes(QPainter &p, const Face &face, bool caught) {
  if (caught) {
    dizzyEye(p, face.leftEye, face.eyeRadius * 1.45);
    dizzyEye(p, face.rightEye, face.eyeRadius * 1.45);
  } else {
    eye(p, face.leftEye, face.eyeRadius);
    eye(p, face.rightEye, face.eyeRadius);
  }
}

// Critter 1: a brown mole holding a placard on a stick at its left.
void paintMole(QPainter &p, bool caught) {
  const QColor fur{0x9c, 0x74, 0x58};
  const QColor pink{0xf4, 0xb4, 0xa8};
  const QPainterPath body = dome(20, 112, 6, 52);
  fillAndInk(p, body, fur, 2.2);
  shade(p, body, fur);
  p.setPen(inkPen(2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(body);
  if (caught) bump(p, {84, 10}, 8.5);

  // Snout, nose and whiskers.
  fillAndInk(p, ellipsePath({68, 48}, 17, 11.5), QColor(0xf1, 0xd6, 0xbd), 1.5);
  fillAndInk(p, ellipsePath({68, 42.5}, 7.5, 5.5), QColor(0xef, 0x7a, 0x90), 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 210));
  p.drawEllipse(QPointF(65.5, 41), 2.2, 1.4);
  mouth(p, {68, 53}, 5, caught);
  p.setPen(inkPen(1.0));
  for (int side : {-1, 1}) {
    p.drawLine(QPointF(68 + side * 14, 47), QPointF(68 + side * 27, 44));
    p.drawLine(QPointF(68 + side * 14, 50), QPointF(68 + side * 27, 51));
  }
  eyes(p, {{54, 32}, {82, 32}, 3.6}, caught);
  blush(p, {40, 44}, 5.5);
  blush(p, {96, 44}, 5.5);

  // The placard on its stick, held up by two big digging paws.
  QPainterPath stick;
  stick.addRoundedRect(QRectF(37, 118, 8, 40), 2, 2);
  fillAndInk(p, stick, QColor(0xc8, 0x8e, 0x58), 1.6);
  placard(p, QRectF(1.2, 62, 80, 60), QColor(0xe6, 0xb8, 0x84));
  paw(p, {32, 126}, 7, pink);
  paw(p, {50, 126}, 7, pink);
  paw(p, {87, 92}, 8.5, pink);
  p.setPen(inkPen(1.0));
  for (int i = -1; i <= 1; ++i) p.drawLine(QPointF(92, 92 + i * 3.5), QPointF(95.5, 92 + i * 4.2));

  if (caught) {
    star(p, {16, 18}, 9, 0.2);
    star(p, {112, 14}, 7.5, -0.3);
    star(p, {118, 38}, 5.5, 0.5);
  }
}

// Critter 2: a round orange hamster with a big cream belly.
void paintHamster(QPainter &p, bool caught) {
  const QColor fur{0xf2, 0xa1, 0x52};
  const QColor pink{0xf7, 0xb8, 0xb8};
  for (qreal x : {30.0, 106.0}) {
    fillAndInk(p, ellipsePath({x, 17}, 11, 10), fur, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(pink);
    p.drawEllipse(QPointF(x, 18), 6, 5.5);
  }
  QPainterPath body;
  body.moveTo(17, 160);
  body.cubicTo(10, 120, 6, 80, 12, 50);
  body.cubicTo(18, 18, 44, 6, 68, 6);
  body.cubicTo(92, 6, 118, 18, 122, 50);
  body.cubicTo(126, 80, 122, 120, 113, 160);
  body.closeSubpath();
  fillAndInk(p, body, fur, 2.2);
  shade(p, body, fur);

  QPainterPath belly = ellipsePath({69, 72}, 47, 42);
  p.save();
  p.setClipPath(body, Qt::IntersectClip);
  fillAndInk(p, belly, kCream, 1.6);
  p.restore();
  p.setPen(inkPen(2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(body);
  if (caught) bump(p, {56, 9}, 8);

  eyes(p, {{47, 25}, {91, 25}, 4.3}, caught);
  blush(p, {33, 39}, 7);
  blush(p, {105, 39}, 7);
  fillAndInk(p, ellipsePath({69, 31}, 3.6, 2.6), QColor(0xe8, 0x6f, 0x86), 1.0);
  mouth(p, {69, 36}, 4.5, caught);
  paw(p, {45, 100}, 7, pink);
  paw(p, {93, 100}, 7, pink);

  if (caught) {
    star(p, {10, 40}, 8.5, 0.1);
    star(p, {88, 7}, 6.5, -0.4);
    star(p, {116, 32}, 6, 0.3);
  }
}

// Critter 3: a pink rabbit showing a card at its left.
void paintRabbit(QPainter &p, bool caught) {
  const QColor fur{0xf5, 0xb6, 0xca};
  const QColor inner{0xfb, 0xdc, 0xe6};
  for (auto [x, tilt] : {std::pair{80.0, -10.0}, std::pair{104.0, 12.0}}) {
    p.save();
    p.translate(x, 24);
    p.rotate(tilt);
    fillAndInk(p, ellipsePath({0, -2}, 9, 21), fur, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(inner);
    p.drawEllipse(QPointF(0, -1), 4.5, 15);
    p.restore();
  }
  const QPainterPath body = dome(22, 116, 58, 96);
  fillAndInk(p, body, fur, 2.2);
  fillAndInk(p, ellipsePath({96, 120}, 16, 24), kCream, 1.4);
  const QPainterPath head = ellipsePath({93, 54}, 30, 27);
  fillAndInk(p, head, fur, 2.2);
  shade(p, head, fur);
  p.setPen(inkPen(2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(head);
  if (caught) bump(p, {80, 30}, 7.5);

  fillAndInk(p, ellipsePath({94, 64}, 11, 7.5), kCream, 1.2);
  QPainterPath nose;
  nose.moveTo(90.5, 57.5);
  nose.lineTo(97.5, 57.5);
  nose.lineTo(94, 61.5);
  nose.closeSubpath();
  fillAndInk(p, nose, QColor(0xe8, 0x6f, 0x86), 1.0);
  mouth(p, {94, 65}, 4.5, caught);
  eyes(p, {{83, 49}, {106, 49}, 3.8}, caught);
  blush(p, {78, 62}, 5);
  blush(p, {112, 62}, 5);

  placard(p, QRectF(1.2, 54, 74, 54), QColor(0xf5, 0xb6, 0xca));
  paw(p, {76, 82}, 7.5, fur);
  paw(p, {66, 110}, 7, fur);

  if (caught) {
    star(p, {58, 14}, 8.5, 0.3);
    star(p, {116, 9}, 7, -0.2);
    star(p, {48, 38}, 5.5, 0.6);
  }
}

// Critter 4: a blue penguin chick with a cream face and front.
void paintPenguin(QPainter &p, bool caught) {
  const QColor feathers{0x5b, 0x8b, 0xd0};
  const QColor beak{0xf7, 0xa8, 0x3a};
  // Flippers first: the body's outline overlaps their roots.
  for (int side : {-1, 1}) {
    QPainterPath flipper;
    const qreal x = 64 + side * 50;
    flipper.moveTo(x, 60);
    flipper.cubicTo(x + side * 12, 72, x + side * 14, 92, x + side * 8, 104);
    flipper.cubicTo(x + side * 2, 100, x - side * 4, 86, x - side * 4, 72);
    flipper.closeSubpath();
    fillAndInk(p, flipper, feathers.darker(112), 2.0);
  }
  QPainterPath tuft;
  tuft.moveTo(58, 10);
  tuft.cubicTo(56, 1, 62, 0, 64, 5);
  tuft.cubicTo(66, -1, 74, 1, 70, 10);
  fillAndInk(p, tuft, feathers, 1.8);
  const QPainterPath body = dome(13, 115, 6, 60);
  fillAndInk(p, body, feathers, 2.2);
  shade(p, body, feathers);

  QPainterPath front = ellipsePath({64, 78}, 47, 46);
  front.addEllipse(QPointF(48, 32), 17, 16);
  front.addEllipse(QPointF(80, 32), 17, 16);
  front.setFillRule(Qt::WindingFill);
  p.save();
  p.setClipPath(body, Qt::IntersectClip);
  fillAndInk(p, front.simplified(), kCream, 1.6);
  p.restore();
  p.setPen(inkPen(2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(body);
  if (caught) bump(p, {86, 10}, 8);

  eyes(p, {{49, 29}, {79, 29}, 4.0}, caught);
  blush(p, {37, 39}, 5.5);
  blush(p, {91, 39}, 5.5);
  QPainterPath bill;
  bill.moveTo(58, 35);
  bill.quadTo(64, 32, 70, 35);
  bill.quadTo(67, 40.5, 64, 41.5);
  bill.quadTo(61, 40.5, 58, 35);
  fillAndInk(p, bill, beak, 1.3);

  if (caught) {
    star(p, {24, 12}, 8.5, 0.2);
    star(p, {110, 24}, 7, -0.3);
    star(p, {9, 36}, 5.5, 0.5);
  }
}

}  // namespace

void paintCritter(QPainter &painter, int species, bool caught) {
  painter.save();
  switch (species) {
    case 1:
      paintMole(painter, caught);
      break;
    case 2:
      paintHamster(painter, caught);
      break;
    case 3:
      paintRabbit(painter, caught);
      break;
    case 4:
      paintPenguin(painter, caught);
      break;
    default:
      break;
  }
  painter.restore();
}

CritterPicture renderCritter(int species, bool caught, int scale) {
  Canvas canvas(kCritterSize, scale, QImage::Format_ARGB32_Premultiplied, Qt::transparent);
  canvas.painter().setClipRect(QRect(QPoint(0, 0), kCritterSize));
  paintCritter(canvas.painter(), species, caught);
  const QImage drawn = canvas.finish().convertToFormat(QImage::Format_ARGB32);

  CritterPicture out{QImage(drawn.size(), QImage::Format_RGB32),
                     QImage(drawn.size(), QImage::Format_RGB32)};
  for (int y = 0; y < drawn.height(); ++y) {
    const QRgb *in = reinterpret_cast<const QRgb *>(drawn.constScanLine(y));
    QRgb *picture = reinterpret_cast<QRgb *>(out.picture.scanLine(y));
    QRgb *mask = reinterpret_cast<QRgb *>(out.mask.scanLine(y));
    for (int x = 0; x < drawn.width(); ++x) {
      // A pixel belongs to the critter when it is at least half covered;
      // it then shows the critter's own colour at full strength.
      const bool inside = qAlpha(in[x]) >= 128;
      picture[x] = inside ? (in[x] | 0xff000000u) : qRgb(255, 255, 255);
      mask[x] = inside ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
  }
  return out;
}

}  // namespace pictures
