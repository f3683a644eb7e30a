// The table's real texts and roundings written without printf and the rounding mode must be
// the very texts and integers those give, ties and signs included.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "stats/fixed_text.h"
#include "stats/prefetch.h"

namespace kvarn {
namespace {

std::string Printf(long double v, int decimals) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "%.*Lf", decimals, v);
  return buf;
}

TEST(FixedText, AgreesWithPrintfOnTiesSignsAndRatios) {
  const long double special[] = {0.0L,    -0.0L,  0.5L,    1.5L,     2.5L,       0.125L,
                                 -0.125L, 0.375L, -0.001L, -0.004L,  99.999995L, 1e7L,
                                 -1e7L,   1e15L,  12.345L, 0.00005L, 0.000015L,  100.0L};
  for (long double v : special)
    for (int d = 0; d <= 5; ++d) EXPECT_EQ(FixedText(v, d), Printf(v, d)) << double(v) << " " << d;
  // Shares and periods as the table computes them.
  for (int total = 1; total <= 400; ++total)
    for (int count = 0; count <= total; count += 1 + total / 37) {
      const long double share = static_cast<long double>(count) * 100 / total;
      ASSERT_EQ(FixedText(share, 5), Printf(share, 5)) << count << "/" << total;
      ASSERT_EQ(FixedText(share, 2), Printf(share, 2)) << count << "/" << total;
      if (count > 0) {
        const long double period = total / static_cast<long double>(count);
        ASSERT_EQ(FixedText(period, 4), Printf(period, 4)) << total << "/" << count;
      }
    }
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> any(-2e7, 2e7);
  for (int i = 0; i < 20000; ++i) {
    const long double v = any(rng) / (1 + static_cast<int>(rng() % 1000));
    const int d = static_cast<int>(rng() % 6);
    ASSERT_EQ(FixedText(v, d), Printf(v, d)) << double(v) << " " << d;
  }
}

TEST(FixedText, NonFiniteValuesAreLeftToPrintf) {
  for (long double v :
       {std::numeric_limits<long double>::infinity(), -std::numeric_limits<long double>::infinity(),
        std::numeric_limits<long double>::quiet_NaN()})
    EXPECT_EQ(FixedText(v, 2), Printf(v, 2));
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourLikeNearbyint) {
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  EXPECT_EQ(RoundHalfEven(0.5L), 0);
  EXPECT_EQ(RoundHalfEven(1.5L), 2);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(-0.5L), 0);
  EXPECT_EQ(RoundHalfEven(-1.5L), -2);
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
  std::mt19937_64 rng(9);
  for (int i = 0; i < 20000; ++i) {
    const long double v =
        static_cast<long double>(static_cast<int64_t>(rng() % 2000000) - 1000000) /
        (1 + static_cast<int>(rng() % 64));
    ASSERT_EQ(RoundHalfEven(v), static_cast<int32_t>(std::nearbyint(v))) << double(v);
  }
}

}  // namespace
}  // namespace kvarn
