#include "support/GameFixture.h"

#include "platform/system/Caches.h"
#include "platform/system/Services.h"
#include "platform/system/TextBox.h"
#include "rules/control/GameControl.h"
#include "rules/control/MainLoop.h"
#include "rules/kana/MojiTable.h"
#include "state/GameState.h"
#include "state/Pictures.h"

void GameFixture::SetUp() {
  platform::UseServices(
      {.ticks = &clock, .waves = &sounds, .music = &music, .screen = {1024, 768}});
  platform::ResetRandom();
  platform::ForgetCaches();
  platform::DetachedText1() = platform::DetachedTextBox{};
  ClearGameState();
  SizePictures();
  InitSettings();
  SetHoleRects();
  MakeMojiTable();
}

void GameFixture::TearDown() { platform::ResetServices(); }

void GameFixture::Pass(uint32_t ms) {
  clock.Advance(ms);
  MainLoopPass();
}
