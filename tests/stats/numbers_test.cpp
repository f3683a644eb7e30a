#include "stats/methods/numbers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "family_test_util.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using namespace family_test;
using ::testing::ElementsAre;

TEST(NumberMethods, ClassOperations) {
  EXPECT_EQ(TstValues_Class().Ident(), "NUMS");
  EXPECT_EQ(TstValues_Class().Caption(), "Числа тиража");
  EXPECT_EQ(TstValues_Class().Group(), 0);
  EXPECT_EQ(TstValues_Class().Flags(), sfN);
  // Count classes are graphs; masks are not.
  EXPECT_EQ(TstEvenCount_Class().Flags(), sfN | sfG);
  EXPECT_EQ(TstSmallValues_Class().Flags(), sfS | sfN);
  EXPECT_EQ(TstPrimeValues_Class().Caption(), "Простые и составные числа (ПС..СП)");

  const TStatClass& pos = TstPosVal_Class();
  EXPECT_EQ(pos.IdentOf(3), "POS3");
  EXPECT_EQ(pos.CaptionOf(1), "Число в 1 позиции тиража");
  EXPECT_EQ(pos.HelpIdent(), "POSx");
  EXPECT_EQ(pos.Flags(), sfS | sfN | sfG);
  TStatList list(TDrawsArray{});
  int lo = 0, hi = 0;
  pos.ParamRange(list, lo, hi);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 5);

  const TStatClass& ext = TstPosExt_Class();
  EXPECT_EQ(ext.IdentOf(1), "POE1");
  EXPECT_EQ(ext.HelpIdent(), "POSx");
  EXPECT_EQ(ext.CaptionOf(1), "Extra (Bonus, Star...) - число (!без фильтра!)");
  EXPECT_EQ(ext.Features(), 0);
  EXPECT_EQ(ext.Flags(), sfG);
  EXPECT_FALSE(ext.CanPrefetch());
  ext.ParamRange(list, lo, hi);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 1);
}

TEST(NumberMethods, ValuesListedInAdvance) {
  TFamilyFixture fx;
  auto listed = [&](const TStatClass& cls, int param = 0) {
    auto stat = fx.Create(cls, param);
    TStatDrawArray items;
    stat->ListAllValues(-1, items);
    for (const TStatDraw& item : items) EXPECT_EQ(item.Count, 0);
    return Texts(*stat, items);
  };
  const auto nums = listed(TstValues_Class());
  ASSERT_EQ(nums.size(), 36u);
  EXPECT_EQ(nums.front(), "1=0");
  EXPECT_EQ(nums.back(), "36=0");
  EXPECT_EQ(listed(TstPosVal_Class(), 2).size(), 36u);
  // The value 0 is not listed; it enters the table only when met.
  EXPECT_THAT(listed(TstEvenCount_Class()),
              ElementsAre("1:4=0", "2:3=0", "3:2=0", "4:1=0", "5:0=0"));
  EXPECT_EQ(listed(TstPrimeCount_Class()).size(), 5u);
  const auto evnv = listed(TstEvenValues_Class());
  ASSERT_EQ(evnv.size(), 32u);
  EXPECT_EQ(evnv.front(), "ЧЧЧЧЧ (000)=0");
  EXPECT_EQ(evnv.back(), "ннннн (031)=0");
  EXPECT_EQ(listed(TstPrimeValues_Class()).size(), 32u);
  EXPECT_TRUE(listed(TstSmallValues_Class()).empty());
  EXPECT_TRUE(listed(TstDigits_Class()).empty());
  EXPECT_TRUE(listed(TstPosExt_Class(), 1).empty());
}

TEST(NumberMethods, CountsAndMasksOfCombinations) {
  TFamilyFixture fx;
  auto smal = fx.Create(TstSmallCount_Class());
  auto smlv = fx.Create(TstSmallValues_Class());
  EXPECT_THAT(CombTexts(*smal, {1, 2, 3, 4, 5}), ElementsAre("5:0=1"));
  EXPECT_THAT(CombTexts(*smlv, {1, 2, 3, 4, 5}), ElementsAre("11111 (000)=1"));
  EXPECT_THAT(CombTexts(*smlv, {18, 19, 20, 35, 36}), ElementsAre("12222 (015)=1"));

  auto even = fx.Create(TstEvenCount_Class());
  auto evnv = fx.Create(TstEvenValues_Class());
  EXPECT_THAT(CombTexts(*even, {1, 3, 5, 7, 9}), ElementsAre("0:5=1"));
  EXPECT_THAT(CombTexts(*evnv, {2, 7, 10, 21, 36}), ElementsAre("ЧнЧнЧ (010)=1"));

  // 1 is counted as prime.
  auto prim = fx.Create(TstPrimeCount_Class());
  auto prmv = fx.Create(TstPrimeValues_Class());
  EXPECT_THAT(CombTexts(*prim, {1, 4, 6, 8, 9}), ElementsAre("1:4=1"));
  EXPECT_THAT(CombTexts(*prmv, {1, 4, 6, 8, 9}), ElementsAre("ПСССС (016)=1"));
  EXPECT_THAT(CombTexts(*prim, {2, 19, 23, 29, 31}), ElementsAre("5:0=1"));
  EXPECT_THAT(CombTexts(*prim, {4, 15, 21, 33, 35}), ElementsAre("0:5=1"));

  // Typed texts read back to the key.
  EXPECT_EQ(prim->TextValue("4:1"), 4);
  EXPECT_EQ(prmv->TextValue("ПСССС (016)"), 16);
  EXPECT_EQ(evnv->TextValue("ЧнЧнЧ"), 10);
}

