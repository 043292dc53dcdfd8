#include "media/BgmSwitch.h"

#include "game/GameState.h"
#include "platform/MusicDevice.h"

void BgmStop_Click() {
  if (!Game.BgmOff) {
    platform::Music().Stop();
    Game.BgmOff = true;
    return;
  }
  if (Game.GameRunning) platform::Music().PlayFromStart();
  Game.BgmOff = false;
}
