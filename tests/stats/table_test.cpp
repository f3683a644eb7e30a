#include <gtest/gtest.h>

#include "common/test_methods.h"
#include "core/text.h"
#include "stat_fixtures.h"
#include "stats/table.h"

namespace kvarn {
namespace {

using namespace stat_fixtures;

// Draws 101..112. The number 1 comes in 101, 103, 105, 108 and 112; 22 only in 105; 23 only in
// 106; 36 never.
TDrawsArray TableArchive() {
  return test::Archive({{1, 2, 3, 4, 5},
                        {6, 7, 8, 9, 10},
                        {1, 11, 12, 13, 14},
                        {15, 16, 17, 18, 19},
                        {1, 2, 20, 21, 22},
                        {23, 24, 25, 26, 27},
                        {28, 29, 30, 31, 32},
                        {1, 33, 34, 35, 6},
                        {2, 3, 4, 5, 7},
                        {8, 9, 10, 11, 12},
                        {13, 14, 15, 16, 17},
                        {1, 18, 19, 20, 21}},
                       101);
}

class StatTableTest : public ::testing::Test {
 protected:
  // The row of number v (the listed values come first, in order 1..36).
  const TStatRow& Row(int v) const { return table.Rows.at(static_cast<size_t>(v - 1)); }
  std::string Cell(int v, int col) const { return Row(v).Cells.at(static_cast<size_t>(col)); }
  void Compute() {
    auto stat = TstFxNumbers_Class().Create(reg, 0);
    ComputeStatTable(*stat, options, table);
  }
  void ExpectDashes(int v, int from, int to) const {
    for (int c = from; c <= to; ++c) EXPECT_EQ(Cell(v, c), "-") << "value " << v << " column " << c;
  }

  TDrawsArray draws = TableArchive();
  TStatList reg{draws};
  TStatTableOptions options;
  TStatTable table;
};

TEST_F(StatTableTest, WindowLongerThanTheArchiveTakesEveryDraw) {
  options.Len = 1000;
  Compute();
  EXPECT_EQ(table.Window.First, 0);
  EXPECT_EQ(table.Window.Last, 11);
  EXPECT_EQ(table.Window.N, 12);
  EXPECT_EQ(table.Totals.Total, 60);
  EXPECT_EQ(table.Totals.MaxDepth, 8);  // 22, last seen in draw 105
  ASSERT_EQ(table.Rows.size(), 36u);

  const TStatWindow w = StatWindow(12, 4, 3);
  EXPECT_EQ(w.First, 5);
  EXPECT_EQ(w.Last, 7);
  EXPECT_EQ(w.N, 3);
  EXPECT_EQ(StatWindow(12, 12, 10).N, 0);  // the analysis point before the first draw
  // The longest window before an analysis point ahead of the archive: no overflow, nothing to run.
  const TStatWindow far = StatWindow(12, 20, 2147483647);
  EXPECT_EQ(far.First, 0);
  EXPECT_GT(far.First, far.Last);
}

TEST_F(StatTableTest, ColumnsOfAValueMetSeveralTimes) {
  Compute();
  const auto& c = Row(1).Cells;
  EXPECT_EQ(c[0], "1");
  EXPECT_EQ(c[1], "5");
  EXPECT_EQ(c[2], "8.33333");
  EXPECT_EQ(c[3], "-");
  EXPECT_EQ(c[4], "-");
  EXPECT_EQ(c[5], "-");
  EXPECT_EQ(c[6], "1");
  EXPECT_EQ(c[7], "12.50");
  EXPECT_EQ(c[8], "1.00");  // default weight without comparison: the depth
  EXPECT_EQ(c[9], "112");
  EXPECT_EQ(c[10], "2");
  EXPECT_EQ(c[11], "2.4000");
  EXPECT_EQ(c[12], "4");
  EXPECT_EQ(c[13], "114");  // 12 / 5 + 112
  EXPECT_EQ(c[14], "134");  // 6 * 112 / 5 = 134.4
  EXPECT_EQ(c[15], "132");  // 7 * 113 / 6 = 131.83
  ExpectDashes(1, 16, 19);  // nothing after the newest draw
}

TEST_F(StatTableTest, ValueMetOnceHasNoPeriodsButExpectations) {
  Compute();
  ExpectDashes(22, 10, 13);
  EXPECT_EQ(Cell(22, 9), "105");
  EXPECT_EQ(Cell(22, 14), "210");  // twice the last draw
  EXPECT_EQ(Cell(22, 15), "159");  // 3 * 106 / 2
  // 3 * 107 / 2 = 160.5: halves go to the even neighbour.
  EXPECT_EQ(Cell(23, 15), "160");
}

// Marks the numbers of the newest draw of the window with count 0, as a list that tracks the
// latest values does: such an item has a depth and no count.
class TstTestMarks : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  KVARN_TEST_METHOD_INFO("TMRK", "Метки", 0, 0)
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& ctx,
                     TLastValueArray& lv) override {
    TCustomStat::AddDrawValues(index, last, sorted, list, ctx, lv);
    if (index == last) Work.Count = 0;
    for (uint8_t n : Current.Values) {
      Work.Key.Set(n);
      AddStatItem(list, Work, true);
    }
  }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};
