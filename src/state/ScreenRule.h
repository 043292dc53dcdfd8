#pragma once
#include "platform/system/Screen.h"

// Whether the playfield shows the composite one to one: on a screen of at
// least 800 x 600 the main window is made big enough for the whole 640 x 480
// composite; on a smaller one the composite is shrunk into the playfield.
bool FullSizeScreen(platform::ScreenSize screen);

// The same for the screen the program runs on, where the main window was
// not shrunk to fit the screen's work area.
bool FullSizeScreen();

// Says whether the main window's playfield was shrunk to fit the work area.
void SetPlayfieldShrunk(bool shrunk);
