#include "state/GameState.h"

GameState Game;

void InitSettings() {
  Game.MainLoopActive = true;
  Game.GameRunning = false;
  Game.BgmOff = false;
  Game.SpeedLevel = 3;
  Game.LessonNo = 1;
  Game.MoveStep = 20;
  Game.MojiTotal = 30;
  for (int h = 1; h <= HoleCount; ++h) {
    Game.PeakY[h] = HolePeakY[h - 1];
    Game.RestY[h] = HoleRestY[h - 1];
  }
}

void ClearGameState() { Game = GameState{}; }
