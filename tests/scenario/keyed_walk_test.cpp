// The counted walk against the filter it stands for: every count it answers and the list it
// leaves must be those of filtering the list one value at a time.
#include "scenario/keyed_walk.h"

#include <gtest/gtest.h>

#include <random>

#include "common/archives.h"
#include "common/test_methods.h"
#include "stats/filter.h"
#include "stats/methods/numbers.h"
#include "stats/methods/sums.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

// One key per combination, from a large key space (the table of keys has to grow).
class TstTestWideKey : public TRuleStat<TCustomGraphStat, TstTestWideKey> {
 public:
  using TRuleStat::TRuleStat;
  KVARN_TEST_METHOD_INFO("TWID", "Широкий ключ", 0, sfN)
  std::string ValueText(const TStatDraw& item) const override {
    return std::to_string(item.Key.L1());
  }
  int32_t GraphValueOf(const TComb& values, int, int, bool) override { return values[0]; }
  int KeysOf(const uint8_t* v, TRuleKeys& keys) const {
    keys[0].Clear();
    keys[0].SetL1(v[0] * 100000 + v[1] * 100 + v[4]);
    return 1;
  }
};
KVARN_STAT_CLASS(TstTestWideKey)

TStatDraw Item(uint64_t key) {
  TStatDraw d;
  d.Key.Set(static_cast<uint16_t>(key), static_cast<uint16_t>(key >> 16),
            static_cast<uint16_t>(key >> 32), static_cast<uint16_t>(key >> 48));
  return d;
}

class KeyedWalk : public ::testing::Test {
 protected:
  TDrawsArray draws = test::RandomArchive(30, 1, 5);
  TStatList registry{draws};
  TCombList full;
  void SetUp() override { GenerateCombs(full, gmFull, TNumberBits()); }

  // Keys of the list's combinations, to pick steps that hit.
  std::vector<uint64_t> KeysOf(TCustomStat& stat, const TCombList& list) {
    std::vector<uint64_t> keys(static_cast<size_t>(list.Count()));
    stat.LoadDraws(-1, 29, false);
    EXPECT_TRUE(stat.CombSingleKeys(list.Data(), list.Count(), keys.data()));
    return keys;
  }

  // Random keep and delete steps, each checked against the filter; an emptying step is not
  // taken, as a walk rolls it back. Now and then the list is cut and the walk goes on.
  void Compare(const TStatClass& cls, uint32_t seed) {
    std::unique_ptr<TCustomStat> stat = cls.Create(registry, 0);
    TCombList counted, filtered, snapshot;
    counted.CopyFrom(full);
    filtered.CopyFrom(full);
    TKeyedWalk walk;
    ASSERT_TRUE(walk.Start(*stat, counted, 29, false));
    const std::vector<uint64_t> keys = KeysOf(*stat, full);
    std::mt19937 rnd(seed);
    for (int step = 0; step < 60; ++step) {
      const uint64_t key = keys[rnd() % keys.size()] + (step % 7 == 6 ? 1000003 : 0);
      const bool exclude = rnd() % 5 != 0;
      snapshot.CopyFrom(filtered);
      FilterCombList(*stat, {Item(key)}, filtered, snapshot, 29, false, exclude);
      ASSERT_EQ(walk.CountAfter(key, exclude), filtered.Count()) << "step " << step;
      if (filtered.Count() == 0) {
        filtered.CopyFrom(snapshot);
        continue;
      }
      walk.Apply(key, exclude);
      ASSERT_EQ(walk.Count(), filtered.Count());
      if (step % 11 == 10) walk.Retain(counted);
    }
    walk.Retain(counted);
    EXPECT_FALSE(walk.Pending());
    ASSERT_EQ(counted.Count(), filtered.Count());
    for (int i = 0; i < counted.Count(); ++i) ASSERT_EQ(counted[i], filtered[i]) << i;
  }
};

TEST_F(KeyedWalk, CountsAndListMatchTheFilterForSmallAndLargeKeys) {
  Compare(TstSumValues_Class(), 1);
  Compare(TstSumValues_Class(), 2);
  Compare(TstTestWideKey_Class(), 3);
}

TEST_F(KeyedWalk, MethodsWithSeveralKeysPerCombinationAreNotCounted) {
  std::unique_ptr<TCustomStat> stat = TstValues_Class().Create(registry, 0);
  TKeyedWalk walk;
  EXPECT_FALSE(walk.Start(*stat, full, 29, false));
  EXPECT_FALSE(walk.Pending());
  TCombList before;
  before.CopyFrom(full);
  walk.Retain(full);
  EXPECT_EQ(full.Count(), before.Count()) << "a walk that did not start leaves the list";
}

}  // namespace
}  // namespace kvarn
