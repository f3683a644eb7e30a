// The benchmarks' entry point: Google Benchmark's own run and report, then a summary of the
// slowest statistics tables and filter passes, so that a regression stands out at once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct TTiming {
  std::string Name;
  double CpuMs = 0;
  double RealMs = 0;
};

double ToMs(double t, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond:
      return t / 1e6;
    case benchmark::kMicrosecond:
      return t / 1e3;
    case benchmark::kMillisecond:
      return t;
    case benchmark::kSecond:
      return t * 1e3;
  }
  return t;
}

// Passes every run on to the console and keeps the time of each table and pass: the median
// when the runs are repeated, else the single run.
class TSummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
      if (!median && !single) continue;
      const std::string name = r.run_name.str();
      std::vector<TTiming>* into = nullptr;
      if (name.rfind("StatTable/", 0) == 0) into = &tables_;
      if (name.rfind("FilterPass/", 0) == 0) into = &passes_;
      if (!into) continue;
      into->push_back({name, ToMs(r.GetAdjustedCPUTime(), r.time_unit),
                       ToMs(r.GetAdjustedRealTime(), r.time_unit)});
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    Print("Slowest statistics tables", tables_);
    Print("Slowest filter passes", passes_);
  }

 private:
  static void Print(const char* title, std::vector<TTiming>& list) {
    if (list.empty()) return;
    std::sort(list.begin(), list.end(),
              [](const TTiming& a, const TTiming& b) { return a.CpuMs > b.CpuMs; });
    std::printf("\n%s (of %zu, CPU ms):\n", title, list.size());
    for (size_t i = 0; i < list.size() && i < 10; ++i)
      std::printf("  %-32s %9.3f  (real %.3f)\n", list[i].Name.c_str(), list[i].CpuMs,
                  list[i].RealMs);
    std::fflush(stdout);
  }

  std::vector<TTiming> tables_;
  std::vector<TTiming> passes_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
