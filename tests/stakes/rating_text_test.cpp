#include "stakes/rating_text.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

TRatingRecord Row(std::string name, std::array<uint32_t, 6> overlaps, int64_t profit = 0) {
  TRatingRecord r;
  r.Name = std::move(name);
  r.Overlaps = overlaps;
  for (uint32_t k = 0; k < 6; ++k) {
    r.Count += overlaps[k];
    r.Overlap += k * overlaps[k];
  }
  r.Profit = profit;
  return r;
}

std::string Joined(const TRatingRowTexts& t) {
  std::string s;
  for (size_t i = 0; i < t.size(); ++i) s += (i ? "\t" : "") + t[i];
  return s;
}

const TExpectedShares kShares = ExpectedShare();

TEST(RatingRowTexts, OneStakeWithTwoMatchesInEveryMode) {
  const TRatingRecord r = Row("Test", {0, 0, 1, 0, 0, 0}, -100000);
  const TRatingRowTexts t = RatingRowTexts(r, emExpected, kShares);
  EXPECT_EQ(Joined(t), "Test\t1\t2\t2.000\t-10.00\t-10.00\t0\t0\t1\t0\t0\t0\t0\t0\t0\t0\t0\t0");
}

TEST(RatingRowTexts, EfficiencyColumns) {
  // Mode 0: expected stakes with k matches among 1,000.
  TRatingRowTexts t = RatingRowTexts(Row("r", {1000}), emExpected, kShares);
  EXPECT_EQ(t[rcEff0], "451");
  EXPECT_EQ(t[rcEff0 + 1], "417");
  EXPECT_EQ(t[rcEff0 + 2], "119");
  EXPECT_EQ(t[rcEff0 + 3], "12");
  EXPECT_EQ(t[rcEff0 + 4], "0");
  EXPECT_EQ(t[rcEff0 + 5], "0");

  // Mode 1: ten stakes that all matched one number.
  t = RatingRowTexts(Row("r", {0, 10}), emAbsolute, kShares);
  EXPECT_EQ(t[rcEff0], "-45.070%");
  EXPECT_EQ(t[rcEff0 + 1], "58.268%");
  EXPECT_EQ(t[rcEff0 + 5], "-0.000%");

  // Mode 2: observed against expected.
  t = RatingRowTexts(Row("r", {0, 10}), emRelative, kShares);
  EXPECT_EQ(t[rcEff0], "0.000%");
  EXPECT_EQ(t[rcEff0 + 1], "239.626%");
  t = RatingRowTexts(Row("r", {3, 7}), emRelative, kShares);
  EXPECT_EQ(t[rcEff0], "66.563%");

  // The line of the command-line example, mode 1.
  EXPECT_EQ(Joined(RatingRowTexts(Row("Test", {0, 1}, -50000), emAbsolute, kShares)),
            "Test\t1\t1\t1.000\t-5.00\t-5.00\t0\t1\t0\t0\t0\t0\t-45.070%\t58.268%\t-11.923%\t"
            "-1.233%\t-0.041%\t-0.000%");
}

TEST(RatingRowTexts, RowsWithoutStakesAndDamagedRows) {
  TRatingRecord empty;
  empty.Name = "Пусто";
  EXPECT_EQ(Joined(RatingRowTexts(empty, emAbsolute, kShares)),
            "Пусто\t0\t0\t\t0.00\t\t0\t0\t0\t0\t0\t0\t\t\t\t\t\t");

  TRatingRecord bad = Row("x", {1, 1});
  bad.Count = 5;  // the counters say two
  TRatingRowTexts t = RatingRowTexts(bad, emAbsolute, kShares);
  EXPECT_EQ(t[rcName], "# bad data #");
  for (int c = 1; c < rcColumnCount; ++c) EXPECT_EQ(t[static_cast<size_t>(c)], "");
  bad = Row("x", {1, 1});
  bad.Overlap = 9;  // the counters say one match
  EXPECT_EQ(RatingRowTexts(bad, emAbsolute, kShares)[rcName], "# bad data #");
}

