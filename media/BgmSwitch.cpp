#include "media/BgmSwitch.h"

#include "core/GameState.h"
#include "media/BgmCommands.h"

bool BgmStopChecked = false;

void BgmStop_Click() {
  if (!Game.BgmOff) {
    SendBgm(BgmStopCommand);
    BgmStopChecked = true;
    Game.BgmOff = true;
    return;
  }
  if (Game.GameRunning) SendBgm(BgmPlayCommand);
  BgmStopChecked = false;
  Game.BgmOff = false;
}