TEST(NumberMethods, OddCountMetOnlyInDrawsIsAppendedAfterListed) {
  TFamilyFixture fx(Archive({{1, 3, 5, 7, 9}, {2, 4, 5, 7, 9}}));
  auto even = fx.Create(TstEvenCount_Class());
  EXPECT_THAT(Texts(*even, fx.Run(*even)),
              ElementsAre("1:4=0", "2:3=1", "3:2=0", "4:1=0", "5:0=0", "0:5=1"));
}

TEST(NumberMethods, DigitsOfEachNumber) {
  TFamilyFixture fx;
  auto digs = fx.Create(TstDigits_Class());
  // 1,0 | 1,1 | 2,0 | 3,0 | 3,3: merged in order of first appearance.
  EXPECT_THAT(CombTexts(*digs, {10, 11, 20, 30, 33}), ElementsAre("1=3", "0=3", "2=1", "3=3"));
  EXPECT_THAT(CombTexts(*digs, {1, 2, 3, 4, 7}), ElementsAre("1=1", "2=1", "3=1", "4=1", "7=1"));
  const TStatDrawArray zero{WordsItem(0)};
  EXPECT_TRUE(digs->CombMatches({1, 2, 3, 4, 30}, zero, 0, false, false));
  EXPECT_FALSE(digs->CombMatches({1, 2, 3, 4, 5}, zero, 0, false, false));
}

TEST(NumberMethods, RunCountsDepthAndPeriods) {
  // 7 occurs in the draws numbered 3, 5 and 9 of a ten-draw window.
  TFamilyFixture fx(Archive({{1, 2, 3, 4, 5},
                             {1, 2, 3, 4, 6},
                             {7, 8, 9, 10, 11},
                             {1, 2, 3, 4, 6},
                             {1, 2, 3, 4, 7},
                             {1, 2, 3, 4, 6},
                             {1, 2, 3, 4, 6},
                             {1, 2, 3, 4, 6},
                             {7, 20, 21, 22, 23},
                             {1, 2, 3, 4, 6}}));
  auto nums = fx.Create(TstValues_Class());
  const TStatDrawArray items = fx.Run(*nums);
  ASSERT_EQ(items.size(), 36u);
  const TStatDraw& seven = items[6];
  EXPECT_EQ(seven.Count, 3);
  EXPECT_EQ(seven.MinPeriod, 2);
  EXPECT_EQ(seven.MaxPeriod, 4);
  EXPECT_EQ(seven.LastDraw, 9);
  EXPECT_EQ(seven.Depth, 2);
  // Met once: no period; never met: depth 0.
  EXPECT_EQ(items[19].Count, 1);
  EXPECT_EQ(items[19].MinPeriod, 0);
  EXPECT_EQ(items[35].Count, 0);
  EXPECT_EQ(items[35].Depth, 0);

  const TStatDrawArray selected{WordsItem(7), WordsItem(36)};
  EXPECT_TRUE(nums->CombMatches({7, 12, 13, 14, 15}, selected, 9, false, false));
  EXPECT_TRUE(nums->CombMatches({1, 12, 13, 14, 36}, selected, 9, false, true));
  EXPECT_FALSE(nums->CombMatches({1, 12, 13, 14, 35}, selected, 9, false, false));
  EXPECT_EQ(nums->FindValueDraw(seven, 6, 9, false), 9);
  EXPECT_EQ(nums->FindValueDraw(seven, 10, 9, false), -1);
}

