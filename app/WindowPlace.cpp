#include "app/WindowPlace.h"

#include <algorithm>

#include "screens/InputTable.h"

namespace {

// The widest frame border we expect a window manager to put on either side
// of a window.
constexpr int FrameBorder = 5;

}  // namespace

QPoint MainWindowPlace(platform::ScreenSize screen, QSize size) {
  const int tableRight = InPutFormWidth + 2 * FrameBorder;
  int left = std::max(0, (screen.width - size.width()) / 2);
  if (left < tableRight && tableRight + size.width() + 2 * FrameBorder <= screen.width) {
    left = tableRight;
  }
  return {left, std::max(0, (screen.height - size.height()) / 2)};
}
