#include "rules/control/MainLoop.h"

#include <algorithm>

#include "platform/system/TextBox.h"
#include "platform/system/TickCounter.h"
#include "rules/anim/KobbinMove.h"
#include "rules/control/GameControl.h"
#include "rules/kana/PlayfieldTexts.h"
#include "state/GameState.h"

using platform::GetTickCount;
using platform::TicksElapsed;

namespace {

void AnimationStep() {
  for (int h = 1; h <= HoleCount; ++h) MoveKob(h);
  DrawCountsForScreen();
  Game.LastStepTick = GetTickCount();
}

// Milliseconds until the first moment at which more than `wait` ms will
// have passed since `since`.
uint32_t DueIn(int32_t since, int32_t now, uint32_t wait) {
  const uint32_t elapsed = TicksElapsed(since, now);
  return elapsed > wait ? 0 : wait + 1 - elapsed;
}

}  // namespace

platform::PassOutcome MainLoopPass() {
  platform::PassOutcome outcome;
  if (Game.GameRunning) {
    platform::Text1().SetFocus();
    if (platform::TicksPassed(Game.LastStepTick, GetTickCount(), StepIntervalMs)) AnimationStep();
    if (!Game.BgmOff) BgmRepeat();
    if (Game.ShownCount >= Game.MojiTotal) CheckGameEnd();
  }
  outcome.keepRunning = Game.MainLoopActive;
  if (Game.GameRunning) {
    const int32_t now = GetTickCount();
    uint32_t due = DueIn(Game.LastStepTick, now, StepIntervalMs);
    if (!Game.BgmOff) due = std::min(due, DueIn(Game.BgmStartTick, now, BgmRepeatMs));
    outcome.nextDueIn = due;
  }
  return outcome;
}

void MainLoop() { platform::RunPasses(MainLoopPass); }
