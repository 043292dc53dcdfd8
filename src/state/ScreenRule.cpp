#include "state/ScreenRule.h"

bool FullSizeScreen(platform::ScreenSize screen) {
  return screen.width >= 800 && screen.height >= 600;
}

namespace {

bool playfieldShrunk = false;

}  // namespace

bool FullSizeScreen() { return !playfieldShrunk && FullSizeScreen(platform::ScreenPixels()); }

void SetPlayfieldShrunk(bool shrunk) { playfieldShrunk = shrunk; }
