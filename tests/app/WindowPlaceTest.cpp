// Where the main window stands on screens and work areas of every size.
#include <gtest/gtest.h>

#include <QString>
#include <tuple>

#include "app/StartUp.h"
#include "app/WindowPlace.h"

// The playfield's size and the main window's place on screens at either
// side of the full-size rule and of the width where the input table
// (InPutFormWidth and its frame) fits left of the main window. Frame and
// all, a window that fits the work area keeps its size and is moved into
// the area where need be; one that does not fit shrinks to it.
TEST(WindowPlaces, AreFullSizeFrom800By600ClearOfTheInputTableAndShrinkOnlyWhereTheyDoNotFit) {
  const QMargins none, openbox(1, 20, 1, 1);
  // The screen, the work area and the frame, and the playfield's size and the
  // main window's place there.
  const std::tuple<platform::ScreenSize, QRect, QMargins, const char*> rows[] = {
      {{640, 480}, QRect(0, 0, 640, 480), none, "634x456 at 3,12"},
      {{799, 600}, QRect(0, 0, 799, 600), none, "634x456 at 82,72"},
      {{800, 599}, QRect(0, 0, 800, 599), none, "634x456 at 83,71"},
      {{800, 600}, QRect(0, 0, 800, 600), none, "640x500 at 80,50"},
      {{894, 768}, QRect(0, 0, 894, 768), none, "640x500 at 127,134"},
      {{895, 768}, QRect(0, 0, 895, 768), none, "640x500 at 245,134"},
      {{2560, 1080}, QRect(0, 0, 2560, 1080), none, "640x500 at 960,290"},
      {{640, 480}, QRect(0, 0, 640, 480), openbox, "634x456 at 4,23"},
      {{640, 480}, QRect(0, 0, 640, 440), openbox, "634x419 at 4,20"},
      {{1024, 768}, QRect(0, 0, 1024, 768), openbox, "640x500 at 246,154"},
      {{1366, 768}, QRect(0, 0, 1366, 728), openbox, "640x500 at 364,154"},
      {{800, 600}, QRect(0, 100, 800, 500), openbox, "640x479 at 81,120"}};
  for (const auto& [screen, area, frame, place] : rows) {
    const QSize wanted = CalcFormSize(screen) + QSize(0, 20);
    const QRect inner = FitToWorkArea(wanted, MainWindowPlace(screen, wanted), area, frame);
    EXPECT_EQ(
        QString::asprintf("%dx%d at %d,%d", inner.width(), inner.height(), inner.x(), inner.y())
            .toStdString(),
        place)
        << area.width() << "x" << area.height() << (frame.isNull() ? "" : " framed");
  }
}
