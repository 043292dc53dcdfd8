#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/Random.h"

using platform::RandomWhole;
using platform::Rnd;

TEST(Random, DrawsStayBelowOneAndCoverTheUnitInterval) {
  platform::UseRandomSource(nullptr);
  platform::ResetRandom();
  float low = 1, high = 0;
  for (int i = 0; i < 1000000; ++i) {
    const float r = Rnd();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
    low = std::min(low, r);
    high = std::max(high, r);
  }
  EXPECT_LT(low, 0.001f);
  EXPECT_GT(high, 0.999f);
}

TEST(Random, StartsFromTheSameStateAtEveryReset) {
  platform::UseRandomSource(nullptr);
  platform::ResetRandom();
  std::vector<float> first;
  for (int i = 0; i < 10; ++i) first.push_back(Rnd());
  platform::ResetRandom();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Rnd(), first[i]);
}

// In single precision the largest draw below 1 times 195 rounds to 195, and
// floor(195 + 1) would pick entry 196, past the end of the kana table.
TEST(Random, WholeNumbersStayInOneToNAtBothEndsOfTheDraw) {
  const float largest = std::nextafter(1.0f, 0.0f);
  for (int n : {2, 3, 7, 13, 15, 19, 20, 28, 31, 195, 200}) {
    EXPECT_EQ(RandomWhole(0.0f, n), 1) << n;
    EXPECT_EQ(RandomWhole(largest, n), n) << n;
  }
}
