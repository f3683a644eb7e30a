#include "stats/methods/ognev.h"

#include <array>
#include <cstdlib>

namespace kvarn {

TOgnevResult OgnevReduce(const TComb& values, int mode) {
  // The rows of differences written out (the filter reduces every combination): four, three,
  // then the last two, u and v.
  const int a0 = std::abs(values[1] - values[0]), a1 = std::abs(values[2] - values[1]);
  const int a2 = std::abs(values[3] - values[2]), a3 = std::abs(values[4] - values[3]);
  const int b0 = std::abs(a1 - a0), b1 = std::abs(a2 - a1), b2 = std::abs(a3 - a2);
  const int u = std::abs(b1 - b0), v = std::abs(b2 - b1);
  const int r = std::abs(v - u);
  TOgnevResult result{r, false};
  if (mode == 1 && r <= 1) result.Value = u + v;
  if (mode == 2 && r == 0) result.Value = u + v;
  if (mode == 2 && r == 1) result = {u + v, true};
  return result;
}

// ---- TCustomOgnevGraphStat ----

void TCustomOgnevGraphStat::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomGraphStat::AddCombValues(comb, list);
  Work.Key.Set(static_cast<uint16_t>(OgnevReduce(comb, mode_).Value));
  AddStatItem(list, Work, false);
}

void TCustomOgnevGraphStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                          TStatContext& context, TLastValueArray& lastValues) {
  TCustomGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.Set(static_cast<uint16_t>(OgnevReduce(Current.Values, mode_).Value));
  AddStatItem(list, Work, true);
}

bool TCustomOgnevGraphStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                        bool, bool) {
  return SelectedHasKey(selected, static_cast<uint16_t>(OgnevReduce(comb, mode_).Value), 0, 0, 0);
}

int TCustomOgnevGraphStat::FilterPass(const TComb* src, int n, TComb* dst,
                                      const TStatDrawArray& selected, int, bool, bool exclude) {
  // Differences of bytes are below 256, so a value is below 512.
  std::array<uint8_t, 512> hits{};
  for (int v = 0; v < 512; ++v)
    hits[static_cast<size_t>(v)] =
        SelectedHasKey(selected, static_cast<uint16_t>(v), 0, 0, 0) ? 1 : 0;
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const TComb& c = src[i];
    if ((hits[static_cast<size_t>(OgnevReduce(c, mode_).Value)] != 0) != exclude) dst[kept++] = c;
  }
  return kept;
}

int32_t TCustomOgnevGraphStat::GraphValueOf(const TComb& values, int, int, bool) {
  return OgnevReduce(values, mode_).Value;
}

// ---- TstOgnev3 ----

std::string TstOgnev3::ValueText(const TStatDraw& item) const {
  std::string s = std::to_string(item.Key.K1);
  if (item.Key.K4 == 2) s += " (" + std::to_string(item.Key.K2) + ")";
  return s;
}

void TstOgnev3::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                              TStatContext& context, TLastValueArray& lastValues) {
  TCustomStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  const int high = static_cast<int>(Draws.size()) - 1;
  if (index < 0 || index > high || Current.Number != Previous.Number) return;

  // The count says whether the value came in the draw after the reference draw, when the
  // analysis point left one; a number 0 is never drawn.
  const bool hasNext = last + 1 >= 0 && last + 1 <= high;
  const TComb next = hasNext ? Draws[static_cast<size_t>(last + 1)].Values : TComb{};
  auto add = [&](int value, uint16_t k2, uint16_t k4) {
    Work.Key.Set(static_cast<uint16_t>(value), k2, 0, k4);
    Work.Count = value >= 1 && value <= NumbersCount && CombHas(next, value) ? 1 : 0;
    AddStatItem(list, Work, false);
  };

  const TOgnevResult r = OgnevReduce(Current.Values, 2);
  const int f = r.Value;
  if (r.Pair)
    add(f, 1, 2);
  else
    add(f, 0, 0);

  // Multiples of f from below 36 down to 2f; for f = 2 and 3 the start is f cubed (8, 27).
  int g = f * f;
  if (g < NumbersCount) g *= f;
  while (g > f) {
    if (g >= 1 && g <= NumbersCount) add(g, 0, 0);
    g -= f;
  }
}

bool TstOgnev3::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  for (const TStatDraw& s : selected)
    if (CombHas(comb, s.Key.K1)) return true;
  return false;
}

KVARN_STAT_CLASS(TstOgnev1)
KVARN_STAT_CLASS(TstOgnev2)
KVARN_STAT_CLASS(TstOgnev3)

}  // namespace kvarn
