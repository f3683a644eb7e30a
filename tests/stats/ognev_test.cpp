#include "stats/methods/ognev.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "family_test_util.h"
#include "stats/registry.h"
#include "stats/table.h"

namespace kvarn {
namespace {

using namespace family_test;

TDrawsArray OgnDraws(std::initializer_list<TComb> combs) {
  return test::Archive(combs, 701);
}

std::string Reduced(const TComb& c, int mode) {
  const TOgnevResult r = OgnevReduce(c, mode);
  return r.Pair ? "(1," + std::to_string(r.Value) + ")" : std::to_string(r.Value);
}

TEST(OgnevReduce, ThreeModes) {
  // 1 2 4 8 16 -> 1 2 4 8 -> 1 2 4 -> 1 2 -> 1
  EXPECT_EQ(Reduced({1, 2, 4, 8, 16}, 0), "1");
  EXPECT_EQ(Reduced({1, 2, 4, 8, 16}, 1), "3");
  EXPECT_EQ(Reduced({1, 2, 4, 8, 16}, 2), "(1,3)");
  // 5 10 15 20 25 -> 5 5 5 5 -> 0 0 0 -> 0 0 -> 0
  EXPECT_EQ(Reduced({5, 10, 15, 20, 25}, 0), "0");
  EXPECT_EQ(Reduced({5, 10, 15, 20, 25}, 1), "0");
  EXPECT_EQ(Reduced({5, 10, 15, 20, 25}, 2), "0");
  // 1 2 3 4 11 -> 1 1 1 7 -> 0 0 6 -> 0 6 -> 6 in every mode
  for (int mode = 0; mode <= 2; ++mode) EXPECT_EQ(Reduced({1, 2, 3, 4, 11}, mode), "6");
  // 1 2 3 5 7 -> 1 1 2 2 -> 0 1 0 -> 1 1: the sum replaces the difference 0.
  EXPECT_EQ(Reduced({1, 2, 3, 5, 7}, 0), "0");
  EXPECT_EQ(Reduced({1, 2, 3, 5, 7}, 1), "2");
  EXPECT_EQ(Reduced({1, 2, 3, 5, 7}, 2), "2");
}

TEST(OgnevMethods, PerDrawValueFollowsTheOrderHandedOver) {
  // Drawn as 16 1 8 2 4: differences 15 7 6 2 -> 8 1 4 -> 7 3 -> 4; sorted it is 1 2 4 8 16.
  TDrawsArray draws = OgnDraws({{16, 1, 8, 2, 4}, {5, 10, 15, 20, 25}});
  TStatList reg(draws);
  auto h1 = TstOgnev1_Class().Create(reg, 0);
  auto h2 = TstOgnev2_Class().Create(reg, 0);
  EXPECT_EQ(Dump(*h1, RunWindow(*h1, 0, 1, false)), "4=1@2 0=1@1");
  EXPECT_EQ(Dump(*h1, RunWindow(*h1, 0, 1, true)), "1=1@2 0=1@1");
  EXPECT_EQ(Dump(*h2, RunWindow(*h2, 0, 1, true)), "3=1@2 0=1@1");
  EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*h2).GraphValue(0, 1, true), 3);
  EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*h1).GraphValue(0, 1, false), 4);

  TStatDrawArray combList;
  h2->AddCombValues({1, 2, 4, 8, 16}, combList);
  EXPECT_EQ(Dump(*h2, combList), "3=1@0");
  EXPECT_TRUE(h1->CombMatches({1, 2, 4, 8, 16}, Select({1}), 1, false, false));
  EXPECT_FALSE(h1->CombMatches({1, 2, 4, 8, 16}, Select({3}), 1, false, false));

  EXPECT_EQ(TstOgnev1_Class().IdentOf(0), "HCO1");
  EXPECT_EQ(TstOgnev2_Class().CaptionOf(0), "Число Огнева 2 (разность + сложение, если {0,1})");
  EXPECT_EQ(TstOgnev1_Class().Flags(), sfS | sfN | sfG);
  EXPECT_EQ(TstOgnev3_Class().Flags(), sfS | sfD);
  EXPECT_EQ(TstOgnev3_Class().Group(), 11);
  EXPECT_FALSE(TstOgnev3_Class().CanParseValue());
}

