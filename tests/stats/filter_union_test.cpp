// What testing filters on history and searching values rely on, checked for every method: a
// selection keeps a combination when one of its values keeps it, and a method without a second
// draw or periods filters the same way at every analysis point.
#include <gtest/gtest.h>

#include "history_fixtures.h"
#include "stats/filter_history.h"
#include "stats/table.h"

namespace kvarn {
namespace {

using namespace history_fixtures;

class FilterUnion : public ::testing::Test {
 protected:
  const TDrawsArray draws = RandomArchive(60, 11);
  std::unique_ptr<TStatList> list = Registry(draws);
  std::vector<TComb> sample;
  void SetUp() override {
    const TCombList& full = FullCombList();
    for (int i = 0; i < full.Count(); i += 97) sample.push_back(full[i]);
    for (int i = 40; i < 60; ++i) {
      TComb c;
      if (DrawComb(draws[static_cast<size_t>(i)], c)) sample.push_back(c);
    }
  }
  // Up to twelve items of the method's table at analysis point 30, spread over the table.
  TStatDrawArray Selection(int entry) {
    std::unique_ptr<TCustomStat> stat = list->CreateStat(entry);
    const TStatDrawArray items = RunStatistics(*stat, StatWindow(60, 29, 20), false);
    TStatDrawArray picked;
    const size_t step = std::max<size_t>(1, items.size() / 12);
    for (size_t i = 0; i < items.size() && picked.size() < 12; i += step)
      picked.push_back(items[i]);
    return picked;
  }
};

TEST_F(FilterUnion, ASelectionKeepsWhatOneOfItsValuesKeeps) {
  for (int entry = 0; entry < list->Count(); ++entry) {
    if (!SelectionIsUnionOfValues(*list->Items(entry).StatClass)) continue;
    const TStatDrawArray all = Selection(entry);
    if (all.size() < 2) continue;
    const TStatDrawArray a(all.begin(), all.begin() + static_cast<long>(all.size() / 2));
    const TStatDrawArray b(all.begin() + static_cast<long>(all.size() / 2), all.end());
    std::unique_ptr<TCustomStat> stat = list->CreateStat(entry);
    stat->LoadDraws(-1, 30, false);
    int mismatches = 0;
    for (const TComb& c : sample) {
      const bool whole = stat->CombMatches(c, all, 30, false, false);
      const bool parts =
          stat->CombMatches(c, a, 30, false, false) || stat->CombMatches(c, b, 30, false, false);
      mismatches += whole != parts;
    }
    EXPECT_EQ(mismatches, 0) << list->Items(entry).IdentOf();
  }
}

TEST_F(FilterUnion, TheSumRangesKeepTheRangeWhateverElseIsSelected) {
  const int entry = list->FindByIdent("SUM1");
  ASSERT_FALSE(SelectionIsUnionOfValues(*list->Items(entry).StatClass));
  TStatDrawArray both(2);
  both[0].Key.SetL1(0);
  both[1].Key.SetL1(1);
  std::unique_ptr<TCustomStat> stat = list->CreateStat(entry);
  EXPECT_TRUE(stat->CombMatches({20, 21, 22, 23, 24}, both, 0, false, false));
  EXPECT_FALSE(stat->CombMatches({1, 2, 3, 4, 5}, both, 0, false, false));
}

TEST_F(FilterUnion, MethodsOfTheCombinationAloneIgnoreTheAnalysisPoint) {
  for (int entry = 0; entry < list->Count(); ++entry) {
    if (!ReadsCombinationAlone(*list->Items(entry).StatClass)) continue;
    const TStatDrawArray selected = Selection(entry);
    std::unique_ptr<TCustomStat> stat = list->CreateStat(entry);
    int mismatches = 0;
    for (const TComb& c : sample) {
      stat->LoadDraws(-1, 30, false);
      const bool early = stat->CombMatches(c, selected, 30, false, false);
      stat->LoadDraws(-1, 55, false);
      mismatches += early != stat->CombMatches(c, selected, 55, false, false);
    }
    EXPECT_EQ(mismatches, 0) << list->Items(entry).IdentOf();
  }
}

}  // namespace
}  // namespace kvarn
