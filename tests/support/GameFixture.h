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
  // until `done` holds or `maxPasses` ran.
  template <typename Done>
  void RunPassesUntil(Done done, uint32_t msPerPass = 1, int maxPasses = 2000000) {
    for (int passes = 0; !done() && passes < maxPasses; ++passes) Pass(msPerPass);
  }

  // Advances the clock by `ms` and runs one main loop pass.
  void Pass(uint32_t ms = 1);

  TestClock clock;
  MusicRecorder music;
  SoundRecorder sounds;
};
