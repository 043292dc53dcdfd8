#include "rules/anim/KobbinMove.h"

#include "platform/system/Random.h"
#include "platform/system/TickCounter.h"
#include "rules/anim/Playfield.h"
#include "rules/kana/MojiPicking.h"
#include "state/GameResults.h"
#include "state/GameState.h"

using platform::GetTickCount;
using platform::RandomWhole;
using platform::Rnd;

void SetHideWait(int h) { Game.HoleWait[h] = static_cast<int16_t>(RandomWhole(Rnd(), 7) * 1000); }

void SetStayWait(int h) {
  switch (Game.SpeedLevel) {
    case 1:
      Game.HoleWait[h] = 1;
      break;
    case 2:
      Game.HoleWait[h] = static_cast<int16_t>((RandomWhole(Rnd(), 2) + 1) * 1000);
      break;
    default:
      Game.HoleWait[h] = static_cast<int16_t>((RandomWhole(Rnd(), 3) + 3) * 1000);
      break;
  }
}

void MoveKob(int h) {
  KobRectangle& kob = Game.KobRect[h];
  const int32_t now = GetTickCount();

  // The pause is over: a critter down in its hole starts to rise with a new
  // string, one up at the top starts to sink.
  const bool pauseOver = platform::TicksPassed(Game.HoleTick[h], now, Game.HoleWait[h]);
  if (pauseOver && !Game.KobRising[h] && !Game.KobSinking[h]) {
    if (Game.RestY[h] <= kob.Top && Game.ShownCount < Game.MojiTotal) {
      Game.KobRising[h] = true;
      ++Game.ShownCount;
      SelectMoji(h);
      SelectMojiColor(h);
      ResultsCritterRose(h);
    }
    if (Game.PeakY[h] >= kob.Top) Game.KobSinking[h] = true;
  }

  if (Game.KobRising[h]) {
    if (Game.PeakY[h] < kob.Top) {
      kob.Top -= Game.MoveStep;
    } else {
      Game.KobRising[h] = false;
      SetStayWait(h);
      Game.HoleTick[h] = GetTickCount();
    }
  }

  if (Game.KobSinking[h]) {
    if (kob.Top < Game.RestY[h]) {
      kob.Top += Game.MoveStep;
      if (kob.Top >= Game.RestY[h] && !Game.KobCaught[h]) ResultsCritterEscaped(h);
    } else {
      Game.KobSinking[h] = false;
      Game.KobCaught[h] = false;
      SetHideWait(h);
      Game.HoleTick[h] = GetTickCount();
    }
  }

  if (Game.KobRising[h] || Game.KobSinking[h]) {
    const LabelAnchor anchor = HoleLabelAnchor[h - 1];
    DrawHole(h, HolePicture[h - 1], Game.RestY[h] - kob.Top, anchor.x, anchor.y);
  }
}
