// The analysis views over a 100,000-draw archive: each view built over every draw, and every
// graph method over the whole archive.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "common/archives.h"
#include "core/dates.h"
#include "stats/registry.h"
#include "views/card.h"
#include "views/graph.h"
#include "views/layout.h"
#include "views/repeats.h"
#include "views/sums.h"
#include "views/week.h"

namespace kvarn {
namespace {

constexpr int LargeDraws = 100000;

const TDrawsArray& LargeArchive() {
  static const TDrawsArray draws = [] {
    TDrawsArray d = test::RandomArchive(LargeDraws, 1, 20261209);
    // Two draws a week from 1900 on; 100,000 of them run centuries ahead, which no view minds.
    for (size_t i = 0; i < d.size(); ++i)
      d[i].DateText =
          DateTimeText(EncodeDateTime(1900, 1, 4, 20, 0) + static_cast<double>(i) * 3.5);
    return d;
  }();
  return draws;
}

TStatList& LargeRegistry() {
  static TStatList list(LargeArchive());
  static const bool registered = (list.Register(), true);
  (void)registered;
  return list;
}

void BM_LargeCardSelectAll(benchmark::State& state) {
  const TDrawsArray& draws = LargeArchive();
  for (auto _ : state)
    benchmark::DoNotOptimize(CardSelectionNumbers(draws, 1, 1, CardRowCount(draws), 36));
}
BENCHMARK(BM_LargeCardSelectAll)->Unit(benchmark::kMillisecond);

void BM_LargeLayoutScheme(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(BuildLayoutScheme(LargeArchive(), 10, LargeDraws));
}
BENCHMARK(BM_LargeLayoutScheme)->Unit(benchmark::kMillisecond);

void BM_LargeWeekTable(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(BuildWeekTable(LargeArchive(), 0, LargeDraws));
}
BENCHMARK(BM_LargeWeekTable)->Unit(benchmark::kMillisecond);

void BM_LargeRepeats(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(AnalyzeRepeats(LargeArchive(), LargeDraws, 100));
}
BENCHMARK(BM_LargeRepeats)->Unit(benchmark::kMillisecond);

void BM_LargeSums(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(SumsChartSeries(BuildSumsDistribution(LargeArchive())));
}
BENCHMARK(BM_LargeSums)->Unit(benchmark::kMillisecond);

void BM_LargeGraph(benchmark::State& state, int entry) {
  std::unique_ptr<TCustomStat> stat = LargeRegistry().CreateStat(entry);
  auto& graph = dynamic_cast<TCustomGraphStat&>(*stat);
  for (auto _ : state) benchmark::DoNotOptimize(BuildGraphSeries(graph, 0, LargeDraws, false));
}

const bool registeredLargeGraphs = [] {
  TStatList& list = LargeRegistry();
  for (int i = 0; i < list.Count(); ++i)
    if (list.IsGraph(i))
      benchmark::RegisterBenchmark(("LargeGraph/" + list.Items(i).IdentOf()).c_str(), BM_LargeGraph,
                                   i)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(1);
  return true;
}();

}  // namespace
}  // namespace kvarn
