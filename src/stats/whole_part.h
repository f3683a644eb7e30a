// The whole part of a long double without the x87 control-word switches that truncl and every
// long double to integer conversion make (the baseline instruction set has no truncating x87
// store): the shredding and the table's texts take one per value of a list of thousands.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace kvarn {

// trunc(x) for x >= 0, exactly.
inline long double TruncNonNegative(long double x) {
  if constexpr (std::numeric_limits<long double>::digits == 64) {
    if (x < 0x1p63L) {
      // With 2^63 added no fraction bit is left in the 64-bit significand: the sum is x rounded
      // to a whole number, one below where that rounded up.
      long double r = (x + 0x1p63L) - 0x1p63L;
      if (r > x) r -= 1;
      return r;
    }
  }
  return std::trunc(x);
}

// A whole number below 2^53 (in magnitude) as an integer: through double, which holds it
// exactly and converts with one SSE instruction.
inline int64_t WholeToInt64(long double whole) {
  return static_cast<int64_t>(static_cast<double>(whole));
}

}  // namespace kvarn
