#include "stats/methods/sequences.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "family_test_util.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using namespace family_test;

TDrawsArray SeqDraws(std::initializer_list<TComb> combs) {
  return test::Archive(combs, 101);
}

std::string CombDump(TCustomStat& stat, const TComb& comb) {
  TStatDrawArray list;
  stat.AddCombValues(comb, list);
  return Dump(stat, list);
}

// Count values of one method for every draw of the archive, oldest first.
std::vector<int> CountsPerDraw(TCustomStat& stat, int drawsCount) {
  std::vector<int> counts;
  for (int i = 0; i < drawsCount; ++i) {
    TStatDrawArray list;
    TLastValueArray lastValues;
    TStatContext context;
    stat.AddDrawValues(i, drawsCount - 1, false, list, context, lastValues);
    counts.push_back(list.size() == 1 ? list[0].Key.K1 : -1);
  }
  return counts;
}

TEST(SequenceMethods, RunsLengthsCountsAndLongest) {
  TDrawsArray draws;
  TStatList reg(draws);
  auto len = TstSequenceLen_Class().Create(reg, 0);
  auto cnt = TstSequenceCnt_Class().Create(reg, 0);
  auto lens = TstSequenceLenMax_Class().Create(reg, 0);

  EXPECT_EQ(CombDump(*len, {1, 2, 3, 10, 11}), "3=1@0 2=1@0");
  EXPECT_EQ(CombDump(*cnt, {1, 2, 3, 10, 11}), "2=1@0");
  EXPECT_EQ(CombDump(*lens, {1, 2, 3, 10, 11}), "3=1@0");

  // A run that starts after a gap counts in full, in the table and in the filter alike.
  EXPECT_EQ(CombDump(*lens, {4, 5, 20, 30, 31}), "2=1@0");
  EXPECT_TRUE(lens->CombMatches({4, 5, 20, 30, 31}, Select({2}), 0, false, false));
  EXPECT_FALSE(lens->CombMatches({4, 5, 20, 30, 31}, Select({1, 3}), 0, false, false));

  EXPECT_EQ(CombDump(*len, {3, 9, 15, 21, 27}), "1=5@0");
  EXPECT_EQ(CombDump(*cnt, {3, 9, 15, 21, 27}), "0=1@0");
  EXPECT_EQ(CombDump(*lens, {3, 9, 15, 21, 27}), "1=1@0");
  EXPECT_EQ(CombDump(*lens, {1, 2, 3, 4, 5}), "5=1@0");

  EXPECT_TRUE(len->CombMatches({1, 2, 3, 10, 11}, Select({2}), 0, false, false));
  EXPECT_FALSE(len->CombMatches({1, 2, 3, 10, 11}, Select({1}), 0, false, false));
  EXPECT_TRUE(cnt->CombMatches({3, 9, 15, 21, 27}, Select({0}), 0, false, false));
}

TEST(SequenceMethods, GraphAcceptsDescendingNeighboursAndShowsNoRunAsZero) {
  TDrawsArray draws = SeqDraws({{9, 8, 20, 31, 30}, {3, 9, 15, 21, 27}, {12, 13, 14, 2, 1}});
  TStatList reg(draws);
  auto cntStat = TstSequenceCnt_Class().Create(reg, 0);
  auto lensStat = TstSequenceLenMax_Class().Create(reg, 0);
  auto& cnt = dynamic_cast<TCustomGraphStat&>(*cntStat);
  auto& lens = dynamic_cast<TCustomGraphStat&>(*lensStat);

  // Drawn order: 9 8 and 31 30 are runs for the graph only.
  EXPECT_EQ(cnt.GraphValue(0, 2, false), 2);
  EXPECT_EQ(lens.GraphValue(0, 2, false), 2);
  EXPECT_EQ(Dump(cnt, RunWindow(cnt, 0, 0, false)), "0=1@1 1=0@0 2=0@0");
  EXPECT_EQ(Dump(cnt, RunWindow(cnt, 0, 0, true)), "0=0@0 1=0@0 2=1@1");

  EXPECT_EQ(lens.GraphValue(1, 2, false), 0);
  EXPECT_EQ(cnt.GraphValue(1, 2, false), 0);

  // 12 13 14 then 2 1: two runs, the longest of three.
  EXPECT_EQ(cnt.GraphValue(2, 2, false), 2);
  EXPECT_EQ(lens.GraphValue(2, 2, false), 3);
}

