// Testing a filter on the newest draws of a generated archive and searching values under a
// budget: the figures a user waits for after choosing the commands on the statistics tab.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "common/archives.h"
#include "core/lottery.h"
#include "stats/filter_test.h"
#include "stats/registry.h"
#include "stats/value_search.h"

namespace kvarn {
namespace {

const TDrawsArray& Archive() {
  static const TDrawsArray draws = test::RandomArchive(1500, 1, 20240602);
  return draws;
}

TStatList& Registry() {
  static TStatList list(Archive());
  static const bool registered = [] {
    list.Register();
    return true;
  }();
  (void)registered;
  return list;
}

void BM_FilterTest(benchmark::State& state, const char* ident, std::vector<std::string> texts) {
  TStatList& list = Registry();
  const int entry = list.FindByIdent(ident);
  const TTestRange range = TestedDraws(static_cast<int>(Archive().size()), 0, 100);
  for (auto _ : state) {
    const TFilterTestResult r = RunFilterTest(list, entry, texts, range, TFilterTestOptions{});
    benchmark::DoNotOptimize(r.Summary.P);
  }
}

void BM_ValueSearch(benchmark::State& state, const char* ident, int64_t budget) {
  TStatList& list = Registry();
  const int entry = list.FindByIdent(ident);
  const TTestRange range = TestedDraws(static_cast<int>(Archive().size()), 0, 200);
  TValueSearchOptions o;
  o.Budget = budget;
  size_t chosen = 0;
  for (auto _ : state) {
    const TValueSearchResult r = RunValueSearch(list, entry, range, o);
    chosen = r.Values.size();
    benchmark::DoNotOptimize(r.OutOfSample.Summary.P);
  }
  state.counters["values"] = static_cast<double>(chosen);
}

const bool registered = [] {
  auto ms = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); };
  ms(benchmark::RegisterBenchmark("FilterTest100/NUMS", BM_FilterTest, "NUMS",
                                  std::vector<std::string>{"3", "17", "29"}));
  ms(benchmark::RegisterBenchmark("FilterTest100/SUMS", BM_FilterTest, "SUMS",
                                  std::vector<std::string>{"90", "95", "100", "105"}));
  ms(benchmark::RegisterBenchmark("FilterTest100/RPC2", BM_FilterTest, "RPC2",
                                  std::vector<std::string>{"0", "1"}));
  ms(benchmark::RegisterBenchmark("ValueSearch200/NUMS/60000", BM_ValueSearch, "NUMS", 60000));
  ms(benchmark::RegisterBenchmark("ValueSearch200/NUMS/150000", BM_ValueSearch, "NUMS", 150000));
  ms(benchmark::RegisterBenchmark("ValueSearch200/POS1/60000", BM_ValueSearch, "POS1", 60000));
  ms(benchmark::RegisterBenchmark("ValueSearch200/SUMS/20000", BM_ValueSearch, "SUMS", 20000));
  ms(benchmark::RegisterBenchmark("ValueSearch200/RPC2/200000", BM_ValueSearch, "RPC2", 200000));
  ms(benchmark::RegisterBenchmark("ValueSearch200/KNM2/20000", BM_ValueSearch, "KNM2", 20000));
  return true;
}();

}  // namespace
}  // namespace kvarn
