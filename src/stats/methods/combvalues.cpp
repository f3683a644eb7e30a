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