TEST(SequenceMethods, ListedValuesAndTableRun) {
  TDrawsArray draws = SeqDraws({{1, 2, 3, 10, 11}, {3, 9, 15, 21, 27}, {5, 6, 7, 8, 20}});
  TStatList reg(draws);
  auto len = TstSequenceLen_Class().Create(reg, 0);
  auto cnt = TstSequenceCnt_Class().Create(reg, 0);
  auto lens = TstSequenceLenMax_Class().Create(reg, 0);
  EXPECT_EQ(Dump(*len, RunWindow(*len, 0, 2, false)), "1=6@1 2=1@3 3=1@3 4=1@1 5=0@0");
  EXPECT_EQ(Dump(*cnt, RunWindow(*cnt, 0, 2, false)), "0=1@2 1=1@1 2=1@3");
  EXPECT_EQ(Dump(*lens, RunWindow(*lens, 0, 2, false)), "1=1@2 2=0@0 3=1@3 4=1@1 5=0@0");
}

TEST(RepeatMethods, IdentifiersCaptionsAndFeatures) {
  struct Row {
    const TStatClass& cls;
    const char* ident;
    const char* caption;
  };
  const Row rows[] = {
      {TstRepValues2_Class(), "RPV2", "Повторяющиеся числа в 2-х тиражах подряд"},
      {TstRepValues2over1_Class(), "PRV2O1", "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)"},
      {TstRepValues2over3_Class(), "PRV2O3", "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)"},
      {TstRepValues2P1_Class(), "PRV+1", "Данные предыдущего тиража + 1"},
      {TstRepValues2N2_Class(), "PRV-2", "Данные предыдущего тиража - 2"},
      {TstRepCount2_Class(), "RPC2", "Количество повторов в 2-х тиражах подряд"},
      {TstRepCount2over1_Class(), "RPO1", "Количество повторов в 2-х тиражах через 1 тираж(а)"},
      {TstRepCount2over2_Class(), "PRC2O2", "Количество повторов в 2-х тиражах через 2 тираж(а)"},
      {TstRepCount2N1_Class(), "PRC-1", "Количество совпадений \"значений - 1\""},
      {TstRepCount2P2_Class(), "PRC+2", "Количество совпадений \"значений + 2\""},
      {TstRepValues3_Class(), "RPV3", "Повторяющиеся числа в 3-х тиражах подряд"},
      {TstRepCount3_Class(), "RPC3", "Количество повторов в 3-х тиражах подряд"},
      {TstRepValues2B3_Class(), "PRL2", "Повторяющиеся числа не более чем в 2-х тиражах"},
      {TstRepCount2B3_Class(), "PRB2", "Количество повторов не более чем в 2-х тиражах"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.cls.IdentOf(0), r.ident);
    EXPECT_EQ(r.cls.CaptionOf(0), r.caption);
    EXPECT_EQ(r.cls.Group(), 7) << r.ident;
    EXPECT_EQ(r.cls.Flags(), sfD) << r.ident;
  }
  EXPECT_EQ(TstRepValues2N1::Shift(), -1);
  EXPECT_EQ(TstRepValues2over2::Distance(), 3);
  EXPECT_EQ(TstRepCount2P2::Shift(), 2);
  EXPECT_EQ(TstSequenceLenMax_Class().Flags(), sfS | sfN | sfG);
  EXPECT_EQ(TstSequenceLen_Class().Flags(), sfS | sfN);
  EXPECT_EQ(TstSequenceCnt_Class().Group(), 6);
}

TEST(RepeatMethods, RegisteredInTableOrder) {
  TDrawsArray draws;
  TStatList reg(draws);
  reg.Register();
  std::string idents;
  for (int i = 0; i < reg.Count(); ++i) {
    const int g = reg.Items(i).StatClass->Group();
    if (g == 6 || g == 7) idents += reg.Items(i).IdentOf() + " ";
  }
  EXPECT_EQ(idents,
            "SEQL SEQS LENS RPV2 RPV3 PRL2 PRV2O1 PRV2O2 PRV2O3 PRV+1 PRV-1 PRV+2 PRV-2 RPC2 RPC3 "
            "PRB2 RPO1 PRC2O2 PRC2O3 PRC+1 PRC-1 PRC+2 PRC-2 ");
}

