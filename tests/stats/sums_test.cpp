#include "stats/methods/sums.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "family_test_util.h"

namespace kvarn {
namespace {

using namespace family_test;
using ::testing::ElementsAre;

// Combinations with the sums the tests need.
constexpr TComb Sum40{1, 5, 9, 10, 15};
constexpr TComb Sum84{10, 14, 18, 20, 22};
constexpr TComb Sum85{10, 14, 18, 20, 23};
constexpr TComb Sum93{10, 15, 20, 22, 26};
constexpr TComb Sum95{10, 15, 20, 24, 26};
constexpr TComb Sum100{10, 15, 20, 25, 30};
constexpr TComb Sum112{15, 20, 24, 26, 27};
constexpr TComb Sum115{15, 20, 24, 26, 30};
constexpr TComb Sum116{15, 20, 24, 26, 31};
constexpr TComb Sum127{20, 23, 26, 28, 30};

int32_t Graph(TCustomStat& stat, int index, int last) {
  return dynamic_cast<TCustomGraphStat&>(stat).GraphValue(index, last, false);
}

TEST(SumMethods, ClassOperations) {
  EXPECT_EQ(TstSumRanges_Class().CaptionOf(1), "Сумма тиража: диапазон 1 (1/3)");
  EXPECT_EQ(TstSumRanges_Class().CaptionOf(2), "Сумма тиража: диапазон 2 (1/2)");
  EXPECT_EQ(TstSumRanges_Class().CaptionOf(3), "Сумма тиража: диапазон 3 (2/3)");
  EXPECT_EQ(TstSumRanges_Class().IdentOf(2), "SUM2");
  EXPECT_EQ(TstSumChange_Class().Flags(), sfD | sfG);
  EXPECT_EQ(TstSumChangeSome_Class().Flags(), sfD);
  EXPECT_EQ(TstSum2To3_Class().Flags(), sfN | sfG);
  // Values that cannot be typed.
  EXPECT_TRUE(TstSumValues_Class().CanParseValue());
  EXPECT_FALSE(TstSumRanges_Class().CanParseValue());
  EXPECT_FALSE(TstSumChange_Class().CanParseValue());
  EXPECT_FALSE(TstSumChangeSome_Class().CanParseValue());
  EXPECT_FALSE(TstSumTrend_Class().CanParseValue());
  TFamilyFixture fx;
  EXPECT_EQ(fx.Create(TstSumChangeSome_Class())->ParseValue("12"), 0);
  EXPECT_EQ(fx.Create(TstSumValues_Class())->ParseValue("120"), 120);

  TStatList list(TDrawsArray{});
  list.Register();
  const int sum2 = list.FindByIdent("SUM2");
  ASSERT_GE(sum2, 0);
  EXPECT_EQ(list.DisplayName(sum2, true), "{ sum } Сумма тиража: диапазон 2 (1/2) [ NG ]");
  EXPECT_EQ(list.Items(sum2 - 1).IdentOf(), "SUM1");
  EXPECT_EQ(list.Items(sum2 + 1).IdentOf(), "SUM3");
}

TEST(SumMethods, SumsOfAllEvenAndPrimeNumbers) {
  TFamilyFixture fx;
  auto sums = fx.Create(TstSumValues_Class());
  TStatDrawArray listed;
  sums->ListAllValues(-1, listed);
  ASSERT_EQ(listed.size(), 156u);
  EXPECT_EQ(sums->ValueText(listed.front()), "15");
  EXPECT_EQ(sums->ValueText(listed.back()), "170");
  EXPECT_THAT(CombTexts(*sums, {1, 2, 3, 4, 5}), ElementsAre("15=1"));
  EXPECT_THAT(CombTexts(*sums, {32, 33, 34, 35, 36}), ElementsAre("170=1"));
  EXPECT_TRUE(sums->CombMatches(Sum100, {KeyItem(100)}, 0, false, false));
  EXPECT_FALSE(sums->CombMatches(Sum95, {KeyItem(100)}, 0, false, false));

  auto even = fx.Create(TstSumEvenValues_Class());
  auto prime = fx.Create(TstSumPrimeValues_Class());
  TStatDrawArray none;
  even->ListAllValues(-1, none);
  EXPECT_TRUE(none.empty());
  EXPECT_THAT(CombTexts(*even, {1, 3, 5, 7, 9}), ElementsAre("0=1"));
  EXPECT_THAT(CombTexts(*even, {2, 4, 5, 7, 10}), ElementsAre("16=1"));
  EXPECT_THAT(CombTexts(*prime, {4, 6, 8, 9, 10}), ElementsAre("0=1"));
  EXPECT_THAT(CombTexts(*prime, {1, 4, 6, 8, 9}), ElementsAre("1=1"));
  EXPECT_THAT(CombTexts(*prime, {2, 3, 19, 31, 36}), ElementsAre("55=1"));
  EXPECT_TRUE(prime->CombMatches({1, 4, 6, 8, 9}, {KeyItem(1)}, 0, false, false));

  auto s2t3 = fx.Create(TstSum2To3_Class());
  EXPECT_THAT(CombTexts(*s2t3, {1, 2, 3, 4, 5}), ElementsAre("4=1"));
  EXPECT_THAT(CombTexts(*s2t3, {1, 2, 4, 8, 16}), ElementsAre("0=1"));
  EXPECT_THAT(CombTexts(*s2t3, {3, 5, 8, 13, 21}), ElementsAre("3=1"));
}

TEST(SumMethods, GraphValuesFollowTheDrawOrderFreeSum) {
  TFamilyFixture fx(Archive({{1, 2, 3, 4, 5}, {30, 3, 17, 8, 21}}));
  EXPECT_EQ(Graph(*fx.Create(TstSumValues_Class()), 1, 1), 79);
  EXPECT_EQ(Graph(*fx.Create(TstSumEvenValues_Class()), 1, 1), 38);
  EXPECT_EQ(Graph(*fx.Create(TstSumPrimeValues_Class()), 1, 1), 20);
  EXPECT_EQ(Graph(*fx.Create(TstSum2To3_Class()), 0, 1), 4);
  EXPECT_EQ(Graph(*fx.Create(TstSumRanges_Class(), 1), 1, 1), 1);
  EXPECT_EQ(Graph(*fx.Create(TstSumRanges_Class(), 1), 0, 1), 0);
}

TEST(SumMethods, RangeRowsAndFilter) {
  TFamilyFixture fx;
  auto sum1 = fx.Create(TstSumRanges_Class(), 1);
  TStatDrawArray listed;
  sum1->ListAllValues(-1, listed);
  EXPECT_THAT(Texts(*sum1, listed), ElementsAre("Остальные=0", "59-126=0"));
  EXPECT_EQ(fx.Create(TstSumRanges_Class(), 2)->ValueText(KeyItem(1)), "66-119");
  EXPECT_EQ(fx.Create(TstSumRanges_Class(), 3)->ValueText(KeyItem(1)), "72-113");

  const TComb s58{5, 10, 12, 15, 16}, s59{5, 10, 12, 15, 17}, s126{20, 23, 25, 28, 30};
  EXPECT_THAT(CombTexts(*sum1, s58), ElementsAre("Остальные=1"));
  EXPECT_THAT(CombTexts(*sum1, s59), ElementsAre("59-126=1"));
  // Only the "Остальные" row selected: exactly the sums outside the range match.
  const TStatDrawArray others{KeyItem(0)};
  EXPECT_TRUE(sum1->CombMatches(s58, others, 0, false, false));
  EXPECT_FALSE(sum1->CombMatches(s59, others, 0, false, false));
  EXPECT_FALSE(sum1->CombMatches(s126, others, 0, false, false));
  EXPECT_TRUE(sum1->CombMatches(Sum127, others, 0, false, false));
  // The range row selected (alone or with the other row): the sums inside match.
  const TStatDrawArray both{KeyItem(0), KeyItem(1)};
  EXPECT_FALSE(sum1->CombMatches(s58, both, 0, false, false));
  EXPECT_TRUE(sum1->CombMatches(s126, both, 0, false, false));
  EXPECT_TRUE(sum1->CombMatches(s59, {KeyItem(1)}, 0, false, true));
}

// Sums by index: 93 100 95 93 100 93.
TDrawsArray ChangeArchive() {
  return Archive({Sum93, Sum100, Sum95, Sum93, Sum100, Sum93});
}

TEST(SumMethods, ExactChangeAfterTheLatestSum) {
  TFamilyFixture fx(ChangeArchive());
  auto sumc = fx.Create(TstSumChange_Class());
  // Reference 93 (the last draw): draws 2 and 5 follow a 93; the oldest draw's predecessor is 0.
  const TStatDrawArray up = fx.Run(*sumc);
  EXPECT_THAT(Texts(*sumc, up), ElementsAre("+07 : 93 + 7 = 100=2"));
  EXPECT_EQ(up[0].Key.L1(), 93);
  EXPECT_EQ(up[0].Key.L2(), 100);
  EXPECT_EQ(up[0].MinPeriod, 3);
  EXPECT_EQ(up[0].LastDraw, 5);
  // Reference 100 (window ending at draw 5): draw 3 follows a 100.
  EXPECT_THAT(Texts(*sumc, fx.Run(*sumc, false, 0, 4)), ElementsAre("- 05 : 100 - 5 = 95=1"));
  EXPECT_EQ(sumc->ValueText(KeyItem(100, 100)), "+00 : 100 + 0 = 100");
  EXPECT_TRUE(CombTexts(*sumc, Sum100).empty());

  // The filter compares the sum after.
  EXPECT_TRUE(sumc->CombMatches(Sum100, up, 5, false, false));
  EXPECT_FALSE(sumc->CombMatches(Sum93, up, 5, false, false));
  EXPECT_EQ(Graph(*sumc, 2, 5), -5);
  EXPECT_EQ(Graph(*sumc, 0, 5), 93);
}

TEST(SumMethods, TrendAfterTheLatestSum) {
  TFamilyFixture fx(ChangeArchive());
  auto sumt = fx.Create(TstSumTrend_Class());
  const TStatDrawArray items = fx.Run(*sumt);
  EXPECT_THAT(Texts(*sumt, items), ElementsAre("==0", "+=2", "-=0"));
  // A fall is stored as the signed -1.
  EXPECT_EQ(items[2].Key.L1(), -1);
  EXPECT_EQ(items[2].Key.K1, 0xFFFF);
  EXPECT_THAT(Texts(*sumt, fx.Run(*sumt, false, 0, 4)), ElementsAre("==0", "+=0", "-=1"));
  EXPECT_EQ(Graph(*sumt, 2, 5), -1);
  EXPECT_EQ(Graph(*sumt, 4, 5), 1);

  // The filter compares the candidate with the draw at the analysis point (sum 93).
  const TStatDrawArray rise{KeyItem(1)}, same{KeyItem(0)};
  EXPECT_TRUE(sumt->CombMatches(Sum100, rise, 5, false, false));
  EXPECT_FALSE(sumt->CombMatches(Sum93, rise, 5, false, false));
  EXPECT_TRUE(sumt->CombMatches(Sum93, same, 5, false, false));
  EXPECT_TRUE(sumt->CombMatches(Sum93, {KeyItem(-1)}, 4, false, false));
}

TEST(SumMethods, ChangeWithinToleranceOfTheLatestSum) {
  // Reference 100; predecessors 84 and 116 lie outside 85..115, 85 and 115 inside.
  TFamilyFixture fx(Archive({Sum84, Sum40, Sum85, Sum85, Sum115, Sum127, Sum116, Sum40, Sum100}));
  auto sumv = fx.Create(TstSumChangeSome_Class());
  const TStatDrawArray items = fx.Run(*sumv);
  EXPECT_THAT(Texts(*sumv, items), ElementsAre("+00=1", "+30=1", "+12=1"));
  EXPECT_EQ(sumv->ValueText(KeyItem(-5)), "- 05");
  EXPECT_EQ(sumv->ValueText(KeyItem(-123)), "- 123");

  EXPECT_TRUE(sumv->CombMatches(Sum112, {KeyItem(12)}, 8, false, false));
  EXPECT_FALSE(sumv->CombMatches(Sum100, {KeyItem(12)}, 8, false, false));
  EXPECT_TRUE(sumv->CombMatches(Sum95, {KeyItem(-5)}, 8, true, false));
  // The reference is the draw at the analysis point, not the newest draw.
  EXPECT_TRUE(sumv->CombMatches(Sum127, {KeyItem(12)}, 4, false, false));
}

}  // namespace
}  // namespace kvarn
