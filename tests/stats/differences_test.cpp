#include "stats/methods/differences.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "family_test_util.h"

namespace kvarn {
namespace {

using namespace family_test;
using ::testing::ElementsAre;

int32_t Graph(TCustomStat& stat, int index, bool sorted) {
  return dynamic_cast<TCustomGraphStat&>(stat).GraphValue(index, index, sorted);
}

TEST(DifferenceMethods, ClassOperations) {
  EXPECT_EQ(TstCombDiffSeq2_Class().IdentOf(0), "KDS2");
  EXPECT_EQ(TstCombDiffSeq4_Class().Ident(), "KDS4");
  EXPECT_EQ(TstCombDiffSeq3_Class().CaptionOf(0), "Сочетания из 3 разностей между числами");
  EXPECT_EQ(TstCombDiffSeq3_Class().Flags(), sfS);
  EXPECT_FALSE(TstCombDiffSeq2_Class().CanPrefetch());
  EXPECT_FALSE(TstCombDiffSeq2_Class().CanParseValue());
  EXPECT_FALSE(TstDiffSame_Class().CanParseValue());
  EXPECT_TRUE(TstDiffTotal_Class().CanParseValue());
  EXPECT_EQ(TstMinMaxDiffs_Class().Flags(), sfN | sfG);
  EXPECT_EQ(TstDiffSameCnt_Class().Flags(), sfS | sfN | sfG);

  TStatList list(TDrawsArray{});
  list.Register();
  std::vector<std::string> ids;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string id = list.Items(i).IdentOf();
    if (id.rfind("DIF", 0) == 0 || id.rfind("KDS", 0) == 0) ids.push_back(id);
  }
  EXPECT_THAT(ids, ElementsAre("DIFA", "DIFM", "DIFD", "DIFO", "DIFK", "KDS2", "KDS3", "KDS4"));
}

TEST(DifferenceMethods, ValuesListedInAdvance) {
  TFamilyFixture fx;
  auto listed = [&](const TStatClass& cls) {
    auto stat = fx.Create(cls);
    TStatDrawArray items;
    stat->ListAllValues(-1, items);
    return Texts(*stat, items);
  };
  for (const TStatClass* cls :
       {&TstDiffTotal_Class(), &TstDiffMax_Class(), &TstMinMaxDiffs_Class()}) {
    const auto texts = listed(*cls);
    ASSERT_EQ(texts.size(), 35u) << cls->Ident();
    EXPECT_EQ(texts.front(), "1=0");
    EXPECT_EQ(texts.back(), "35=0");
  }
  EXPECT_THAT(listed(TstDiffSameCnt_Class()), ElementsAre("1=0", "2=0", "3=0", "4=0"));
  EXPECT_TRUE(listed(TstDiffSame_Class()).empty());
  EXPECT_TRUE(listed(TstCombDiffSeq2_Class()).empty());
}

TEST(DifferenceMethods, EqualAndUnequalGaps) {
  TFamilyFixture fx;
  auto difa = fx.Create(TstDiffTotal_Class());
  auto difm = fx.Create(TstDiffMax_Class());
  auto difd = fx.Create(TstMinMaxDiffs_Class());
  auto difo = fx.Create(TstDiffSame_Class());
  auto difk = fx.Create(TstDiffSameCnt_Class());
  auto kds2 = fx.Create(TstCombDiffSeq2_Class());
  const TComb run{1, 2, 3, 4, 5};
  EXPECT_THAT(CombTexts(*difa, run), ElementsAre("1=4"));
  EXPECT_THAT(CombTexts(*difm, run), ElementsAre("1=1"));
  EXPECT_THAT(CombTexts(*difd, run), ElementsAre("4=1"));
  EXPECT_THAT(CombTexts(*difo, run), ElementsAre("1 x 4=1"));
  EXPECT_THAT(CombTexts(*difk, run), ElementsAre("4=1"));
  // Runs of differences are counted over draws only.
  EXPECT_TRUE(CombTexts(*kds2, run).empty());

  const TComb spread{1, 10, 20, 30, 36};
  EXPECT_THAT(CombTexts(*difa, spread), ElementsAre("9=1", "10=2", "6=1"));
  EXPECT_THAT(CombTexts(*difo, spread), ElementsAre("9 x 1=1", "10 x 2=1", "6 x 1=1"));
  EXPECT_THAT(CombTexts(*difk, spread), ElementsAre("2=1"));
  EXPECT_THAT(CombTexts(*difk, {1, 3, 6, 10, 15}), ElementsAre("1=1"));
  EXPECT_THAT(CombTexts(*difd, spread), ElementsAre("35=1"));

  EXPECT_TRUE(difo->CombMatches(spread, {WordsItem(10, 2)}, 0, false, false));
  EXPECT_FALSE(difo->CombMatches(spread, {WordsItem(10, 1)}, 0, false, false));
  EXPECT_TRUE(difa->CombMatches(spread, {WordsItem(6)}, 0, false, false));
  EXPECT_FALSE(difa->CombMatches(spread, {WordsItem(7)}, 0, false, false));
  EXPECT_TRUE(difm->CombMatches(spread, {WordsItem(10)}, 0, false, false));
  EXPECT_FALSE(difm->CombMatches(spread, {WordsItem(9)}, 0, false, false));
}

TEST(DifferenceMethods, DrawOrderGivesAbsoluteDifferences) {
  TFamilyFixture fx(Archive({{30, 3, 17, 8, 21}}));
  auto difa = fx.Create(TstDiffTotal_Class());
  auto difm = fx.Create(TstDiffMax_Class());
  auto difd = fx.Create(TstMinMaxDiffs_Class());
  EXPECT_EQ(ItemOf(*difa, fx.Run(*difa, false), "27").Count, 1);
  EXPECT_EQ(ItemOf(*difa, fx.Run(*difa, false), "14").Count, 1);
  EXPECT_EQ(Graph(*difm, 0, false), 27);
  EXPECT_EQ(Graph(*difm, 0, true), 9);  // 3 8 17 21 30: 5 9 4 9
  EXPECT_EQ(Graph(*difd, 0, false), 27);
  EXPECT_EQ(Graph(*difd, 0, true), 27);
  auto difk = fx.Create(TstDiffSameCnt_Class());
  EXPECT_EQ(Graph(*difk, 0, false), 1);
  EXPECT_EQ(Graph(*difk, 0, true), 2);
}

TEST(DifferenceMethods, OnlyTheFirstValueOfADrawUpdatesIntervals) {
  // d = 1 5 5 8 in the draws 1 and 3, 2 5 5 7 in draw 2.
  TFamilyFixture fx(Archive({{1, 2, 7, 12, 20}, {1, 3, 8, 13, 20}, {1, 2, 7, 12, 20}}));
  auto difa = fx.Create(TstDiffTotal_Class());
  const TStatDrawArray items = fx.Run(*difa);
  const TStatDraw first = ItemOf(*difa, items, "1");
  EXPECT_EQ(first.Count, 2);
  EXPECT_EQ(first.MinPeriod, 2);
  const TStatDraw five = ItemOf(*difa, items, "5");
  EXPECT_EQ(five.Count, 6);
  EXPECT_EQ(five.LastDraw, 3);
  EXPECT_EQ(five.MinPeriod, 0);
  EXPECT_EQ(ItemOf(*difa, items, "8").MaxPeriod, 0);
}

TEST(DifferenceMethods, RunsOfConsecutiveDifferences) {
  TFamilyFixture fx(
      Archive({{2, 5, 6, 20, 33}, {1, 2, 3, 4, 5}, {1, 10, 20, 30, 36}, {2, 5, 6, 20, 33}}));
  auto kds2 = fx.Create(TstCombDiffSeq2_Class());
  auto kds3 = fx.Create(TstCombDiffSeq3_Class());
  auto kds4 = fx.Create(TstCombDiffSeq4_Class());

  EXPECT_EQ(ItemOf(*kds2, fx.Run(*kds2, false, 1, 1), "1:1").Count, 3);
  EXPECT_THAT(Texts(*kds3, fx.Run(*kds3, false, 2, 2)), ElementsAre("9:10:10=1", "10:10:6=1"));

  const TStatDrawArray all4 = fx.Run(*kds4);
  const TStatDraw run4 = ItemOf(*kds4, all4, "3:1:14:13");
  EXPECT_EQ(run4.Count, 2);
  EXPECT_EQ(run4.MinPeriod, 3);
  EXPECT_EQ(run4.MaxPeriod, 3);
  EXPECT_EQ(run4.Key.K4, 13);
  // The first run of a draw keeps intervals, the later ones only count.
  const TStatDrawArray all2 = fx.Run(*kds2);
  EXPECT_EQ(ItemOf(*kds2, all2, "3:1").MinPeriod, 3);
  EXPECT_EQ(ItemOf(*kds2, all2, "1:14").Count, 2);
  EXPECT_EQ(ItemOf(*kds2, all2, "1:14").MinPeriod, 0);

  const TComb comb{1, 10, 20, 30, 36};
  EXPECT_TRUE(kds3->CombMatches(comb, {WordsItem(10, 10, 6)}, 3, false, false));
  EXPECT_FALSE(kds3->CombMatches({1, 10, 20, 30, 35}, {WordsItem(10, 10, 6)}, 3, false, false));
  EXPECT_TRUE(kds4->CombMatches({2, 5, 6, 20, 33}, {run4}, 3, false, false));
  EXPECT_TRUE(kds2->CombMatches(comb, {WordsItem(10, 6)}, 3, false, false));
  EXPECT_FALSE(kds2->CombMatches(comb, {WordsItem(6, 10)}, 3, false, false));
}

}  // namespace
}  // namespace kvarn
