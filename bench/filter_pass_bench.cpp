// The filter pass of every registered method over the full list of combinations, as the
// filter runs it: a third of the values of the method's table over 1,000 draws selected, one
// benchmark keeping them and one deleting them.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "combs/combs.h"
#include "common/archives.h"
#include "stats/filter.h"
#include "stats/registry.h"
#include "stats/table.h"

namespace kvarn {
namespace {

const TCombList& FullList() {
  static const TCombList list = [] {
    TCombList l;
    GenerateCombs(l, gmFull, TNumberBits());
    return l;
  }();
  return list;
}

const TDrawsArray& Archive() {
  static const TDrawsArray draws = test::RandomArchive(1200, 1, 5036);
  return draws;
}

TStatList& Registry() {
  static TStatList list(Archive());
  static const bool registered = (list.Register(), true);
  (void)registered;
  return list;
}

void BM_FilterPass(benchmark::State& state, int entry, bool exclude) {
  TStatList& reg = Registry();
  std::unique_ptr<TCustomStat> stat = reg.CreateStat(entry);
  TStatTableOptions options;
  options.Len = 1000;
  TStatTable table;
  ComputeStatTable(*stat, options, table);
  TStatDrawArray selected;
  for (size_t i = 0; i < table.Rows.size(); i += 3) selected.push_back(table.Rows[i].Item);
  if (selected.empty()) {
    state.SkipWithError("the table has no values");
    return;
  }
  const int last = static_cast<int>(Archive().size()) - 1;
  TCombList list;
  for (auto _ : state) {
    // A new instance each time, as the filter makes one per step: nothing carries over.
    std::unique_ptr<TCustomStat> fresh = reg.CreateStat(entry);
    FilterCombList(*fresh, selected, list, FullList(), last, false, exclude);
    benchmark::DoNotOptimize(list.Data());
  }
  state.counters["selected"] = static_cast<double>(selected.size());
  state.counters["left"] = list.Count();
}

const bool registeredBenchmarks = [] {
  TStatList& reg = Registry();
  for (int i = 0; i < reg.Count(); ++i) {
    const std::string name = "FilterPass/" + reg.Items(i).IdentOf();
    benchmark::RegisterBenchmark((name + "/keep").c_str(), BM_FilterPass, i, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/delete").c_str(), BM_FilterPass, i, true)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace kvarn
