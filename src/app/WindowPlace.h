#pragma once
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

#include "platform/system/Screen.h"

class QWidget;

// Where the main window (and the title window before it) of `size` goes on
// `screen`: in the middle, or, where the middle lies under the input table's
// strip at the left and the screen is wide enough for both, just right of
// the strip, so that the table never covers the window's menus.
QPoint MainWindowPlace(platform::ScreenSize screen, QSize size);

// The inner rectangle (screen pixels) of a window of the inner size
// `wanted`, whose frame `frame` would have its top left corner at `place`:
// as big as wanted where the window fits the work area `area` frame and
// all, else shrunk to the area; and moved, where need be, into the area.
QRect FitToWorkArea(QSize wanted, QPoint place, QRect area, QMargins frame);

// Puts the top-level `window`, of the size it has now, where the main
// window goes, and keeps it fitting the work area: when it is shown and
// whenever its frame or the work area changes. Until the window is framed
// the frame last measured on another window stands for its own. `resize`
// gives the window a new inner size.
void KeepOnWorkArea(QWidget& window, std::function<void(QSize)> resize);
