#pragma once

namespace platform {

// The program's one random generator: uniform single-precision values r with
// 0 <= r < 1. It starts from the same fixed state at every run and is never
// seeded from the clock; every random pick of the game draws from it, in the
// order the calls happen.
float Rnd();

// A whole number from 1 to n, formed as floor(r * n + 1). The product is
// taken in double precision: in single precision the largest r below 1 times
// a table size can round up to the size itself and pick past the table's end.
int RandomWhole(float r, int n);

// The built-in generator's next value, whatever source the services hold.
float BuiltInRnd();

// Puts the generator back into its fixed starting state.
void ResetRandom();

// Where Rnd takes its values; tests install a source of chosen draws.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual float Next() = 0;
};

}  // namespace platform
