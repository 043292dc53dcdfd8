#pragma once
#include <QPoint>
#include <QSize>

#include "platform/Screen.h"

// Where the main window (and the title window before it) of `size` goes on
// `screen`: in the middle, or, where the middle lies under the input table's
// strip at the left and the screen is wide enough for both, just right of
// the strip, so that the table never covers the window's menus.
QPoint MainWindowPlace(platform::ScreenSize screen, QSize size);
