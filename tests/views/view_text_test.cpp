// The TAB-separated texts of the views: the formats scripts read.
#include <gtest/gtest.h>

#include "stats/registry.h"
#include "stats/stat.h"
#include "views/view_text.h"
#include "views_fixtures.h"

namespace kvarn {
namespace {

using views_test::Archive;

TEST(ViewText, WeekHasALinePerNumberAndTheMaximum) {
  TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {1, 7, 8, 9, 10}});
  draws[1].DateText = "05.01.2020 20:00";  // Sunday; the first is a Wednesday
  const TTextLines lines = WeekTableText(BuildWeekTable(draws, 0, 1000));
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(lines[0], "1\t0\t0\t1\t0\t0\t0\t1");
  EXPECT_EQ(lines[6], "7\t0\t0\t0\t0\t0\t0\t1");
  EXPECT_EQ(lines[35], "36\t0\t0\t0\t0\t0\t0\t0");
  EXPECT_EQ(lines[36], "max\t1");
}

TEST(ViewText, SumsListEverySumThenTheFigures) {
  const TTextLines lines = SumsText(BuildSumsDistribution(Archive({{1, 2, 3, 4, 5}})));
  ASSERT_EQ(lines.size(), 156u + 7u);
  EXPECT_EQ(lines[0], "15\t1\t1");
  EXPECT_EQ(lines[1], "16\t1\t0");
  EXPECT_EQ(lines[93 - 15], "93\t6660\t0");
  EXPECT_EQ(lines[155], "170\t1\t0");
  EXPECT_EQ(lines[156], "thresholds\t2221\t3331\t4441");
  EXPECT_EQ(lines[157], "tmin\t1");
  EXPECT_EQ(lines[158], "tmax\t6660");
  EXPECT_EQ(lines[159], "amax\t1");
  EXPECT_EQ(lines[160], "band\t1\t59\t126");
  EXPECT_EQ(lines[162], "band\t3\t72\t113");
}

TEST(ViewText, RepeatsRowsInListOrder) {
  const TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {1, 2, 30, 31, 32}, {1, 20, 21, 22, 23}});
  EXPECT_EQ(RepeatsText(AnalyzeRepeats(draws, 100, 100)),
            (TTextLines{"3\t1\t2\t2 1", "2\t2\t1\t1"}));
}

TEST(ViewText, CardRowsFromTheOffsetWithTheHeader) {
  TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {36, 10, 11, 12, 13}, {6, 7, 8, 9, 14}});
  draws[1].Extra = 4;
  const TTextLines lines = CardText(draws, 1, 1);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 6), "\t1\t2\t3");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 5), "\t36\tE");
  EXPECT_EQ(lines[1],
            "2" + std::string(10, '\t') + "10\t11\t12\t13" + std::string(23, '\t') + "36\t4");
  EXPECT_EQ(CardText(draws, 0, 2147483647).size(), 4u);
  EXPECT_EQ(CardText(draws, 5, 10).size(), 1u);
}

TEST(ViewText, LayoutGridThenTheCompareLists) {
  const TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}});
  const TTextLines lines =
      LayoutText(BuildLayoutScheme(draws, 0, 100),
                 {BuildLayoutCompare(draws, 0, 1), BuildLayoutCompare(draws, 0, 2)});
  const TTextLines expected = {
      "\t2\t1",        "2\t1\t", "1\t6, 7, 8, 9\t2, 3, 4, 5", "Кол-во\t2 - 2", "1\t1, 6, 7, 8, 9",
      "Кол-во\t1 - 2", "2\t1",   "1\t6, 7, 8, 9, 2, 3, 4, 5"};
  EXPECT_EQ(lines, expected);
}

TEST(ViewText, GraphRowsCarryTheMeanAndTheMostFrequentValue) {
  TStatGraphSeries s;
  s.Points = {{10, 1}, {11, 2}, {12, 2}};
  s.Sum = 5;
  s.MostFrequent = 2;
  s.MostFrequentCount = 2;
  const TTextLines lines = GraphText(s, "Сумма");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Тираж\tСумма\tСреднее значение\tНаиболее часто встречающееся значение");
  EXPECT_EQ(lines[1], "10\t1\t1.6666666666666667\t2");
  EXPECT_EQ(lines[3], "12\t2\t1.6666666666666667\t2");
}

}  // namespace
}  // namespace kvarn
