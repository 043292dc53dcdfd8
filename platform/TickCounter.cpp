#include "platform/TickCounter.h"

#include <chrono>

namespace platform {
namespace {

TickSource* installedSource = nullptr;

int32_t MonotonicMilliseconds() {
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
  return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

}  // namespace

int32_t GetTickCount() {
  return installedSource ? installedSource->Read() : MonotonicMilliseconds();
}

void UseTickSource(TickSource* source) { installedSource = source; }

}  // namespace platform
