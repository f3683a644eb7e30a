// System play and regular tests at full size: a 36-number system of 10,000 lines looked up and
// applied, crossed with the whole list, and staked; a test of 20 regulars over 1,000 draws.
#include <benchmark/benchmark.h>

#include "combs/combs.h"
#include "common/archives.h"
#include "common/temp_dir.h"
#include "core/files.h"
#include "core/random.h"
#include "stakes/regular_stakes.h"
#include "stakes/system_play.h"
#include "stakes/system_store.h"

namespace kvarn {
namespace {

const TCombList& WholeList() {
  static TCombList list = [] {
    TCombList l;
    GenerateCombs(l, gmFull, TNumberBits());
    return l;
  }();
  return list;
}

// A store holding one system for 36 numbers with `lines` random lines.
std::string StoreWithSystem(const test::TTempDir& dir, int lines) {
  TRandom random(7);
  std::string text;
  for (int i = 0; i < lines; ++i) {
    TSystemLine line{};
    TNumberBits used;
    for (int& p : line) {
      do p = 1 + random.Int(36);
      while (used.test(static_cast<size_t>(p)));
      used.set(static_cast<size_t>(p));
    }
    text += SystemLineText(line) + "\r\n";
  }
  tSystemData data;
  data.Info.Id = 1;
  data.Info.NumsCount = 36;
  data.Info.CombsCount = lines;
  data.Info.Title = data.Info.Author = data.Info.Description = "bench";
  data.Combs = text;
  SystemsAdd(dir.Path(), data);
  return dir.Path();
}

void BM_SystemFindCombs36(benchmark::State& state) {
  test::TTempDir dir;
  const std::string dataDir = StoreWithSystem(dir, 10000);
  const TByteArray numbers = SystemListNumbers(WholeList());
  for (auto _ : state) {
    TSystemFind f = SystemFindCombs(dataDir, numbers);
    benchmark::DoNotOptimize(f.Combs.data());
  }
}
BENCHMARK(BM_SystemFindCombs36)->Unit(benchmark::kMillisecond);

void BM_SystemTimesWholeList(benchmark::State& state) {
  test::TTempDir dir;
  const TSystemFind f =
      SystemFindCombs(StoreWithSystem(dir, 10000), SystemListNumbers(WholeList()));
  for (auto _ : state) {
    TCombsArray c = SystemStakeCombs(f.Combs, TSystemPlayMode::Combs, WholeList());
    benchmark::DoNotOptimize(c.data());
  }
}
BENCHMARK(BM_SystemTimesWholeList)->Unit(benchmark::kMillisecond);

void BM_SystemStakesAppend10000(benchmark::State& state) {
  test::TTempDir dir;
  const TSystemFind f =
      SystemFindCombs(StoreWithSystem(dir, 10000), SystemListNumbers(WholeList()));
  const TCombsArray combs = SystemStakeCombs(f.Combs, TSystemPlayMode::All, WholeList());
  TConfigData config;
  config.StakeCost = 100000;
  for (auto _ : state) {
    state.PauseTiming();
    TStakesFile file(dir.Path());
    file.Open();
    file.Clear();
    state.ResumeTiming();
    benchmark::DoNotOptimize(SystemStakesAppend(file, combs, 100, 1, "bench", 10000, config));
  }
}
BENCHMARK(BM_SystemStakesAppend10000)->Unit(benchmark::kMillisecond);

void BM_RegularsTest20x1000(benchmark::State& state) {
  test::TTempDir dir;
  const TDrawsArray draws = test::RandomArchive(1001, 1, 3);
  TConfigData config;
  config.StakeCost = 100000;
  for (auto _ : state) {
    state.PauseTiming();
    TRegularsArray regulars(20);
    std::vector<int> selected;
    for (int i = 0; i < 20; ++i) {
      regulars[static_cast<size_t>(i)].Base = i % 2 ? rbLastDraw : rbOwnComb;
      regulars[static_cast<size_t>(i)].Current = {1, 2, 3, 4, 5};
      regulars[static_cast<size_t>(i)].Step = i - 10;
      selected.push_back(i);
    }
    TStakesFile file(dir.Path());
    file.Open();
    file.Clear();
    state.ResumeTiming();
    benchmark::DoNotOptimize(
        RegularsStakeTest(regulars, selected, 1000, draws, 1, config, file).Appended);
  }
}
BENCHMARK(BM_RegularsTest20x1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvarn
