// The statistics table of every registered method over 1,000 draws of a generated archive, one
// benchmark per registry entry (named by its identifier), and the pass over the full set of
// combinations that the comparison files and the filter make.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "common/archives.h"
#include "core/lottery.h"
#include "stats/registry.h"
#include "stats/table.h"

namespace kvarn {
namespace {

const TDrawsArray& Archive() {
  static const TDrawsArray draws = test::RandomArchive(1500, 1, 20240601);
  return draws;
}

TStatList& Registry() {
  static TStatList list(Archive());
  static bool registered = [] {
    list.Register();
    return true;
  }();
  (void)registered;
  return list;
}

void BM_StatTable(benchmark::State& state, int entry) {
  TStatList& list = Registry();
  TStatTableOptions options;
  options.Len = 1000;
  options.Offset = 100;  // so that "Факт" searches past the window
  TStatTable table;
  for (auto _ : state) {
    std::unique_ptr<TCustomStat> stat = list.CreateStat(entry);
    ComputeStatTable(*stat, options, table);
    benchmark::DoNotOptimize(table.Rows.data());
  }
  state.counters["rows"] = static_cast<double>(table.Rows.size());
}

void BM_CombMatchesFullSet(benchmark::State& state, int entry) {
  TStatList& list = Registry();
  std::unique_ptr<TCustomStat> stat = list.CreateStat(entry);
  TStatTableOptions options;
  TStatTable table;
  ComputeStatTable(*stat, options, table);
  // A third of the values selected.
  TStatDrawArray selected;
  for (size_t i = 0; i < table.Rows.size(); i += 3) selected.push_back(table.Rows[i].Item);
  const int last = static_cast<int>(Archive().size()) - 1;
  stat->LoadDraws(-1, last, false);
  for (auto _ : state) {
    int kept = 0;
    TComb c{};
    for (int a = 1; a <= 32; ++a)
      for (int b = a + 1; b <= 33; ++b)
        for (int d = b + 1; d <= 34; ++d)
          for (int e = d + 1; e <= 35; ++e)
            for (int f = e + 1; f <= 36; ++f) {
              c = {static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(d),
                   static_cast<uint8_t>(e), static_cast<uint8_t>(f)};
              kept += stat->CombMatches(c, selected, last, false, false);
            }
    benchmark::DoNotOptimize(kept);
  }
}

const bool registeredBenchmarks = [] {
  TStatList& list = Registry();
  for (int i = 0; i < list.Count(); ++i) {
    const std::string ident = list.Items(i).IdentOf();
    benchmark::RegisterBenchmark(("StatTable/" + ident).c_str(), BM_StatTable, i)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("CombMatchesFullSet/" + ident).c_str(), BM_CombMatchesFullSet, i)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace kvarn