TEST(RepeatMethods, ValuesListTheLatestDrawAndCountItsRepeats) {
  // 20 repeats from draw 102 to 103 but is not in the latest draw, so it is not counted.
  TDrawsArray draws =
      SeqDraws({{1, 2, 3, 4, 12}, {12, 20, 21, 22, 23}, {5, 6, 7, 8, 20}, {33, 5, 18, 12, 25}});
  TStatList reg(draws);
  auto rpv2 = TstRepValues2_Class().Create(reg, 0);
  EXPECT_EQ(Dump(*rpv2, RunWindow(*rpv2, 0, 3, false)), "33=0@0 5=1@1 18=0@0 12=1@3 25=0@0");
  const TStatDrawArray sorted = RunWindow(*rpv2, 0, 3, true);
  EXPECT_EQ(sorted[3].LastDraw, 102);

  // Two draws back: 12 of draw 102 comes back in the latest draw 104.
  auto over1 = TstRepValues2over1_Class().Create(reg, 0);
  EXPECT_EQ(Dump(*over1, RunWindow(*over1, 0, 3, false)), "33=0@0 5=0@0 18=0@0 12=1@1 25=0@0");

  EXPECT_TRUE(rpv2->CombMatches({1, 2, 3, 4, 25}, Select({25}), 3, false, false));
  EXPECT_FALSE(rpv2->CombMatches({1, 2, 3, 4, 24}, Select({25}), 3, false, false));
}

TEST(RepeatMethods, ShiftedValuesWrapAroundAndOldestDrawsInventNothing) {
  // The latest draw holds 36, so +1 lists 1; draw 103 holds 1 after 36 in draw 102. The
  // oldest draw holds 1 too, but nothing lies before it.
  TDrawsArray draws =
      SeqDraws({{1, 10, 11, 12, 13}, {2, 14, 15, 16, 36}, {1, 3, 4, 5, 6}, {7, 8, 9, 30, 36}});
  TStatList reg(draws);
  auto p1 = TstRepValues2P1_Class().Create(reg, 0);
  EXPECT_EQ(Dump(*p1, RunWindow(*p1, 0, 3, false)), "8=0@0 9=0@0 10=0@0 31=0@0 1=1@2");

  auto n2 = TstRepValues2N2_Class().Create(reg, 0);
  EXPECT_EQ(Dump(*n2, RunWindow(*n2, 0, 0, false)), "35=0@0 8=0@0 9=0@0 10=0@0 11=0@0");

  // Shifting the missing numbers before the oldest draw by -1 would give 35 and count it.
  TDrawsArray old = SeqDraws({{35, 1, 2, 3, 4}, {36, 2, 3, 4, 5}, {1, 2, 3, 4, 5}});
  TStatList oldReg(old);
  auto n1 = TstRepCount2N1_Class().Create(oldReg, 0);
  EXPECT_EQ(CountsPerDraw(*n1, 3), (std::vector<int>{0, 3, 4}));
  auto pc1 = TstRepCount2P1_Class().Create(oldReg, 0);
  EXPECT_EQ(CountsPerDraw(*pc1, 3), (std::vector<int>{0, 5, 4}));
  auto rpc2 = TstRepCount2_Class().Create(oldReg, 0);
  EXPECT_EQ(CountsPerDraw(*rpc2, 3), (std::vector<int>{0, 3, 4}));
}

TEST(RepeatMethods, CountsAtEachDistance) {
  TDrawsArray same = SeqDraws({{1, 2, 3, 4, 5},
                               {1, 2, 3, 4, 5},
                               {1, 2, 3, 4, 5},
                               {1, 2, 3, 4, 5},
                               {1, 2, 3, 4, 5},
                               {1, 2, 30, 31, 32}});
  TStatList reg(same);
  auto c1 = TstRepCount2_Class().Create(reg, 0);
  auto o1 = TstRepCount2over1_Class().Create(reg, 0);
  auto o2 = TstRepCount2over2_Class().Create(reg, 0);
  auto o3 = TstRepCount2over3_Class().Create(reg, 0);
  EXPECT_EQ(CountsPerDraw(*c1, 6), (std::vector<int>{0, 5, 5, 5, 5, 2}));
  EXPECT_EQ(CountsPerDraw(*o1, 6), (std::vector<int>{0, 0, 5, 5, 5, 2}));
  EXPECT_EQ(CountsPerDraw(*o2, 6), (std::vector<int>{0, 0, 0, 5, 5, 2}));
  EXPECT_EQ(CountsPerDraw(*o3, 6), (std::vector<int>{0, 0, 0, 0, 5, 2}));

  // Listed 1..5, never 0; a 0 enters when it occurs.
  EXPECT_EQ(Dump(*o3, RunWindow(*o3, 3, 5, false)), "1=0@0 2=1@1 3=0@0 4=0@0 5=1@2 0=1@3");
}

