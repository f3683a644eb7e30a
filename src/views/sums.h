// Sum distribution: how often each sum of five numbers occurs over all combinations and over
// the draws, the counts' extremes, three thresholds and the bands of sums that reach them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

constexpr int SumBands = 3;

struct TSumsDistribution {
  TStatSimpleArray Theory;  // (sum, count) over all combinations, ascending by sum
  TStatSimpleArray Actual;  // (sum, count) over the draws, ascending by sum
  int32_t Tmin = 0;         // smallest and largest count of the theoretical table
  int32_t Tmax = 0;
  int32_t Amax = 0;                    // largest count of the actual table, 0 without draws
  std::array<int32_t, SumBands> T{};   // thresholds at 1/3, 1/2 and 2/3 of the count range
  std::array<int32_t, SumBands> Lo{};  // first sum from below reaching T[k], up to the middle
  std::array<int32_t, SumBands> Hi{};  // first sum from above reaching T[k], down to the middle
  // Count of `sum` in the actual table, 0 when no draw has it.
  int32_t ActualCount(int32_t sum) const;
};

// The distribution over every combination of 5 of 36, enumerated once.
const TStatSimpleArray& TheoreticalSums();
TSumsDistribution BuildSumsDistribution(const TDrawsArray& draws);

// The five chart lines: the actual counts, the theoretical counts and the three band levels,
// the last four scaled by Amax / Tmax onto the actual counts.
struct TSumsPoint {
  int32_t Sum = 0;
  double Value = 0;
};
struct TSumsSeries {
  std::string Title;
  uint32_t Colour = 0;  // 0x00BBGGRR
  bool Markers = false;
  bool Marks = false;
  std::vector<TSumsPoint> Points;
};
std::vector<TSumsSeries> SumsChartSeries(const TSumsDistribution& d);

constexpr const char* SumsActualTitle = "Фактическое распределение сумм (по тиражам)";
constexpr const char* SumsTheoryTitle = "Теоретическое распределение сумм (по комбинациям)";

}  // namespace kvarn
