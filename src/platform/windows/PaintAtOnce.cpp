#include "platform/windows/PaintAtOnce.h"

#include <QBackingStore>
#include <QWidget>
#include <QWindow>

namespace platform {

void PaintAtOnce(QWidget& window) {
  QBackingStore* store = window.isVisible() ? window.backingStore() : nullptr;
  QWindow* native = window.windowHandle();
  if (!store || !native || !native->handle()) {
    window.update();
    return;
  }
  const QRect whole = window.rect();
  if (store->size() != whole.size()) store->resize(whole.size());
  store->beginPaint(whole);
  window.render(store->paintDevice(), QPoint(), QRegion(whole),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
  store->endPaint();
  store->flush(whole, native);
}

}  // namespace platform
