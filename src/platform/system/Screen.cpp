#include "platform/system/Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/system/Services.h"

namespace platform {
ScreenSize ScreenPixels() {
  if (const ScreenSize chosen = CurrentServices().screen; chosen.width > 0 && chosen.height > 0) {
    return chosen;
  }
  if (qGuiApp) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QSize size = screen->size();
      return {size.width(), size.height()};
    }
  }
  return {1024, 768};
}

}  // namespace platform
