// Sorting the rating by a column of its list.
#pragma once

#include <string_view>

#include "stakes/rating.h"

namespace kvarn {

// The columns of the rating list, in order.
enum TRatingColumn : int {
  rcName = 0,
  rcCount,
  rcOverlap,
  rcAverage,
  rcProfit,
  rcAverageProfit,
  rcMatch0,                              // rcMatch0 + k: stakes that matched k numbers
  rcEff0 = rcMatch0 + RatingMatchKinds,  // rcEff0 + k: the efficiency column "Ek"
  rcColumnCount = rcEff0 + RatingMatchKinds
};

// The stored state of the list: column "Среднее", largest first.
constexpr int RatingsDefaultSortColumn = rcAverage;
constexpr bool RatingsDefaultDescending = true;

// Alphabetical order of names: letters compare by their lower case (with "ё" after "е"), and
// letter case only breaks ties, lower case first.
int CompareRatingNames(std::string_view a, std::string_view b);

// Negative, zero or positive as `a` goes before, with or after `b` in ascending order of the
// column. Records without stakes compare equal to every record, and so do the efficiency
// columns, whose values depend on the display mode.
int CompareRatings(const TRatingRecord& a, const TRatingRecord& b, int column);

// Sorts in place with a quicksort around the middle element. Records that compare equal to it are
// never exchanged, so a range of equal records keeps its order (sorting by an "E" column changes
// nothing). Nothing happens for a negative column or fewer than two records; a column beyond the
// list raises the user's message.
void RatingsSort(TRatingsArray& ratings, int column, bool descending);

}  // namespace kvarn
