#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

// Wall-clock figures of the benchmarks, in milliseconds.
using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Prints p50, p90, p99 and the maximum of `ms` (nearest rank).
inline void PrintDistribution(const char* name, std::vector<double> ms) {
  if (ms.empty()) {
    std::printf("%s none\n", name);
    return;
  }
  std::sort(ms.begin(), ms.end());
  const auto rank = [&](double p) {
    const size_t i = static_cast<size_t>(p * ms.size() + 0.999999);
    return ms[std::clamp<size_t>(i, 1, ms.size()) - 1];
  };
  std::printf("%s n=%zu p50=%.2f p90=%.2f p99=%.2f max=%.2f\n", name, ms.size(), rank(0.50),
              rank(0.90), rank(0.99), ms.back());
}
