#pragma once
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

// The screen's work area in pixels: the primary screen less the panels
// that the window manager keeps clear. A screen size that a test chose
// (Services::screen) is all work area, unless the test chose a work area
// too (Services::workArea).
QRect WorkArea();

// The frame the window system put around the top-level `window`: none
// before it is framed, and none without a window manager.
QMargins FrameOf(const QWidget& window);

// Fixes the top-level `window` to the inner size `size` and takes away its
// maximize button, which a window of a fixed size has no use for.
void FixSize(QWidget& window, QSize size);

}  // namespace platform
