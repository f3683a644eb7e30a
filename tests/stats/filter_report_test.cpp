#include "stats/filter_report.h"

#include <gtest/gtest.h>

namespace kvarn {
namespace {

std::vector<TFilterTestDraw> Draws(int n, int kept, int survived) {
  std::vector<TFilterTestDraw> d;
  for (int i = 0; i < n; ++i) d.push_back({i + 1, 1000 + i, kept, i < survived});
  return d;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(FilterReport, FiguresOfOneTest) {
  // A tenth of the list kept, 4 of 20 draws kept.
  const TSurvivalSummary s = SummariseSurvival(Draws(20, 37699, 4));
  const std::vector<TFigureRow> rows = FilterTestFigures(s);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[0].Values[0], "20");
  EXPECT_EQ(rows[1].Values[0], "4 из 20 (20.00 %)");
  EXPECT_EQ(rows[2].Values[0], "2.0 из 20 (10.00 %)");
  EXPECT_EQ(rows[3].Values[0], "37699 (10.00 %)");
  EXPECT_EQ(rows[4].Values[0], "2.0000");
  EXPECT_EQ(rows[4].Caption, "Подъем (1 = как случайно)");
}

TEST(FilterReport, VerdictsSayBetterWorseOrUnproven) {
  // 12 of 40 against 4 expected: p far below 0.05.
  std::string v = FilterTestVerdict(SummariseSurvival(Draws(40, 37699, 12)));
  EXPECT_TRUE(Has(v, "чаще, чем случайный выбор")) << v;
  EXPECT_FALSE(Has(v, "мало тиражей"));
  // 5 of 40 against 4 expected: nothing shown.
  v = FilterTestVerdict(SummariseSurvival(Draws(40, 37699, 5)));
  EXPECT_TRUE(Has(v, "не доказано")) << v;
  // Half the list kept and 5 of 40 survived: worse than chance.
  v = FilterTestVerdict(SummariseSurvival(Draws(40, FullCombsCount / 2, 5)));
  EXPECT_TRUE(Has(v, "хуже случая")) << v;
  v = FilterTestVerdict(SummariseSurvival(Draws(10, FullCombsCount, 10)));
  EXPECT_TRUE(Has(v, "ничего не отсекает")) << v;
  EXPECT_TRUE(Has(v, "мало тиражей")) << v;
  v = FilterTestVerdict(SummariseSurvival(Draws(10, 0, 0)));
  EXPECT_TRUE(Has(v, "ни одной комбинации")) << v;
}

TEST(FilterReport, SearchVerdictJudgesTheNewerDrawsOnly) {
  TValueSearchResult r;
  EXPECT_TRUE(Has(ValueSearchVerdict(r, 5000), "5000")) << "nothing chosen names the budget";
  r.Values = {"7"};
  r.InSample.Summary = SummariseSurvival(Draws(40, 37699, 12));
  r.OutOfSample.Summary = SummariseSurvival(Draws(40, 37699, 5));
  r.InSample.Draws = Draws(40, 37699, 12);
  r.OutOfSample.Draws = Draws(40, 37699, 5);
  const std::string v = ValueSearchVerdict(r, 40000);
  EXPECT_TRUE(Has(v, "не доказано")) << v;
  EXPECT_TRUE(Has(v, "подъем был 3.00, на новых 1.25")) << v;
  const std::vector<TFigureRow> rows = ValueSearchFigures(r);
  EXPECT_EQ(rows[0].Values, (std::vector<std::string>{"40 (№ 1000–1039)", "40 (№ 1000–1039)"}));
}

}  // namespace
}  // namespace kvarn
