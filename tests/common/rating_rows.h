// A rating row made from its overlap counts, for tests of the rating's file, commands and tab.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "stakes/rating.h"

namespace kvarn::test {

inline TRatingRecord Row(std::string name, std::array<uint32_t, 6> overlaps, int64_t profit = 0) {
  TRatingRecord r;
  r.Name = std::move(name);
  r.Overlaps = overlaps;
  for (uint32_t k = 0; k < 6; ++k) {
    r.Count += overlaps[k];
    r.Overlap += k * overlaps[k];
  }
  r.Profit = profit;
  return r;
}

}  // namespace kvarn::test
