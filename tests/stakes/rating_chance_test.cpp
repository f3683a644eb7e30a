#include "stakes/rating_chance.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kvarn {
namespace {

TChanceSample Sample(std::initializer_list<std::pair<int, int>> stakes) {
  TChanceSample s;
  for (auto [n, m] : stakes) EXPECT_TRUE(ChanceAddStake(s, n, m));
  return s;
}

TEST(ChanceDistribution, HypergeometricForEveryStakeSize) {
  const auto d5 = StakeMatchDistribution(5);
  const double counts[] = {169911, 157325, 44950, 4650, 155, 1};
  for (size_t k = 0; k < 6; ++k) EXPECT_DOUBLE_EQ(static_cast<double>(d5[k]), counts[k] / 376992);
  for (int n = 5; n <= 12; ++n) {
    const auto d = StakeMatchDistribution(n);
    long double sum = 0, mean = 0;
    for (size_t k = 0; k < 6; ++k) {
      sum += d[k];
      mean += k * d[k];
    }
    EXPECT_NEAR(static_cast<double>(sum), 1.0, 1e-15) << n;
    EXPECT_NEAR(static_cast<double>(mean), 5.0 * n / 36, 1e-15) << n;  // each number: 5/36
  }
  // Twelve numbers hold all five drawn ones in C(12,5) of the draws.
  EXPECT_DOUBLE_EQ(static_cast<double>(StakeMatchDistribution(12)[5]), 792.0 / 376992);
}

TEST(ChanceTest, EdgeValuesOfThePValue) {
  // No match at all: every outcome is at least as good.
  TChanceResult r = ChanceTest(Sample({{5, 0}}), 1);
  EXPECT_EQ(r.P, 1.0);
  EXPECT_TRUE(r.Exact);
  EXPECT_EQ(r.Mean, 0.0);
  EXPECT_EQ(r.Lift, 0.0);

  // Ten stakes that all matched five: only that outcome is as good.
  TChanceSample ten;
  for (int i = 0; i < 10; ++i) ChanceAddStake(ten, 5, 5);
  r = ChanceTest(ten, 10);
  const double expected = std::pow(1.0 / 376992, 10);
  EXPECT_NEAR(r.P / expected, 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(r.Mean, 5.0);
  EXPECT_NEAR(r.ChanceMean, 25.0 / 36, 1e-12);
  EXPECT_NEAR(r.Lift, 36.0 / 5, 1e-12);
  EXPECT_EQ(ChanceVerdict(r), "лучше случайного при p < 0.05");
}

TEST(ChanceTest, MixedStakeSizesAgainstDirectEnumeration) {
  const TChanceSample s = Sample({{5, 1}, {8, 2}, {8, 1}, {5, 0}});
  const auto d5 = StakeMatchDistribution(5), d8 = StakeMatchDistribution(8);
  for (uint64_t observed = 0; observed <= 21; ++observed) {
    long double p = 0;
    for (size_t a = 0; a < 6; ++a)
      for (size_t b = 0; b < 6; ++b)
        for (size_t c = 0; c < 6; ++c)
          for (size_t d = 0; d < 6; ++d)
            if (a + b + c + d >= observed) p += d5[a] * d8[b] * d8[c] * d5[d];
    ASSERT_NEAR(static_cast<double>(ChancePExact(s, observed) / (p > 0 ? p : 1)), p > 0 ? 1.0 : 0.0,
                1e-12)
        << "observed " << observed;
  }
  const TChanceResult r = ChanceTest(s, 6);
  EXPECT_EQ(r.Stakes, 4u);
  EXPECT_EQ(r.Matches, 4u);
  EXPECT_DOUBLE_EQ(r.Mean, 1.0);
  EXPECT_NEAR(r.ChanceMean, (5.0 + 8 + 8 + 5) * 5 / 36 / 4, 1e-12);  // each stake by its own size
  EXPECT_NEAR(r.Lift, 1.0 / r.ChanceMean, 1e-12);
  EXPECT_EQ(r.NotFound, 2u);
  EXPECT_EQ(ChanceVerdict(r), "не отличается от случайного");
}

TEST(ChanceTest, ExactAndNormalAgreeAtAThousandStakes) {
  TChanceSample s;
  for (int i = 0; i < 1000; ++i) ChanceAddStake(s, i % 3 == 0 ? 8 : 5, 0);
  // Chance mean: 1000 stakes, a third of them of eight numbers, about 805 matches.
  for (uint64_t observed : {790u, 805u, 820u}) {
    const long double exact = ChancePExact(s, observed), normal = ChancePNormal(s, observed);
    EXPECT_NEAR(static_cast<double>(normal / exact), 1.0, 0.01) << "observed " << observed;
  }
}

TEST(ChanceTest, NormalPathBeyondTheExactLimitAndEmptyRows) {
  TChanceSample s;
  for (uint64_t i = 0; i <= ChanceExactLimit; ++i) ChanceAddStake(s, 5, i % 2 == 0 ? 1 : 0);
  const TChanceResult r = ChanceTest(s, ChanceExactLimit + 1);
  EXPECT_FALSE(r.Exact);
  EXPECT_GT(r.P, 0.99);  // about 0.5 matches a stake where chance gives 0.69
  EXPECT_EQ(r.NotFound, 0u);

  const TChanceResult none = ChanceTest(TChanceSample{}, 3);
  EXPECT_EQ(none.Stakes, 0u);
  EXPECT_EQ(none.P, 1.0);
  EXPECT_EQ(none.NotFound, 3u);
  EXPECT_EQ(ChanceVerdict(none), "нет проверенных ставок");
}

TEST(ChanceCollector, StakesGoToTheirRowsIgnoringLetterCase) {
  TChanceCollector c({"Test", "Ёлка", "TEST"});
  c.AddStake("TEST", 5, 2);
  c.AddStake("ёЛКА", 7, 3);
  c.AddStake("other", 5, 5);
  c.AddStake("test", 4, 1);  // not a stake size
  c.AddStake("test", 5, 6);  // more matches than a draw has
  c.AddStake("test", 12, 5);
  ASSERT_EQ(c.Size(), 3u);
  EXPECT_EQ(c.Sample(0).Stakes, 2u);
  EXPECT_EQ(c.Sample(0).Matches, 7u);
  EXPECT_EQ(c.Sample(0).StakesBySize[12], 1u);
  EXPECT_EQ(c.Sample(1).StakesBySize[7], 1u);
  EXPECT_EQ(c.Sample(2).Stakes, 2u);  // the same recipe under another case
}

}  // namespace
}  // namespace kvarn
