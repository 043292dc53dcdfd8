#include "support/GameFixture.h"

#include "core/GameControl.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/MojiTable.h"
#include "platform/Screen.h"
#include "platform/TextBox.h"

void GameFixture::SetUp() {
  platform::UseTickSource(&clock);
  platform::UseMusicDevice(&music);
  platform::UseWavePlayer(&sounds);
  platform::UseRandomSource(nullptr);
  platform::ResetRandom();
  platform::UseScreenSize({1024, 768});
  platform::UseText1(nullptr);
  platform::DetachedText1() = platform::DetachedTextBox{};
  ClearGameState();
  SizePictures();
  InitSettings();
  SetHoleRects();
  MakeMojiTable();
}

void GameFixture::TearDown() {
  platform::UseTickSource(nullptr);
  platform::UseMusicDevice(nullptr);
  platform::UseWavePlayer(nullptr);
  platform::UseRandomSource(nullptr);
  platform::UseScreenSize({});
}

void GameFixture::Pass(uint32_t ms) {
  clock.Advance(ms);
  MainLoopPass();
}
