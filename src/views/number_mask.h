// The numbers of a draw as bits 1..36 of one word: membership and shared numbers in one step.
#pragma once

#include <bit>
#include <cstdint>

#include "core/lottery.h"

namespace kvarn {

inline uint64_t NumberMask(const TComb& values) {
  uint64_t m = 0;
  for (uint8_t v : values)
    if (v >= 1 && v <= NumbersCount) m |= uint64_t{1} << v;
  return m;
}

inline bool MaskHas(uint64_t mask, int n) {
  return n >= 1 && n <= NumbersCount && (mask >> n & 1) != 0;
}

inline int SharedNumbers(uint64_t a, uint64_t b) {
  return std::popcount(a & b);
}

}  // namespace kvarn
