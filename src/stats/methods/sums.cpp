#include "stats/methods/sums.h"

#include <array>

#include "core/text.h"

namespace kvarn {

namespace {

int ValuesSum(const uint8_t* values) {
  int s = 0;
  for (int i = 0; i < CombSize; ++i) s += values[i];
  return s;
}

int32_t Sign(int v) {
  return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

void AddLong(TStatDraw& work, TStatDrawArray& list, int32_t value) {
  work.Key.Clear();
  work.Key.SetL1(value);
  AddStatItem(list, work, true);
}

}  // namespace

int DrawSumAt(const TDrawsArray& draws, int index) {
  if (index < 0 || static_cast<size_t>(index) >= draws.size()) return 0;
  return CombSum(draws[static_cast<size_t>(index)].Values);
}

// ---- TstSumValues ----

std::string TstSumValues::ValueText(const TStatDraw& item) const {
  return std::to_string(item.Key.L1());
}

void TstSumValues::ListAllValues(int last, TStatDrawArray& list) {
  TCustomStat::ListAllValues(last, list);
  ListRange(list, MinSum, MaxSum);
}

int32_t TstSumValues::GraphValueOf(const TComb& values, int, int, bool) {
  return ValuesSum(values.data());
}

int TstSumValues::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  keys[0].Clear();
  keys[0].SetL1(ValuesSum(values));
  return 1;
}

// ---- TstSumRanges ----

TSumRange SumRangeOf(int param) {
  switch (param) {
    case 1:
      return {59, 126, 1, 3};
    case 2:
      return {66, 119, 1, 2};
    case 3:
      return {72, 113, 2, 3};
    default:
      return {1, 0, 0, 0};
  }
}

std::string TstSumRanges::CaptionOf(int param) {
  const TSumRange r = SumRangeOf(param);
  return FormatIndexed(Caption(), {param, r.Num, r.Den});
}

std::string TstSumRanges::ValueText(const TStatDraw& item) const {
  if (item.Key.L1() != 1) return "Остальные";
  const TSumRange r = SumRangeOf(Param);
  return StrFormat("%d-%d", r.Low, r.High);
}

void TstSumRanges::ListAllValues(int last, TStatDrawArray& list) {
  TCustomStat::ListAllValues(last, list);
  ListRange(list, 0, 1);
}

bool TstSumRanges::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  const bool inside = FirstValue(comb.data()) == 1;
  // Selecting the range row keeps the sums inside it; any other selection the sums outside.
  return SelectedHasLong(selected, 1, 1) ? inside : !inside;
}

int32_t TstSumRanges::GraphValueOf(const TComb& values, int, int, bool) {
  return FirstValue(values.data());
}

int TstSumRanges::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  const TSumRange r = SumRangeOf(Param);
  const int s = ValuesSum(values);
  keys[0].Clear();
  keys[0].SetL1(s >= r.Low && s <= r.High ? 1 : 0);
  return 1;
}

// ---- TstSumChange ----

std::string TstSumChange::ValueText(const TStatDraw& item) const {
  const int32_t a = item.Key.L1();
  const int32_t b = item.Key.L2();
  if (b < a) return StrFormat("- %.2d : %d - %d = %d", a - b, a, a - b, b);
  return StrFormat("+%.2d : %d + %d = %d", b - a, a, b - a, b);
}

void TstSumChange::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                 TStatContext& context, TLastValueArray& lastValues) {
  TCustomGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  const int before = DrawSumAt(Draws, index - 1);
  if (before != CombSum(Previous.Values)) return;
  Work.Key.Clear();
  Work.Key.SetL1(before);
  Work.Key.SetL2(CombSum(Current.Values));
  AddStatItem(list, Work, true);
}

bool TstSumChange::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  return SelectedHasLong(selected, 2, CombSum(comb));
}

int32_t TstSumChange::GraphValueOf(const TComb& values, int index, int, bool) {
  return ValuesSum(values.data()) - DrawSumAt(Draws, index - 1);
}

// ---- TstSumChangeSome ----

std::string TstSumChangeSome::ValueText(const TStatDraw& item) const {
  const int32_t c = item.Key.L1();
  return c < 0 ? StrFormat("- %.2d", -c) : StrFormat("+%.2d", c);
}

void TstSumChangeSome::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                     TStatContext& context, TLastValueArray& lastValues) {
  TCustomStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  const int before = DrawSumAt(Draws, index - 1);
  const int reference = CombSum(Previous.Values);
  if (reference < before - SumTolerance || reference > before + SumTolerance) return;
  AddLong(Work, list, CombSum(Current.Values) - before);
}

