#include "stats/methods/ognev.h"

#include <array>
#include <cstdlib>

namespace kvarn {

TOgnevResult OgnevReduce(const TComb& values, int mode) {
  std::array<int, CombSize> x{};
  for (int i = 0; i < CombSize; ++i) x[i] = values[i];
  int k = CombSize;
  while (k > 2) {
    for (int i = 0; i + 1 < k; ++i) x[i] = std::abs(x[i + 1] - x[i]);
    --k;
  }
  const int u = x[0], v = x[1];
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
