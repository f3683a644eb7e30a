#include "stats/prefetch.h"

#include <gtest/gtest.h>

#include "common/test_methods.h"
#include "core/random.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

// Count of odd numbers: six values whose full-set frequencies are C(18,k) x C(18,5-k).
class TstTestOdd : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  KVARN_TEST_METHOD_INFO("TODD", "Нечетные", 0, sfN)
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override {
    TCustomStat::AddCombValues(comb, list);
    int odd = 0;
    for (uint8_t v : comb) odd += v & 1;
    Work.Key.Set(static_cast<uint16_t>(odd));
    AddStatItem(list, Work, false);
  }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};
KVARN_STAT_CLASS(TstTestOdd)

// Each number of the combination is a value, a combination giving two values (and the same
// value twice when a number repeats).
class TstTestNumbers : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  KVARN_TEST_METHOD_INFO("TNUM", "Числа", 0, sfN)
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override {
    TCustomStat::AddCombValues(comb, list);
    for (uint8_t v : comb) {
      Work.Key.Set(v, 0, 0, 1);
      AddStatItem(list, Work, false);
    }
  }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};
KVARN_STAT_CLASS(TstTestNumbers)

TStatDraw Item(uint16_t k1, int32_t count) {
  TStatDraw d;
  d.Key.Set(k1);
  d.Count = count;
  return d;
}

TEST(Prefetch, FileBytesInKeyOrderWithTrailer) {
  TDrawsArray draws;
  TStatList registry(draws);
  auto stat = TstTestOdd_Class().Create(registry, 0);
  TCombList full;
  GenerateCombs(full, gmFull, TNumberBits());
  TStatDrawArray dist = FullSetDistribution(*stat, full);
  ASSERT_EQ(dist.size(), 6u);
  const int32_t expected[6] = {8568, 55080, 124848, 124848, 55080, 8568};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(dist[k].Key.K1, k);
    EXPECT_EQ(dist[k].Count, expected[k]);
  }
  const std::string bytes = PrefetchBytes(dist);
  ASSERT_EQ(bytes.size(), 7 * PrefetchRecordSize);
  // Record 1: K1 = 1, K2..K4 = 0, Count 55080 = 0x0000D728.
  EXPECT_EQ(bytes.substr(12, 12), std::string("\x01\0\0\0\0\0\0\0\x28\xD7\0\0", 12));
  // Trailer: smallest count, largest count, 0.
  EXPECT_EQ(bytes.substr(72), std::string("\x78\x21\0\0\xB0\xE7\x01\0\0\0\0\0", 12));
  TPrefetchData back = ParsePrefetchBytes(bytes);
  ASSERT_EQ(back.Records.size(), 6u);
  EXPECT_EQ(back.Records[2].Count, 124848);
  EXPECT_EQ(back.MinCount, 8568);
  EXPECT_EQ(back.MaxCount, 124848);
}

TEST(Prefetch, DamagedFilesAreToldFromSoundOnes) {
  TStatDrawArray dist = {Item(1, 10), Item(2, 30), Item(7, 20)};
  const std::string sound = PrefetchBytes(dist);
  EXPECT_EQ(PrefetchBytesProblem(sound), "");
  EXPECT_EQ(PrefetchBytesProblem(std::string(12, '\0')), "") << "no values at all";

  const auto problem = [&](std::string bytes) { return PrefetchBytesProblem(bytes); };
  EXPECT_NE(problem(""), "");
  EXPECT_NE(problem(sound.substr(0, sound.size() - 5)), "") << "cut inside a record";
  EXPECT_NE(problem(sound.substr(0, sound.size() - 12)), "") << "cut before the trailer";
  std::string absurd = sound;
  absurd[sound.size() - 8] = '\x80';  // largest count far above every record
  EXPECT_NE(problem(absurd), "");
  std::string disorder = PrefetchBytes({Item(2, 30), Item(1, 10), Item(7, 20)});
  EXPECT_NE(problem(disorder), "");
  EXPECT_NE(problem(PrefetchBytes({Item(1, 0), Item(2, 5)})), "") << "a value never met";
  EXPECT_NE(problem(PrefetchBytes({Item(1, PrefetchMaxCount + 1)})), "");
  // Random bytes of every length pass only by a chance too small to meet.
  TRandom random(15);
  for (int len = 1; len < 400; ++len) {
    std::string bytes(static_cast<size_t>(len), '\0');
    for (char& c : bytes) c = static_cast<char>(random.Int(256));
    EXPECT_NE(problem(bytes), "") << len;
  }
}

TEST(Prefetch, NormsOfADamagedTrailerCannotOverflow) {
  // A count far beyond the observed ones gives a norm at the end of the range, never a wrap.
  EXPECT_EQ(RoundHalfEven(1e30L), INT32_MAX);
  EXPECT_EQ(RoundHalfEven(-1e30L), INT32_MIN);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
}

