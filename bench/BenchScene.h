#pragma once
#include <QString>
#include <cstdint>

#include "platform/system/TickCounter.h"

// A tick counter that moves only when the benchmark moves it, so every step
// sees the same scene.
class BenchClock : public platform::TickSource {
 public:
  int32_t Read() override { return static_cast<int32_t>(ticks); }
  void Advance(uint32_t ms) { ticks += ms; }
  uint32_t ticks = 100000;
};

// Makes the program ready to play as start-up leaves it, with the pictures
// of the data folder "Deta" in `appFolder` (the folder the build puts the
// program in), silent music and sounds, a 1024 x 768 screen and the
// composite showing the bare background. Returns false, having said why on
// stderr, when the data folder cannot be read.
bool LoadBenchGame(const QString& appFolder);

// Puts a running game into the scene that makes the next animation step
// draw all six holes: two critters rising, one leaving its hole with a new
// string, one at the top starting to sink, one sinking and one caught and
// sinking. `now` is the tick the step will read. The music is off, so the
// pass that makes the step does nothing else.
void SetSixHolesMoving(int32_t now);

// Runs one main loop pass at a tick 31 ms after the previous step, on the
// scene above: one whole animation step with the counter band. Returns
// false when the pass made no step.
bool SixHoleStep(BenchClock& clock);
