#pragma once
#include <gtest/gtest.h>

#include "support/TestDoubles.h"

// A started program without windows: default settings, hole rectangles and
// the kana table, with the test clock, a music recorder and a sound recorder
// installed and the generator back at its starting state.
class GameFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs main loop passes, advancing the clock by `msPerPass` before each,
  // until `done` holds or `maxPasses` ran; returns the passes run.
  template <typename Done>
  int RunPassesUntil(Done done, uint32_t msPerPass = 1, int maxPasses = 2000000);

  // Advances the clock by `ms` and runs one main loop pass.
  void Pass(uint32_t ms = 1);

  TestClock clock;
  MusicRecorder music;
  SoundRecorder sounds;
};

template <typename Done>
int GameFixture::RunPassesUntil(Done done, uint32_t msPerPass, int maxPasses) {
  int passes = 0;
  while (!done() && passes < maxPasses) {
    Pass(msPerPass);
    ++passes;
  }
  return passes;
}
