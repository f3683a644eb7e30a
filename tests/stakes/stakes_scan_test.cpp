// The scans of the stakes file read it in blocks sized by the file: every size around a block
// boundary must still reach every record, from either end.
#include <gtest/gtest.h>

#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

class StakesScan : public StakesDir {};

TEST_F(StakesScan, ScansReachEveryRecordWhateverTheFileSize) {
  for (int64_t size : {1, 2, 4095, 4096, 4097, 8193}) {
    SCOPED_TRACE(size);
    std::string bytes(static_cast<size_t>(size) * StakeRecordSize, '\0');
    for (int64_t i = 0; i < size; ++i) {
      TStake s = ManualStake(static_cast<int>(i + 1), Numbers({1, 2, 3, 4, 5}));
      s.Checked = 1;
      s.Matched = Numbers({1});
      StakeToBytes(s, reinterpret_cast<uint8_t*>(bytes.data() + i * StakeRecordSize));
    }
    WriteBytes(StakesFileName, bytes);
    TStakesFile& f = Open();
    ASSERT_EQ(f.Count(), size);

    int64_t visited = 0, lastDraw = 0;
    f.ForEach(0, [&](const TStake& s) {
      ++visited;
      lastDraw = s.DrawNumber;
    });
    EXPECT_EQ(visited, size);
    EXPECT_EQ(lastDraw, size);
    EXPECT_TRUE(f.Find(1, Numbers({1, 2, 3, 4, 5})));
    EXPECT_TRUE(f.Find(static_cast<int32_t>(size), Numbers({5, 4, 3, 2, 1})));
    EXPECT_FALSE(f.Find(static_cast<int32_t>(size + 1), Numbers({1, 2, 3, 4, 5})));

    const TStakesSeek all = f.SeekLastDraws(static_cast<int>(size));
    EXPECT_EQ(all.Draws, size);
    EXPECT_EQ(all.FirstIndex, 0);
    EXPECT_EQ(f.SeekLastDraws(1).FirstIndex, size - 1);
    file.reset();
  }
}

}  // namespace
}  // namespace kvarn
