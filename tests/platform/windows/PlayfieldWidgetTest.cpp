// The visible playfield: the composite painted area by area.
#include <gtest/gtest.h>

#include <QPainter>

#include "platform/drawing/Picture.h"
#include "platform/system/Services.h"
#include "platform/windows/PlayfieldWidget.h"

// The playfield paints each changed area in bands of rows. The bands join
// as one drawing of the whole area, without a seam or a lost row: one to
// one, shrunk smoothly from a composite of ratio 2 on a screen of ratio 1,
// and shrunk into a playfield smaller than 640 x 480; outside the changed
// areas nothing is painted.
TEST(PlayfieldWidget, PaintsEveryChangedAreaAsOneDrawingOfTheCompositeWould) {
  const QRegion changed = QRegion(10, 0, 70, 300) + QRegion(500, 123, 40, 211);
  for (const int ratio : {1, 2}) {
    platform::ChangeServices([&](platform::Services& s) { s.pixelRatio = ratio; });
    platform::Picture composite(640, 480);
    QImage& pixels = composite.ImageToDrawIn();
    quint32 noise = 12345;
    for (int y = 0; y < pixels.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
      for (int x = 0; x < pixels.width(); ++x)
        row[x] = 0xff000000 | (noise = noise * 1664525 + 1013904223) >> 8;
    }
    for (const QSize size : {QSize(640, 480), QSize(634, 456)}) {
      SCOPED_TRACE(testing::Message() << "ratio " << ratio << ", width " << size.width());
      platform::PlayfieldWidget playfield(composite);
      playfield.resize(size);
      QImage shown(size, QImage::Format_RGB32);
      shown.fill(Qt::magenta);
      playfield.render(&shown, changed.boundingRect().topLeft(), changed);

      // One drawing of the whole composite into the playfield, area by area.
      QImage whole(size, QImage::Format_RGB32);
      QPainter painter(&whole);
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      for (const QRect& area : changed) {
        painter.setClipRect(area);
        painter.drawImage(QRect(QPoint(), size), composite.Image());
      }
      for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
          const bool inside = changed.contains(QPoint(x, y));
          ASSERT_EQ(shown.pixel(x, y), inside ? whole.pixel(x, y) : QColor(Qt::magenta).rgb())
              << x << "," << y;
        }
    }
  }
  platform::ChangeServices([&](platform::Services& s) { s.pixelRatio = 0; });
}