KVARN_STAT_CLASS(TstTestMarks)

TEST(StatTableCounts, ValueWithDepthAndNoCountHasNoDivisionByItsCount) {
  const TDrawsArray draws = Archive({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}, 101);
  TStatList reg{draws};
  auto stat = TstTestMarks_Class().Create(reg, 0);
  TStatTable table;
  ComputeStatTable(*stat, TStatTableOptions{}, table);
  ASSERT_EQ(table.Rows.size(), 10u);
  const auto& mark = table.Rows[5].Cells;  // 6, only in the newest draw
  EXPECT_EQ(mark[0], "6");
  EXPECT_EQ(mark[1], "0");
  EXPECT_EQ(mark[6], "1");
  EXPECT_EQ(mark[9], "102");
  for (int c : {10, 11, 12, 13, 14}) EXPECT_EQ(mark[static_cast<size_t>(c)], "-") << c;
  EXPECT_EQ(mark[15], "206");             // 2 * 103 / 1
  const auto& met = table.Rows[0].Cells;  // 1, met once in the older draw
  EXPECT_EQ(met[14], "202");
  EXPECT_EQ(met[15], "153");  // 3 * 102 / 2
}

TEST_F(StatTableTest, ValueNeverMetIsListedWithDashes) {
  Compute();
  EXPECT_EQ(Cell(36, 0), "36");
  EXPECT_EQ(Cell(36, 1), "0");
  EXPECT_EQ(Cell(36, 2), "0.00000");
  ExpectDashes(36, 3, 19);
}

TEST_F(StatTableTest, FactAndDifferencesWithTheAnalysisPointSetBack) {
  options.Offset = 4;  // window 101..108
  Compute();
  EXPECT_EQ(table.Window.N, 8);
  // 2: in 101 and 105, next in 109.
  EXPECT_EQ(Cell(2, 13), "109");
  EXPECT_EQ(Cell(2, 16), "109");
  EXPECT_EQ(Cell(2, 17), "0");
  EXPECT_EQ(Cell(2, 14), "158");  // 3 * 105 / 2 = 157.5
  EXPECT_EQ(Cell(2, 18), "+49");
  EXPECT_EQ(Cell(2, 19), "+32");  // 141 - 109
  // 7: once in 102, next in 109; no period, so no difference to the period expectation.
  EXPECT_EQ(Cell(7, 16), "109");
  EXPECT_EQ(Cell(7, 17), "-");
  EXPECT_EQ(Cell(7, 18), "+95");
  // 8: next in 110, beyond the first later draw.
  EXPECT_EQ(Cell(8, 16), "110");
  // 22: never again.
  ExpectDashes(22, 16, 19);
}

