// Records whose number count was damaged on the disk: searching, checking and showing them must
// stay inside the record's twelve number bytes.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/lottery.h"
#include "stakes/stakes_check.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_fixture.h"
#include "stakes/stakes_grid.h"

namespace kvarn {
namespace {

using StakesDamaged = StakesDir;

std::string RecordBytes(const TStake& s) {
  std::string out(StakeRecordSize, '\0');
  StakeToBytes(s, reinterpret_cast<uint8_t*>(out.data()));
  return out;
}

// The stake with its stored count replaced (little-endian) by `count`.
std::string WithCount(const TStake& s, uint32_t count) {
  std::string rec = RecordBytes(s);
  for (int i = 0; i < 4; ++i)
    rec[StakeOffset::Count + static_cast<size_t>(i)] = static_cast<char>(count >> (8 * i));
  return rec;
}

struct TNullSink : IStakesCheckSink {
  int checked = 0;
  void CheckProgress(const std::string&) override {}
  void StakeChecked(const TStake&) override { ++checked; }
  void CheckError(const std::string&) override {}
};

TEST_F(StakesDamaged, SearchCheckAndGridStayInsideTheNumbers) {
  const TStake good = ManualStake(3, Numbers({1, 2, 3, 4, 5}));
  const TStake other = ManualStake(3, Numbers({6, 7, 8, 9, 10}));
  WriteBytes(StakesFileName,
             WithCount(other, 0x7FFFFFFF) + WithCount(other, 13) + RecordBytes(good));
  TStakesFile& f = Open();
  ASSERT_EQ(f.AcceptOnStartup().Action, TStakesAcceptance::Accepted);

  // The search reads the damaged records first and must neither overrun nor match them.
  EXPECT_TRUE(f.Find(3, good.Numbers));
  EXPECT_FALSE(f.Find(3, Numbers({1, 2, 3, 4, 6})));
  TNumberSet huge = other.Numbers;
  huge.Count = 0x7FFFFFFF;
  EXPECT_TRUE(f.Find(3, huge));  // the same claimed count and the same stored numbers

  const TStake damaged = f.ReadRecord(0, TStakeOrigin::Start);
  EXPECT_EQ(StakeGridRow(damaged).Cells[scNumbers], "6;7;8;9;10;0;0;0;0;0;0;0");

  // Only the sound stake is checked; the damaged ones are left as they are.
  TDrawsArray draws = test::Archive({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {1, 2, 3, 30, 31}});
  TNullSink sink;
  StakesCheck(f, draws, PriceTenPrizeFifty(), sink, nullptr);
  EXPECT_EQ(sink.checked, 1);
  EXPECT_FALSE(f.ReadRecord(0, TStakeOrigin::Start).IsChecked());
  EXPECT_EQ(f.ReadRecord(-1, TStakeOrigin::End).Matches(), 3);
}

TEST(NumberSets, SameSetComparesOnlyTheStoredNumbers) {
  TNumberSet a = Numbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  TNumberSet b = a;
  std::reverse(b.Numbers.begin(), b.Numbers.end());
  a.Count = b.Count = 1000;
  EXPECT_TRUE(SameNumberSet(a, b));
  b.Numbers[0] = 36;
  EXPECT_FALSE(SameNumberSet(a, b));
  a.Count = b.Count = -5;
  EXPECT_TRUE(SameNumberSet(a, b));
}

}  // namespace
}  // namespace kvarn
