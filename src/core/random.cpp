#include "core/random.h"

namespace kvarn {

TRandom::TRandom() : rng_(std::random_device{}()) {}

void TRandom::Randomize() {
  rng_.seed(std::random_device{}());
}

int TRandom::Int(int bound) {
  if (bound <= 1) return 0;
  return static_cast<int>(std::uniform_int_distribution<int>(0, bound - 1)(rng_));
}

TNumberSet RandomSubset(const TCombsArray& combs, size_t n, int size, TRandom& random) {
  TByteArray nums = DistinctNumbers(combs, n);
  while (static_cast<int>(nums.size()) > size)
    nums.erase(nums.begin() + random.Int(static_cast<int>(nums.size())));
  TNumberSet s;
  for (uint8_t v : nums)
    if (s.Count < MaxSetSize) s.Numbers[s.Count++] = v;
  return s;
}

}  // namespace kvarn
