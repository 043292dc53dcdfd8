// Where the results window stands.
#include <gtest/gtest.h>

#include "screens/ResultsForm.h"

TEST(ResultsPlace, TheWholeWindowWithItsFrameStaysInTheAreaAndOnTheScreen) {
  const QRect screen(0, 0, 640, 480), area(0, 95, 640, 385);
  const QMargins frame(1, 24, 1, 1);
  // Centred at the area's top; on the screen's part of an area partly off
  // it; anywhere on the screen for an area off it. (As tall as the area at
  // most: the main window's results of 70 strings.)
  EXPECT_EQ(ResultsPlace({300, 200}, area, frame, screen), QRect(170, 119, 300, 200));
  EXPECT_EQ(ResultsPlace({300, 200}, area.translated(-400, 0), frame, screen),
            QRect(1, 119, 238, 200));
  EXPECT_EQ(ResultsPlace({300, 200}, area.translated(900, 0), frame, screen),
            QRect(170, 24, 300, 200));
}
