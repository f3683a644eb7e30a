// The data of the stakes graphs; the chart window draws it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stakes/stakes_file.h"

namespace kvarn {

constexpr const char* StakesGraphTooFewDraws =
    "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного "
    "тиража!";

struct TGraphPoint {
  double X = 0;
  double Y = 0;
};

struct TGraphSeries {
  std::string Title;
  std::vector<TGraphPoint> Points;
};

// "Суммарный профит по тиражам": the profit of every record with a draw number of 0 or more
// summed per draw, in the order the draws first appear, as three series: the draw's sum, the
// average over the draws (a flat line) and the running total. Empty when there are no draws.
std::vector<TGraphSeries> StakesGraphDraws(TStakesFile& file);

// The stakes of the last 100 checked draws whose comment is one of `names` (letter case
// ignored), one series per name in the order of `names`: (draw number, matches) or, with
// `profits`, (draw number, profit). Empty when fewer than two draws were found.
std::vector<TGraphSeries> StakesGraphByComment(TStakesFile& file,
                                               const std::vector<std::string>& names, bool profits);
constexpr int StakesGraphLastDraws = 100;

}  // namespace kvarn
