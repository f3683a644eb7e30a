#include "views/sums.h"

#include <algorithm>

#include "core/text.h"
#include "views/colours.h"

namespace kvarn {

namespace {
// Sums of five bytes stay below this.
constexpr int SumSlots = 5 * 255 + 1;

TStatSimpleArray TableOf(const std::vector<int32_t>& counts) {
  TStatSimpleArray t;
  for (size_t s = 0; s < counts.size(); ++s)
    if (counts[s] > 0) t.push_back({static_cast<int32_t>(s), counts[s]});
  return t;
}
}  // namespace

const TStatSimpleArray& TheoreticalSums() {
  static const TStatSimpleArray table = [] {
    std::vector<int32_t> counts(SumSlots, 0);
    for (int a = 1; a <= NumbersCount; ++a)
      for (int b = a + 1; b <= NumbersCount; ++b)
        for (int c = b + 1; c <= NumbersCount; ++c)
          for (int d = c + 1; d <= NumbersCount; ++d)
            for (int e = d + 1; e <= NumbersCount; ++e)
              ++counts[static_cast<size_t>(a + b + c + d + e)];
    return TableOf(counts);
  }();
  return table;
}

int32_t TSumsDistribution::ActualCount(int32_t sum) const {
  auto it = std::lower_bound(Actual.begin(), Actual.end(), sum,
                             [](const TStatSimple& s, int32_t v) { return s.Key < v; });
  return it != Actual.end() && it->Key == sum ? it->Count : 0;
}

TSumsDistribution BuildSumsDistribution(const TDrawsArray& draws) {
  TSumsDistribution d;
  d.Theory = TheoreticalSums();
  std::vector<int32_t> counts(SumSlots, 0);
  for (const TDraw& draw : draws) ++counts[static_cast<size_t>(CombSum(draw.Values))];
  d.Actual = TableOf(counts);

  d.Tmin = d.Tmax = d.Theory.front().Count;
  for (const TStatSimple& s : d.Theory) {
    d.Tmin = std::min(d.Tmin, s.Count);
    d.Tmax = std::max(d.Tmax, s.Count);
  }
  for (const TStatSimple& s : d.Actual) d.Amax = std::max(d.Amax, s.Count);
  // Tmin + W / 3 and so on, truncated: with positive counts the integer quotient is the same.
  const int64_t w = int64_t{d.Tmax} - d.Tmin + 1;
  d.T = {static_cast<int32_t>(d.Tmin + w / 3), static_cast<int32_t>(d.Tmin + w / 2),
         static_cast<int32_t>(d.Tmin + 2 * w / 3)};

  const size_t middle = d.Theory.size() / 2;
  for (int k = 0; k < SumBands; ++k) {
    for (size_t i = 0; i <= middle; ++i)
      if (d.Theory[i].Count >= d.T[k]) {
        d.Lo[k] = d.Theory[i].Key;
        break;
      }
    for (size_t i = d.Theory.size(); i-- > middle;)
      if (d.Theory[i].Count >= d.T[k]) {
        d.Hi[k] = d.Theory[i].Key;
        break;
      }
  }
  return d;
}

std::vector<TSumsSeries> SumsChartSeries(const TSumsDistribution& d) {
  std::vector<TSumsSeries> series;
  // Scaled onto the actual counts; without draws every scaled value is 0.
  auto scaled = [&d](int32_t count) {
    return d.Tmax > 0 ? static_cast<double>(int64_t{count} * d.Amax) / d.Tmax : 0.0;
  };
  TSumsSeries actual{SumsActualTitle, RedColour, true, true, {}};
  for (const TStatSimple& s : d.Actual) actual.Points.push_back({s.Key, double(s.Count)});
  series.push_back(std::move(actual));
  TSumsSeries theory{SumsTheoryTitle, MaroonColour, false, false, {}};
  for (const TStatSimple& s : d.Theory) theory.Points.push_back({s.Key, scaled(s.Count)});
  series.push_back(std::move(theory));
  static constexpr const char* kShares[SumBands] = {"1/3", "1/2", "2/3"};
  static constexpr uint32_t kColours[SumBands] = {GreenColour, BlueColour, MagentaColour};
  for (int k = 0; k < SumBands; ++k) {
    TSumsSeries band{StrFormat("Диапазон %d (от %s и выше по оси Y) - суммы %d-%d", k + 1,
                               kShares[k], d.Lo[k], d.Hi[k]),
                     kColours[k],
                     false,
                     false,
                     {}};
    for (const TStatSimple& s : d.Theory) band.Points.push_back({s.Key, scaled(d.T[k])});
    series.push_back(std::move(band));
  }
  return series;
}

}  // namespace kvarn
