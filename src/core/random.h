// Random numbers. Each owner (the workspace, a test, a benchmark) keeps its own generator, so
// that two workspaces in one process never draw from one sequence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

#include "core/lottery.h"

namespace kvarn {

class TRandom {
 public:
  // Seeded from the system's entropy source.
  TRandom();
  explicit TRandom(uint64_t seed) : rng_(seed) {}
  void Seed(uint64_t seed) { rng_.seed(seed); }
  // A new seed from the system's entropy source.
  void Randomize();
  // 0..bound-1; 0 for a bound below 2.
  int Int(int bound);

 private:
  std::mt19937_64 rng_;
};

// `size` of the distinct numbers of the first n combinations, chosen at random (all of them when
// there are no more).
TNumberSet RandomSubset(const TCombsArray& combs, size_t n, int size, TRandom& random);

}  // namespace kvarn
