// Repeats analysis: rows per draw and number of shared numbers, the depth of the comparison, the
// list of earlier draws and the chart series.
#include <gtest/gtest.h>

#include "views/repeats.h"
#include "views_fixtures.h"

namespace kvarn {
namespace {

using views_test::Archive;

std::vector<std::string> Rows(const TRepeatsResult& r) {
  std::vector<std::string> out;
  for (const TRepeatRow& row : r.Rows)
    out.push_back(std::to_string(row.Draw) + "|" + std::to_string(row.Matches) + "|" +
                  std::to_string(row.Count) + "|" + row.Draws);
  return out;
}

TEST(Repeats, RowsPerSharedCountWithTheEarlierDrawsNewestFirst) {
  const TDrawsArray draws =
      Archive({{1, 2, 3, 4, 5}, {1, 2, 30, 31, 32}, {1, 20, 21, 22, 23}, {1, 2, 3, 33, 34}}, 11);
  const TRepeatsResult r = AnalyzeRepeats(draws, 100, 100);
  const std::vector<std::string> expected = {
      "14|1|1|13",    "14|2|1|12", "14|3|1|11",  // draw 14 against 13, 12, 11
      "13|1|2|12 11",                            // draw 13 shares 1 with both
      "12|2|1|11",                               // draw 12 against 11
  };
  EXPECT_EQ(Rows(r), expected);
  EXPECT_EQ(r.MaxMatches, 3);
}

TEST(Repeats, IdenticalEarlierDrawGivesFive) {
  const TDrawsArray draws = Archive({{5, 4, 3, 2, 1}, {20, 21, 22, 23, 24}, {1, 2, 3, 4, 5}});
  const TRepeatsResult r = AnalyzeRepeats(draws, 1, 100);
  ASSERT_EQ(r.Rows.size(), 1u);
  EXPECT_EQ(Rows(r)[0], "3|5|1|1");
  EXPECT_EQ(r.MaxMatches, 5);
}

TEST(Repeats, DeepOneComparesWithThePreviousDrawOnly) {
  const TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {1, 2, 30, 31, 32}, {1, 20, 21, 22, 23}});
  const TRepeatsResult r = AnalyzeRepeats(draws, 100, 1);
  // The first draw is compared with nothing.
  EXPECT_EQ(Rows(r), (std::vector<std::string>{"3|1|1|2", "2|2|1|1"}));
  // No shared numbers anywhere: no rows and no series.
  const TRepeatsResult none =
      AnalyzeRepeats(Archive({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}), 100, 100);
  EXPECT_TRUE(none.Rows.empty());
  EXPECT_EQ(none.MaxMatches, 0);
  EXPECT_TRUE(RepeatsChartSeries(none).empty());
  EXPECT_TRUE(AnalyzeRepeats(TDrawsArray(), 100, 100).Rows.empty());
}

TEST(Repeats, ProgressOncePerAnalysedDraw) {
  const TDrawsArray draws = views_test::Walking(30);
  std::vector<int> done;
  AnalyzeRepeats(draws, 10, 5, [&](int d, int total) {
    EXPECT_EQ(total, 10);
    done.push_back(d);
  });
  ASSERT_EQ(done.size(), 10u);
  EXPECT_EQ(done.front(), 1);
  EXPECT_EQ(done.back(), 10);
}

TEST(RepeatsChart, OneSeriesPerSharedCountPointsOldestFirst) {
  const TDrawsArray draws =
      Archive({{1, 2, 3, 4, 5}, {1, 2, 30, 31, 32}, {1, 20, 21, 22, 23}, {1, 2, 3, 33, 34}}, 11);
  const std::vector<TRepeatsSeries> s = RepeatsChartSeries(AnalyzeRepeats(draws, 100, 100));
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].Title, "Совпадений: 1");
  EXPECT_EQ(s[2].Title, "Совпадений: 3");
  ASSERT_EQ(s[0].Points.size(), 2u);
  EXPECT_EQ(s[0].Points[0].Draw, 13);
  EXPECT_EQ(s[0].Points[0].Count, 2);
  EXPECT_EQ(s[0].Points[1].Draw, 14);
  ASSERT_EQ(s[1].Points.size(), 2u);
  EXPECT_EQ(s[1].Points[0].Draw, 12);
  EXPECT_EQ(s[1].Points[1].Draw, 14);
}

}  // namespace
}  // namespace kvarn
