#pragma once
#include <cstdint>

namespace platform {

// A millisecond count from a monotonic clock, cut to 32 bits; it wraps after
// about 49.7 days, and as a signed value turns negative after about 24.8 days.
int32_t GetTickCount();

// Milliseconds from the tick stamp `since` to `now`. Taken as an unsigned
// 32-bit difference, it stays right when the counter passes 2^31 - 1 or wraps.
inline uint32_t TicksElapsed(int32_t since, int32_t now) {
  return static_cast<uint32_t>(now) - static_cast<uint32_t>(since);
}

// True once more than `wait` milliseconds have passed since `since`.
inline bool TicksPassed(int32_t since, int32_t now, uint32_t wait) {
  return TicksElapsed(since, now) > wait;
}

// Where the tick counter reads its time. The program uses the monotonic
// clock; tests install a clock they set and advance by hand.
class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual int32_t Read() = 0;
};

}  // namespace platform
