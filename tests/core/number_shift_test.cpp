// Shifting around the circle 1..36 with steps of any size: a step read from a damaged regulars
// file must neither hang the program nor overflow.
#include <gtest/gtest.h>

#include <climits>

#include "core/lottery.h"

namespace kvarn {
namespace {

// The reference: the step taken one number at a time.
int ShiftSlowly(int n, int k) {
  for (; k > 0; --k) n = n == NumbersCount ? 1 : n + 1;
  for (; k < 0; ++k) n = n == 1 ? NumbersCount : n - 1;
  return n;
}

TEST(NumberShift, AgreesWithStepByStepAndTakesHugeSteps) {
  for (int n = 1; n <= NumbersCount; ++n)
    for (int k = -80; k <= 80; ++k)
      EXPECT_EQ(ShiftNumber(n, k), ShiftSlowly(n, k)) << n << " " << k;
  // Numbers outside the circle (zeros of a missing draw) land on it as before.
  EXPECT_EQ(ShiftNumber(0, 1), 1);
  EXPECT_EQ(ShiftNumber(0, 0), 36);
  EXPECT_EQ(ShiftNumber(255, 1), 4);

  // INT_MAX = 36 * 59652323 + 19, INT_MIN = -36 * 59652323 - 20.
  EXPECT_EQ(ShiftNumber(36, INT_MAX), 19);
  EXPECT_EQ(ShiftNumber(1, INT_MIN), 17);
  const TComb shifted = ShiftComb({1, 2, 3, 4, 5}, INT_MAX);
  for (uint8_t v : shifted) EXPECT_TRUE(v >= 1 && v <= NumbersCount);
}

}  // namespace
}  // namespace kvarn