TEST_F(StatTableTest, DifferenceTexts) {
  EXPECT_EQ(StatDifferenceText("1234", 1230), "+4");
  EXPECT_EQ(StatDifferenceText("1230", 1234), "-4");
  EXPECT_EQ(StatDifferenceText("1230", 1230), "0");
  EXPECT_EQ(StatDifferenceText("-", 1230), "-");
  EXPECT_EQ(StatDifferenceText("-5", 1), "-");
  EXPECT_EQ(StatDifferenceText("12.5", 1), "-");
  EXPECT_EQ(StatDifferenceText("", 1), "-");
}

TEST_F(StatTableTest, EquallyFrequentFullSetGivesTheMeanObservedNorm) {
  TPrefetchData full;
  for (uint16_t v = 1; v <= 36; ++v) full.Records.push_back({Key1(v), 52360});
  full.MinCount = full.MaxCount = 52360;
  options.FullSet = &full;
  Compute();
  EXPECT_TRUE(table.ComparisonUsed);
  // (0 + 5) / 2 = 2.5 rounds to 2.
  EXPECT_EQ(Cell(1, 3), "2");
  EXPECT_EQ(Cell(1, 4), "3");
  EXPECT_EQ(Cell(1, 5), "150.00000");
  EXPECT_EQ(Cell(1, 8), "-2.00");  // depth - (count - norm)
  EXPECT_EQ(Cell(36, 3), "2");
  EXPECT_EQ(Cell(36, 4), "-2");
  EXPECT_EQ(Cell(36, 5), "-100.00000");
  ExpectDashes(36, 6, 19);
}

TEST_F(StatTableTest, ValuesWithoutFullSetRecordHaveNormZero) {
  TPrefetchData full;
  full.Records = {{Key1(1), 100}, {Key1(2), 200}};
  full.MinCount = 100;
  full.MaxCount = 200;
  options.FullSet = &full;
  Compute();
  EXPECT_EQ(Cell(1, 3), "2");  // 100 * 5 / 200 = 2.5
  EXPECT_EQ(Cell(2, 3), "5");
  EXPECT_EQ(Cell(3, 3), "0");
  EXPECT_EQ(Cell(3, 5), "100.00000");
  EXPECT_EQ(Cell(36, 5), "0.00000");

  // An empty comparison is no comparison.
  TPrefetchData empty;
  options.FullSet = &empty;
  Compute();
  EXPECT_FALSE(table.ComparisonUsed);
  EXPECT_EQ(Cell(1, 3), "-");
}

TEST_F(StatTableTest, WeightOptions) {
  TPrefetchData full;
  for (uint16_t v = 1; v <= 36; ++v) full.Records.push_back({Key1(v), 10});
  full.MinCount = full.MaxCount = 10;
  options.FullSet = &full;
  Compute();
  EXPECT_EQ(Cell(22, 8), "9.00");  // 8 - (1 - 2)
  options.Weights.Abs = true;
  Compute();
  EXPECT_EQ(Cell(22, 8), "7.00");  // 8 - |1 - 2|
  options.Weights = TStatWeights{};
  options.Weights.Percents = true;
  Compute();
  // 100 - (-50) with depth 8 of 8 and deviation -1 of norm 2.
  EXPECT_EQ(Cell(22, 8), "150.00");
  options.Weights.Count = 1;
  options.Weights.Deviation = 0;
  options.Weights.Level = 0;
  Compute();
  EXPECT_EQ(Cell(1, 8), "8.33");
}

TEST_F(StatTableTest, ChartFollowsTheKeysWithoutComparison) {
  Compute();
  ASSERT_EQ(table.Chart.Actual.size(), 36u);
  EXPECT_FALSE(table.Chart.HasIdeal);
  EXPECT_EQ(table.Chart.Actual[0].Label, "1");
  EXPECT_EQ(table.Chart.Actual[0].Y, 5);
  EXPECT_EQ(table.Chart.Actual[35].Y, 0);
}

