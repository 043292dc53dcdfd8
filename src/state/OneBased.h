#pragma once
#include <array>
#include <cassert>

// An array numbered from 1 to N, as the game numbers its holes, pictures,
// menu items and table entries.
template <typename T, int N>
class OneBased {
 public:
  T& operator[](int n) {
    assert(n >= 1 && n <= N);
    return items[n - 1];
  }
  const T& operator[](int n) const {
    assert(n >= 1 && n <= N);
    return items[n - 1];
  }
  static constexpr int Count() { return N; }
  auto begin() { return items.begin(); }
  auto end() { return items.end(); }
  auto begin() const { return items.begin(); }
  auto end() const { return items.end(); }

 private:
  std::array<T, N> items{};
};
