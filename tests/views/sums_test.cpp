// Sum distribution: the theoretical table over all combinations, the actual table of the draws,
// the extremes, thresholds and bands, and the five chart lines.
#include <gtest/gtest.h>

#include <numeric>

#include "views/colours.h"
#include "views/sums.h"
#include "views_fixtures.h"

namespace kvarn {
namespace {

using views_test::Archive;

TEST(SumsTheory, HundredFiftySixSumsOverAllCombinations) {
  const TStatSimpleArray& t = TheoreticalSums();
  ASSERT_EQ(t.size(), 156u);
  EXPECT_EQ(t.front().Key, 15);
  EXPECT_EQ(t.front().Count, 1);
  EXPECT_EQ(t.back().Key, 170);
  EXPECT_EQ(t.back().Count, 1);
  int64_t total = 0;
  for (const TStatSimple& s : t) total += s.Count;
  EXPECT_EQ(total, 376992);
  for (size_t i = 1; i < t.size(); ++i) EXPECT_EQ(t[i].Key, t[i - 1].Key + 1);
}

TEST(SumsDistribution, ThresholdsAndBandsOfTheTheoreticalTable) {
  const TSumsDistribution d = BuildSumsDistribution(TDrawsArray());
  EXPECT_EQ(d.Tmax, 6660);
  EXPECT_EQ(d.Tmin, 1);
  EXPECT_EQ(d.T, (std::array<int32_t, 3>{2221, 3331, 4441}));
  EXPECT_EQ(d.Lo, (std::array<int32_t, 3>{59, 66, 72}));
  EXPECT_EQ(d.Hi, (std::array<int32_t, 3>{126, 119, 113}));
}

TEST(SumsDistribution, EmptyArchiveHasNoActualCounts) {
  const TSumsDistribution d = BuildSumsDistribution(TDrawsArray());
  EXPECT_TRUE(d.Actual.empty());
  EXPECT_EQ(d.Amax, 0);
  EXPECT_EQ(d.ActualCount(93), 0);
  const std::vector<TSumsSeries> s = SumsChartSeries(d);
  ASSERT_EQ(s.size(), 5u);
  EXPECT_TRUE(s[0].Points.empty());
  for (size_t k = 1; k < s.size(); ++k) {
    ASSERT_EQ(s[k].Points.size(), 156u);
    for (const TSumsPoint& p : s[k].Points) EXPECT_EQ(p.Value, 0.0);
  }
}

TEST(SumsDistribution, ActualCountsOfTheDraws) {
  const TDrawsArray draws =
      Archive({{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}, {10, 20, 30, 31, 2}, {36, 35, 34, 33, 32}});
  const TSumsDistribution d = BuildSumsDistribution(draws);
  ASSERT_EQ(d.Actual.size(), 3u);
  EXPECT_EQ(d.Actual[0].Key, 15);
  EXPECT_EQ(d.Actual[0].Count, 2);
  EXPECT_EQ(d.Actual[1].Key, 93);
  EXPECT_EQ(d.Actual[2].Key, 170);
  EXPECT_EQ(d.Amax, 2);
  EXPECT_EQ(d.ActualCount(93), 1);
  EXPECT_EQ(d.ActualCount(94), 0);
}

TEST(SumsChart, FiveLinesScaledOntoTheActualCounts) {
  const TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}, {10, 20, 30, 31, 2}});
  const std::vector<TSumsSeries> s = SumsChartSeries(BuildSumsDistribution(draws));
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0].Title, "Фактическое распределение сумм (по тиражам)");
  EXPECT_EQ(s[0].Colour, RedColour);
  EXPECT_TRUE(s[0].Markers);
  EXPECT_TRUE(s[0].Marks);
  ASSERT_EQ(s[0].Points.size(), 2u);
  EXPECT_EQ(s[0].Points[0].Sum, 15);
  EXPECT_EQ(s[0].Points[0].Value, 2.0);

  EXPECT_EQ(s[1].Title, "Теоретическое распределение сумм (по комбинациям)");
  EXPECT_EQ(s[1].Colour, MaroonColour);
  // Sum 93 is the largest count: scaled to Amax exactly; sum 15 to 1 * 2 / 6660.
  EXPECT_EQ(s[1].Points[93 - 15].Value, 2.0);
  EXPECT_EQ(s[1].Points[0].Value, 2.0 / 6660);

  EXPECT_EQ(s[2].Title, "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 59-126");
  EXPECT_EQ(s[3].Title, "Диапазон 2 (от 1/2 и выше по оси Y) - суммы 66-119");
  EXPECT_EQ(s[4].Title, "Диапазон 3 (от 2/3 и выше по оси Y) - суммы 72-113");
  EXPECT_EQ(s[2].Colour, GreenColour);
  EXPECT_EQ(s[3].Colour, BlueColour);
  EXPECT_EQ(s[4].Colour, MagentaColour);
  for (const TSumsPoint& p : s[4].Points) EXPECT_EQ(p.Value, 4441.0 * 2 / 6660);
}

}  // namespace
}  // namespace kvarn
