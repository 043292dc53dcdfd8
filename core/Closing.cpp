#include "core/Closing.h"

#include "core/GameState.h"
#include "core/MainForm.h"
#include "media/BgmCommands.h"
#include "screens/InputTable.h"

namespace {

void CloseEverything() {
  Game.GameRunning = false;
  Game.MainLoopActive = false;
  SendBgm(BgmStopCommand);
  SendBgm(BgmCloseCommand);
  UnloadInPutForm();
}

}  // namespace

void Quit_Click() {
  Game.GameRunning = false;
  Game.MainLoopActive = false;
  UnloadInPutForm();
  if (MainForm* form = MainForm::Instance()) form->close();
}

void Form_QueryUnload() { CloseEverything(); }

void Form_Unload() { CloseEverything(); }
