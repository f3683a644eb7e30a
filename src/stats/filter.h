// Filtering the combination list by the values selected in a method's statistics table.
#pragma once

#include <string>

#include "combs/combs.h"
#include "stats/stat.h"

namespace kvarn {

// The texts of the selected values joined by "; ", as the applied-filters list shows them.
std::string SelectedValuesText(const TCustomStat& stat, const TStatDrawArray& selected);

// Rebuilds `list` from `snapshot`, in order: a combination stays when CombMatches agrees with
// the direction (keep the matches, or delete them). The instance is loaded with the draw at
// `last` as the previous draw first, as every filter pass needs.
void FilterCombList(TCustomStat& stat, const TStatDrawArray& selected, TCombList& list,
                    const TCombList& snapshot, int last, bool sorted, bool exclude);

}  // namespace kvarn
