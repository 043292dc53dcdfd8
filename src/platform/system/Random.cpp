#include "platform/system/Random.h"

#include <cmath>
#include <cstdint>

#include "platform/system/Services.h"

namespace platform {
namespace {

constexpr uint64_t StartState = 0x9E3779B97F4A7C15ull;

uint64_t state = StartState;

// xorshift64*: small, fast and good enough for picking kana and pauses.
uint64_t NextBits() {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return state * 0x2545F4914F6CDD1Dull;
}

// The top 24 bits scaled by 2^-24 are exact in a float, so the largest value
// is 1 - 2^-24 and a draw can never be 1.
float NextUniform() { return static_cast<float>(NextBits() >> 40) * (1.0f / 16777216.0f); }

}  // namespace

float Rnd() {
  RandomSource* source = CurrentServices().random;
  return source ? source->Next() : BuiltInRnd();
}

int RandomWhole(float r, int n) {
  return static_cast<int>(std::floor(static_cast<double>(r) * n + 1.0));
}

float BuiltInRnd() { return NextUniform(); }

void ResetRandom() { state = StartState; }

}  // namespace platform
