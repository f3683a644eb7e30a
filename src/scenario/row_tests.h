// The tests a scenario step makes on each row of the statistics table while it walks the rows:
// whether the walk stops here, and whether the row is one to select (its level test).
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "scenario/filter_part.h"
#include "stats/table.h"

namespace kvarn {

// The level test of a row: the cell of the mode's column against LevelTest (one integer for the
// at-least and at-most modes, a list split at "," or ";" for the list modes; mode 31 compares the
// parsed value key). Integer columns that cannot be read count as 0 in at-least tests and as
// 65535 in at-most tests, the percent columns likewise, "Вес" and "Период" as 0 in both. A cell
// that cannot be read is in no list; a list item that is not a number raises.
bool LevelRowMatches(int levelMode, std::string_view levelTest, const TStatValues& row);

// What the stop condition looks at besides the row.
struct TWalkState {
  int ListCount = 0;  // combinations in the list
  int Steps = 0;      // the step counter
  int MaxStake = 12;  // numbers an extended stake may hold
  // Distinct numbers of the list (asked only by stop mode SE).
  std::function<int()> DistinctNumbers;
};

// Whether the walk ends before this row (evaluated before the level test). SC and SE hold only
// in single-select; ST holds once the counter has reached StopValue.
bool StopConditionHolds(const TFilterPart& part, const TStatValues& row, const TWalkState& state);

// The sample length of a part: lengths below 1 are taken as 1.
inline int32_t PartSampleLength(const TFilterPart& p) {
  return p.DrawsLen < 1 ? 1 : p.DrawsLen;
}

}  // namespace kvarn
