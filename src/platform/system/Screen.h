#pragma once

namespace platform {

// The screen's size in pixels.
struct ScreenSize {
  int width = 0;
  int height = 0;
};

// The primary screen's size; with no screen at all, 1024 x 768.
ScreenSize ScreenPixels();

}  // namespace platform
