#include "app/Closing.h"

#include "app/MainForm.h"
#include "platform/audio/MusicDevice.h"
#include "screens/InputTable.h"
#include "screens/ResultsForm.h"
#include "state/GameState.h"

namespace {

// Ends the game and the main loop and closes the side windows; the main
// window's close handlers also stop and close the music device.
void EndEverything(bool closeMusic) {
  Game.GameRunning = false;
  Game.MainLoopActive = false;
  if (closeMusic) {
    platform::Music().Stop();
    platform::Music().Close();
  }
  UnloadInPutForm();
  CloseResultsForm();
}

}  // namespace

void Quit_Click() {
  EndEverything(false);
  if (MainForm* form = MainForm::Instance()) form->close();
}

void Form_QueryUnload() { EndEverything(true); }

void Form_Unload() { EndEverything(true); }
