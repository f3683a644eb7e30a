// Statistic graph series: the window, the values of the method, the exact mean and the first of
// the most frequent values.
#include <gtest/gtest.h>

#include "stats/registry.h"
#include "stats/stat.h"
#include "views/graph.h"
#include "views_fixtures.h"

namespace kvarn {
namespace {

using views_test::Archive;

// The first number of a draw as handed over (the smallest when sorted).
class TstFxFirst : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static std::string Ident() { return "FXFIRST"; }
  static std::string Caption() { return "Первое число"; }
  static int Group() { return 0; }
  static uint8_t Features() { return sfS; }
  int32_t GraphValueOf(const TComb& values, int, int, bool) override { return values[0]; }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};
KVARN_STAT_CLASS(TstFxFirst)

class GraphSeries : public ::testing::Test {
 protected:
  TStatGraphSeries Build(const TDrawsArray& draws, int offset, int len, bool sorted = false) {
    list_.SetDraws(draws);
    auto stat = TstFxFirst_Class().Create(list_, 0);
    return BuildGraphSeries(static_cast<TCustomGraphStat&>(*stat), offset, len, sorted);
  }
  TDrawsArray none_;
  TStatList list_{none_};
};

TEST_F(GraphSeries, OnePointPerDrawOfTheWindowOldestFirst) {
  const TDrawsArray draws = Archive(
      {{4, 9, 10, 11, 12}, {2, 9, 10, 11, 12}, {6, 1, 10, 11, 12}, {8, 9, 10, 11, 12}}, 101);
  const TStatGraphSeries s = Build(draws, 1, 2);
  ASSERT_EQ(s.Points.size(), 2u);
  EXPECT_EQ(s.Points[0].Draw, 102);
  EXPECT_EQ(s.Points[0].Value, 2);
  EXPECT_EQ(s.Points[1].Draw, 103);
  EXPECT_EQ(s.Points[1].Value, 6);
  // Sorted numbers reach the method.
  EXPECT_EQ(Build(draws, 1, 1, true).Points[0].Value, 1);
  // A window longer than the visible draws takes them all.
  EXPECT_EQ(Build(draws, 1, 2147483647).Points.size(), 3u);
  EXPECT_TRUE(Build(TDrawsArray(), 0, 100).Points.empty());
}

TEST_F(GraphSeries, MeanIsTheExactQuotient) {
  const TDrawsArray draws = Archive({{1, 9, 10, 11, 12}, {2, 9, 10, 11, 13}, {2, 9, 10, 11, 14}});
  const TStatGraphSeries s = Build(draws, 0, 100);
  EXPECT_EQ(s.Sum, 5);
  EXPECT_EQ(s.Mean(), 5.0L / 3.0L);
  EXPECT_NE(s.Mean(), 2.0L);
  EXPECT_EQ(Build(TDrawsArray(), 0, 100).Mean(), 0.0L);
}

TEST_F(GraphSeries, FirstOfTheMostFrequentValuesInWindowOrder) {
  // 7 and 3 both twice; 7 met first.
  const TDrawsArray draws = Archive({{7, 9, 10, 11, 12},
                                     {3, 9, 10, 11, 12},
                                     {3, 9, 10, 11, 12},
                                     {7, 9, 10, 11, 12},
                                     {5, 9, 10, 11, 12}});
  TStatGraphSeries s = Build(draws, 0, 100);
  EXPECT_EQ(s.MostFrequent, 7);
  EXPECT_EQ(s.MostFrequentCount, 2);
  // Without the first draw 3 leads.
  s = Build(draws, 0, 4);
  EXPECT_EQ(s.MostFrequent, 3);
  // All different: the first value.
  s = Build(draws, 0, 1);
  EXPECT_EQ(s.MostFrequent, 5);
}

}  // namespace
}  // namespace kvarn
