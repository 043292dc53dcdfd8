#include "support/GameInvariants.h"

#include <gtest/gtest.h>

#include "game/GameState.h"

void ExpectGameInvariants() {
  ASSERT_GE(Game.ShownCount, 0);
  // The string count may be chosen anew once a game is over.
  ASSERT_TRUE(!Game.GameRunning || Game.ShownCount <= Game.MojiTotal)
      << Game.ShownCount << " of " << Game.MojiTotal;
  ASSERT_LE(Game.CatchCount, Game.ShownCount);
  for (int h = 1; h <= HoleCount; ++h) {
    ASSERT_LE(Game.PeakY[h], Game.KobRect[h].Top) << "hole " << h;
    ASSERT_LE(Game.KobRect[h].Top, Game.RestY[h]) << "hole " << h;
    ASSERT_TRUE(!Game.KobCaught[h] || Game.KobSinking[h]) << "caught and not sinking, hole " << h;
    ASSERT_TRUE(!Game.KobCaught[h] || Game.HoleMoji[h].isEmpty())
        << "caught with a string, hole " << h;
  }
}
