// The input table's picture as the game's window shows it.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "KanaTable.h"
#include "screens/InputTable.h"

// At the largest scroll value the window shows the picture down to its
// reach; the last row must lie above it on every screen from 640 x 480 up,
// without a window manager and with a caption and frame of up to 45 pixels
// (openbox adds 21, the larger desktops up to about 40).
TEST(InputTablePicture, EveryRowCanBeScrolledIntoViewOnEveryScreen) {
  const QImage table(QDir(QStringLiteral(KANACATCH_DATA_DIR)).filePath("input.jpg"));
  ASSERT_EQ(table.size(), QSize(pictures::kTableWidth, pictures::kTableHeight));
  // The lowest row of pixels that differs from the blank paper below the table.
  const QRgb paper = table.pixel(table.width() / 2, table.height() - 1);
  int lastInk = table.height() - 1;
  const auto blank = [&](int y) {
    for (int x = pictures::kTableHiddenLeft; x < table.width(); ++x) {
      const QRgb c = table.pixel(x, y);
      if (std::abs(qGray(c) - qGray(paper)) > 24) return false;
    }
    return true;
  };
  while (lastInk > 0 && blank(lastInk)) --lastInk;
  ASSERT_GT(lastInk, table.height() - 40) << "the table fills the picture";
  for (int screenHeight = 480; screenHeight <= 2160; ++screenHeight) {
    for (int frame : {0, 21, 45}) {
      ASSERT_GT(InputTableReach(screenHeight, frame), lastInk)
          << "screen height " << screenHeight << ", frame " << frame;
    }
  }
}
