#include "app/Closing.h"

#include "app/MainForm.h"
#include "platform/audio/MusicDevice.h"
#include "screens/InputTable.h"
#include "screens/ResultsForm.h"
#include "state/GameState.h"

namespace {

// Ends the game and the main loop and closes the side windows of `form`;
// the main window's close handlers also stop and close the music device.
void EndEverything(MainForm& form, bool closeMusic) {
  Game.GameRunning = false;
  Game.MainLoopActive = false;
  if (closeMusic) {
    platform::Music().Stop();
    platform::Music().Close();
  }
  UnloadInPutForm(form.InPutWindow);
  CloseResultsForm(form.ResultsWindow);
}

}  // namespace

void Quit_Click(MainForm& form) {
  EndEverything(form, false);
  form.close();
}

void Form_QueryUnload(MainForm& form) { EndEverything(form, true); }

void Form_Unload(MainForm& form) { EndEverything(form, true); }
