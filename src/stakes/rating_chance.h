// Is a recipe better than chance? The matches of its checked stakes against what stakes of the
// same sizes match when the five numbers are drawn at random, with the one-sided p-value
// P(sum of matches >= observed) for independent stakes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/lottery.h"
#include "stakes/rating.h"

namespace kvarn {

// P(m = k), k = 0..5, for a stake of n numbers (5..12) when 5 of the 36 numbers are drawn.
std::array<long double, CombSize + 1> StakeMatchDistribution(int n);

// Up to this many stakes the p-value is exact (the per-stake distributions convolved); beyond it
// the normal approximation with continuity correction is used.
constexpr uint64_t ChanceExactLimit = 1000;
constexpr double ChanceSignificance = 0.05;

// The checked stakes of one recipe: how many of each size, and their matches.
struct TChanceSample {
  std::array<uint64_t, MaxSetSize + 1> StakesBySize{};
  uint64_t Stakes = 0;
  uint64_t Matches = 0;
};
// False (and nothing added) for a size outside 5..12 or a match count the size cannot give.
bool ChanceAddStake(TChanceSample& sample, int n, int matches);

// P(sum of matches >= observed) under chance.
long double ChancePExact(const TChanceSample& sample, uint64_t observed);
long double ChancePNormal(const TChanceSample& sample, uint64_t observed);

struct TChanceResult {
  uint64_t Stakes = 0;
  uint64_t Matches = 0;
  double Mean = 0;        // matches per stake
  double ChanceMean = 0;  // what chance gives for these very stakes
  double Lift = 0;        // Mean / ChanceMean; 1.0 is no better than chance
  double P = 1;
  bool Exact = true;
  uint64_t NotFound = 0;  // stakes the rating counted that are no longer in the stakes file
};
// `ratingCount` is the stake count of the rating row the sample was collected for.
TChanceResult ChanceTest(const TChanceSample& sample, uint64_t ratingCount);

// The plain-language reading of a result.
std::string ChanceVerdict(const TChanceResult& r);

// Collects the samples of several rating rows from the stakes: each stake goes to the row whose
// name equals its comment, letter case ignored. Rows whose names differ only in case (a rating
// file written elsewhere may hold such) get the same sample.
class TChanceCollector {
 public:
  explicit TChanceCollector(const std::vector<std::string>& names);
  void AddStake(std::string_view comment, int n, int matches);
  size_t Size() const { return sampleOf_.size(); }
  const TChanceSample& Sample(size_t row) const { return samples_[sampleOf_[row]]; }

 private:
  TRatingsIndex index_;
  std::vector<size_t> sampleOf_;
  std::vector<TChanceSample> samples_;
};

}  // namespace kvarn
