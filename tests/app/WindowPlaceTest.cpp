// Where the main window stands on screens and work areas of every size.
#include <gtest/gtest.h>

#include <QStringList>

#include "app/StartUp.h"
#include "app/WindowPlace.h"

// The playfield's size and the main window's place on screens at either
// side of the full-size rule and of the width where the input table
// (InPutFormWidth and its frame) fits left of the main window. Frame and
// all, a window that fits the work area keeps its size and is moved into
// the area where need be; one that does not fit shrinks to it.
TEST(WindowPlaces, AreFullSizeFrom800By600ClearOfTheInputTableAndShrinkOnlyWhereTheyDoNotFit) {
  const QMargins none, openbox(1, 20, 1, 1);
  QStringList places;
  for (const auto& [screen, area, frame] :
       {std::tuple{platform::ScreenSize{640, 480}, QRect(0, 0, 640, 480), none},
        {{799, 600}, QRect(0, 0, 799, 600), none},
        {{800, 599}, QRect(0, 0, 800, 599), none},
        {{800, 600}, QRect(0, 0, 800, 600), none},
        {{894, 768}, QRect(0, 0, 894, 768), none},
        {{895, 768}, QRect(0, 0, 895, 768), none},
        {{2560, 1080}, QRect(0, 0, 2560, 1080), none},
        {{640, 480}, QRect(0, 0, 640, 480), openbox},
        {{640, 480}, QRect(0, 0, 640, 440), openbox},
        {{1024, 768}, QRect(0, 0, 1024, 768), openbox},
        {{1366, 768}, QRect(0, 0, 1366, 728), openbox},
        {{800, 600}, QRect(0, 100, 800, 500), openbox}}) {
    const QSize wanted = CalcFormSize(screen) + QSize(0, 20);
    const QRect inner = FitToWorkArea(wanted, MainWindowPlace(screen, wanted), area, frame);
    places << QString::asprintf("%dx%d%s: %dx%d at %d,%d", area.width(), area.height(),
                                frame.isNull() ? "" : " framed", inner.width(), inner.height(),
                                inner.x(), inner.y());
  }
  EXPECT_EQ(
      places,
      QStringList({"640x480: 634x456 at 3,12", "799x600: 634x456 at 82,72",
                   "800x599: 634x456 at 83,71", "800x600: 640x500 at 80,50",
                   "894x768: 640x500 at 127,134", "895x768: 640x500 at 245,134",
                   "2560x1080: 640x500 at 960,290", "640x480 framed: 634x456 at 4,23",
                   "640x440 framed: 634x419 at 4,20", "1024x768 framed: 640x500 at 246,154",
                   "1366x728 framed: 640x500 at 364,154", "800x500 framed: 640x479 at 81,120"}));
}