TEST(RatingRowTexts, MoneyIsRoundedExactlyToCents) {
  EXPECT_EQ(MoneyText2(0), "0.00");
  EXPECT_EQ(MoneyText2(123456), "12.35");
  EXPECT_EQ(MoneyText2(-123449), "-12.34");
  EXPECT_EQ(MoneyText2(1250), "0.12");  // halves to even
  EXPECT_EQ(MoneyText2(1350), "0.14");
  EXPECT_EQ(MoneyText2(-40), "-0.00");  // as "%.2f" prints a small negative amount
  EXPECT_EQ(MoneyText2(INT64_MIN), "-922337203685477.58");
  // Average profit: 10.00 over three stakes is 3.3333 to the fourth decimal.
  EXPECT_EQ(RatingAverageProfit(Row("a", {3}, 100000)), 33333);
  EXPECT_EQ(RatingAverageProfit(Row("a", {2}, -3)), -2);  // -1.5 units: halves to even
}

TEST(RatingsCsv, HeaderOfAllColumnsAndRowsWithoutTheEfficiency) {
  const TRatingsArray ratings = {Row("Ставка \"вручную\"", {0, 0, 1, 0, 0, 0}, -100000),
                                 Row("B", {1, 2, 0, 1}, 333333), TRatingRecord{"Empty"}};
  const std::string expected =
      "\"Комментарий\";\"Ставок\";\"Угадано\";\"Среднее\";\"Профит\";\"Ср. профит\";\"0\";\"1\";"
      "\"2\";\"3\";\"4\";\"5\";\"E0\";\"E1\";\"E2\";\"E3\";\"E4\";\"E5\"\r\n"
      "\"Ставка \"\"вручную\"\"\";1;2;2.000;-10.00;-10.00;0;0;1;0;0;0\r\n"
      "\"B\";4;5;1.250;33.33;8.33;1;2;0;1;0;0\r\n"
      "\"Empty\";0;0;;0.00;;0;0;0;0;0;0\r\n";
  EXPECT_EQ(RatingsCsvText(ratings), expected);

  test::TTempDir dir;
  const std::string path = dir.File("r.csv");
  RatingsCsvWriteFile(path, ratings);
  const std::string bytes = ReadWholeFile(path);
  EXPECT_EQ(bytes, Utf8ToCp1251(expected));
  EXPECT_EQ(bytes.substr(1, 2), "\xCA\xEE");  // "Ко" in cp1251
}

TEST(RatingsGraphOverlap, ChanceScaledToTheLargestSelectedRowThenEachRow) {
  const TRatingsArray ratings = {Row("big", {451, 417, 119, 12, 1, 0}), Row("ten", {0, 10}),
                                 Row("other", {5})};
  const auto series = RatingsGraphOverlapData(ratings, {1, 0, 7}, kShares);
  ASSERT_EQ(series.size(), 3u);  // an index beyond the rating is skipped
  EXPECT_EQ(series[0].Title, "Нормальные значения");
  ASSERT_EQ(series[0].Points.size(), 6u);
  EXPECT_DOUBLE_EQ(series[0].Points[0].Y, 169911.0 * 1000 / 376992);
  EXPECT_DOUBLE_EQ(series[0].Points[5].X, 5);
  EXPECT_DOUBLE_EQ(series[0].Points[5].Y, 1000.0 / 376992);
  EXPECT_EQ(series[1].Title, "ten");
  EXPECT_DOUBLE_EQ(series[1].Points[1].Y, 10);
  EXPECT_EQ(series[2].Title, "big");
  EXPECT_DOUBLE_EQ(series[2].Points[3].Y, 12);
  EXPECT_TRUE(RatingsGraphOverlapData(ratings, {}, kShares).empty());
}

}  // namespace
}  // namespace kvarn
