// Statistic graphs: a graph method's value for each draw of a window, with the mean of the
// values and the most frequent value as two reference lines.
#pragma once

#include <cstdint>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

class TCustomGraphStat;

constexpr int GraphLenDefault = 100;
constexpr const char* GraphMeanTitle = "Среднее значение";
constexpr const char* GraphModeTitle = "Наиболее часто встречающееся значение";

struct TStatGraphPoint {
  int32_t Draw = 0;   // draw number, the x of the point
  int32_t Value = 0;  // the method's graph value
};

struct TStatGraphSeries {
  std::vector<TStatGraphPoint> Points;  // oldest draw first
  int64_t Sum = 0;
  // The value met most often; of equally frequent values the one met first in the window.
  int32_t MostFrequent = 0;
  int32_t MostFrequentCount = 0;

  // The exact quotient of the sum by the number of draws, not rounded.
  long double Mean() const {
    return Points.empty() ? 0.0L
                          : static_cast<long double>(Sum) / static_cast<long double>(Points.size());
  }
};

// The `len` draws of the method's archive up to the one at `offset`, each valued with GraphValue(i,
// last, sorted).
TStatGraphSeries BuildGraphSeries(TCustomGraphStat& stat, int offset, int len, bool sorted);

}  // namespace kvarn