TEST(NumberMethods, PositionFollowsDrawOrderUnlessSorted) {
  TFamilyFixture fx(Archive({{17, 3, 30, 8, 21}}));
  auto pos1 = fx.Create(TstPosVal_Class(), 1);
  auto pos5 = fx.Create(TstPosVal_Class(), 5);
  EXPECT_EQ(family_test::ItemOf(*pos1, fx.Run(*pos1, false), "17").Count, 1);
  EXPECT_EQ(family_test::ItemOf(*pos1, fx.Run(*pos1, true), "3").Count, 1);
  auto* graph1 = dynamic_cast<TCustomGraphStat*>(pos1.get());
  auto* graph5 = dynamic_cast<TCustomGraphStat*>(pos5.get());
  ASSERT_NE(graph1, nullptr);
  EXPECT_EQ(graph1->GraphValue(0, 0, false), 17);
  EXPECT_EQ(graph1->GraphValue(0, 0, true), 3);
  EXPECT_EQ(graph5->GraphValue(0, 0, true), 30);
  // A combination is ascending: position 5 is its largest number.
  EXPECT_THAT(CombTexts(*pos5, {3, 8, 17, 21, 30}), ElementsAre("30=1"));
  const TStatDrawArray selected{WordsItem(30)};
  EXPECT_TRUE(pos5->CombMatches({3, 8, 17, 21, 30}, selected, 0, false, false));
  EXPECT_FALSE(pos1->CombMatches({3, 8, 17, 21, 30}, selected, 0, false, false));
}

TEST(NumberMethods, ExtraNumberOfDraws) {
  TFamilyFixture fx(
      Archive({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}}, 1, {0, 3, 3}));
  auto poe = fx.Create(TstPosExt_Class(), 1);
  const TStatDrawArray items = fx.Run(*poe);
  EXPECT_THAT(Texts(*poe, items), ElementsAre("0=1", "3=2"));
  EXPECT_EQ(items[1].MinPeriod, 1);
  auto* graph = dynamic_cast<TCustomGraphStat*>(poe.get());
  EXPECT_EQ(graph->GraphValue(1, 2, false), 3);
  EXPECT_EQ(graph->GraphValue(0, 2, false), 0);
  // A combination has no extra number: it adds nothing and never matches.
  EXPECT_TRUE(CombTexts(*poe, {1, 2, 3, 4, 5}).empty());
  const TStatDrawArray selected{WordsItem(0), WordsItem(3)};
  EXPECT_FALSE(poe->CombMatches({1, 2, 3, 4, 5}, selected, 2, false, false));
}

TEST(NumberMethods, MaskFilterComparesWholeMask) {
  TFamilyFixture fx;
  auto prmv = fx.Create(TstPrimeValues_Class());
  const TStatDrawArray selected{KeyItem(16)};
  EXPECT_TRUE(prmv->CombMatches({1, 4, 6, 8, 9}, selected, 0, false, false));
  EXPECT_FALSE(prmv->CombMatches({1, 2, 6, 8, 9}, selected, 0, false, false));
  auto smal = fx.Create(TstSmallCount_Class());
  EXPECT_TRUE(smal->CombMatches({1, 2, 3, 20, 30}, {WordsItem(3)}, 0, false, false));
  EXPECT_FALSE(smal->CombMatches({1, 2, 19, 20, 30}, {WordsItem(3)}, 0, false, false));
}

TEST(NumberMethods, NumbersBeyondTheBitsOfTheKeepPassMatchNothing) {
  TFamilyFixture fx;
  auto nums = fx.Create(TstValues_Class());
  const TComb src[] = {{66, 67, 68, 69, 70}, {2, 64, 65, 200, 255}, {1, 3, 4, 5, 6}};
  TComb dst[3];
  EXPECT_EQ(nums->FilterPass(src, 3, dst, {KeyItem(2)}, 0, false, false), 1);
  EXPECT_EQ(dst[0], (TComb{2, 64, 65, 200, 255}));
  EXPECT_EQ(nums->FilterPass(src, 3, dst, {KeyItem(2)}, 0, false, true), 2);
  EXPECT_EQ(dst[0], (TComb{66, 67, 68, 69, 70}));
}

TEST(NumberMethods, RegisteredInTableOrder) {
  TDrawsArray draws;
  TStatList list(draws);
  list.Register();
  std::vector<std::string> ours;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string id = list.Items(i).IdentOf();
    if (id == "NUMS" || id == "DIGS" || id == "SMLV" || id.rfind("POS", 0) == 0 ||
        id.rfind("POE", 0) == 0)
      ours.push_back(id);
  }
  EXPECT_THAT(ours,
              ElementsAre("NUMS", "DIGS", "SMLV", "POS1", "POS2", "POS3", "POS4", "POS5", "POE1"));
  const int nums = list.FindByIdent("NUMS");
  ASSERT_GE(nums, 0);
  EXPECT_EQ(list.DisplayName(nums, true), "{ num } Числа тиража [ N ]");
  EXPECT_EQ(list.DisplayName(list.FindByIdent("EVEN"), true),
            "{ num } Количество четных чисел в тираже (Ч:Н) [ NG ]");
}

}  // namespace
}  // namespace kvarn
