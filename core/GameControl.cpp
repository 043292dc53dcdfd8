#include "core/GameControl.h"

#include "anim/KobbinMove.h"
#include "anim/Playfield.h"
#include "core/GameResults.h"
#include "core/GameState.h"
#include "media/BgmCommands.h"
#include "platform/TextBox.h"
#include "platform/TickCounter.h"
#include "screens/ResultsForm.h"

using platform::GetTickCount;

void Start_Click() {
  if (Game.GameRunning) return;
  CloseResultsForm();
  ResultsGameStarted();
  if (!Game.BgmOff) SendBgm(BgmPlayCommand);
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
  CloseResultsForm();
  ClearPlayfield();
  Game.GameRunning = false;
  platform::Text1().SetVisible(false);
  SendBgm(BgmStopCommand);
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
  SendBgm(BgmStopCommand);
  SendBgm(BgmPlayCommand);
  Game.BgmStartTick = GetTickCount();
}

void CheckGameEnd() {
  for (int h = 1; h <= HoleCount; ++h) {
    if (Game.KobRect[h].Top < Game.RestY[h]) return;
  }
  SendBgm(BgmStopCommand);
  Game.GameRunning = false;
  ShowResultsForm();
}
