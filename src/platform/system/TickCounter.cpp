#include "platform/system/TickCounter.h"

#include <chrono>

#include "platform/system/Services.h"

namespace platform {
namespace {

int32_t MonotonicMilliseconds() {
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
  return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

}  // namespace

int32_t GetTickCount() {
  TickSource* source = CurrentServices().ticks;
  return source ? source->Read() : MonotonicMilliseconds();
}

}  // namespace platform
