// What the rating list shows, the rating as CSV and the data of the match-count graph.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "stakes/rating.h"
#include "stakes/rating_sort.h"
#include "stakes/stakes_graph.h"

namespace kvarn {

// Efficiency modes of the "E" columns, the window-state value RatingsEffMode.
enum TRatingsEffMode : int {
  emExpected = 0,  // expected number of stakes with k matches
  emAbsolute = 1,  // observed share minus expected share, in percent
  emRelative = 2,  // observed share against expected share, in percent
};
constexpr int RatingsDefaultEffMode = emAbsolute;

struct TRatingColumnInfo {
  const char* Caption;
  int Width;  // pixels
  bool RightAligned;
};
extern const std::array<TRatingColumnInfo, rcColumnCount> RatingColumns;

constexpr const char* RatingBadDataText = "# bad data #";

using TRatingRowTexts = std::array<std::string, rcColumnCount>;

// The texts of one row in the given mode. A record whose counters contradict its totals (only a
// damaged file holds one) shows "# bad data #" as its caption and nothing else.
TRatingRowTexts RatingRowTexts(const TRatingRecord& r, int effMode, const TExpectedShares& shares);
bool RatingIsConsistent(const TRatingRecord& r);

// An amount held as value x 10000 with two decimals ("%.2f"), rounded exactly, halves to even.
std::string MoneyText2(int64_t money);
// The average profit of a record: the profit sum over the count, rounded to the fourth decimal.
int64_t RatingAverageProfit(const TRatingRecord& r);

// The rating as CSV (UTF-8 here; the file is cp1251): the captions of all columns, quoted and
// joined by ";", then one line per record in array order with the quoted name, the count, the
// match sum, the average, the profit, the average profit and the six counters. Every line ends
// in CR LF.
std::string RatingsCsvText(const TRatingsArray& ratings);
// Writes the CSV text in cp1251 through a temporary file and a rename.
void RatingsCsvWriteFile(const std::string& path, const TRatingsArray& ratings);

constexpr const char* RatingsNormalSeriesTitle = "Нормальные значения";
constexpr uint32_t RatingsNormalSeriesColour = 8421504;  // grey

// The match-count graph of the selected records: the chance series (drawn grey) scaled to the
// largest count among them, then one series per record with its six counters.
std::vector<TGraphSeries> RatingsGraphOverlapData(const TRatingsArray& ratings,
                                                  const std::vector<int>& selected,
                                                  const TExpectedShares& shares);

}  // namespace kvarn