bool TstSumChangeSome::CombMatches(const TComb& comb, const TStatDrawArray& selected, int last,
                                   bool sorted, bool) {
  LoadDraws(last, last, sorted);
  return SelectedHasLong(selected, 1, CombSum(comb) - CombSum(Previous.Values));
}

namespace {

// A pass whose test depends on the combination's sum alone: made once per sum.
template <class F>
int SumFilterPass(const TComb* src, int n, TComb* dst, bool exclude, F matchesSum) {
  constexpr int maxSum = CombSize * 255;
  std::array<uint8_t, maxSum + 1> hits{};
  for (int sum = 0; sum <= maxSum; ++sum) hits[static_cast<size_t>(sum)] = matchesSum(sum) ? 1 : 0;
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const TComb& c = src[i];
    if ((hits[static_cast<size_t>(CombSum(c))] != 0) != exclude) dst[kept++] = c;
  }
  return kept;
}

}  // namespace

int TstSumChangeSome::FilterPass(const TComb* src, int n, TComb* dst,
                                 const TStatDrawArray& selected, int last, bool sorted,
                                 bool exclude) {
  if (n <= 0) return 0;
  // The reference draw is the same for every candidate.
  LoadDraws(last, last, sorted);
  const int before = CombSum(Previous.Values);
  return SumFilterPass(src, n, dst, exclude,
                       [&](int sum) { return SelectedHasLong(selected, 1, sum - before); });
}

// ---- TstSumTrend ----

std::string TstSumTrend::ValueText(const TStatDraw& item) const {
  const int32_t v = item.Key.L1();
  return v == 0 ? "=" : (v < 0 ? "-" : "+");
}

void TstSumTrend::ListAllValues(int last, TStatDrawArray& list) {
  TCustomGraphStat::ListAllValues(last, list);
  for (int32_t v : {0, 1, -1}) {
    Work.Key.Clear();
    Work.Key.SetL1(v);
    AddStatItem(list, Work, false);
  }
}

void TstSumTrend::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                TStatContext& context, TLastValueArray& lastValues) {
  TCustomGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  const int before = DrawSumAt(Draws, index - 1);
  if (before != CombSum(Previous.Values)) return;
  AddLong(Work, list, Sign(CombSum(Current.Values) - before));
}

bool TstSumTrend::CombMatches(const TComb& comb, const TStatDrawArray& selected, int last,
                              bool sorted, bool) {
  LoadDraws(last, last, sorted);
  return SelectedHasLong(selected, 1, Sign(CombSum(comb) - CombSum(Previous.Values)));
}

int TstSumTrend::FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected,
                            int last, bool sorted, bool exclude) {
  if (n <= 0) return 0;
  LoadDraws(last, last, sorted);
  const int before = CombSum(Previous.Values);
  return SumFilterPass(src, n, dst, exclude,
                       [&](int sum) { return SelectedHasLong(selected, 1, Sign(sum - before)); });
}

int32_t TstSumTrend::GraphValueOf(const TComb& values, int index, int, bool) {
  return Sign(ValuesSum(values.data()) - DrawSumAt(Draws, index - 1));
}

// ---- TstSum2To3 ----

int32_t TstSum2To3::GraphValueOf(const TComb& values, int, int, bool) {
  return FirstValue(values.data());
}

int TstSum2To3::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  // Each pair against the three numbers outside it: the same triples as every number against
  // every pair without it, in a fixed table the filter runs through for every combination.
  static constexpr struct {
    int j, k, others[3];
  } pairs[] = {{0, 1, {2, 3, 4}}, {0, 2, {1, 3, 4}}, {0, 3, {1, 2, 4}}, {0, 4, {1, 2, 3}},
               {1, 2, {0, 3, 4}}, {1, 3, {0, 2, 4}}, {1, 4, {0, 2, 3}}, {2, 3, {0, 1, 4}},
               {2, 4, {0, 1, 3}}, {3, 4, {0, 1, 2}}};
  int count = 0;
  for (const auto& p : pairs) {
    const int sum = values[p.j] + values[p.k];
    for (int i : p.others) count += values[i] == sum ? 1 : 0;
  }
  keys[0].Set(static_cast<uint16_t>(count));
  return 1;
}

KVARN_STAT_CLASS(TstSumValues)
KVARN_STAT_CLASS(TstSumRanges)
KVARN_STAT_CLASS(TstSumChange)
KVARN_STAT_CLASS(TstSumChangeSome)
KVARN_STAT_CLASS(TstSumTrend)
KVARN_STAT_CLASS(TstSumEvenValues)
KVARN_STAT_CLASS(TstSumPrimeValues)
KVARN_STAT_CLASS(TstSum2To3)

}  // namespace kvarn
