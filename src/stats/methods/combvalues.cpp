#include "stats/methods/combvalues.h"

namespace kvarn {

namespace {
constexpr size_t TupleBase = NumbersCount + 1;  // components 0..36
constexpr size_t TupleSpace = TupleBase * TupleBase * TupleBase * TupleBase;
}  // namespace

bool TSelectedTuples::Index(const TStatKey& key, size_t& index) {
  if (key.K1 >= TupleBase || key.K2 >= TupleBase || key.K3 >= TupleBase || key.K4 >= TupleBase)
    return false;  // no combination of numbers has such a tuple
  index = ((size_t{key.K1} * TupleBase + key.K2) * TupleBase + key.K3) * TupleBase + key.K4;
  return true;
}

bool TSelectedTuples::SameSelection(const TStatDrawArray& selected) const {
  return data_ == selected.data() && size_ == selected.size() && first_ == selected.front().Key &&
         middle_ == selected[size_ / 2].Key && last_ == selected.back().Key;
}

bool TSelectedTuples::AnySelected(const TGroupTuples& tuples, const TStatDrawArray& selected) {
  if (selected.size() <= ScanLimit) return TuplesSelected(tuples, selected);
  if (!SameSelection(selected)) {
    bits_.assign((TupleSpace + 63) / 64, 0);
    size_t index = 0;
    for (const TStatDraw& s : selected)
      if (Index(s.Key, index)) bits_[index / 64] |= uint64_t{1} << (index % 64);
    data_ = selected.data();
    size_ = selected.size();
    first_ = selected.front().Key;
    middle_ = selected[size_ / 2].Key;
    last_ = selected.back().Key;
  }
  size_t index = 0;
  for (int i = 0; i < tuples.Count; ++i)
    if (Index(tuples.Items[i], index) && (bits_[index / 64] >> (index % 64) & 1) != 0) return true;
  return false;
}

std::string TCustomCombValuesStat::ValueText(const TStatDraw& item) const {
  return TupleText(item.Key, size_);
}

void TCustomCombValuesStat::TuplesOf(const TComb& values, TGroupTuples& out) const {
  TComb v = values;
  if (kind_ == TCombValuesKind::Sort) SortComb(v);
  const TGroupAttrs a = GroupAttrsOf(v, [](int n) { return n; });
  switch (kind_) {
    case TCombValuesKind::Mix:
      MakeTuples(a, TTupleKind::Mix, size_, out);
      return;
    case TCombValuesKind::Seq:
    case TCombValuesKind::Sort:
      MakeTuples(a, TTupleKind::Seq, size_, out);
      return;
    case TCombValuesKind::Pos:
      break;
  }
  out.Size = size_;
  out.Count = 0;
  // A start position outside the range has no tuple.
  if (Param < 1 || Param + size_ - 1 > CombSize) return;
  TStatKey& t = out.Items[out.Count++];
  t.Clear();
  for (int j = 0; j < size_; ++j) t.SetK(j + 1, static_cast<uint16_t>(a[Param - 1 + j]));
}

void TCustomCombValuesStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                          TStatContext& context, TLastValueArray& lastValues) {
  TCustomStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  TuplesOf(Current.Values, tuples_);
  AddTuples(Work, tuples_, list, true);
}

bool TCustomCombValuesStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                        bool, bool) {
  TuplesOf(comb, tuples_);
  return selectedTuples_.AnySelected(tuples_, selected);
}

namespace {

// The numbers are their own tuple components; one past 36 has no bit.
bool NumberAttrs(const TComb& c, TGroupAttrs& a) {
  bool ok = true;
  for (int i = 0; i < CombSize; ++i) {
    const uint8_t v = c[static_cast<size_t>(i)];
    ok = ok && v <= NumbersCount;
    a[static_cast<size_t>(i)] = v;
  }
  return ok;
}

bool SortedNumberAttrs(const TComb& c, TGroupAttrs& a) {
  TComb v = c;
  SortComb(v);
  return NumberAttrs(v, a);
}

template <TTupleKind Kind, class AttrsOf, class Fallback>
int PassOfSize(int size, const TComb* src, int n, TComb* dst, const TTupleBits& bits, bool exclude,
               AttrsOf attrsOf, Fallback fallback) {
  switch (size) {
    case 2:
      return TupleFilterPass<Kind, 2>(src, n, dst, bits, exclude, attrsOf, fallback);
    case 3:
      return TupleFilterPass<Kind, 3>(src, n, dst, bits, exclude, attrsOf, fallback);
    default:
      return TupleFilterPass<Kind, 4>(src, n, dst, bits, exclude, attrsOf, fallback);
  }
}

}  // namespace

int TCustomCombValuesStat::FilterPass(const TComb* src, int n, TComb* dst,
                                      const TStatDrawArray& selected, int last, bool sorted,
                                      bool exclude) {
  if (size_ < MinTupleSize || size_ > MaxTupleSize)
    return TCustomStat::FilterPass(src, n, dst, selected, last, sorted, exclude);
  bits_.Build(selected, size_);
  auto fallback = [&](const TComb& c) { return CombMatches(c, selected, last, sorted, exclude); };
  switch (kind_) {
    case TCombValuesKind::Mix:
      return PassOfSize<TTupleKind::Mix>(size_, src, n, dst, bits_, exclude, NumberAttrs, fallback);
    case TCombValuesKind::Seq:
      return PassOfSize<TTupleKind::Seq>(size_, src, n, dst, bits_, exclude, NumberAttrs, fallback);
    case TCombValuesKind::Sort:
      return PassOfSize<TTupleKind::Seq>(size_, src, n, dst, bits_, exclude, SortedNumberAttrs,
                                         fallback);
    case TCombValuesKind::Pos:
      break;
  }
  // One tuple from the parameter's position; none (nothing matches) outside the range.
  const bool none = Param < 1 || Param + size_ - 1 > CombSize;
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const TComb& c = src[i];
    bool m = false;
    if (!none) {
      uint32_t index = 0;
      bool ok = true;
      for (int j = 0; j < size_; ++j) {
        const uint8_t v = c[static_cast<size_t>(Param - 1 + j)];
        ok = ok && v <= NumbersCount;
        index = index * TTupleBits::Base + v;
      }
      m = ok ? bits_.Has(index) : fallback(c);
    }
    if (m != exclude) dst[kept++] = c;
  }
  return kept;
}

KVARN_STAT_CLASS(TstCombValMix2)
KVARN_STAT_CLASS(TstCombValMix3)
KVARN_STAT_CLASS(TstCombValMix4)
KVARN_STAT_CLASS(TstCombValSeq2)
KVARN_STAT_CLASS(TstCombValSeq3)
KVARN_STAT_CLASS(TstCombValSeq4)
KVARN_STAT_CLASS(TstCombValPos2)
KVARN_STAT_CLASS(TstCombValPos3)
KVARN_STAT_CLASS(TstCombValPos4)
KVARN_STAT_CLASS(TstCombValSort2)
KVARN_STAT_CLASS(TstCombValSort3)
KVARN_STAT_CLASS(TstCombValSort4)

}  // namespace kvarn
