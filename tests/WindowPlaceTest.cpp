#include <gtest/gtest.h>

#include "app/StartUp.h"
#include "app/WindowPlace.h"
#include "screens/InputTable.h"

// The input table stands at the left edge, InPutFormWidth wide plus its
// frame; wherever the screen has room for both, the main window starts right
// of it, so its menus stay in sight. It always stays on the screen.
TEST(MainWindowPlace, KeepsTheMenusClearOfTheInputTableWhereTheScreenHasRoom) {
  constexpr int Frame = 5;  // a frame border on either side of a window
  for (int width = 640; width <= 2560; width += 4) {
    for (const int height : {480, 600, 768, 1080}) {
      const platform::ScreenSize screen{width, height};
      const QSize size = CalcFormSize(screen) + QSize(0, 20);
      const QPoint place = MainWindowPlace(screen, size);
      const bool room = width >= InPutFormWidth + size.width() + 4 * Frame;
      EXPECT_EQ(place.x() >= InPutFormWidth + 2 * Frame, room) << width << "x" << height;
      EXPECT_GE(place.x(), 0);
      EXPECT_LE(place.x() + size.width(), std::max(width, size.width()));
      EXPECT_EQ(place.y(), std::max(0, (height - size.height()) / 2));
    }
  }
}
