// Does a filter work? The selection of a method's value texts with a direction, tested on past
// draws: at the analysis point before each draw the same table picks its rows, the same filter
// runs over the full list, and the draw either survives or not. Chance would let a draw survive
// with the share of the list the filter kept.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/binomial.h"
#include "stats/filter_history.h"
#include "stats/registry.h"

namespace kvarn {

struct TFilterTestDraw {
  int Index = 0;
  int32_t Number = 0;
  int Kept = 0;
  bool Survived = false;
};

struct TSurvivalSummary {
  int Trials = 0;
  int Survivals = 0;
  double Rate = 0;       // survivals / trials
  double MeanShare = 0;  // mean kept share: the survival rate chance gives
  bool HasLift = false;  // no lift when nothing was ever kept
  double Lift = 0;       // Rate / MeanShare; 1 = no better than chance
  TInterval Interval;    // Wilson 95 % of Rate
  double P = 1;          // chance of at least Survivals, each draw surviving with its share
  double PLower = 1;     // chance of at most Survivals
};
TSurvivalSummary SummariseSurvival(std::span<const TFilterTestDraw> draws);

struct TFilterTestResult {
  std::vector<TFilterTestDraw> Draws;
  TSurvivalSummary Summary;
  bool Stopped = false;  // the progress callback stopped the run; Draws holds those done
};

struct TFilterTestOptions {
  int Len = 1000;  // draws in each table
  bool Sorted = false;
  bool Exclude = false;  // delete the selected values instead of keeping them
};

// Tests the selection of `texts` of registry entry `entry` on every draw of `range`.
TFilterTestResult RunFilterTest(const TStatList& list, int entry,
                                const std::vector<std::string>& texts, TTestRange range,
                                const TFilterTestOptions& options,
                                const TTestProgress& progress = {});
// The same on tables already at hand (their length and draw order hold).
TFilterTestResult RunFilterTest(const TStatList& list, int entry,
                                const std::vector<std::string>& texts, TTestRange range,
                                bool exclude, TDrawTables& tables,
                                const TTestProgress& progress = {});

}  // namespace kvarn
