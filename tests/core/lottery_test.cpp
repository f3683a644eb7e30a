#include "core/lottery.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/dates.h"
#include "core/lottery_text.h"
#include "core/random.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {
namespace {

TEST(Counting, BinomialAndMatchCounts) {
  EXPECT_EQ(CombCount(5, 5), 1);
  EXPECT_EQ(CombCount(36, 5), 376992);
  EXPECT_EQ(CombCount(3, 5), 1);
  EXPECT_EQ(MatchCombCount(36, 5, 5), 1);
  EXPECT_EQ(MatchCombCount(36, 5, 0), 169911);
  int64_t total = 0;
  for (int m = 0; m <= 5; ++m) total += MatchCombCount(36, 5, m);
  EXPECT_EQ(total, 376992);
  EXPECT_EQ(Factorial(0), 1.0L);
  EXPECT_EQ(MinSum, 15);
  EXPECT_EQ(MaxSum, 170);
  EXPECT_EQ(SumTolerance, 15);
  EXPECT_EQ(PageCount(1, 36, 7), 6);
  EXPECT_EQ(PageCount(0, 36, 5), 8);
  EXPECT_EQ(MatrixColumn(36, 7), 1);
  EXPECT_EQ(MatrixRow(36, 7), 6);
}

TEST(Numbers, ShiftWrapsIntoRange) {
  EXPECT_EQ(ShiftNumber(36, 1), 1);
  EXPECT_EQ(ShiftNumber(1, -1), 36);
  EXPECT_EQ(ShiftNumber(5, 0), 5);
  EXPECT_EQ(ShiftNumber(30, 42), 36);
  TComb c{1, 2, 34, 35, 36};
  EXPECT_EQ(ShiftComb(c, 2), (TComb{3, 4, 36, 1, 2}));
}

TEST(Numbers, ChannelColours) {
  EXPECT_EQ(ChannelColour(37, 6), 255u);
  EXPECT_EQ(ChannelColour(0, 6), 255u);
  EXPECT_EQ(ChannelColour(20, 1), ChannelColour(1, 1));
  EXPECT_EQ(ChannelColour(1, 6), 0xAAFFAAu);
  EXPECT_EQ(ChannelColour(36, 6), 0xAAD5FFu);
}

TEST(Numbers, IntersectionsAndSets) {
  TDraw d;
  d.Values = {5, 1, 30, 12, 7};
  TNumberSet s;
  s.Count = 4;
  s.Numbers = {30, 2, 5, 7};
  TNumberSet r = DrawIntersect(d, s);
  ASSERT_EQ(r.Count, 3);
  EXPECT_EQ(NumberSetText(r, ","), "5,7,30");
  EXPECT_EQ(DrawMatches(d, TComb{1, 5, 7, 8, 9}), 3);
  EXPECT_TRUE(SameNumberSet(DrawNumberSet(d), DrawNumberSet(d)));
  EXPECT_TRUE(DrawHasChannel(d, 5, 6));  // 30 lies in 25..30
  EXPECT_FALSE(DrawHasChannel(d, 4, 6));
  TCombsArray combs{{1, 2, 3, 4, 5}, {4, 5, 6, 7, 8}};
  EXPECT_EQ(DistinctCount(combs, 2), 8);
  EXPECT_EQ(DistinctNumbers(combs, 2), (TByteArray{1, 2, 3, 4, 5, 6, 7, 8}));
  TRandom random(7);
  TNumberSet sub = RandomSubset(combs, 2, 6, random);
  EXPECT_EQ(sub.Count, 6);
  for (int i = 0; i < sub.Count; ++i) EXPECT_TRUE(sub.Numbers[i] >= 1 && sub.Numbers[i] <= 8);
}

TEST(Numbers, SimpleListsAndSorts) {
  TStatSimpleArray list;
  AddSimple(list, 5, 1);
  AddSimple(list, 2, 1);
  AddSimple(list, 5, 2);
  AddSimple(list, 5, -4);  // a non-positive add leaves an existing key alone
  SortSimple(list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Key, 2);
  EXPECT_EQ(list[1].Count, 3);
  TIntArray a{1, 5, 3};
  SortIntsDesc(a);
  EXPECT_EQ(a, (TIntArray{5, 3, 1}));
}

TEST(Texts, CombinationAndDrawForms) {
  TComb c{3, 11, 19, 27, 35};
  EXPECT_EQ(CombText(c), "3;11;19;27;35");
  EXPECT_EQ(CombTextPadded(c), "03 11 19 27 35");
  TDraw d;
  d.Number = 12;
  d.Values = c;
  d.DateText = "01.02.2003 10:00";
  EXPECT_EQ(DrawText(d), "Тираж № 12 от 01.02.2003 10:00, значения: 3;11;19;27;35 e:0");
  EXPECT_EQ(StakeSourceName(3), "Сценарий");
  EXPECT_EQ(StakeSourceName(9), "");
  EXPECT_EQ(IntListText({1, 2, 3}, ", "), "1, 2, 3");
}

TEST(Parsing, CombinationTexts) {
  EXPECT_EQ(ParseComb("1 - 2 ; 3 | 4 . 5"), (TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(ParseComb("05 x 3 2 1"), (TComb{5, 0, 3, 2, 1}));
  try {
    ParseComb("1,2,3,4");
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Некорректная комбинация: \"1,2,3,4\"!");
  }
  EXPECT_THROW(ParseComb("1 2 3 4 5 6"), EKvarnError);
}

TEST(Parsing, ValueLists) {
  EXPECT_EQ(ParseValueList("7"), (TIntArray{7}));
  EXPECT_EQ(ParseValueList("1, 2, 3"), (TIntArray{1, 2, 3}));
  EXPECT_EQ(ParseValueList("5-20,5"), (TIntArray{5, 10, 15, 20}));
  EXPECT_EQ(ParseValueList("1-10;2"), (TIntArray{1, 3, 5, 7, 9}));
  EXPECT_EQ(ParseValueList("10-1;-3"), (TIntArray{10, 7, 4, 1}));
  EXPECT_TRUE(ParseValueList("abc").empty());
  EXPECT_TRUE(ParseValueList("1-10").empty());
  EXPECT_TRUE(ParseValueList("1-10;0").empty());
  EXPECT_TRUE(ParseValueList("10-1;2").empty());
  EXPECT_TRUE(ParseValueList("").empty());
}

TEST(Parsing, DatesRoundTrip) {
  EXPECT_EQ(ParseDateTime("  "), 0);
  TDateTime t = ParseDateTime("29.02.2024 21:05");
  EXPECT_EQ(DateTimeText(t), "29.02.2024 21:05");
  EXPECT_EQ(DayOfWeek(t), 5);  // a Thursday
  EXPECT_EQ(DateTimeText(0), "");
  EXPECT_THROW(ParseDateTime("30.02.2023 10:00"), EKvarnError);
  EXPECT_THROW(ParseDateTime("01.01.2023 24:00"), EKvarnError);
  EXPECT_THROW(ParseDateTime("01.01.2023"), EKvarnError);

  // Before 30.12.1899 the day count would be negative and show as no date: refused by name.
  EXPECT_EQ(ParseDateTime("30.12.1899 00:00"), 0);
  EXPECT_GT(ParseDateTime("30.12.1899 00:01"), 0);
  try {
    ParseDateTime("29.12.1899 23:59");
    ADD_FAILURE();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "\"29.12.1899 23:59\" - дата раньше 30.12.1899 не допускается");
  }
  EXPECT_TRUE(DateTextBeforeFirstDay(" 01.01.0001 00:00 "));
  EXPECT_FALSE(DateTextBeforeFirstDay("30.12.1899 00:00"));
  EXPECT_FALSE(DateTextBeforeFirstDay("31.02.1800 10:00"));  // no such day: not a date at all
  EXPECT_FALSE(DateTextBeforeFirstDay("понедельник"));
  TDateTime t0 = 1;
  EXPECT_FALSE(TryEncodeDateTime(1899, 12, 29, 23, 59, 59, t0));
  EXPECT_EQ(t0, 1);
  EXPECT_THROW(EncodeDateTime(1800, 1, 1, 0, 0), EKvarnError);
  // A date form of the shell that reads an early date is refused the same way.
  TDateFormat format{nullptr, [](std::string_view) -> TDateTime { return -5; }};
  EXPECT_THROW(format.Read("x"), EKvarnError);
}

TEST(Texts, WordSplittingAndCodepage) {
  EXPECT_EQ(SplitWords(";; 1 ;2,,3 ;", ";,"), (std::vector<std::string>{"1", "2", "3"}));
  std::string ru = "Тираж ёЁ";
  EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(ru)), ru);
  EXPECT_EQ(Utf8ToCp1251("Я").size(), 1u);
  EXPECT_EQ(Utf8Length("Тираж"), 5u);
  EXPECT_EQ(Utf8Left("Тираж", 2), "Ти");
  EXPECT_TRUE(SameTextIgnoreCase("сумма SUM", "СУММА sum"));
  EXPECT_EQ(TextNumber("12x"), 0);
  EXPECT_EQ(TextNumber("-12"), -12);
  EXPECT_DOUBLE_EQ(TextToRealDef("12,5", 0), 12.5);
  EXPECT_EQ(RealText(12.5), "12.5");
}

}  // namespace
}  // namespace kvarn
