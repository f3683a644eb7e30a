// Values under a ticket budget: for one method, the set of values to keep whose filter kept at
// most the budget of combinations on average over past draws and kept the real draw most often.
// The choice is made on the older half of the draws only and measured on the newer half, so the
// figures of the newer half are what the choice would have done for draws it did not see.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/filter_test.h"

namespace kvarn {

struct TValueSearchOptions {
  int Len = 1000;  // draws in each table
  bool Sorted = false;
  int64_t Budget = 0;  // the most combinations kept, on average over the draws
};

// The older half gets the smaller share of an odd count.
void SplitWalkForward(TTestRange range, TTestRange& older, TTestRange& newer);

// The value texts to keep, chosen on the draws of `range` alone, in the order chosen: greedily
// the value that adds the most survivals per added kept combination (the best marginal lift),
// the union's kept counts and survivals re-evaluated exactly at every step, while the mean kept
// count stays within the budget. `stopped` tells whether progress stopped the choice.
std::vector<std::string> ChooseValues(const TStatList& list, int entry, TTestRange range,
                                      const TValueSearchOptions& options,
                                      const TTestProgress& progress, bool& stopped);
// The same on tables already at hand.
std::vector<std::string> ChooseValues(const TStatList& list, int entry, TTestRange range,
                                      const TValueSearchOptions& options, TDrawTables& tables,
                                      const TTestProgress& progress, bool& stopped);

struct TValueSearchResult {
  std::vector<std::string> Values;
  TTestRange Older;
  TTestRange Newer;
  TFilterTestResult InSample;     // the chosen values kept on the older draws
  TFilterTestResult OutOfSample;  // the same on the newer draws
  bool Stopped = false;
};

// Chooses on the older half of `range` and tests the choice on both halves. Progress counts
// the older draws prepared, then the draws of both tests.
TValueSearchResult RunValueSearch(const TStatList& list, int entry, TTestRange range,
                                  const TValueSearchOptions& options,
                                  const TTestProgress& progress = {});

}  // namespace kvarn
