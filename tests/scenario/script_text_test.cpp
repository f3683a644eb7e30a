#include "scenario/script_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kvarn {
namespace {

TEST(ScriptText, PiecesCountRunsOnceAndKeepBlanks) {
  auto p = ScriptPieces("##a## #b#", '#');
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0], "a");
  EXPECT_EQ(p[1], " ");
  EXPECT_EQ(p[2], "b");
  EXPECT_EQ(ScriptPiece("a#b", '#', 3), "");
  EXPECT_EQ(ScriptColonValue("LNO:"), "");
  EXPECT_EQ(ScriptColonValue(":5"), "");
  EXPECT_EQ(ScriptColonValue("LMV:: 3 :9"), "3");
}

TEST(ScriptText, RealsAreTheShortestPositionalText) {
  EXPECT_EQ(ScriptRealText(0), "0");
  EXPECT_EQ(ScriptRealText(-0.0L), "0");
  EXPECT_EQ(ScriptRealText(0.5), "0.5");
  EXPECT_EQ(ScriptRealText(-1), "-1");
  EXPECT_EQ(ScriptRealText(0.1), "0.1");
  EXPECT_EQ(ScriptRealText(1.0 / 3), "0.3333333333333333");
  EXPECT_EQ(ScriptRealText(1e-7), "0.0000001");
  EXPECT_EQ(ScriptRealText(1e21), "1000000000000000000000");
  EXPECT_EQ(ScriptRealText(std::numeric_limits<double>::quiet_NaN()), "0");
  // Every text reads back to the same double.
  for (double v : {0.1, 2.675, -123.456, 1e-300, 1.7976931348623157e308, 5e-324}) {
    std::string t = ScriptRealText(v);
    EXPECT_EQ(t.find('e'), std::string::npos) << v;
    EXPECT_EQ(static_cast<double>(ScriptRealRead(t)), v) << t;
  }
}

TEST(ScriptText, RealsAreReadLeniently) {
  EXPECT_EQ(ScriptRealRead("1,5"), 1.5L);
  EXPECT_EQ(ScriptRealRead(" -0.25 "), static_cast<long double>(-0.25));
  EXPECT_EQ(ScriptRealRead("1e5"), 15);  // the letter is dropped
  EXPECT_EQ(ScriptRealRead("abc"), 0);
  EXPECT_EQ(ScriptRealRead(""), 0);
  EXPECT_EQ(ScriptRealRead("-"), 0);
  EXPECT_EQ(ScriptRealRead("1.2.3"), 0);
  EXPECT_EQ(ScriptRealRead("1-2"), 0);
  EXPECT_EQ(ScriptRealRead(".5"), 0.5L);
}

TEST(ScriptText, IntegersAreTrimmedAndWithinThirtyTwoBits) {
  EXPECT_EQ(ScriptIntOf(" 12 ", 1), 12);
  EXPECT_EQ(ScriptIntOf("+3", 1), 3);
  EXPECT_EQ(ScriptIntOf("-2147483648", 1), -2147483648);
  EXPECT_EQ(ScriptIntOf("2147483648", 1), 1);
  EXPECT_EQ(ScriptIntOf("1 2", 1), 1);
  EXPECT_EQ(ScriptIntOf("", 0), 0);
}

}  // namespace
}  // namespace kvarn
