// The rating of the workspace: its records in the order of the last sort, the chance shares of
// the efficiency columns and the list's stored sort column and direction.
#pragma once

#include <optional>

#include "stakes/rating.h"
#include "stakes/rating_sort.h"

namespace kvarn {

// Keys of the list's sort state in the window-state file.
constexpr const char* RatingsSortColumnKey = "lvRatings.SortColumn";
constexpr const char* RatingsSortDescendingKey = "lvRatings.SortDescending";
// Where a rating file that could not be read whole is kept before anything overwrites it.
constexpr const char* RatingsBackupFileName = "Kvarn_5x36.lrt.bak";

struct TRatingState {
  TRatingsArray Items;
  TExpectedShares Shares = ExpectedShare();
  int SortColumn = RatingsDefaultSortColumn;
  bool Descending = RatingsDefaultDescending;
  // Finds a row by name while stakes are added; dropped whenever the rows move.
  std::optional<TRatingsIndex> Index;
};

}  // namespace kvarn
