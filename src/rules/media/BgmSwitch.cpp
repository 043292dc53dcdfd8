#include "rules/media/BgmSwitch.h"

#include "platform/audio/MusicDevice.h"
#include "state/GameState.h"

void BgmStop_Click() {
  if (!Game.BgmOff) {
    platform::Music().Stop();
    Game.BgmOff = true;
    return;
  }
  if (Game.GameRunning) platform::Music().PlayFromStart();
  Game.BgmOff = false;
}
