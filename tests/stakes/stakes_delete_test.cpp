#include <gtest/gtest.h>

#include "core/text.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

using StakesDelete = StakesDir;

TStake WithMatches(int draw, int m) {
  TStake s = ManualStake(draw, Numbers({1, 2, 3, 4, 5}));
  if (m >= 0) {
    s.Checked = 1;
    s.Matched.Count = m;
  }
  return s;
}

// Draws 1..6 with m = -1 (unchecked), 0, 1, 2, 3, 5, each followed by a separator.
void Fill(TStakesFile& f) {
  int draw = 1;
  for (int m : {-1, 0, 1, 2, 3, 5}) {
    f.WriteRecord(WithMatches(draw++, m), 0, TStakeOrigin::End);
    f.WriteRecord(StakeBlank(), 0, TStakeOrigin::End);
  }
}

TEST_F(StakesDelete, RowsOutsideTheRangeAreKeptInOrder) {
  TStakesFile& f = Open();
  Fill(f);
  EXPECT_EQ(f.DeleteRows(1, 4), 4);
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{1, -1, 4, -1, 5, -1, 6, -1}));
  EXPECT_FALSE(std::filesystem::exists(PathOf(StakesTempFileName)));
  // The file goes on working: appends land after the kept records.
  f.Append(ManualStake(9, Numbers({1, 2, 3, 4, 5})), 1);
  EXPECT_EQ(DrawNumbers().back(), 9);
}

TEST_F(StakesDelete, EachConditionDropsStakesButNeverSeparators) {
  struct TCase {
    int condition, value;
    std::vector<int> keptDraws;
  };
  const TCase cases[] = {
      {0, 2, {1, 2, 3, 5, 6}},  // = 2
      {1, 2, {1, 2, 3, 4}},     // > 2
      {2, 3, {1, 2, 3, 4}},     // >= 3
      {3, 2, {4, 5, 6}},        // < 2, unchecked stakes (m = -1) too
      {4, 0, {3, 4, 5, 6}},     // <= 0
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(StakeConditionName(c.condition));
    file.reset();
    std::filesystem::remove(PathOf(StakesFileName));
    TStakesFile& f = Open();
    Fill(f);
    EXPECT_EQ(f.DeleteByCondition(c.condition, c.value),
              6 - static_cast<int64_t>(c.keptDraws.size()));
    std::vector<int> draws;
    int separators = 0;
    for (int d : DrawNumbers()) (d > 0 ? draws.push_back(d) : void(++separators));
    EXPECT_EQ(draws, c.keptDraws);
    EXPECT_EQ(separators, 6);
  }
  EXPECT_STREQ(StakeConditionName(3), "Менее [ < ]");
}

TEST_F(StakesDelete, FailureBeforeTheReplaceLeavesEveryRecordInTheStakesFile) {
  TStakesFile& f = Open();
  Fill(f);
  const std::string before = ReadBytes(StakesFileName);
  f.BeforeReplaceHook = [] { throw EKvarnError("диск отключен"); };
  try {
    f.DeleteRows(0, 5);
    FAIL() << "no error";
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Ошибка удаления записи из файла ставок!\r\rдиск отключен");
  }
  EXPECT_EQ(ReadBytes(StakesFileName), before);
  EXPECT_FALSE(std::filesystem::exists(PathOf(StakesTempFileName)));
  EXPECT_EQ(f.Count(), 12);
  f.BeforeReplaceHook = nullptr;
  EXPECT_EQ(f.DeleteRows(0, 5), 6);
  EXPECT_EQ(f.Count(), 6);
}

TEST_F(StakesDelete, LockMovesToTheNewFileSoASecondInstanceIsStillRefused) {
  TStakesFile& f = Open();
  Fill(f);
  f.DeleteByCondition(0, 5);
  TStakesFile second(dir);
  EXPECT_THROW(second.Open(), EKvarnError);
  // A stale temporary file from a crash does not block the next rewrite.
  WriteBytes(StakesTempFileName, "left over");
  EXPECT_EQ(f.DeleteRows(0, 0), 1);
  EXPECT_THROW(second.Open(), EKvarnError);
  file.reset();
  EXPECT_NO_THROW(second.Open());
  EXPECT_EQ(second.Count(), 10);
}

TEST_F(StakesDelete, ClearEmptiesInPlaceAndKeepsTheLock) {
  TStakesFile& f = Open();
  Fill(f);
  f.Clear();
  EXPECT_EQ(f.Count(), 0);
  EXPECT_EQ(ReadBytes(StakesFileName), "");
  TStakesFile second(dir);
  EXPECT_THROW(second.Open(), EKvarnError);
}

}  // namespace
}  // namespace kvarn
