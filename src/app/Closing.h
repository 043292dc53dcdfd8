#pragma once

class MainForm;

// The "おわり" menu command: ends the game and the main loop and closes the
// input-table window and the main window `form`.
void Quit_Click(MainForm& form);

// The close handlers of the main window `form`, run whenever it is closed
// (close box, system menu, Quit). Both end the game and the main loop, close
// its side windows and stop and close the music device; running them again
// does no harm.
void Form_QueryUnload(MainForm& form);
void Form_Unload(MainForm& form);
