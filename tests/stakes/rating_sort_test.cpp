#include "stakes/rating_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/text.h"

namespace kvarn {
namespace {

// A consistent record: `overlaps` gives the counters, the count and match sum follow from them.
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

std::vector<std::string> Names(const TRatingsArray& a) {
  std::vector<std::string> n;
  for (const auto& r : a) n.push_back(r.Name);
  return n;
}

// The exact value a column compares, in hundredths for the money columns' units.
long double Value(const TRatingRecord& r, int column) {
  switch (column) {
    case rcAverage:
      return static_cast<long double>(r.Overlap) / r.Count;
    case rcProfit:
      return r.Profit / 10000.0L;
    default:
      return r.Profit / 10000.0L / r.Count;
  }
}

TRatingsArray RandomRating(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  TRatingsArray a;
  for (size_t i = 0; i < size; ++i) {
    std::array<uint32_t, 6> o{};
    for (auto& v : o) v = rng() % 20;
    if (i % 97 == 0) o[1] = o[2] = 50;  // some runs of equal keys
    a.push_back(Row(StrFormat("r%zu", i), o, static_cast<int64_t>(rng() % 2000000) - 1000000));
  }
  return a;
}

TEST(RatingsSort, AnEfficiencyColumnOrARunOfEqualRowsKeepsTheOrder) {
  TRatingsArray a = {Row("c", {0, 10}), Row("a", {3, 1, 1}), Row("b", {0, 0, 0, 0, 0, 1}),
                     Row("d", {5}), Row("e", {1, 1})};
  const auto before = Names(a);
  for (int column = rcEff0; column < rcColumnCount; ++column) {
    RatingsSort(a, column, true);
    EXPECT_EQ(Names(a), before) << "column " << column;
    RatingsSort(a, column, false);
    EXPECT_EQ(Names(a), before) << "column " << column;
  }
  // All rows equal in the sort column: a classic exchange would reverse them.
  TRatingsArray same;
  for (int i = 0; i < 9; ++i) same.push_back(Row(StrFormat("s%d", i), {1, 2, 3}));
  const auto sameBefore = Names(same);
  RatingsSort(same, rcCount, true);
  EXPECT_EQ(Names(same), sameBefore);
  RatingsSort(same, rcAverage, false);
  EXPECT_EQ(Names(same), sameBefore);
}

TEST(RatingsSort, EveryResultColumnInBothDirections) {
  for (int column = rcName; column < rcEff0; ++column) {
    for (bool descending : {false, true}) {
      TRatingsArray a = RandomRating(700, static_cast<unsigned>(column * 2 + descending));
      auto expected = Names(a);
      RatingsSort(a, column, descending);
      auto got = Names(a);
      std::sort(expected.begin(), expected.end());
      std::sort(got.begin(), got.end());
      ASSERT_EQ(got, expected) << "records lost or doubled, column " << column;
      if (column < rcAverage || column > rcAverageProfit) {
        for (size_t i = 1; i < a.size(); ++i) {
          const int c = CompareRatings(a[i - 1], a[i], column);
          ASSERT_TRUE(descending ? c >= 0 : c <= 0) << "column " << column << " row " << i;
        }
        continue;
      }
      // These columns compare to the hundredth of a difference, which is no strict order: two
      // rows may stand against their exact values, but never by more than one hundredth.
      for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = i + 1; j < a.size(); ++j) {
          const long double inversion = descending ? Value(a[j], column) - Value(a[i], column)
                                                   : Value(a[i], column) - Value(a[j], column);
          ASSERT_LE(inversion, 0.01L + 1e-12L) << "column " << column << " rows " << i << ", " << j;
        }
    }
  }
}

TEST(RatingsSort, ColumnComparisons) {
  // Averages and average profits compare to the hundredth: 1.004 and 1.000 are equal.
  const TRatingRecord a = Row("a", {0, 996, 4}), b = Row("b", {0, 1000});
  EXPECT_EQ(CompareRatings(a, b, rcAverage), 0);
  EXPECT_GT(CompareRatings(Row("c", {0, 990, 10}), b, rcAverage), 0);
  // Profits compare in hundredths: 0.004 apart is equal, 0.01 is not.
  EXPECT_EQ(CompareRatings(Row("p", {1}, 10040), Row("q", {1}, 10000), rcProfit), 0);
  EXPECT_LT(CompareRatings(Row("p", {1}, 10000), Row("q", {1}, 10100), rcProfit), 0);
  EXPECT_GT(CompareRatings(Row("p", {2}, 30000), Row("q", {1}, 14000), rcAverageProfit), 0);
  // A row without stakes equals every row, whatever the column.
  TRatingRecord empty;
  empty.Name = "zzz";
  for (int column = 0; column < rcColumnCount; ++column)
    EXPECT_EQ(CompareRatings(empty, b, column), 0);
  // Counters, not their order of magnitude in text: 10 after 9.
  EXPECT_GT(CompareRatings(Row("x", {10}), Row("y", {9}), rcMatch0), 0);
}

TEST(RatingsSort, NamesInAlphabeticalOrderWithCaseOnlyBreakingTies) {
  EXPECT_LT(CompareRatingNames("apple", "Banana"), 0);
  EXPECT_LT(CompareRatingNames("test", "Test"), 0);
  EXPECT_GT(CompareRatingNames("Test", "test"), 0);
  EXPECT_EQ(CompareRatingNames("Тест", "Тест"), 0);
  EXPECT_LT(CompareRatingNames("еж", "ёж"), 0);
  EXPECT_LT(CompareRatingNames("ёж", "жук"), 0);
  EXPECT_GT(CompareRatingNames("Яблоко", "юла"), 0);
  EXPECT_LT(CompareRatingNames("ab", "abc"), 0);

  TRatingsArray a = {Row("жук", {1}), Row("Ёж", {1}),   Row("арбуз", {1}),
                     Row("Ель", {1}), Row("Zeta", {1}), Row("alpha", {1})};
  RatingsSort(a, rcName, false);
  EXPECT_EQ(Names(a), (std::vector<std::string>{"alpha", "Zeta", "арбуз", "Ель", "Ёж", "жук"}));
}

TEST(RatingsSort, RowsWithoutStakesNeitherCrashNorGetLost) {
  TRatingsArray a = RandomRating(300, 11);
  for (size_t i = 0; i < a.size(); i += 7) {
    a[i].Count = 0;
    a[i].Overlaps = {};
    a[i].Overlap = 0;
  }
  auto expected = Names(a);
  for (int column = 0; column < rcColumnCount; ++column) RatingsSort(a, column, column % 2 == 0);
  auto got = Names(a);
  std::sort(expected.begin(), expected.end());
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, expected);
}

TEST(RatingsSort, ColumnRange) {
  TRatingsArray a = {Row("b", {1}), Row("a", {1})};
  RatingsSort(a, -1, false);  // no sort column: nothing changes
  EXPECT_EQ(Names(a), (std::vector<std::string>{"b", "a"}));
  try {
    RatingsSort(a, rcColumnCount, false);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()), "Некорректное занчение номера столбца сортировки (18)");
  }
}

}  // namespace
}  // namespace kvarn
