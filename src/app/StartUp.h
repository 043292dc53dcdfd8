#pragma once
#include <QSize>

#include "platform/system/Screen.h"

class MainForm;

// The playfield size (the main window's inner area below its menu bar) for
// a screen: 640 x 480 on a screen of at least 800 x 600, so the composite
// is shown one to one; on a smaller screen the whole window, frame and
// caption included, keeps to 640 x 480 and the playfield shrinks.
QSize CalcFormSize(platform::ScreenSize screen);

// Start-up, run once the main window exists: refuses a second copy, sizes
// the windows, shows the title window, loads the pictures, sounds and kana
// table, sets the defaults and then the settings kept from the last run,
// and then runs the main loop until the program
// closes. A start-up failure is reported and ends the program.
void Form_Load(MainForm& form);
