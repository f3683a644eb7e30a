#include "scenario/row_tests.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "scenario/script_codes.h"

namespace kvarn {
namespace {

TStatValues Row() {
  TStatValues r;
  r.Value = "17";
  r.ValueParsed = 17;
  r.Count = "12";
  r.CountPercent = "12.00000";
  r.Deviation = "-3";
  r.DeviationPercent = "-20.50000";
  r.Depth = "4";
  r.DepthPercent = "40.00";
  r.Weight = "7.25";
  r.PeriodMin = "2";
  r.Period = "8.3333";
  r.PeriodMax = "15";
  return r;
}

// A value that never occurred in the window: dashes from the depth on.
TStatValues NeverSeen() {
  TStatValues r = Row();
  r.Depth = r.DepthPercent = r.Weight = r.PeriodMin = r.Period = r.PeriodMax = "-";
  return r;
}

TEST(LevelRowTest, AtLeastAndAtMostReadTheModesColumn) {
  const TStatValues r = Row();
  EXPECT_TRUE(LevelRowMatches(1, "4", r));  // Глубина >= 4
  EXPECT_FALSE(LevelRowMatches(1, "5", r));
  EXPECT_TRUE(LevelRowMatches(3, "4", r));     // Глубина <= 4
  EXPECT_FALSE(LevelRowMatches(4, "39", r));   // Глубина в % <= 39
  EXPECT_TRUE(LevelRowMatches(7, "-3", r));    // Отклонение >= -3
  EXPECT_FALSE(LevelRowMatches(8, "-20", r));  // Откл-ие в % >= -20
  EXPECT_TRUE(LevelRowMatches(15, "12", r));   // Количество <= 12
  EXPECT_TRUE(LevelRowMatches(14, "12", r));   // Кол-во в % >= 12
  EXPECT_FALSE(LevelRowMatches(19, "8", r));   // Вес >= 8
  EXPECT_TRUE(LevelRowMatches(20, "8", r));
  EXPECT_TRUE(LevelRowMatches(22, "2", r));   // Период min >= 2
  EXPECT_FALSE(LevelRowMatches(26, "8", r));  // Период <= 8
  EXPECT_TRUE(LevelRowMatches(28, "15", r));  // Период max >= 15
  EXPECT_TRUE(LevelRowMatches(0, "", r));
}

TEST(LevelRowTest, UnreadableCellsTakeTheReadingRules) {
  const TStatValues r = NeverSeen();
  EXPECT_FALSE(LevelRowMatches(1, "1", r));  // at least: 0
  EXPECT_TRUE(LevelRowMatches(1, "0", r));
  EXPECT_FALSE(LevelRowMatches(3, "65534", r));  // integer at most: 65535
  EXPECT_TRUE(LevelRowMatches(3, "65535", r));
  EXPECT_FALSE(LevelRowMatches(4, "100", r));  // percent at most: 65535
  EXPECT_TRUE(LevelRowMatches(20, "0", r));    // Вес at most: 0
  EXPECT_FALSE(LevelRowMatches(20, "-1", r));
  EXPECT_TRUE(LevelRowMatches(26, "0", r));     // Период at most: 0
  EXPECT_FALSE(LevelRowMatches(29, "100", r));  // Период max at most: 65535
}

TEST(LevelRowTest, ListsCompareIntegersAndExactDecimals) {
  const TStatValues r = Row();
  EXPECT_TRUE(LevelRowMatches(5, "1,4;9", r));  // Глубина in list
  EXPECT_FALSE(LevelRowMatches(5, "1,9", r));
  EXPECT_TRUE(LevelRowMatches(18, "3,12", r));  // "12.00000" is 12
  EXPECT_TRUE(LevelRowMatches(6, "40", r));
  EXPECT_FALSE(LevelRowMatches(12, "-20,-21", r));  // -20.5 is neither
  EXPECT_FALSE(LevelRowMatches(27, "8", r));
  EXPECT_TRUE(LevelRowMatches(31, "3,17", r));  // the parsed value key
  EXPECT_FALSE(LevelRowMatches(31, "3,18", r));
  // A cell that is not a number is in no list; an item that is not one is refused.
  EXPECT_FALSE(LevelRowMatches(5, "0,1,2", NeverSeen()));
  EXPECT_FALSE(LevelRowMatches(21, "0", NeverSeen()));
  EXPECT_THROW(LevelRowMatches(5, "1,x", r), EKvarnError);
}

TFilterPart Part(int stop, int value, bool multi = false, bool bottomUp = false) {
  TFilterPart p;
  p.Active = true;
  p.StopMode = static_cast<uint8_t>(stop);
  p.StopValue = value;
  p.MultiSelect = multi;
  p.BottomUp = bottomUp;
  return p;
}

TEST(StopConditionTest, ListSizeAndNumbersOnlyInSingleSelect) {
  int asked = 0;
  TWalkState s{10, 0, 12, [&] {
                 ++asked;
                 return 9;
               }};
  EXPECT_TRUE(StopConditionHolds(Part(fsCombs, 10), Row(), s));
  EXPECT_FALSE(StopConditionHolds(Part(fsCombs, 9), Row(), s));
  EXPECT_FALSE(StopConditionHolds(Part(fsCombs, 10, true), Row(), s));
  // SE: T = StopValue only within 6..MaxStake.
  EXPECT_TRUE(StopConditionHolds(Part(fsNumbers, 9), Row(), s));
  EXPECT_FALSE(StopConditionHolds(Part(fsNumbers, 8), Row(), s));
  EXPECT_TRUE(StopConditionHolds(Part(fsNumbers, 5), Row(), s));   // T = 12
  EXPECT_TRUE(StopConditionHolds(Part(fsNumbers, 13), Row(), s));  // T = 12
  s.MaxStake = 8;
  EXPECT_FALSE(StopConditionHolds(Part(fsNumbers, 9), Row(), s));  // T = 8
  EXPECT_FALSE(StopConditionHolds(Part(fsNumbers, 9, true), Row(), s));
  s.ListCount = 1;
  asked = 0;
  EXPECT_TRUE(StopConditionHolds(Part(fsNumbers, 6), Row(), s));
  EXPECT_EQ(asked, 0);
}

TEST(StopConditionTest, StepsValuesAndPercents) {
  TWalkState s{100, 3, 12, {}};
  EXPECT_TRUE(StopConditionHolds(Part(fsSteps, 3), Row(), s));
  EXPECT_FALSE(StopConditionHolds(Part(fsSteps, 4), Row(), s));
  s.Steps = 0;
  EXPECT_TRUE(StopConditionHolds(Part(fsSteps, 0), Row(), s));
  EXPECT_FALSE(StopConditionHolds(Part(fsAll, 0), Row(), s));
  EXPECT_FALSE(StopConditionHolds(Part(fsEmpty, 0), Row(), s));
  // Count 12: top-down stops at or below, bottom-up at or above.
  EXPECT_TRUE(StopConditionHolds(Part(fsValue, 12), Row(), s));
  EXPECT_FALSE(StopConditionHolds(Part(fsValue, 11), Row(), s));
  EXPECT_TRUE(StopConditionHolds(Part(fsValue, 11, false, true), Row(), s));
  EXPECT_FALSE(StopConditionHolds(Part(fsPercent, 11), Row(), s));
  EXPECT_TRUE(StopConditionHolds(Part(fsPercent, 12, false, true), Row(), s));
  TStatValues dash = Row();
  dash.Count = dash.CountPercent = "-";
  EXPECT_TRUE(StopConditionHolds(Part(fsValue, 0), dash, s));
  EXPECT_FALSE(StopConditionHolds(Part(fsPercent, 1, false, true), dash, s));
}

}  // namespace
}  // namespace kvarn
