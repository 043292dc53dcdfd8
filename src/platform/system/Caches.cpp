#include "platform/system/Caches.h"

#include <vector>

namespace platform {
namespace {

// Made at the first registration, whichever static's initialiser that is.
std::vector<void (*)()>& Forgetters() {
  static std::vector<void (*)()> forgetters;
  return forgetters;
}

}  // namespace

bool ForgetWithCaches(void (*forget)()) {
  Forgetters().push_back(forget);
  return true;
}

void ForgetCaches() {
  for (void (*forget)() : Forgetters()) forget();
}

}  // namespace platform
