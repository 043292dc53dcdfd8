#pragma once

class QWidget;

namespace platform {

// Paints the shown top-level `window` into its backing store and puts it on
// the screen now, without waiting for the window system to report the
// window exposed and without handling any event: start-up uses it to show
// the title before it goes on loading. Where the window system drops the
// picture (the window not mapped yet), the window paints itself again once
// the event loop runs. A window not shown yet is only marked for painting.
void PaintAtOnce(QWidget& window);

}  // namespace platform
