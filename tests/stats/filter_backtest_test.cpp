#include <gtest/gtest.h>

#include <algorithm>

#include "history_fixtures.h"
#include "stats/filter.h"
#include "stats/filter_test.h"
#include "stats/table.h"

namespace kvarn {
namespace {

using namespace history_fixtures;

// Smallest numbers 1, 2, 3, 1, 4 in the draws tested (indexes 1..5).
const TDrawsArray SmallArchive = Archive({{1, 2, 3, 4, 5},
                                          {36, 10, 20, 30, 1},
                                          {2, 11, 21, 31, 35},
                                          {3, 12, 22, 32, 34},
                                          {13, 1, 23, 33, 36},
                                          {4, 14, 24, 34, 35}});

TEST(TestedDraws, NewestDrawsUpToTheAnalysisPointEachWithADrawBefore) {
  TTestRange r = TestedDraws(100, 0, 10);
  EXPECT_EQ(r.First, 90);
  EXPECT_EQ(r.Last, 99);
  r = TestedDraws(100, 5, 10);
  EXPECT_EQ(r.First, 85);
  EXPECT_EQ(r.Last, 94);
  r = TestedDraws(6, 0, 100);
  EXPECT_EQ(r.First, 1);
  EXPECT_EQ(r.Count(), 5);
  EXPECT_EQ(TestedDraws(1, 0, 100).Count(), 0);
  EXPECT_EQ(TestedDraws(0, 0, 100).Count(), 0);
  EXPECT_EQ(TestedDraws(10, 9, 100).Count(), 0);
}

TEST(FilterBacktest, KeepingEverythingIsExactlyChance) {
  auto list = Registry(SmallArchive);
  const TFilterTestResult r = RunFilterTest(*list, list->FindByIdent("NUMS"), Texts(1, 36),
                                            TestedDraws(6, 0, 100), TFilterTestOptions{});
  ASSERT_EQ(r.Draws.size(), 5u);
  for (const TFilterTestDraw& d : r.Draws) {
    EXPECT_EQ(d.Kept, FullCombsCount);
    EXPECT_TRUE(d.Survived);
  }
  EXPECT_EQ(r.Draws.front().Number, 1001);
  EXPECT_EQ(r.Summary.Survivals, 5);
  EXPECT_DOUBLE_EQ(r.Summary.Rate, 1.0);
  EXPECT_DOUBLE_EQ(r.Summary.MeanShare, 1.0);
  ASSERT_TRUE(r.Summary.HasLift);
  EXPECT_DOUBLE_EQ(r.Summary.Lift, 1.0);
  EXPECT_EQ(r.Summary.P, 1.0);
  EXPECT_EQ(r.Summary.Interval.High, 1.0);
}

TEST(FilterBacktest, KeepingAllSmallestNumbersButOneIsExactlyComputable) {
  auto list = Registry(SmallArchive);
  const int pos1 = list->FindByIdent("POS1");
  TFilterTestOptions keep;
  const TFilterTestResult r =
      RunFilterTest(*list, pos1, Texts(2, 36), TestedDraws(6, 0, 100), keep);
  // Every combination but the C(35,4) that start with 1; the draws whose smallest number is 1
  // are lost, whatever order they were drawn in.
  const int kept = FullCombsCount - 52360;
  const bool survived[] = {false, true, true, false, true};
  ASSERT_EQ(r.Draws.size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(r.Draws[i].Kept, kept);
    EXPECT_EQ(r.Draws[i].Survived, survived[i]) << i;
  }
  const TSurvivalSummary& s = r.Summary;
  EXPECT_EQ(s.Survivals, 3);
  EXPECT_DOUBLE_EQ(s.MeanShare, 31.0 / 36);
  EXPECT_NEAR(s.Lift, 0.6967741935, 1e-9);
  EXPECT_NEAR(s.P, 0.9784797041, 1e-9);  // P(Bin(5, 31/36) >= 3)
  EXPECT_NEAR(s.Interval.Low, WilsonInterval(3, 5).Low, 1e-15);

  // Deleting the one value is the same filter.
  TFilterTestOptions del;
  del.Exclude = true;
  const TFilterTestResult d = RunFilterTest(*list, pos1, {"1"}, TestedDraws(6, 0, 100), del);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(d.Draws[i].Kept, kept);
    EXPECT_EQ(d.Draws[i].Survived, survived[i]);
  }
}

TEST(FilterBacktest, ATextAbsentFromADrawsTableSelectsNothingThere) {
  // A window of one draw: the table before each draw holds that draw's Ognev number only.
  auto list = Registry(SmallArchive);
  const int entry = list->FindByIdent("HCO1");
  std::unique_ptr<TCustomStat> stat = list->CreateStat(entry);
  auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
  ASSERT_NE(graph, nullptr);
  const std::string text = std::to_string(graph->GraphValueOf(SmallArchive[2].Values, 2, 2, false));
  int withValue = 0;
  for (const TComb& c :
       std::vector<TComb>(FullCombList().Data(), FullCombList().Data() + FullCombList().Count()))
    withValue += std::to_string(graph->GraphValueOf(c, 0, 0, false)) == text;

  TFilterTestOptions o;
  o.Len = 1;
  const TFilterTestResult r = RunFilterTest(*list, entry, {text}, TestedDraws(6, 0, 100), o);
  for (const TFilterTestDraw& d : r.Draws) {
    const bool present =
        std::to_string(graph->GraphValueOf(SmallArchive[static_cast<size_t>(d.Index - 1)].Values, 0,
                                           0, false)) == text;
    EXPECT_EQ(d.Kept, present ? withValue : 0) << d.Index;
    if (!present) {
      EXPECT_FALSE(d.Survived);
    }
  }
  EXPECT_EQ(r.Draws[2].Kept, withValue) << "the draw after the one that has the value";
}

// Every move of a number of a draw to one of 1..6 in the next.
std::vector<std::string> Transitions() {
  std::vector<std::string> t;
  for (int a = 1; a <= 36; ++a)
    for (int b = 1; b <= 6; ++b) t.push_back(std::to_string(a) + " -> " + std::to_string(b));
  return t;
}

// The back-test against the workspace's road: the table at the offset of the draw, its rows by
// text, the filter of the full list, the draw looked up in what is left.
TEST(FilterBacktest, EveryDrawAgreesWithTheTableAndFilterAtItsOffset) {
  const TDrawsArray draws = RandomArchive(40, 7);
  auto list = Registry(draws);
  struct TCase {
    const char* ident;
    std::vector<std::string> texts;
    bool exclude;
  };
  const TCase cases[] = {{"NUMS", {"3", "17", "29"}, false},
                         {"POS2", {"5", "6", "7", "8"}, true},
                         {"RPC2", {"0"}, false},
                         {"SDV2", Transitions(), false},
                         {"PRDV", {"5 x 3", "12 x 1", "20 x 7"}, false},
                         {"HCO3", {"6", "12", "18"}, true},
                         {"SUMS", {"90", "91", "92", "93", "94", "95"}, false}};
  TCombList full, filtered;
  GenerateCombs(full, gmFull, TNumberBits());
  for (const TCase& c : cases) {
    const int entry = list->FindByIdent(c.ident);
    ASSERT_GE(entry, 0) << c.ident;
    TFilterTestOptions o;
    o.Len = 12;
    o.Exclude = c.exclude;
    const TTestRange range = TestedDraws(40, 3, 8);
    const TFilterTestResult r = RunFilterTest(*list, entry, c.texts, range, o);
    ASSERT_EQ(r.Draws.size(), 8u);
    EXPECT_TRUE(std::any_of(
        r.Draws.begin(), r.Draws.end(),
        [](const TFilterTestDraw& d) { return d.Kept != 0 && d.Kept != FullCombsCount; }))
        << c.ident << ": the texts select something";
    for (const TFilterTestDraw& d : r.Draws) {
      std::unique_ptr<TCustomStat> stat = list->CreateStat(entry);
      TStatTableOptions to;
      to.Offset = 40 - d.Index;
      to.Len = 12;
      TStatTable table;
      ComputeStatTable(*stat, to, table);
      TStatDrawArray selected;
      for (const TStatRow& row : table.Rows)
        if (std::find(c.texts.begin(), c.texts.end(), row.Cells[0]) != c.texts.end())
          selected.push_back(row.Item);
      FilterCombList(*stat, selected, filtered, full, d.Index - 1, false, c.exclude);
      TComb comb = draws[static_cast<size_t>(d.Index)].Values;
      std::sort(comb.begin(), comb.end());
      const bool found = std::find(filtered.Data(), filtered.Data() + filtered.Count(), comb) !=
                         filtered.Data() + filtered.Count();
      EXPECT_EQ(d.Kept, filtered.Count()) << c.ident << " draw " << d.Index;
      EXPECT_EQ(d.Survived, found) << c.ident << " draw " << d.Index;
    }
  }
}

TEST(FilterBacktest, StoppingKeepsTheDrawsDone) {
  auto list = Registry(SmallArchive);
  const TFilterTestResult r =
      RunFilterTest(*list, list->FindByIdent("NUMS"), {"1"}, TestedDraws(6, 0, 100),
                    TFilterTestOptions{}, [](int done, int total) {
                      EXPECT_EQ(total, 5);
                      return done < 2;
                    });
  EXPECT_TRUE(r.Stopped);
  EXPECT_EQ(r.Draws.size(), 2u);
  EXPECT_EQ(r.Summary.Trials, 2);
}

TEST(SurvivalSummary, NothingKeptHasNoLift) {
  const std::vector<TFilterTestDraw> draws{{1, 1, 0, false}, {2, 2, 0, false}};
  const TSurvivalSummary s = SummariseSurvival(draws);
  EXPECT_FALSE(s.HasLift);
  EXPECT_EQ(s.P, 1.0);
  EXPECT_EQ(s.Rate, 0.0);
  EXPECT_EQ(SummariseSurvival({}).Trials, 0);
}

}  // namespace
}  // namespace kvarn
