#pragma once
#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

// What one pass of the main loop tells the loop about the next one.
struct PassOutcome {
  bool keepRunning = true;
  // Milliseconds until something falls due (the next animation step, the
  // next music restart); none while nothing is due until an event comes.
  std::optional<uint32_t> nextDueIn;
};

// Runs the main loop: one pass, then sleep in the window system's event loop
// until an event was handled and woke the loop, or the time the pass asked
// for has come; then the next pass. Never polls. Returns once a pass says to
// stop running.
void RunPasses(const std::function<PassOutcome()>& pass);

// Asks for a pass as soon as the handler that calls this has returned, so a
// handler's change (a game started, the program closing) takes effect right
// after it, as in a loop that runs a pass after every yield.
void WakePassLoop();

}  // namespace platform
