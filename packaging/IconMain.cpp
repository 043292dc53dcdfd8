// Draws the program's icon at every size the desktop asks for: the first
// critter as it peeks out of its hole with a kana on its patch, cut out onto
// transparency, from the same drawing code as the data folder's pictures.
//   kanacatch-icon <folder> <size>...  writes <folder>/<size>/<name>.png
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "Critters.h"
#include "Playfield.h"

namespace {

constexpr char IconName[] = "org.kanacatch.kanacatch.png";

QImage DrawIcon(int size) {
  const pictures::Hole& hole = pictures::kHoles[0];
  const QSize frame = pictures::kCritterSize;
  // The critter's frame stands in the middle of a square as tall as it is.
  const qreal scale = size / qreal(frame.height());
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(scale, scale);
  painter.translate((frame.height() - frame.width()) / 2.0, 0);
  painter.setClipRect(QRect(QPoint(0, 0), frame));
  pictures::paintCritter(painter, hole.species, false);

  const QString kana = QStringLiteral("か");
  const pictures::Label label = pictures::labelFor(kana, hole.labelAnchor);
  painter.setFont(label.font);
  painter.setPen(QColor(40, 60, 160));
  painter.drawText(QPointF(label.cellTopLeft) + QPointF(0, QFontMetricsF(label.font).ascent()),
                   kana);
  painter.end();
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: kanacatch-icon <folder> <size>...\n");
    return 2;
  }
  for (const QString& size : arguments.mid(2)) {
    const QDir folder(arguments[1] + QLatin1Char('/') + size);
    if (!folder.mkpath(QStringLiteral(".")) ||
        !DrawIcon(size.toInt()).save(folder.filePath(QLatin1String(IconName)))) {
      std::fprintf(stderr, "could not write the %s px icon\n", qPrintable(size));
      return 1;
    }
  }
  return 0;
}
