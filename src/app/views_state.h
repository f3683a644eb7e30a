// The analysis views without their widgets: the lengths of their windows, what each view showed
// last and the inputs it was built from (an unchanged set skips a request that is not forced).
#pragma once

#include <array>
#include <string>

#include "views/graph.h"
#include "views/layout.h"
#include "views/week.h"

namespace kvarn {

// The views' windows take any length from 1 up.
constexpr int ViewLenMin = 1;
constexpr int ViewLenMax = 2147483647;
inline bool ViewLenValid(int64_t len) {
  return len >= ViewLenMin && len <= ViewLenMax;
}

struct TViewsState {
  struct TWindowInputs {
    int drawsCount, offset, len;
    friend bool operator==(const TWindowInputs&, const TWindowInputs&) = default;
  };
  struct TCompareInputs {
    int drawsCount, offset;
    std::array<int, LayoutCompareCount> lens;
    friend bool operator==(const TCompareInputs&, const TCompareInputs&) = default;
  };
  struct TGraphInputs {
    int drawsCount, offset, len, line, entry;
    bool sorted;
    friend bool operator==(const TGraphInputs&, const TGraphInputs&) = default;
  };

  // Layout scheme and its compare lists.
  int LayoutLen = LayoutLenDefault;
  TLayoutScheme Scheme;
  TWindowInputs SchemeInputs{};
  bool SchemeValid = false;
  std::array<int, LayoutCompareCount> CompareLen{LayoutCompareDefaults[0], LayoutCompareDefaults[1],
                                                 LayoutCompareDefaults[2], LayoutCompareDefaults[3],
                                                 LayoutCompareDefaults[4]};
  std::array<TLayoutCompare, LayoutCompareCount> Compare;
  TCompareInputs CompareInputs{};
  bool CompareValid = false;

  // Week statistics.
  int WeekLen = WeekLenDefault;
  TWeekTable Week;
  TWindowInputs WeekInputs{};
  bool WeekValid = false;

  // Statistic graph of the graph box's method.
  int GraphLen = GraphLenDefault;
  TStatGraphSeries Graph;
  std::string GraphCaption;  // the chosen line's caption, empty when nothing is drawn
  TGraphInputs GraphInputs{};
  bool GraphValid = false;
};

}  // namespace kvarn
