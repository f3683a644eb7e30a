#include "stats/methods/shredding.h"

#include "stats/methods/formula.h"
#include "stats/registry.h"

namespace kvarn {

TstShreddingStat::TstShreddingStat(const TStatList& list, int param)
    : TCustomGraphStat(list, param) {
  if (param >= 1 && param <= ShreddingFormulaCount) {
    const auto k = static_cast<size_t>(param - 1);
    formula_ = list.ShreddingFormulas[k];
    digits_ = list.ShreddingDigits[k];
  }
  // A digit count outside 1..5 from a hand-edited file would overflow the whole number.
  if (digits_ < ShreddingMinDigits) digits_ = ShreddingMinDigits;
  if (digits_ > ShreddingMaxDigits) digits_ = ShreddingMaxDigits;
}

std::string TstShreddingStat::ValueText(const TStatDraw& item) const {
  return std::to_string(item.Key.L1());
}

void TstShreddingStat::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomGraphStat::AddCombValues(comb, list);
  // A combination has no draws before it: p and t read as zeros.
  static const TComb zeros{};
  Work.Key.SetL1(ShredValue(comb, zeros, zeros, digits_, formula_));
  AddStatItem(list, Work, false);
}

int32_t TstShreddingStat::DrawValue(const TComb& values, int index, bool sorted) {
  ReadDrawInto(Draws, index - 1, sorted, p_);
  ReadDrawInto(Draws, index - 2, sorted, t_);
  return ShredValue(values, p_.Values, t_.Values, digits_, formula_);
}

void TstShreddingStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                     TStatContext& context, TLastValueArray& lastValues) {
  TCustomGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.SetL1(DrawValue(Current.Values, index, sorted));
  AddStatItem(list, Work, true);
}

bool TstShreddingStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int last,
                                   bool sorted, bool) {
  // The candidate follows the latest draw: that draw is its p, the one before it its t.
  return SelectedHasLong(selected, 1, DrawValue(comb, last + 1, sorted));
}

int32_t TstShreddingStat::GraphValueOf(const TComb& values, int index, int, bool sorted) {
  return DrawValue(values, index, sorted);
}

KVARN_STAT_CLASS(TstShreddingStat)

}  // namespace kvarn
