// Linked with the program's own main, this makes a build of the program that
// writes down when its animation steps end, for the benchmark script to
// drive through the X server like a player. With KANACATCH_STEP_STAMPS naming
// a file, the program's tick counter is read through a clock that notices
// the game's step stamp moving and appends "step <ms>" (monotonic
// milliseconds of the reading that made the stamp) to that file. The script
// appends its own lines to the same file to mark what it did when.
// Everything else is the program as shipped.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/system/ProgramFolder.h"
#include "platform/system/Services.h"
#include "platform/system/TickCounter.h"
#include "state/GameState.h"

namespace {

class StampingClock : public platform::TickSource {
 public:
  explicit StampingClock(std::FILE* stamps) : stamps(stamps) {}

  int32_t Read() override {
    // The step stamps itself with a reading of the clock: the one just
    // before the stamp was seen to move, when it carries the stamp's value.
    if (Game.LastStepTick != seenStamp) {
      seenStamp = Game.LastStepTick;
      std::fprintf(stamps, "step %.3f\n", lastMs - platform::TicksElapsed(seenStamp, lastTicks));
      std::fflush(stamps);
    }
    lastMs = std::chrono::duration<double, std::milli>(
                 std::chrono::steady_clock::now().time_since_epoch())
                 .count();
    // The program's own counter: the same milliseconds, cut to 32 bits.
    lastTicks = static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(lastMs)));
    return lastTicks;
  }

 private:
  std::FILE* stamps;
  int32_t seenStamp = 0;
  int32_t lastTicks = 0;
  double lastMs = 0;
};

// Installed before main runs, so the program's first reading goes through it.
[[maybe_unused]] const bool installed = [] {
  const char* path = std::getenv("KANACATCH_STEP_STAMPS");
  std::FILE* stamps = path ? std::fopen(path, "a") : nullptr;
  if (stamps)
    platform::ChangeServices([&](platform::Services& s) { s.ticks = new StampingClock(stamps); });
  // The data folder and the modules are those beside the program itself.
  platform::ChangeServices(
      [&](platform::Services& s) { s.programFolder = QStringLiteral(KANACATCH_APP_DIR); });
  return true;
}();

}  // namespace
