#include "views/repeats.h"

#include <algorithm>

#include "core/text.h"
#include "views/number_mask.h"

namespace kvarn {

TRepeatsResult AnalyzeRepeats(const TDrawsArray& draws, int len, int deep,
                              const TRepeatsProgress& progress) {
  TRepeatsResult r;
  const int a = static_cast<int>(draws.size()) - 1;
  const int b = static_cast<int>(std::max<int64_t>(0, int64_t{a} - len + 1));
  if (a < 0 || len <= 0) return r;
  std::vector<uint64_t> masks(draws.size());
  for (size_t i = 0; i < draws.size(); ++i) masks[i] = NumberMask(draws[i].Values);
  const int total = a - b + 1;
  for (int p = a; p >= b; --p) {
    // Row of each number of shared numbers for draw p, as an index into Rows.
    int rowOf[CombSize + 1] = {-1, -1, -1, -1, -1, -1};
    const int stop = static_cast<int>(std::max<int64_t>(0, int64_t{p} - deep));
    const uint64_t mp = masks[static_cast<size_t>(p)];
    for (int k = p - 1; k >= stop; --k) {
      const int m = SharedNumbers(mp, masks[static_cast<size_t>(k)]);
      r.MaxMatches = std::max(r.MaxMatches, m);
      if (m == 0) continue;
      const int32_t number = draws[static_cast<size_t>(k)].Number;
      if (rowOf[m] >= 0) {
        TRepeatRow& row = r.Rows[static_cast<size_t>(rowOf[m])];
        ++row.Count;
        row.Draws += ' ';
        row.Draws += std::to_string(number);
      } else {
        rowOf[m] = static_cast<int>(r.Rows.size());
        r.Rows.push_back({draws[static_cast<size_t>(p)].Number, m, 1, std::to_string(number)});
      }
    }
    if (progress) progress(a - p + 1, total);
  }
  return r;
}

std::vector<TRepeatsSeries> RepeatsChartSeries(const TRepeatsResult& result) {
  std::vector<TRepeatsSeries> series;
  for (int m = 1; m <= result.MaxMatches; ++m)
    series.push_back({m, StrFormat("Совпадений: %d", m), {}});
  for (auto row = result.Rows.rbegin(); row != result.Rows.rend(); ++row)
    if (row->Matches >= 1 && row->Matches <= result.MaxMatches)
      series[static_cast<size_t>(row->Matches - 1)].Points.push_back({row->Draw, row->Count});
  return series;
}

}  // namespace kvarn
