#include "rules/control/GameControl.h"

#include "platform/audio/MusicDevice.h"
#include "platform/system/TextBox.h"
#include "platform/system/TickCounter.h"
#include "rules/anim/KobbinMove.h"
#include "rules/anim/Playfield.h"
#include "state/GameResults.h"
#include "state/GameState.h"

using platform::GetTickCount;
using platform::Music;

GameHooks Hooks;

void Start_Click() {
  if (Game.GameRunning) return;
  if (Hooks.GameLeaving) Hooks.GameLeaving();
  if (Hooks.GameStarting) Hooks.GameStarting();
  ResultsGameStarted();
  if (!Game.BgmOff) Music().PlayFromStart();
  SetHoleRects();
  InitHoles();
  Game.ShownCount = 0;
  Game.CatchCount = 0;
  Game.LastStepTick = GetTickCount();
  Game.BgmStartTick = GetTickCount();
  Game.GameRunning = true;
  platform::Text1().SetVisible(true);
  platform::Text1().Clear();
  for (int h = 1; h <= HoleCount; ++h) Game.KobCaught[h] = false;
}

void Stop_Click() {
  if (Hooks.GameLeaving) Hooks.GameLeaving();
  ClearPlayfield();
  Game.GameRunning = false;
  platform::Text1().SetVisible(false);
  Music().Stop();
}

void SetHoleRects() {
  for (int h = 1; h <= HoleCount; ++h) {
    const int left = HoleLeft[h - 1];
    Game.KobRect[h] = {left, Game.RestY[h], left + KobWidth, Game.RestY[h] + KobHeight};
  }
}

void InitHoles() {
  for (int h = 1; h <= HoleCount; ++h) {
    SetHideWait(h);
    Game.HoleTick[h] = GetTickCount();
    Game.KobRising[h] = false;
    Game.KobSinking[h] = false;
  }
}

void BgmRepeat() {
  if (!platform::TicksPassed(Game.BgmStartTick, GetTickCount(), BgmRepeatMs)) return;
  Music().Stop();
  Music().PlayFromStart();
  Game.BgmStartTick = GetTickCount();
}

void CheckGameEnd() {
  for (int h = 1; h <= HoleCount; ++h) {
    if (Game.KobRect[h].Top < Game.RestY[h]) return;
  }
  Music().Stop();
  Game.GameRunning = false;
  if (Hooks.GameEnded) Hooks.GameEnded();
}
