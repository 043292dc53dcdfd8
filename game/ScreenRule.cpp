#include "game/ScreenRule.h"

bool FullSizeScreen(platform::ScreenSize screen) {
  return screen.width >= 800 && screen.height >= 600;
}

bool FullSizeScreen() { return FullSizeScreen(platform::ScreenPixels()); }
