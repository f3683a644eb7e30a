#include "stats/filter.h"

#include <gtest/gtest.h>

#include "common/test_methods.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

// Repeats from the previous draw: the filter must load the draw the candidates follow.
class TstTestRepeats : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  KVARN_TEST_METHOD_INFO("TREP", "Повторы", 0, sfD)
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override {
    return SelectedHasKey(selected, static_cast<uint16_t>(CombMatches5(Previous.Values, comb)), 0,
                          0, 0);
  }
};
KVARN_STAT_CLASS(TstTestRepeats)

TDraw MakeDraw(int number, TComb values) {
  TDraw d;
  d.Number = number;
  d.Values = values;
  return d;
}

TStatDraw Selected(uint16_t k1) {
  TStatDraw d;
  d.Key.Set(k1);
  return d;
}

class FilterTest : public ::testing::Test {
 protected:
  TDrawsArray draws{MakeDraw(1, {1, 2, 3, 4, 5}), MakeDraw(2, {36, 35, 34, 33, 32})};
  TStatList registry{draws};
  std::unique_ptr<TCustomStat> stat = TstTestRepeats_Class().Create(registry, 0);
  TCombList snapshot;
  TCombList list;
  void SetUp() override { GenerateCombs(snapshot, gmFull, TNumberBits()); }
};

TEST_F(FilterTest, KeepAndDeleteFollowTheDrawAtTheAnalysisPoint) {
  // Against draw 2 (index 1): five repeats only for 32..36.
  FilterCombList(*stat, {Selected(5)}, list, snapshot, 1, false, false);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], (TComb{32, 33, 34, 35, 36}));
  // Against draw 1 (the analysis point set back by one).
  FilterCombList(*stat, {Selected(5), Selected(4)}, list, snapshot, 0, false, false);
  ASSERT_EQ(list.Count(), 1 + 5 * 31);
  EXPECT_EQ(list[0], (TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(list[1], (TComb{1, 2, 3, 4, 6}));
  EXPECT_EQ(list[list.Count() - 1], (TComb{2, 3, 4, 5, 36})) << "order is kept";

  FilterCombList(*stat, {Selected(5), Selected(4)}, list, snapshot, 0, false, true);
  EXPECT_EQ(list.Count(), FullCombsCount - 156);
  EXPECT_EQ(list[0], (TComb{1, 2, 3, 6, 7}));
}

TEST_F(FilterTest, FiltersThatEmptyTheList) {
  // Keep with nothing matching.
  FilterCombList(*stat, {Selected(9)}, list, snapshot, 1, false, false);
  EXPECT_EQ(list.Count(), 0);
  // Delete with everything matching.
  TStatDrawArray all;
  for (uint16_t k = 0; k <= 5; ++k) all.push_back(Selected(k));
  FilterCombList(*stat, all, list, snapshot, 1, false, true);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(snapshot.Count(), FullCombsCount) << "the snapshot is only read";
  EXPECT_EQ(SelectedValuesText(*stat, {Selected(5), Selected(0)}), "5; 0");
}

}  // namespace
}  // namespace kvarn