TEST(OgnevDynamicFilter, ListsTheReferenceResultAndItsMultiples) {
  // Mode-2 results: 1 2 3 4 11 gives 6, 1 2 3 4 7 gives 2, 1 2 3 4 8 gives 3,
  // 1 2 3 10 30 gives the pair (1, 13), 1 2 3 4 24 gives 19.
  TDrawsArray draws = OgnDraws({{1, 2, 3, 4, 7},
                                {1, 2, 3, 4, 11},
                                {1, 2, 3, 4, 8},
                                {1, 2, 3, 10, 30},
                                {1, 2, 3, 4, 24},
                                {5, 10, 15, 20, 25}});
  TStatList reg(draws);
  auto h3 = TstOgnev3_Class().Create(reg, 0);
  // Only the last draw of the window adds; the following draw is checked for each value.
  EXPECT_EQ(Dump(*h3, RunWindow(*h3, 0, 1, false)), "6=0@1 36=0@1 30=0@1 24=0@1 18=0@1 12=0@1");
  EXPECT_EQ(Dump(*h3, RunWindow(*h3, 0, 0, false)), "2=1@1 8=0@1 6=0@1 4=1@1");
  EXPECT_EQ(Dump(*h3, RunWindow(*h3, 2, 2, false)),
            "3=1@1 27=0@1 24=0@1 21=0@1 18=0@1 15=0@1 12=0@1 9=0@1 6=0@1");
  EXPECT_EQ(Dump(*h3, RunWindow(*h3, 3, 3, false)), "13 (1)=0@1 26=0@1");
  EXPECT_EQ(Dump(*h3, RunWindow(*h3, 4, 4, false)), "19=0@1");
  // At the newest draw nothing follows: every count is 0. A result 0 is no drawn number.
  EXPECT_EQ(Dump(*h3, RunWindow(*h3, 5, 5, false)), "0=0@1");
  // The value is never found again after the window.
  const TStatDrawArray list = RunWindow(*h3, 0, 1, false);
  EXPECT_EQ(h3->FindValueDraw(list[0], 2, 1, false), -1);
}

TEST(OgnevDynamicFilter, FilterTestsEveryNumberOfTheCandidate) {
  TDrawsArray draws = OgnDraws({{1, 2, 3, 4, 11}});
  TStatList reg(draws);
  auto h3 = TstOgnev3_Class().Create(reg, 0);
  h3->LoadDraws(-1, 0, false);
  TStatDrawArray pair(1);
  pair[0].Key.Set(13, 1, 0, 2);
  EXPECT_TRUE(h3->CombMatches({5, 7, 13, 20, 36}, pair, 0, false, false));
  EXPECT_TRUE(h3->CombMatches({5, 7, 14, 20, 36}, Select({24, 36}), 0, false, false));
  EXPECT_FALSE(h3->CombMatches({5, 7, 14, 20, 35}, Select({24, 36}), 0, false, false));
  EXPECT_FALSE(h3->CombMatches({5, 7, 14, 20, 35}, Select({0}), 0, false, false));
  EXPECT_EQ(h3->ValueText(pair[0]), "13 (1)");
}

TEST(OgnevDynamicFilter, TableRowsOfCountZeroShowNoDividedValues) {
  // The reference draw 1 2 3 4 7 gives 2, 8, 6, 4; the draw after it holds 2 and 4.
  TDrawsArray draws = OgnDraws({{9, 15, 20, 31, 33}, {1, 2, 3, 4, 7}, {1, 2, 3, 4, 11}});
  TStatList reg(draws);
  auto h3 = TstOgnev3_Class().Create(reg, 0);
  TStatTableOptions options;
  options.Offset = 1;
  TStatTable table;
  ComputeStatTable(*h3, options, table);
  ASSERT_EQ(table.Rows.size(), 4u);
  const auto& hit = table.Rows[0].Cells;  // 2, found in the following draw
  EXPECT_EQ(hit[0], "2");
  EXPECT_EQ(hit[1], "1");
  EXPECT_EQ(hit[6], "1");
  EXPECT_EQ(hit[9], "702");
  EXPECT_EQ(hit[14], "1404");
  EXPECT_EQ(hit[15], "1054");              // 1054.5, halves to even
  const auto& miss = table.Rows[1].Cells;  // 8, not in the following draw
  EXPECT_EQ(miss[0], "8");
  EXPECT_EQ(miss[1], "0");
  EXPECT_EQ(miss[6], "1");
  EXPECT_EQ(miss[9], "702");
  EXPECT_EQ(miss[11], "-");
  EXPECT_EQ(miss[13], "-");
  EXPECT_EQ(miss[14], "-");
  EXPECT_EQ(miss[18], "-");
  EXPECT_EQ(miss[15], "1406");
  EXPECT_EQ(miss[16], "-");

  // At the newest draw nothing follows, so every count is 0.
  options.Offset = 0;
  ComputeStatTable(*h3, options, table);
  for (const TStatRow& row : table.Rows) {
    EXPECT_EQ(row.Cells[1], "0") << row.Cells[0];
    EXPECT_EQ(row.Cells[14], "-") << row.Cells[0];
  }
}

}  // namespace
}  // namespace kvarn
