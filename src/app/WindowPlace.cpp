#include "app/WindowPlace.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "platform/system/Caches.h"
#include "platform/windows/WindowFrame.h"
#include "screens/InputTable.h"

namespace {

// The widest frame border we expect a window manager to put on either side
// of a window.
constexpr int FrameBorder = 5;

// The frame the window manager last put around one of our windows.
QMargins lastFrame;
[[maybe_unused]] const bool forgettable =
    platform::ForgetWithCaches([] { lastFrame = QMargins(); });

// Fits its window to the work area anew whenever the frame or the area
// differs from the last fit's; a window moved by the player stays put.
class WorkAreaKeeper : public QObject {
 public:
  WorkAreaKeeper(QWidget& window, std::function<void(QSize)> resize)
      : QObject(&window),
        window(window),
        wanted(window.size()),
        place(MainWindowPlace(platform::ScreenPixels(), wanted)),
        resize(std::move(resize)) {
    window.installEventFilter(this);
    Fit();
  }

  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::WindowActivate) Fit();
    return false;
  }

 private:
  void Fit() {
    QMargins frame = platform::FrameOf(window);
    if (!frame.isNull()) {
      lastFrame = frame;
    } else if (!window.isVisible()) {
      frame = lastFrame;
    }
    const QRect area = platform::WorkArea();
    if (fitted && frame == fittedFrame && area == fittedArea) return;
    fitted = true;
    fittedFrame = frame;
    fittedArea = area;
    const QRect inner = FitToWorkArea(wanted, place, area, frame);
    if (inner.size() != window.size()) resize(inner.size());
    window.move(inner.topLeft() - QPoint(frame.left(), frame.top()));
  }

  QWidget& window;
  const QSize wanted;
  const QPoint place;
  const std::function<void(QSize)> resize;
  bool fitted = false;
  QMargins fittedFrame;
  QRect fittedArea;
};

}  // namespace

QPoint MainWindowPlace(platform::ScreenSize screen, QSize size) {
  const int tableRight = InPutFormWidth + 2 * FrameBorder;
  int left = std::max(0, (screen.width - size.width()) / 2);
  if (left < tableRight && tableRight + size.width() + 2 * FrameBorder <= screen.width) {
    left = tableRight;
  }
  return {left, std::max(0, (screen.height - size.height()) / 2)};
}

QRect FitToWorkArea(QSize wanted, QPoint place, QRect area, QMargins frame) {
  const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  const QSize size = wanted.boundedTo(area.size() - frameSize);
  const QSize outer = size + frameSize;
  const int left =
      std::max(area.left(), std::min(place.x(), area.left() + area.width() - outer.width()));
  const int top =
      std::max(area.top(), std::min(place.y(), area.top() + area.height() - outer.height()));
  return {QPoint(left + frame.left(), top + frame.top()), size};
}

void KeepOnWorkArea(QWidget& window, std::function<void(QSize)> resize) {
  new WorkAreaKeeper(window, std::move(resize));
}
