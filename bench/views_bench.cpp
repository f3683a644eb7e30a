// The analysis views over a 10,000-draw archive: what one refresh of each view costs, and the
// card's colouring of every cell (a full repaint is a few dozen rows; the export is all of them).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "common/archives.h"
#include "core/dates.h"
#include "core/draws.h"
#include "core/lottery.h"
#include "core/text.h"
#include "stats/registry.h"
#include "views/card.h"
#include "views/graph.h"
#include "views/layout.h"
#include "views/repeats.h"
#include "views/sums.h"
#include "views/week.h"

namespace kvarn {
namespace {

const TDrawsArray& Archive() {
  static const TDrawsArray draws = [] {
    TDrawsArray d = test::RandomArchive(10000, 1, 20240607);
    // Two draws a week from 1997 on.
    for (size_t i = 0; i < d.size(); ++i)
      d[i].DateText =
          DateTimeText(EncodeDateTime(1997, 1, 4, 20, 0) + static_cast<double>(i) * 3.5);
    return d;
  }();
  return draws;
}

void BM_CardAllCells(benchmark::State& state) {
  const TDrawsArray& draws = Archive();
  const TCardOptions options{true, true, 6};
  for (auto _ : state) {
    uint64_t sum = 0;
    for (int row = 1; row <= CardRowCount(draws); ++row)
      for (int col = 0; col < CardColumnCount; ++col)
        sum += CardCellColour(draws, row, col, options) + CardCellText(draws, row, col).size();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_CardAllCells)->Unit(benchmark::kMillisecond);

void BM_CardSelectAll(benchmark::State& state) {
  const TDrawsArray& draws = Archive();
  for (auto _ : state)
    benchmark::DoNotOptimize(CardSelectionNumbers(draws, 1, 1, CardRowCount(draws), 36));
}
BENCHMARK(BM_CardSelectAll)->Unit(benchmark::kMicrosecond);

void BM_LayoutScheme(benchmark::State& state) {
  const TDrawsArray& draws = Archive();
  for (auto _ : state)
    benchmark::DoNotOptimize(BuildLayoutScheme(draws, 10, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LayoutScheme)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_LayoutCompareLists(benchmark::State& state) {
  const TDrawsArray& draws = Archive();
  for (auto _ : state)
    for (int len : LayoutCompareDefaults)
      benchmark::DoNotOptimize(BuildLayoutCompare(draws, 0, len));
}
BENCHMARK(BM_LayoutCompareLists)->Unit(benchmark::kMicrosecond);

void BM_WeekTable(benchmark::State& state) {
  const TDrawsArray& draws = Archive();
  for (auto _ : state)
    benchmark::DoNotOptimize(BuildWeekTable(draws, 0, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_WeekTable)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_Repeats(benchmark::State& state) {
  const TDrawsArray& draws = Archive();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        AnalyzeRepeats(draws, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
}
BENCHMARK(BM_Repeats)
    ->Args({100, 100})
    ->Args({10000, 100})
    ->Args({10000, 10000})
    ->Unit(benchmark::kMillisecond);

void BM_SumsDistribution(benchmark::State& state) {
  const TDrawsArray& draws = Archive();
  for (auto _ : state) benchmark::DoNotOptimize(SumsChartSeries(BuildSumsDistribution(draws)));
}
BENCHMARK(BM_SumsDistribution)->Unit(benchmark::kMicrosecond);

TStatList& Registry() {
  static TStatList list(Archive());
  static const bool registered = [] {
    list.Register();
    return true;
  }();
  (void)registered;
  return list;
}

// Every graph method over the whole archive, the longest graph the tab can draw.
void BM_Graph(benchmark::State& state, int entry) {
  std::unique_ptr<TCustomStat> stat = Registry().CreateStat(entry);
  auto& graph = dynamic_cast<TCustomGraphStat&>(*stat);
  for (auto _ : state) benchmark::DoNotOptimize(BuildGraphSeries(graph, 0, 10000, false));
}

const bool graphBenchmarks = [] {
  TStatList& list = Registry();
  for (int i = 0; i < list.Count(); ++i)
    if (list.IsGraph(i))
      benchmark::RegisterBenchmark(("Graph/" + list.Items(i).IdentOf()).c_str(), BM_Graph, i)
          ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
}  // namespace kvarn
