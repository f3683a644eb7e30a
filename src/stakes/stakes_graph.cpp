#include "stakes/stakes_graph.h"

#include <unordered_map>

#include "core/text.h"

namespace kvarn {

namespace {

constexpr size_t kBlockRecords = 4096;

// Calls `visit` with every record from `first` on.
template <typename F>
void ForEachRecord(TStakesFile& file, int64_t first, F&& visit) {
  std::vector<uint8_t> block(kBlockRecords * StakeRecordSize);
  for (;; first += static_cast<int64_t>(kBlockRecords)) {
    const size_t n = file.ReadBlock(first, kBlockRecords, block.data());
    for (size_t i = 0; i < n; ++i) visit(block.data() + i * StakeRecordSize);
    if (n < kBlockRecords) return;
  }
}

}  // namespace

std::vector<TGraphSeries> StakesGraphDraws(TStakesFile& file) {
  std::vector<int32_t> draws;
  std::vector<int64_t> sums;
  std::unordered_map<int32_t, size_t> indexOf;
  ForEachRecord(file, 0, [&](const uint8_t* rec) {
    const int32_t draw = StakeBytesDrawNumber(rec);
    if (draw < 0) return;
    auto [it, added] = indexOf.try_emplace(draw, draws.size());
    if (added) {
      draws.push_back(draw);
      sums.push_back(0);
    }
    sums[it->second] += StakeBytesProfit(rec);
  });
  if (draws.empty()) return {};
  long double total = 0;
  for (int64_t s : sums) total += MoneyToReal(s);
  const double average = static_cast<double>(total / static_cast<long double>(draws.size()));
  std::vector<TGraphSeries> series{{"Суммарный профит ставок по тиражу", {}},
                                   {"Среднее значение", {}},
                                   {"Накопленное значение", {}}};
  long double running = 0;
  for (size_t i = 0; i < draws.size(); ++i) {
    const double x = draws[i];
    running += MoneyToReal(sums[i]);
    series[0].Points.push_back({x, static_cast<double>(MoneyToReal(sums[i]))});
    series[1].Points.push_back({x, average});
    series[2].Points.push_back({x, static_cast<double>(running)});
  }
  return series;
}

std::vector<TGraphSeries> StakesGraphByComment(TStakesFile& file,
                                               const std::vector<std::string>& names,
                                               bool profits) {
  const TStakesSeek seek = file.SeekLastDraws(StakesGraphLastDraws);
  if (seek.Draws < 2) return {};
  std::vector<TGraphSeries> series;
  for (const std::string& name : names) series.push_back({name, {}});
  file.ForEach(seek.FirstIndex, [&](const TStake& s) {
    if (!s.IsChecked() || !s.HasDraw() || s.Matches() < 0) return;
    for (TGraphSeries& g : series) {
      if (!SameTextIgnoreCase(g.Title, s.Comment)) continue;
      const double y = profits ? static_cast<double>(MoneyToReal(s.Profit)) : s.Matches();
      g.Points.push_back({static_cast<double>(s.DrawNumber), y});
      break;
    }
  });
  return series;
}

}  // namespace kvarn
