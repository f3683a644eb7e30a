// The rating read from the stakes: a checked stake added to its row, the rebuild from the whole
// stakes file and the chance test of rows over the stakes the file still holds.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "stakes/rating.h"
#include "stakes/rating_chance.h"
#include "stakes/stake.h"
#include "stakes/stakes_file.h"

namespace kvarn {

// The stake goes to the row of its comment (see the core RatingsAdd); unchecked stakes and
// separators are ignored.
int RatingsAdd(TRatingsArray& ratings, const TStake& stake, TRatingsIndex* index = nullptr);

// Whether a record counts for the rating: checked, with a draw number of 0 or more.
bool StakeCountsForRating(const TStake& stake);

// A new rating from every counting stake of the file, in file order.
TRatingsArray RatingsRebuild(TStakesFile& file);

struct TChanceRow {
  std::string Name;
  TChanceResult Result;
};
// The plain line under the results: for one row its verdict with its p-value; for several, how
// many are better than chance and how many chance alone would make so, since among many recipes
// some pass the test by luck.
std::string ChanceSummary(const std::vector<TChanceRow>& rows);

// The chance test of the given rows (indices into `ratings`; others are skipped), each over the
// counting stakes of the file whose comment is the row's name, letter case ignored.
std::vector<TChanceRow> RatingsChance(
    TStakesFile& file, const TRatingsArray& ratings, const std::vector<int>& rows,
    const std::function<void(size_t done, size_t total)>& progress = {});

}  // namespace kvarn
