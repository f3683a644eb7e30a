// A back-test of a scenario over the newest 100 draws of a 2,000-draw archive: one line of three
// filters, the first with two sample lengths and three depths (six variants per pass, 600 in
// all), each cutting the list one row at a time until few combinations are left. Argument 1
// counts the single-select walks (as the runner does), 0 filters the list at every row.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/scenario_runner.h"
#include "app/workspace.h"
#include "common/archives.h"
#include "common/temp_dir.h"

namespace kvarn {
namespace {

constexpr const char* BenchLine =
    "FULL:0#FIRST|TSD1#SUMS:10,20#LMV:1-3;1#SC:20000|TSD1#EVEN:30#LNO:#SC:5000|"
    "TSD1#DIFM:15#LNO:#SC:500|";

void BM_ScenarioTest100(benchmark::State& state) {
  test::TTempDir dir;
  test::WriteArchive(dir.Path(), test::RandomArchive(2000, 1, 20241209));
  TSilentHost host;
  TWorkspace ws(host, dir.Path());
  ws.OpenHeadless();
  if (!ws.StakesOpen()) {
    state.SkipWithError("stakes file");
    return;
  }
  ws.CombsStartup();
  TScenarioRunner runner(ws);
  runner.CountedWalks = state.range(0) != 0;
  int variants = 0;
  runner.OnVariant = [&](const TScriptVariantRun&) { ++variants; };
  // Each selection of rows is followed by one filter pass over the list.
  int64_t passes = 0;
  runner.OnStatSelection = [&](const std::vector<int>& rows) { passes += rows.empty() ? 0 : 1; };
  for (auto _ : state) {
    const TScriptRunResult r = runner.Test({BenchLine}, 100);
    if (r.Status != TScriptRunStatus::Completed) state.SkipWithError(r.Message.c_str());
  }
  state.counters["passes"] = static_cast<double>(passes) / static_cast<double>(state.iterations());
  state.counters["variants"] = variants / static_cast<double>(state.iterations());
  state.counters["per_variant_ms"] =
      benchmark::Counter(static_cast<double>(variants) / 1000.0,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ScenarioTest100)->Arg(1)->Arg(0)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace kvarn
