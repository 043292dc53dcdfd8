#include "rules/control/InputMatching.h"

#include "platform/audio/WaveSound.h"
#include "platform/system/TextBox.h"
#include "state/GameResults.h"
#include "state/GameState.h"

namespace {

// A critter can be caught once its Top is above RestY - 2 steps: from its
// third step up, until it is back at that line while sinking.
bool IsCatchable(int h) { return Game.KobRect[h].Top < Game.RestY[h] - 2 * Game.MoveStep; }

void Catch(int h) {
  Game.KobCaught[h] = true;
  Game.KobRising[h] = false;
  Game.KobSinking[h] = true;
  platform::PlayWaveSound(Game.CatchSoundPath, platform::GameSoundFlags);
  ++Game.CatchCount;
  ResultsCritterCaught(h);
  Game.HoleMoji[h].clear();
  platform::Text1().Clear();
}

}  // namespace

void Text1_KeyUp(int KeyCode, int /*Shift*/) { CheckInput(KeyCode); }

void CheckInput(int KeyCode) {
  if (!Game.GameRunning) return;
  const platform::TextBox& typed = platform::Text1();
  // An empty box names nothing: a caught critter's string is emptied while
  // it is still sinking above its catch line, and must not count again.
  if (!typed.Holds(QString())) {
    for (int h = 1; h <= HoleCount; ++h) {
      if (typed.Holds(Game.HoleMoji[h]) && IsCatchable(h)) {
        Catch(h);
        return;
      }
    }
  }
  platform::PlayWaveSound(Game.MissSoundPath, platform::GameSoundFlags);
  if (KeyCode == KeyReturn) platform::Text1().Clear();
}
