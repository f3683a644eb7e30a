// The interactive loop over the full set: generation, a filter pass, removal of past draws and
// the full-set comparison files.
#include <benchmark/benchmark.h>

#include <chrono>

#include "combs/combs.h"
#include "common/archives.h"
#include "stats/filter.h"
#include "stats/methods/numbers.h"
#include "stats/prefetch.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

const TCombList& FullList() {
  static TCombList list = [] {
    TCombList l;
    GenerateCombs(l, gmFull, TNumberBits());
    return l;
  }();
  return list;
}

const TDrawsArray& Archive() {
  static const TDrawsArray draws = test::RandomArchive(1200, 1, 36);
  return draws;
}

TStatList& Registry() {
  static TStatList list(Archive());
  static const bool registered = (list.Register(), true);
  (void)registered;
  return list;
}

TStatDraw Value(uint16_t k1) {
  TStatDraw d;
  d.Key.Set(k1);
  return d;
}

void BM_GenerateFull(benchmark::State& state) {
  TCombList list;
  list.Reserve(FullCombsCount);
  for (auto _ : state) {
    GenerateCombs(list, gmFull, TNumberBits());
    benchmark::DoNotOptimize(list.Data());
  }
}
BENCHMARK(BM_GenerateFull)->Unit(benchmark::kMillisecond);

void BM_GenerateWithoutMine(benchmark::State& state) {
  TCombList list;
  list.Reserve(FullCombsCount);
  const TNumberBits mine = ParseMyNumbers("36");
  for (auto _ : state) {
    GenerateCombs(list, gmNoMine, mine);
    benchmark::DoNotOptimize(list.Data());
  }
}
BENCHMARK(BM_GenerateWithoutMine)->Unit(benchmark::kMillisecond);

// One keep pass of the numbers method with three selected numbers over the full list.
void BM_FilterNumbersKeep3(benchmark::State& state) {
  auto stat = TstValues_Class().Create(Registry(), 0);
  const TStatDrawArray selected = {Value(7), Value(19), Value(33)};
  TCombList list;
  for (auto _ : state) {
    FilterCombList(*stat, selected, list, FullList(), 1199, false, false);
    benchmark::DoNotOptimize(list.Data());
  }
  state.counters["left"] = list.Count();
}
BENCHMARK(BM_FilterNumbersKeep3)->Unit(benchmark::kMillisecond);

// The same selection as a plain loop: the floor for the pass above.
void BM_FilterHandLoopKeep3(benchmark::State& state) {
  TCombList list;
  list.Reserve(FullCombsCount);
  for (auto _ : state) {
    const TComb* src = FullList().Data();
    TComb* dst = list.Data();
    int kept = 0;
    for (int i = 0; i < FullList().Count(); ++i) {
      const TComb& c = src[i];
      bool m = false;
      for (uint8_t v : c) m |= v == 7 || v == 19 || v == 33;
      if (m) dst[kept++] = c;
    }
    list.SetCount(kept);
    benchmark::DoNotOptimize(list.Data());
  }
}
BENCHMARK(BM_FilterHandLoopKeep3)->Unit(benchmark::kMillisecond);

// Selected values of a method: the first three values it gives over the start of the list.
TStatDrawArray FirstValues(TCustomStat& stat) {
  TCombList head;
  for (int i = 0; i < 5000; ++i) head.Append(FullList()[i * 70]);
  TStatDrawArray dist = FullSetDistribution(stat, head);
  if (dist.size() > 3) dist.resize(3);
  return dist;
}

// The entry whose filter pass is slowest, found by timing one pass of every entry.
int SlowestEntry() {
  static int slowest = [] {
    TStatList& reg = Registry();
    int best = -1;
    double worst = -1;
    TCombList list;
    for (int i = 0; i < reg.Count(); ++i) {
      auto stat = reg.CreateStat(i);
      const TStatDrawArray selected = FirstValues(*stat);
      const auto t0 = std::chrono::steady_clock::now();
      FilterCombList(*stat, selected, list, FullList(), 1199, false, false);
      const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      if (s > worst) {
        worst = s;
        best = i;
      }
    }
    return best;
  }();
  return slowest;
}

void BM_FilterSlowestMethod(benchmark::State& state) {
  const int entry = SlowestEntry();
  if (entry < 0) {
    state.SkipWithError("no methods registered");
    return;
  }
  auto stat = Registry().CreateStat(entry);
  const TStatDrawArray selected = FirstValues(*stat);
  TCombList list;
  for (auto _ : state) {
    FilterCombList(*stat, selected, list, FullList(), 1199, false, false);
    benchmark::DoNotOptimize(list.Data());
  }
  state.SetLabel(Registry().Items(entry).IdentOf());
}
BENCHMARK(BM_FilterSlowestMethod)->Unit(benchmark::kMillisecond);

void BM_RemoveDraws1000(benchmark::State& state) {
  TCombList list;
  const TDrawsArray& draws = Archive();
  for (auto _ : state) {
    RemoveDrawsCombs(list, FullList(), draws,
                     LastDrawsRange(static_cast<int>(draws.size()), 0, 1000), nullptr);
    benchmark::DoNotOptimize(list.Data());
  }
  state.counters["left"] = list.Count();
}
BENCHMARK(BM_RemoveDraws1000)->Unit(benchmark::kMillisecond);

// Every comparison file's content (the pass over the full set and the bytes); the disk write
// is a few kilobytes per file and left out.
void BM_BuildAllPrefetch(benchmark::State& state) {
  TStatList& reg = Registry();
  int files = 0;
  for (auto _ : state) {
    files = 0;
    for (int i = 0; i < reg.Count(); ++i) {
      if (!reg.CanPrefetch(i)) continue;
      auto stat = reg.CreateStat(i);
      const std::string bytes = PrefetchBytes(FullSetDistribution(*stat, FullList()));
      benchmark::DoNotOptimize(bytes.data());
      ++files;
    }
  }
  state.counters["files"] = files;
}
BENCHMARK(BM_BuildAllPrefetch)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace kvarn
