#include "stats/methods/shredding.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <vector>

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
  compiled_.Compile(formula_);
}

int32_t TstShreddingStat::Shred(const TComb& n, const TComb& p, const TComb& t) {
  if (compiled_.Valid()) {
    try {
      return ShredFraction(compiled_.Evaluate(n, p, t), digits_);
    } catch (const std::exception&) {
      return 0;
    }
  }
  // The same passes as ShredValue: for each position, every n, p and t variable in turn, so that
  // a text made up by one replacement is seen by the later ones exactly as there.
  text_.assign(formula_);
  for (int i = 1; i <= CombSize; ++i) {
    const struct {
      char lower, upper;
      const TComb& set;
    } vars[3] = {{'n', 'N', n}, {'p', 'P', p}, {'t', 'T', t}};
    const char digit = static_cast<char>('0' + i);
    for (const auto& v : vars) {
      if (text_.find(v.lower) == std::string::npos && text_.find(v.upper) == std::string::npos)
        continue;
      char value[4];
      const auto end = std::to_chars(value, value + sizeof value, v.set[i - 1]).ptr;
      next_.clear();
      for (size_t k = 0; k < text_.size(); ++k) {
        if ((text_[k] == v.lower || text_[k] == v.upper) && k + 1 < text_.size() &&
            text_[k + 1] == digit) {
          next_.append(value, end);
          ++k;
        } else {
          next_ += text_[k];
        }
      }
      text_.swap(next_);
    }
  }
  try {
    return ShredFraction(EvaluateFormula(text_), digits_);
  } catch (const std::exception&) {
    return 0;
  }
}

std::string TstShreddingStat::ValueText(const TStatDraw& item) const {
  return std::to_string(item.Key.L1());
}

void TstShreddingStat::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomGraphStat::AddCombValues(comb, list);
  // A combination has no draws before it: p and t read as zeros.
  static const TComb zeros{};
  Work.Key.SetL1(Shred(comb, zeros, zeros));
  AddStatItem(list, Work, false);
}

int32_t TstShreddingStat::DrawValue(const TComb& values, int index, bool sorted) {
  ReadDrawInto(Draws, index - 1, sorted, p_);
  ReadDrawInto(Draws, index - 2, sorted, t_);
  return Shred(values, p_.Values, t_.Values);
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

int TstShreddingStat::FilterPass(const TComb* src, int n, TComb* dst,
                                 const TStatDrawArray& selected, int last, bool sorted,
                                 bool exclude) {
  // p and t are the same two draws for every candidate.
  ReadDrawInto(Draws, last, sorted, p_);
  ReadDrawInto(Draws, last - 1, sorted, t_);
  int kept = 0;
  if (!compiled_.Valid()) {
    for (int i = 0; i < n; ++i) {
      const TComb& c = src[i];
      if (SelectedHasLong(selected, 1, Shred(c, p_.Values, t_.Values)) != exclude) dst[kept++] = c;
    }
    return kept;
  }
  // The selected values as bits: a value is 0 .. 10^digits - 1, and other keys match nothing.
  int32_t limit = 1;
  for (int d = 0; d < digits_; ++d) limit *= 10;
  std::vector<uint64_t> wanted(static_cast<size_t>(limit / 64 + 1), 0);
  for (const TStatDraw& s : selected) {
    const int32_t v = s.Key.L1();
    if (v >= 0 && v < limit) wanted[static_cast<size_t>(v / 64)] |= uint64_t{1} << (v % 64);
  }
  constexpr int batch = TCompiledFormula::BatchSize;
  int32_t shredded[batch];
  for (int from = 0; from < n; from += batch) {
    const int count = std::min(batch, n - from);
    // Written entries never pass the one read (dst may be src), so the batch is read in place.
    const TComb* combs = src + from;
    compiled_.ShredBatch(combs, count, p_.Values, t_.Values, digits_, shredded);
    for (int k = 0; k < count; ++k) {
      const auto v = static_cast<uint32_t>(shredded[k]);
      if (((wanted[v / 64] >> (v % 64) & 1) != 0) != exclude) dst[kept++] = combs[k];
    }
  }
  return kept;
}

int32_t TstShreddingStat::GraphValueOf(const TComb& values, int index, int, bool sorted) {
  return DrawValue(values, index, sorted);
}

KVARN_STAT_CLASS(TstShreddingStat)

}  // namespace kvarn