TEST(Prefetch, DistributionMergesLikeOneList) {
  TDrawsArray draws;
  TStatList registry(draws);
  auto stat = TstTestNumbers_Class().Create(registry, 0);
  TCombList combs;
  combs.Append(TComb{3, 1, 2, 2, 5});
  combs.Append(TComb{2, 9, 9, 9, 9});
  TStatDrawArray dist = FullSetDistribution(*stat, combs);
  ASSERT_EQ(dist.size(), 5u);
  EXPECT_EQ(dist[0].Key.K1, 1);
  EXPECT_EQ(dist[0].Key.K4, 1);
  EXPECT_EQ(dist[1].Count, 3);  // 2: twice in the first, once in the second
  EXPECT_EQ(dist[4].Key.K1, 9);
  EXPECT_EQ(dist[4].Count, 4);
  EXPECT_EQ(PrefetchBytes({}).size(), PrefetchRecordSize) << "an empty list has its trailer";
  EXPECT_TRUE(ParsePrefetchBytes("short").Records.empty());
}

TEST(Prefetch, NormsScaleAndRounding) {
  TPrefetchData data;
  data.Records = {
      {TStatKey{1, 0, 0, 0}, 100}, {TStatKey{2, 0, 0, 0}, 50}, {TStatKey{3, 0, 0, 0}, 25}};
  data.MinCount = 25;
  data.MaxCount = 100;
  TStatDrawArray list = {Item(2, 7), Item(1, 9), Item(4, 1)};
  TStatTotals t = StatTotals(list);
  TFullSetScale s = FullSetScale(&data, t);
  ASSERT_TRUE(s.InUse);
  EXPECT_DOUBLE_EQ(static_cast<double>(s.H), 0.09);
  ApplyPrefetchNorms(data, s, list);
  EXPECT_EQ(list[0].Norm, 4);  // 50 x 0.09 = 4.5, half to even
  EXPECT_EQ(list[1].Norm, 9);
  EXPECT_EQ(list[2].Norm, 0) << "no record, no norm";

  // Every value equally frequent over the full set: the norm is the middle of the observed.
  TPrefetchData equal;
  equal.Records = {{TStatKey{1, 0, 0, 0}, 10}, {TStatKey{2, 0, 0, 0}, 10}};
  equal.MinCount = equal.MaxCount = 10;
  TStatDrawArray two = {Item(1, 3), Item(2, 6)};
  TFullSetScale e = FullSetScale(&equal, StatTotals(two));
  ApplyPrefetchNorms(equal, e, two);
  EXPECT_EQ(two[0].Norm, 4);  // (3 + 6) / 2 = 4.5
  EXPECT_EQ(two[1].Norm, 4);

  EXPECT_FALSE(FullSetScale(nullptr, t).InUse);
  TPrefetchData none;
  EXPECT_FALSE(FullSetScale(&none, t).InUse);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  EXPECT_EQ(RoundHalfEven(-0.5L), 0);
}

TEST(Prefetch, ChartSeries) {
  TDrawsArray draws;
  TStatList registry(draws);
  auto stat = TstTestOdd_Class().Create(registry, 0);
  TPrefetchData data;
  data.Records = {
      {TStatKey{0, 0, 0, 0}, 10}, {TStatKey{1, 0, 0, 0}, 40}, {TStatKey{2, 0, 0, 0}, 20}};
  data.MinCount = 10;
  data.MaxCount = 40;
  TStatDrawArray list = {Item(2, 3), Item(1, 8)};
  TFullSetScale s = FullSetScale(&data, StatTotals(list));
  TStatChartData c = BuildStatChart(*stat, list, &data, s, true);
  ASSERT_TRUE(c.HasIdeal);
  ASSERT_EQ(c.Ideal.size(), 3u);
  EXPECT_DOUBLE_EQ(c.Ideal[0].Y, 2.0);
  EXPECT_EQ(c.Ideal[2].Label, "2");
  ASSERT_EQ(c.Actual.size(), 2u);
  EXPECT_DOUBLE_EQ(c.Actual[0].X, 2.0);
  EXPECT_DOUBLE_EQ(c.Actual[0].Y, 8.0);
  EXPECT_TRUE(BuildStatChart(*stat, list, &data, s, false).Ideal.empty());

  TStatChartData plain = BuildStatChart(*stat, list, nullptr, TFullSetScale(), true);
  EXPECT_FALSE(plain.HasIdeal);
  ASSERT_EQ(plain.Actual.size(), 2u);
  EXPECT_EQ(plain.Actual[0].Label, "1") << "key order without the comparison";
  EXPECT_TRUE(BuildStatChart(*stat, {Item(1, 1)}, nullptr, TFullSetScale(), true).Actual.empty());
}

TEST(Prefetch, FileNames) {
  EXPECT_EQ(PrefetchFileName("NUMS"), "Kvarn_5x36_NUMS.dfc");
  EXPECT_EQ(PrefetchPath("/d", "SUM2"), "/d/Prefetchs/Kvarn_5x36_SUM2.dfc");
}

}  // namespace
}  // namespace kvarn
