// A large archive and a large stakes file: start-up with 100,000 draws, the statistics table of
// every method over all of them, a filter pass with such a table, and a stakes file of 1,000,000
// records opened, scrolled and checked. The memory counters are the growth of the resident set
// over what the process held before the step, in MB: the stakes file must never be loaded whole.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "app/host.h"
#include "app/workspace.h"
#include "combs/combs.h"
#include "common/archives.h"
#include "common/temp_dir.h"
#include "stakes/stakes_check.h"
#include "stakes/stakes_grid.h"
#include "stats/filter.h"
#include "stats/registry.h"
#include "stats/table.h"

namespace kvarn {
namespace {

constexpr int LargeDraws = 100000;
constexpr int64_t LargeStakes = 1000000;

// Resident set of the process in MB, from /proc.
double ResidentMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

const TDrawsArray& LargeArchive() {
  static const TDrawsArray draws = test::RandomArchive(LargeDraws, 1, 20261209);
  return draws;
}

TStatList& LargeRegistry() {
  static TStatList list(LargeArchive());
  static const bool registered = (list.Register(), true);
  (void)registered;
  return list;
}

class TQuietHost : public IHost {
 public:
  void ShowMessage(TMsgKind, const std::string&, const std::string& text) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  bool AskYesNo(const std::string&, const std::string&, bool) override { return false; }
  void SetStatusText(int, const std::string&) override {}
  void BusyChanged(bool) override {}
  void ProcessEvents() override {}
};

// Start-up without a window over a data directory whose draws file holds 100,000 draws.
void BM_LargeStartup(benchmark::State& state) {
  test::TTempDir dir;
  test::WriteArchive(dir.Path(), LargeArchive());
  TQuietHost host;
  for (auto _ : state) {
    TWorkspace ws(host, dir.Path());
    ws.OpenHeadless();
    benchmark::DoNotOptimize(ws.Draws().size());
  }
}
BENCHMARK(BM_LargeStartup)->Unit(benchmark::kMillisecond);

// The table of one method over the whole archive.
void BM_LargeTable(benchmark::State& state, int entry) {
  TStatList& list = LargeRegistry();
  TStatTableOptions options;
  options.Len = LargeDraws;
  TStatTable table;
  for (auto _ : state) {
    std::unique_ptr<TCustomStat> stat = list.CreateStat(entry);
    ComputeStatTable(*stat, options, table);
    benchmark::DoNotOptimize(table.Rows.data());
  }
  state.counters["rows"] = static_cast<double>(table.Rows.size());
}

// The filter over the full list with a third of the values of the sums table over every draw.
void BM_LargeFilterSums(benchmark::State& state) {
  TStatList& reg = LargeRegistry();
  const int entry = reg.FindByIdent("SUMS");
  if (entry < 0) {
    state.SkipWithError("no SUMS method");
    return;
  }
  TStatTableOptions options;
  options.Len = LargeDraws;
  TStatTable table;
  {
    std::unique_ptr<TCustomStat> stat = reg.CreateStat(entry);
    ComputeStatTable(*stat, options, table);
  }
  TStatDrawArray selected;
  for (size_t i = 0; i < table.Rows.size(); i += 3) selected.push_back(table.Rows[i].Item);
  TCombList full;
  GenerateCombs(full, gmFull, TNumberBits());
  TCombList list;
  const int last = LargeDraws - 1;
  for (auto _ : state) {
    std::unique_ptr<TCustomStat> fresh = reg.CreateStat(entry);
    FilterCombList(*fresh, selected, list, full, last, false, false);
    benchmark::DoNotOptimize(list.Data());
  }
  state.counters["left"] = list.Count();
}
BENCHMARK(BM_LargeFilterSums)->Unit(benchmark::kMillisecond);

const bool registeredLargeTables = [] {
  TStatList& reg = LargeRegistry();
  for (int i = 0; i < reg.Count(); ++i)
    benchmark::RegisterBenchmark(("LargeTable/" + reg.Items(i).IdentOf()).c_str(), BM_LargeTable, i)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  return true;
}();

TNumberSet SetOf(const TComb& c) {
  TNumberSet s;
  s.Count = CombSize;
  std::copy(c.begin(), c.end(), s.Numbers.begin());
  return s;
}

struct TSampledSink : IStakesCheckSink {
  double* peak;
  double base;
  int64_t seen = 0;
  TSampledSink(double* p, double b) : peak(p), base(b) {}
  void CheckProgress(const std::string&) override {}
  void StakeChecked(const TStake&) override {
    if (++seen % 20000 == 0) *peak = std::max(*peak, ResidentMb() - base);
  }
  void CheckError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

// 1,000,000 unchecked stakes (320 MB) for the last 2,000 draws: opened with the start-up test,
// 40-row screens read at random places, the last draws sought, and every stake checked. The
// counters say how far the resident set grew over the process's before the file was opened.
void BM_MillionStakes(benchmark::State& state) {
  test::TTempDir dir;
  const TDrawsArray draws = test::RandomArchive(2100, 1, 77);
  TConfigData config;
  config.StakeCost = 100000;
  config.Profits = {{2, 100000}, {3, 500000}, {4, 5000000}, {5, 1000000000}};
  TCombList full;
  GenerateCombs(full, gmFull, TNumberBits());
  {
    TStakesFile writer(dir.Path());
    writer.Open();
    const int64_t perDraw = LargeStakes / 2000;
    for (int g = 0; g < 2000; ++g) {
      writer.AppendSeparator();
      TStake proto =
          StakeNew(skScenario, 101 + g, 376992, SetOf(full[0]), "Сценарий", 100000, config.Profits);
      writer.AppendEach(
          // The first group has no separator before it.
          proto, static_cast<size_t>(g == 0 ? perDraw : perDraw - 1),
          [&](size_t i) { return SetOf(full[static_cast<int>((g * perDraw + i) % 376992)]); }, 1);
    }
  }
  double openMb = 0, scrollMb = 0, checkMb = 0, baseMb = 0;
  int64_t records = 0, checked = 0;
  for (auto _ : state) {
    const double base = ResidentMb();
    baseMb = base;
    TStakesFile file(dir.Path());
    file.Open();
    file.AcceptOnStartup();
    records = file.Count();
    file.SeekLastDraws(10);
    openMb = std::max(openMb, ResidentMb() - base);
    std::mt19937 rng(1);
    for (int screen = 0; screen < 200; ++screen) {
      const int64_t top = static_cast<int64_t>(rng() % static_cast<uint64_t>(records - 40));
      for (int64_t r = top; r < top + 40; ++r)
        benchmark::DoNotOptimize(StakeGridRow(file.ReadRecord(r, TStakeOrigin::Start)).Cells[0]);
    }
    scrollMb = std::max(scrollMb, ResidentMb() - base);
    TSampledSink sink(&checkMb, base);
    StakesCheck(file, draws, config, sink, nullptr);
    checkMb = std::max(checkMb, ResidentMb() - base);
    checked = sink.seen;
  }
  state.counters["records"] = static_cast<double>(records);
  state.counters["checked"] = static_cast<double>(checked);
  state.counters["base_mb"] = baseMb;
  state.counters["open_mb"] = openMb;
  state.counters["scroll_mb"] = scrollMb;
  state.counters["check_mb"] = checkMb;
}
BENCHMARK(BM_MillionStakes)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kvarn
