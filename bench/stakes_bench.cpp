// The stakes file at full size: checking 100,000 stakes, staking the whole list and the reads of
// a screenful of the grid.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "combs/combs.h"
#include "common/archives.h"
#include "common/temp_dir.h"
#include "stakes/stakes_check.h"
#include "stakes/stakes_grid.h"

namespace kvarn {
namespace {

struct TNullSink : IStakesCheckSink {
  void CheckProgress(const std::string&) override {}
  void StakeChecked(const TStake& s) override { benchmark::DoNotOptimize(s.Profit); }
  void CheckError(const std::string&) override {}
};

TDrawsArray Archive(int count) {
  return test::RandomArchive(count, 1, 5);
}

TConfigData Prices() {
  TConfigData c;
  c.StakeCost = 100000;
  c.Profits = {{2, 100000}, {3, 500000}, {4, 5000000}, {5, 1000000000}};
  return c;
}

const TCombList& FullList() {
  static TCombList list = [] {
    TCombList l;
    GenerateCombs(l, gmFull, TNumberBits());
    return l;
  }();
  return list;
}

TNumberSet SetOf(const TComb& c) {
  TNumberSet s;
  s.Count = CombSize;
  std::copy(c.begin(), c.end(), s.Numbers.begin());
  return s;
}

// 100,000 unchecked stakes over the last 1,000 draws of a 1,200-draw archive, groups of 100 with
// separators between them; the check is timed from the unchecked file each time.
void CheckHundredThousand(benchmark::State& state, bool logged) {
  test::TTempDir dir;
  const TDrawsArray draws = Archive(1200);
  const TConfigData config = Prices();
  TStakesFile file(dir.Path());
  file.Open();
  const TCombList& list = FullList();
  for (int g = 0; g < 1000; ++g) {
    file.AppendSeparator();
    TStake proto =
        StakeNew(skScenario, 201 + g, 376992, SetOf(list[0]),
                 "Сценарий: SUM1 = 70-90 | NUMS = 1;2;3", config.StakeCost, config.Profits);
    file.AppendEach(
        proto, 100, [&](size_t i) { return SetOf(list[static_cast<int>((g * 100 + i) * 3)]); }, 1);
  }
  std::vector<uint8_t> image(static_cast<size_t>(file.Count()) * StakeRecordSize);
  file.ReadBlock(0, static_cast<size_t>(file.Count()), image.data());
  TNullSink sink;
  for (auto _ : state) {
    state.PauseTiming();
    file.WriteBlock(0, static_cast<size_t>(file.Count()), image.data());
    state.ResumeTiming();
    TStakesLog log(dir.Path());
    benchmark::DoNotOptimize(StakesCheck(file, draws, config, sink, logged ? &log : nullptr));
  }
  state.counters["stakes"] = 100000;
}

void BM_StakesCheck100k(benchmark::State& state) {
  CheckHundredThousand(state, false);
}
BENCHMARK(BM_StakesCheck100k)->Unit(benchmark::kMillisecond);

// The same with the stake logs on: a line per stake.
void BM_StakesCheck100kLogged(benchmark::State& state) {
  CheckHundredThousand(state, true);
}
BENCHMARK(BM_StakesCheck100kLogged)->Unit(benchmark::kMillisecond);

// "Сделать ставки для всех комбинаций": every combination of the full list staked for one draw.
void BM_StakesAppendFullList(benchmark::State& state) {
  test::TTempDir dir;
  const TConfigData config = Prices();
  TStakesFile file(dir.Path());
  file.Open();
  const TCombList& list = FullList();
  const TStake proto = StakeNew(skManual, 1201, list.Count(), SetOf(list[0]), ManualStakeComment,
                                config.StakeCost, config.Profits);
  for (auto _ : state) {
    state.PauseTiming();
    file.Clear();
    state.ResumeTiming();
    file.AppendEach(
        proto, static_cast<size_t>(list.Count()),
        [&](size_t i) { return SetOf(list[static_cast<int>(i)]); }, 1);
  }
  state.counters["stakes"] = list.Count();
}
BENCHMARK(BM_StakesAppendFullList)->Unit(benchmark::kMillisecond);

// A screenful of the grid: 40 rows at random places of a 100,000-record file, nine cells each
// (the cache serves the other eight).
void BM_StakesGridScreen(benchmark::State& state) {
  test::TTempDir dir;
  const TConfigData config = Prices();
  TStakesFile file(dir.Path());
  file.Open();
  const TCombList& list = FullList();
  file.AppendEach(
      StakeNew(skManual, 1201, 376992, SetOf(list[0]), ManualStakeComment, config.StakeCost,
               config.Profits),
      100000, [&](size_t i) { return SetOf(list[static_cast<int>(i)]); }, 1);
  std::mt19937 rng(1);
  for (auto _ : state) {
    const int64_t top = static_cast<int64_t>(rng() % 99960);
    for (int64_t r = top; r < top + 40; ++r)
      for (int c = 0; c < StakeColumnsCount; ++c)
        benchmark::DoNotOptimize(StakeGridRow(file.ReadRecord(r, TStakeOrigin::Start)).Cells[c]);
  }
}
BENCHMARK(BM_StakesGridScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kvarn
