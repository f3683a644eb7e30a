#include "scenario/script_stakes.h"

#include <gtest/gtest.h>

#include "core/lottery_text.h"
#include "core/utf8.h"

#include <set>

namespace kvarn {
namespace {

TCombList ListOf(std::initializer_list<TComb> combs) {
  TCombList l;
  for (const TComb& c : combs) l.Append(c);
  return l;
}

TEST(ScriptStakesTest, ExtendedStakeCollectsInListOrderAndKeepsAscending) {
  TRandom random(1);
  const TCombList l = ListOf({{9, 3, 1, 2, 4}, {4, 9, 30, 31, 1}});
  EXPECT_EQ(NumberSetText(ScriptExtendedNumbers(l, 12, random), ";"), "1;2;3;4;9;30;31");
}

TEST(ScriptStakesTest, ExtendedStakeIsCutAtRandomToMaxStake) {
  TCombList l;
  GenerateCombs(l, gmFull, {});
  std::set<std::string> seen;
  TRandom random(7);
  for (int i = 0; i < 20; ++i) {
    const TNumberSet s = ScriptExtendedNumbers(l, 8, random);
    ASSERT_EQ(s.Count, 8);
    for (int k = 1; k < 8; ++k) ASSERT_LT(s.Numbers[k - 1], s.Numbers[k]);
    seen.insert(NumberSetText(s, ";"));
  }
  EXPECT_GT(seen.size(), 10u);  // not always the same numbers taken out
  // Out-of-range limits keep a stake a stake.
  EXPECT_EQ(ScriptExtendedNumbers(l, 40, random).Count, 12);
  EXPECT_EQ(ScriptExtendedNumbers(l, 0, random).Count, 5);
}

TEST(ScriptStakesTest, CommentIsCp1251AndCutAt255Characters) {
  EXPECT_EQ(ScriptStakeComment(3, 12, "Тест", "FULL#EXT"), "03.012: Тест @ FULL#EXT");
  const std::string long_ = ScriptStakeComment(1, 1, "", std::string(300, 'x'));
  EXPECT_EQ(Utf8Length(long_), 255u);
  EXPECT_TRUE(long_.starts_with("01.001: @ xxx"));
  // A character cp1251 has no form for counts as one "?" before the cut.
  const std::string c = ScriptStakeComment(1, 1, "\u4e2d\u6587", std::string(250, 'y'));
  EXPECT_TRUE(c.starts_with("01.001: ?? @ yyy"));
  EXPECT_EQ(Utf8Length(c), 255u);
}

TEST(ScriptStakesTest, CombinationIsStakedAscendingAsScenarioKind) {
  TConfigData config;
  config.StakeCost = 100000;
  const TStake s = ScriptStake(77, 5, ScriptCombNumbers({5, 1, 36, 2, 3}), "c", config);
  EXPECT_EQ(NumberSetText(s.Numbers, ";"), "1;2;3;5;36");
  EXPECT_EQ(s.Kind, skScenario);
  EXPECT_EQ(s.DrawNumber, 77);
  EXPECT_EQ(s.SampleSize, 5);
  EXPECT_EQ(s.Matches(), -1);
  EXPECT_EQ(s.Profit, -100000);
}

}  // namespace
}  // namespace kvarn