TEST(RepeatMethods, CountFilterComparesWithTheDrawsBeforeTheCandidate) {
  TDrawsArray draws = SeqDraws({{10, 11, 12, 13, 14}, {1, 2, 3, 4, 5}, {1, 2, 30, 31, 32}});
  TStatList reg(draws);
  const TComb cand = {3, 30, 31, 33, 34};
  auto c1 = TstRepCount2_Class().Create(reg, 0);
  auto o1 = TstRepCount2over1_Class().Create(reg, 0);
  auto p1 = TstRepCount2P1_Class().Create(reg, 0);
  c1->LoadDraws(-1, 2, false);
  EXPECT_TRUE(c1->CombMatches(cand, Select({2}), 2, false, false));
  EXPECT_FALSE(c1->CombMatches(cand, Select({1, 3}), 2, false, false));
  EXPECT_TRUE(o1->CombMatches(cand, Select({1}), 2, false, false));
  // 1 2 30 31 32 shifted by +1 is 2 3 31 32 33: the candidate holds 3, 31 and 33.
  EXPECT_TRUE(p1->CombMatches(cand, Select({3}), 2, false, false));
  // A new analysis point is read afresh, also by the same instance.
  EXPECT_TRUE(c1->CombMatches(cand, Select({1}), 1, false, false));
  EXPECT_TRUE(c1->CombMatches(cand, Select({0}), 0, false, false));
  // Before the archive there is nothing to repeat.
  EXPECT_TRUE(o1->CombMatches(cand, Select({0}), 0, false, false));
}

TEST(RepeatMethods, ThreeDrawRepeats) {
  TDrawsArray draws = SeqDraws({{1, 2, 3, 4, 5}, {1, 2, 3, 10, 11}, {1, 2, 20, 10, 21}});
  TStatList reg(draws);
  auto v3 = TstRepValues3_Class().Create(reg, 0);
  auto v2b3 = TstRepValues2B3_Class().Create(reg, 0);
  auto c3 = TstRepCount3_Class().Create(reg, 0);
  auto c2b3 = TstRepCount2B3_Class().Create(reg, 0);
  EXPECT_EQ(Dump(*v3, RunWindow(*v3, 0, 2, false)), "1=1@1 2=1@1 20=0@0 10=0@0 21=0@0");
  EXPECT_EQ(Dump(*v2b3, RunWindow(*v2b3, 0, 2, false)), "1=1@2 2=1@2 20=0@0 10=1@1 21=0@0");
  EXPECT_EQ(CountsPerDraw(*c3, 3), (std::vector<int>{0, 0, 2}));
  EXPECT_EQ(CountsPerDraw(*c2b3, 3), (std::vector<int>{0, 3, 1}));

  // Against the two draws just before the candidate: 1 2 3 4 5, then 1 2 30 31 32 (latest).
  TDrawsArray last2 = SeqDraws({{1, 2, 3, 4, 5}, {1, 2, 30, 31, 32}});
  TStatList reg2(last2);
  auto f3 = TstRepCount3_Class().Create(reg2, 0);
  auto f2b3 = TstRepCount2B3_Class().Create(reg2, 0);
  EXPECT_TRUE(f3->CombMatches({1, 2, 6, 7, 8}, Select({2}), 1, false, false));
  EXPECT_TRUE(f2b3->CombMatches({1, 2, 6, 7, 8}, Select({0}), 1, false, false));
  EXPECT_TRUE(f3->CombMatches({1, 30, 31, 33, 34}, Select({1}), 1, false, false));
  EXPECT_TRUE(f2b3->CombMatches({1, 30, 31, 33, 34}, Select({2}), 1, false, false));
  auto fv3 = TstRepValues3_Class().Create(reg2, 0);
  EXPECT_TRUE(fv3->CombMatches({1, 30, 31, 33, 34}, Select({33}), 1, false, false));
}

}  // namespace
}  // namespace kvarn
