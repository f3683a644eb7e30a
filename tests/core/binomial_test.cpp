#include "core/binomial.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvarn {
namespace {

TEST(WilsonInterval, MatchesHandComputedBounds) {
  TInterval r = WilsonInterval(5, 10);
  EXPECT_NEAR(r.Low, 0.2365931, 1e-7);
  EXPECT_NEAR(r.High, 0.7634069, 1e-7);
  r = WilsonInterval(37, 100);
  EXPECT_NEAR(r.Low, 0.2818236, 1e-7);
  EXPECT_NEAR(r.High, 0.4677947, 1e-7);
}

TEST(WilsonInterval, EndsStayExactAndNoTrialsGiveEverything) {
  TInterval r = WilsonInterval(0, 10);
  EXPECT_EQ(r.Low, 0.0);
  EXPECT_NEAR(r.High, 0.2775328, 1e-7);
  r = WilsonInterval(10, 10);
  EXPECT_NEAR(r.Low, 0.7224672, 1e-7);
  EXPECT_EQ(r.High, 1.0);
  r = WilsonInterval(0, 0);
  EXPECT_EQ(r.Low, 0.0);
  EXPECT_EQ(r.High, 1.0);
}

TEST(PoissonBinomial, HandComputedCases) {
  const std::vector<double> halves{0.5, 0.5};
  EXPECT_DOUBLE_EQ(PoissonBinomialUpperTail(halves, 1), 0.75);
  EXPECT_DOUBLE_EQ(PoissonBinomialUpperTail(halves, 2), 0.25);

  // P(0) = .9 * .8 * .7; P(2) = .1*.2*.7 + .1*.8*.3 + .9*.2*.3 = .092; P(3) = .006.
  const std::vector<double> mixed{0.1, 0.2, 0.3};
  const std::vector<double> pmf = PoissonBinomialPmf(mixed);
  ASSERT_EQ(pmf.size(), 4u);
  EXPECT_NEAR(pmf[0], 0.504, 1e-15);
  EXPECT_NEAR(pmf[2], 0.092, 1e-15);
  EXPECT_NEAR(pmf[3], 0.006, 1e-15);
  EXPECT_NEAR(PoissonBinomialUpperTail(mixed, 1), 0.496, 1e-15);
  EXPECT_NEAR(PoissonBinomialUpperTail(mixed, 2), 0.098, 1e-15);
  EXPECT_NEAR(PoissonBinomialLowerTail(mixed, 0), 0.504, 1e-15);
  EXPECT_NEAR(PoissonBinomialLowerTail(mixed, 1), 0.902, 1e-15);
  EXPECT_EQ(PoissonBinomialLowerTail(mixed, 3), 1.0);
  EXPECT_EQ(PoissonBinomialLowerTail(mixed, -1), 0.0);
}

TEST(PoissonBinomial, EqualProbabilitiesGiveTheBinomialTail) {
  const std::vector<double> p(10, 0.3);
  EXPECT_NEAR(PoissonBinomialUpperTail(p, 5), 0.1502683326, 1e-10);
  // A tail far out stays accurate in relative terms: P(X = 10) = 0.3^10.
  EXPECT_NEAR(PoissonBinomialUpperTail(p, 10) / 5.9049e-6, 1.0, 1e-12);
}

TEST(PoissonBinomial, CertainAndImpossibleTrials) {
  const std::vector<double> certain(7, 1.0);
  EXPECT_EQ(PoissonBinomialUpperTail(certain, 7), 1.0);
  const std::vector<double> never{0.0, 0.0, 0.4};
  EXPECT_EQ(PoissonBinomialUpperTail(never, 2), 0.0);
  EXPECT_NEAR(PoissonBinomialUpperTail(never, 1), 0.4, 1e-15);
  EXPECT_EQ(PoissonBinomialUpperTail(never, 0), 1.0);
  EXPECT_EQ(PoissonBinomialUpperTail(never, 4), 0.0);
  EXPECT_EQ(PoissonBinomialUpperTail({}, 0), 1.0);
}

}  // namespace
}  // namespace kvarn
