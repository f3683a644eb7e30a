// The statistics tab without its widgets: the registry (made on first use), the lines of the
// statistics and graph boxes with their selections, the Len field, the table of the selected
// method and the inputs it was computed with.
#pragma once

#include <cstdint>
#include <memory>

#include "stats/registry.h"
#include "stats/table.h"

namespace kvarn {

// The number of draws a table may look back over; the window's field and kvarn-cli both check
// it here.
constexpr int StatLenMin = 1;
constexpr int StatLenMax = 2147483647;
constexpr int StatLenDefault = 1000;
inline bool StatLenValid(int64_t len) {
  return len >= StatLenMin && len <= StatLenMax;
}

struct TStatsState {
  // What the table was computed from; an unchanged set skips a request that is not forced.
  struct TInputs {
    int drawsCount, offset, len, selected;
    friend bool operator==(const TInputs&, const TInputs&) = default;
  };

  std::unique_ptr<TStatList> List;
  TMethodBoxes Boxes;
  int Selected = -1;       // line of the statistics box
  int GraphSelected = -1;  // line of the graph box
  int Len = StatLenDefault;
  TStatTable Table;
  TInputs Inputs{};
  bool InputsValid = false;
};

}  // namespace kvarn
