#include "core/Closing.h"

#include "core/GameState.h"
#include "core/MainForm.h"
#include "media/BgmCommands.h"
#include "screens/InputTable.h"
#include "screens/ResultsForm.h"

namespace {

void CloseEverything() {
  Game.GameRunning = false;
  Game.MainLoopActive = false;
  SendBgm(BgmStopCommand);
  SendBgm(BgmCloseCommand);
  UnloadInPutForm();
  CloseResultsForm();
}

}  // namespace

void Quit_Click() {
  Game.GameRunning = false;
  Game.MainLoopActive = false;
  UnloadInPutForm();
  CloseResultsForm();
  if (MainForm* form = MainForm::Instance()) form->close();
}

void Form_QueryUnload() { CloseEverything(); }

void Form_Unload() { CloseEverything(); }
