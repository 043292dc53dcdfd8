#pragma once

// The "おわり" menu command: ends the game and the main loop and closes the
// input-table window and the main window.
void Quit_Click();

// The main window's close handlers, run whenever it is closed (close box,
// system menu, Quit). Both end the game and the main loop and stop and
// close the music device; running them again does no harm.
void Form_QueryUnload();
void Form_Unload();
