#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {

ScreenSize chosenSize;

}  // namespace

ScreenSize ScreenPixels() {
  if (chosenSize.width > 0 && chosenSize.height > 0) return chosenSize;
  if (qGuiApp) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QSize size = screen->size();
      return {size.width(), size.height()};
    }
  }
  return {1024, 768};
}

void UseScreenSize(ScreenSize size) { chosenSize = size; }

}  // namespace platform
