#include "views/graph.h"

#include <unordered_map>

#include "stats/stat.h"
#include "stats/table.h"

namespace kvarn {

TStatGraphSeries BuildGraphSeries(TCustomGraphStat& stat, int offset, int len, bool sorted) {
  TStatGraphSeries s;
  const int drawsCount = static_cast<int>(stat.Draws.size());
  const TStatWindow w = StatWindow(drawsCount, offset, len);
  if (w.N <= 0 || w.Last >= drawsCount) return s;
  s.Points.reserve(static_cast<size_t>(w.N));
  // Counts in the order the values first appear, so that ties go to the earliest value.
  std::vector<std::pair<int32_t, int32_t>> counts;
  std::unordered_map<int32_t, size_t> at;
  for (int i = w.First; i <= w.Last; ++i) {
    const int32_t v = stat.GraphValue(i, w.Last, sorted);
    s.Points.push_back({stat.Draws[static_cast<size_t>(i)].Number, v});
    s.Sum += v;
    auto [it, added] = at.try_emplace(v, counts.size());
    if (added)
      counts.emplace_back(v, 1);
    else
      ++counts[it->second].second;
  }
  for (const auto& [value, count] : counts)
    if (count > s.MostFrequentCount) {
      s.MostFrequent = value;
      s.MostFrequentCount = count;
    }
  return s;
}

}  // namespace kvarn
