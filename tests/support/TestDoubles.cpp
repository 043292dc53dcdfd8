#include "support/TestDoubles.h"

float ScriptedRandom::Next() {
  ++drawn;
  if (draws.empty()) {
    platform::UseRandomSource(nullptr);
    const float r = platform::Rnd();
    platform::UseRandomSource(this);
    return r;
  }
  const float r = draws.front();
  draws.pop_front();
  return r;
}
