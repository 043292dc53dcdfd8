#include "platform/windows/WindowFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/system/Screen.h"
#include "platform/system/Services.h"

namespace platform {
QRect WorkArea() {
  if (const QRect chosen = CurrentServices().workArea; !chosen.isEmpty()) return chosen;
  const ScreenSize screen = ScreenPixels();
  const QScreen* primary = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
  if (!primary || primary->size() != QSize(screen.width, screen.height)) {
    return {0, 0, screen.width, screen.height};
  }
  return primary->availableGeometry();
}

QMargins FrameOf(const QWidget& window) {
  const QRect outer = window.frameGeometry();
  const QRect inner = window.geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

void FixSize(QWidget& window, QSize size) {
  // Changing the flags of a shown window hides it: they change only once,
  // before the window is first shown.
  if (window.windowFlags() & Qt::WindowMaximizeButtonHint) {
    window.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  }
  window.setFixedSize(size);
}

}  // namespace platform