TEST(StatTableFact, SharedSearchAgreesWithTheSearchOfEachValue) {
  // Every registered method, on a random archive with the analysis point set back: the fact
  // column equals FindValueDraw of each row on its own.
  const TDrawsArray draws = test::RandomArchive(90, 1000, 77);
  TStatList reg(draws);
  reg.Register();
  TStatTableOptions options;
  options.Offset = 25;
  options.Len = 40;
  for (int e = 0; e < reg.Count(); ++e) {
    TStatTable table;
    auto stat = reg.CreateStat(e);
    ComputeStatTable(*stat, options, table);
    auto single = reg.CreateStat(e);
    for (const TStatRow& row : table.Rows) {
      if (row.Item.Depth == 0) continue;
      const int32_t fact = single->FindValueDraw(row.Item, table.Window.Last - row.Item.Depth + 2,
                                                 table.Window.Last, false);
      EXPECT_EQ(row.Cells[16], fact == -1 ? "-" : std::to_string(fact))
          << reg.Items(e).IdentOf() << " " << row.Cells[0];
    }
  }
}

TStatRow MakeRow(std::string value, std::string count) {
  TStatRow r;
  r.Cells.fill("-");
  r.Cells[0] = std::move(value);
  r.Cells[1] = std::move(count);
  return r;
}

TEST(StatTableSort, NumbersNumericallyTextIgnoringCaseTiesByValue) {
  TStatTable t;
  t.Rows = {MakeRow("b", "10"), MakeRow("a", "9,5"), MakeRow("C", "10"), MakeRow("d", "-"),
            MakeRow("A2", "2.25")};
  SortStatTable(t, 1, false);
  // "-" is text: against numbers it compares as text and comes first in byte order.
  EXPECT_EQ(t.Order, (std::vector<int>{3, 4, 1, 0, 2}));
  SortStatTable(t, 1, true);
  EXPECT_EQ(t.Order, (std::vector<int>{2, 0, 1, 4, 3}));
  SortStatTable(t, 0, false);
  EXPECT_EQ(t.Order, (std::vector<int>{1, 4, 0, 2, 3}));
  SortStatTable(t, -1, false);
  EXPECT_EQ(t.Order, (std::vector<int>{0, 1, 2, 3, 4}));

  ClickStatColumn(t, 1);
  EXPECT_FALSE(t.Descending);
  ClickStatColumn(t, 1);
  EXPECT_TRUE(t.Descending);
  ClickStatColumn(t, 0);
  EXPECT_FALSE(t.Descending);
  EXPECT_EQ(t.SortColumn, 0);

  try {
    SortStatTable(t, 20, false);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Некорректное занчение номера столбца сортировки (20)");
  }
  EXPECT_THROW(SortStatTable(t, -2, false), EKvarnError);
}

TEST(StatTableSort, RowTextsTakeTheirColumns) {
  TStatRow r;
  for (int c = 0; c < StatColumnCount; ++c)
    r.Cells[static_cast<size_t>(c)] = "c" + std::to_string(c);
  const TStatValues v = RowTexts(&r);
  EXPECT_EQ(v.Value, "c0");
  EXPECT_EQ(v.Count, "c1");
  EXPECT_EQ(v.CountPercent, "c2");
  EXPECT_EQ(v.Deviation, "c4");
  EXPECT_EQ(v.DeviationPercent, "c5");
  EXPECT_EQ(v.Depth, "c6");
  EXPECT_EQ(v.DepthPercent, "c7");
  EXPECT_EQ(v.Weight, "c8");
  EXPECT_EQ(v.PeriodMin, "c10");
  EXPECT_EQ(v.Period, "c11");
  EXPECT_EQ(v.PeriodMax, "c12");
  EXPECT_EQ(v.ValueParsed, 0);
  EXPECT_EQ(RowTexts(nullptr).Value, "");
}

}  // namespace
}  // namespace kvarn
