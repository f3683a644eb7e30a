#include "stats/methods/matrix.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#include "core/config.h"
#include "core/text.h"
#include "stats/registry.h"

namespace kvarn {

namespace {

constexpr bool IsCols(TMatrixDir dir) {
  return dir == TMatrixDir::Columns;
}

// The group of n in the direction, how many groups there are, and the size of the other
// dimension (how many numbers at most one group can hold).
int GroupOf(const TMatrixGeometry& g, TMatrixDir dir, int n) {
  return IsCols(dir) ? g.ColumnOf(n) : g.RowOf(n);
}
int GroupCount(const TMatrixGeometry& g, TMatrixDir dir) {
  return IsCols(dir) ? g.Cols : g.Rows;
}
int OtherCount(const TMatrixGeometry& g, TMatrixDir dir) {
  return IsCols(dir) ? g.Rows : g.Cols;
}

TGroupAttrs GroupsOf(const TMatrixGeometry& g, TMatrixDir dir, const TComb& values) {
  return GroupAttrsOf(values, [&g, dir](int n) { return GroupOf(g, dir, n); });
}

int AdjacentGroupCount(const TMatrixGeometry& g, TMatrixDir dir, const TComb& values) {
  return MatrixAdjacentGroups(g, dir, values).Count;
}

}  // namespace

TMatrixGeometry::TMatrixGeometry(int cols) : Cols(cols), Rows(cols > 0 ? CeilDiv(36, cols) : 0) {
  for (int n = 0; n < kTabled; ++n) {
    columns_[static_cast<size_t>(n)] = static_cast<int16_t>(ComputeColumn(n));
    rows_[static_cast<size_t>(n)] = static_cast<int16_t>(ComputeRow(n));
  }
}

TAdjacentGroups MatrixAdjacentGroups(const TMatrixGeometry& g, TMatrixDir dir,
                                     const TComb& values) {
  TAdjacentGroups out;
  // Numbers from 1 on in a laid-out matrix: vertical neighbours lie Cols apart and horizontal
  // ones 1 apart, so other pairs are passed over before their groups are looked up.
  bool quick = g.Cols > 0;
  for (uint8_t v : values) quick = quick && v >= 1;
  const int apart = IsCols(dir) ? g.Cols : 1;
  for (int i = 0; i < CombSize; ++i)
    for (int j = i + 1; j < CombSize; ++j) {
      const int a = values[i];
      const int b = values[j];
      if (quick && a - b != apart && b - a != apart) continue;
      // Vertical neighbours share the column, horizontal ones the row; the other coordinate
      // differs by exactly one.
      const int groupA = GroupOf(g, dir, a);
      if (groupA != GroupOf(g, dir, b)) continue;
      const TMatrixDir other = IsCols(dir) ? TMatrixDir::Rows : TMatrixDir::Columns;
      const int d = GroupOf(g, other, a) - GroupOf(g, other, b);
      if (d != 1 && d != -1) continue;
      int k = 0;
      while (k < out.Count && out.Group[k] != groupA) ++k;
      if (k == out.Count) {
        out.Group[k] = groupA;
        out.Pairs[k] = 0;
        ++out.Count;
      }
      ++out.Pairs[k];
    }
  return out;
}

// ---- family bases ----

TCustomMatrixStat::TCustomMatrixStat(const TStatList& list, int param)
    : TCustomNumbersStat(list, param), geometry_(list.Config().MatrixCols) {}

TGroupAttrs TCustomMatrixStat::ColumnsOf(const TComb& values) const {
  return GroupsOf(geometry_, TMatrixDir::Columns, values);
}
TGroupAttrs TCustomMatrixStat::RowsOf(const TComb& values) const {
  return GroupsOf(geometry_, TMatrixDir::Rows, values);
}

TCustomMatrixGraphStat::TCustomMatrixGraphStat(const TStatList& list, int param)
    : TCustomGraphStat(list, param), geometry_(list.Config().MatrixCols) {}

TGroupAttrs TCustomMatrixGraphStat::ColumnsOf(const TComb& values) const {
  return GroupsOf(geometry_, TMatrixDir::Columns, values);
}
TGroupAttrs TCustomMatrixGraphStat::RowsOf(const TComb& values) const {
  return GroupsOf(geometry_, TMatrixDir::Rows, values);
}

// ---- columns and rows of the numbers ----

template <TMatrixDir Dir>
void TMatrixGroupsStat<Dir>::ListAllValues(int last, TStatDrawArray& list) {
  TCustomMatrixStat::ListAllValues(last, list);
  ListValueRange(Work, 1, GroupCount(geometry_, Dir), list);
}

template <TMatrixDir Dir>
void TMatrixGroupsStat<Dir>::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomMatrixStat::AddCombValues(comb, list);
  for (uint8_t n : comb) {
    Work.Key.Set(static_cast<uint16_t>(GroupOf(geometry_, Dir, n)));
    AddStatItem(list, Work, false);
  }
}

template <TMatrixDir Dir>
void TMatrixGroupsStat<Dir>::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                           TStatContext& context, TLastValueArray& lastValues) {
  TCustomMatrixStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  for (uint8_t n : Current.Values) {
    Work.Key.Set(static_cast<uint16_t>(GroupOf(geometry_, Dir, n)));
    AddStatItem(list, Work, true);
  }
}

template <TMatrixDir Dir>
bool TMatrixGroupsStat<Dir>::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                         bool, bool) {
  for (uint8_t n : comb)
    if (SelectedHasWord(selected, 1, static_cast<uint16_t>(GroupOf(geometry_, Dir, n))))
      return true;
  return false;
}

// ---- values per column and row ----

template <TMatrixDir Dir>
TMatrixValuesStat<Dir>::TMatrixValuesStat(const TStatList& list, int param)
    : TCustomMatrixStat(list, param), groups_(GroupRange(GroupCount(geometry_, Dir))) {}

template <TMatrixDir Dir>
std::string TMatrixValuesStat<Dir>::ValueText(const TStatDraw& item) const {
  return FormatIndexed("%0:d x %1:d", {int{item.Key.K1}, int{item.Key.K2}});
}

template <TMatrixDir Dir>
void TMatrixValuesStat<Dir>::ListAllValues(int last, TStatDrawArray& list) {
  TCustomMatrixStat::ListAllValues(last, list);
  ListGroupCounts(Work, groups_, std::min(OtherCount(geometry_, Dir), CombSize), list);
}

template <TMatrixDir Dir>
void TMatrixValuesStat<Dir>::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomMatrixStat::AddCombValues(comb, list);
  AddGroupCounts(Work, GroupsOf(geometry_, Dir, comb), groups_, list, false);
}

template <TMatrixDir Dir>
void TMatrixValuesStat<Dir>::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                           TStatContext& context, TLastValueArray& lastValues) {
  TCustomMatrixStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  AddGroupCounts(Work, GroupsOf(geometry_, Dir, Current.Values), groups_, list, true);
}

template <TMatrixDir Dir>
bool TMatrixValuesStat<Dir>::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                         bool, bool) {
  return GroupCountsSelected(GroupsOf(geometry_, Dir, comb), groups_, selected);
}

// ---- occupied columns and rows ----

template <TMatrixDir Dir>
void TMatrixCountStat<Dir>::ListAllValues(int last, TStatDrawArray& list) {
  TCustomMatrixGraphStat::ListAllValues(last, list);
  ListValueRange(Work, 1, std::min(GroupCount(geometry_, Dir), CombSize), list);
}

template <TMatrixDir Dir>
void TMatrixCountStat<Dir>::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomMatrixGraphStat::AddCombValues(comb, list);
  Work.Key.Set(static_cast<uint16_t>(GraphValueOf(comb, -1, -1, false)));
  AddStatItem(list, Work, false);
}

template <TMatrixDir Dir>
void TMatrixCountStat<Dir>::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                          TStatContext& context, TLastValueArray& lastValues) {
  TCustomMatrixGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.Set(static_cast<uint16_t>(GraphValueOf(Current.Values, index, last, sorted)));
  AddStatItem(list, Work, true);
}

template <TMatrixDir Dir>
bool TMatrixCountStat<Dir>::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                        bool, bool) {
  return SelectedHasWord(selected, 1, static_cast<uint16_t>(GraphValueOf(comb, -1, -1, false)));
}

template <TMatrixDir Dir>
int32_t TMatrixCountStat<Dir>::GraphValueOf(const TComb& values, int, int, bool) {
  return DistinctGroupCount(GroupsOf(geometry_, Dir, values));
}

// ---- masks ----

template <TMatrixDir Dir>
int TMatrixMaskStat<Dir>::MaskBits() const {
  return std::clamp(GroupCount(geometry_, Dir), 0, 64);
}

template <TMatrixDir Dir>
uint64_t TMatrixMaskStat<Dir>::MaskOf(const TComb& values) const {
  const int bits = MaskBits();
  uint64_t mask = 0;
  for (uint8_t n : values) {
    const int g = GroupOf(geometry_, Dir, n);
    if (g >= 1 && g <= bits) mask |= uint64_t{1} << (bits - g);
  }
  return mask;
}

namespace {
TStatKey MaskKey(uint64_t mask) {
  TStatKey key;
  key.SetL1(static_cast<int32_t>(static_cast<uint32_t>(mask)));
  key.SetL2(static_cast<int32_t>(static_cast<uint32_t>(mask >> 32)));
  return key;
}
uint64_t KeyMask(const TStatKey& key) {
  return uint64_t{static_cast<uint32_t>(key.L1())} |
         (uint64_t{static_cast<uint32_t>(key.L2())} << 32);
}
}  // namespace

template <TMatrixDir Dir>
std::string TMatrixMaskStat<Dir>::ValueText(const TStatDraw& item) const {
  const uint64_t mask = KeyMask(item.Key);
  const int bits = MaskBits();
  std::string s;
  for (int g = 1; g <= bits; ++g) s += (mask >> (bits - g)) & 1 ? "1" : "0";
  return s + StrFormat(" (%.3llu)", static_cast<unsigned long long>(mask));
}

template <TMatrixDir Dir>
int32_t TMatrixMaskStat<Dir>::TextValue(std::string_view text) const {
  const int bits = MaskBits();
  uint64_t mask = 0;
  for (int g = 1; g <= bits && static_cast<size_t>(g) <= text.size(); ++g)
    if (text[static_cast<size_t>(g - 1)] == '1') mask |= uint64_t{1} << (bits - g);
  return static_cast<int32_t>(static_cast<uint32_t>(mask));
}

template <TMatrixDir Dir>
void TMatrixMaskStat<Dir>::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomMatrixStat::AddCombValues(comb, list);
  Work.Key = MaskKey(MaskOf(comb));
  AddStatItem(list, Work, false);
}

template <TMatrixDir Dir>
void TMatrixMaskStat<Dir>::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                         TStatContext& context, TLastValueArray& lastValues) {
  TCustomMatrixStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key = MaskKey(MaskOf(Current.Values));
  AddStatItem(list, Work, true);
}

template <TMatrixDir Dir>
bool TMatrixMaskStat<Dir>::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool,
                                       bool) {
  return SelectedHasKey(selected, MaskKey(MaskOf(comb)));
}

// ---- adjacent numbers ----

template <TMatrixDir Dir>
std::string TMatrixAdjacentStat<Dir>::ValueText(const TStatDraw& item) const {
  return FormatIndexed("%0:d x %1:d", {int{item.Key.K1}, int{item.Key.K2}});
}

template <TMatrixDir Dir>
void TMatrixAdjacentStat<Dir>::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomMatrixStat::AddCombValues(comb, list);
  const TAdjacentGroups a = MatrixAdjacentGroups(geometry_, Dir, comb);
  for (int k = 0; k < a.Count; ++k) {
    Work.Key.Set(static_cast<uint16_t>(a.Group[k]), static_cast<uint16_t>(a.Pairs[k] + 1));
    AddStatItem(list, Work, false);
  }
}

template <TMatrixDir Dir>
void TMatrixAdjacentStat<Dir>::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                             TStatContext& context, TLastValueArray& lastValues) {
  TCustomMatrixStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  const TAdjacentGroups a = MatrixAdjacentGroups(geometry_, Dir, Current.Values);
  for (int k = 0; k < a.Count; ++k) {
    Work.Key.Set(static_cast<uint16_t>(a.Group[k]), static_cast<uint16_t>(a.Pairs[k] + 1));
    AddStatItem(list, Work, true);
  }
}

template <TMatrixDir Dir>
bool TMatrixAdjacentStat<Dir>::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                           bool, bool) {
  const TAdjacentGroups a = MatrixAdjacentGroups(geometry_, Dir, comb);
  for (int k = 0; k < a.Count; ++k)
    if (SelectedHasKey(selected, static_cast<uint16_t>(a.Group[k]),
                       static_cast<uint16_t>(a.Pairs[k] + 1), 0, 0))
      return true;
  return false;
}

template <TMatrixDir Dir>
void TMatrixAdjacentCountStat<Dir>::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomMatrixGraphStat::AddCombValues(comb, list);
  Work.Key.Set(static_cast<uint16_t>(AdjacentGroupCount(geometry_, Dir, comb)));
  AddStatItem(list, Work, false);
}

template <TMatrixDir Dir>
void TMatrixAdjacentCountStat<Dir>::AddDrawValues(int index, int last, bool sorted,
                                                  TStatDrawArray& list, TStatContext& context,
                                                  TLastValueArray& lastValues) {
  TCustomMatrixGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.Set(static_cast<uint16_t>(AdjacentGroupCount(geometry_, Dir, Current.Values)));
  AddStatItem(list, Work, true);
}

template <TMatrixDir Dir>
bool TMatrixAdjacentCountStat<Dir>::CombMatches(const TComb& comb, const TStatDrawArray& selected,
                                                int, bool, bool) {
  return SelectedHasWord(selected, 1,
                         static_cast<uint16_t>(AdjacentGroupCount(geometry_, Dir, comb)));
}

template <TMatrixDir Dir>
int32_t TMatrixAdjacentCountStat<Dir>::GraphValueOf(const TComb& values, int, int, bool) {
  return AdjacentGroupCount(geometry_, Dir, values);
}

// ---- count in one column or row ----

template <TMatrixDir Dir>
void TMatrixValCntStat<Dir>::ParamRange(const TStatList& list, int& min, int& max) {
  const TMatrixGeometry g(list.Config().MatrixCols);
  if (g.Cols <= 0) {
    min = 0;
    max = -1;
    return;
  }
  min = 1;
  max = GroupCount(g, Dir);
}

template <TMatrixDir Dir>
void TMatrixValCntStat<Dir>::ListAllValues(int last, TStatDrawArray& list) {
  TCustomMatrixGraphStat::ListAllValues(last, list);
  ListValueRange(Work, 1, OtherCount(geometry_, Dir), list);
}

template <TMatrixDir Dir>
void TMatrixValCntStat<Dir>::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomMatrixGraphStat::AddCombValues(comb, list);
  Work.Key.Set(static_cast<uint16_t>(CountInGroup(GroupsOf(geometry_, Dir, comb), Param)));
  AddStatItem(list, Work, false);
}

template <TMatrixDir Dir>
void TMatrixValCntStat<Dir>::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                           TStatContext& context, TLastValueArray& lastValues) {
  TCustomMatrixGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.Set(
      static_cast<uint16_t>(CountInGroup(GroupsOf(geometry_, Dir, Current.Values), Param)));
  AddStatItem(list, Work, true);
}

template <TMatrixDir Dir>
bool TMatrixValCntStat<Dir>::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                         bool, bool) {
  return SelectedHasWord(
      selected, 1, static_cast<uint16_t>(CountInGroup(GroupsOf(geometry_, Dir, comb), Param)));
}

template <TMatrixDir Dir>
int32_t TMatrixValCntStat<Dir>::GraphValueOf(const TComb& values, int, int, bool) {
  return CountInGroup(GroupsOf(geometry_, Dir, values), Param);
}

// The passes call the class's own test directly (it is final): no virtual call per combination.
#define KVARN_MATRIX_DIRECT_PASS(Tmpl)                                                           \
  template <TMatrixDir Dir>                                                                      \
  int Tmpl<Dir>::FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, \
                            int last, bool sorted, bool exclude) {                               \
    int kept = 0;                                                                                \
    for (int i = 0; i < n; ++i)                                                                  \
      if (Tmpl<Dir>::CombMatches(src[i], selected, last, sorted, exclude) != exclude)            \
        dst[kept++] = src[i];                                                                    \
    return kept;                                                                                 \
  }
KVARN_MATRIX_DIRECT_PASS(TMatrixGroupsStat)
KVARN_MATRIX_DIRECT_PASS(TMatrixMaskStat)
KVARN_MATRIX_DIRECT_PASS(TMatrixValCntStat)
#undef KVARN_MATRIX_DIRECT_PASS

namespace {

// The group two numbers 1..36 share as neighbours in the direction (one apart in the other
// direction), else -1: the question MatrixAdjacentGroups asks of each pair, asked once per pass.
using TPairGroups = std::array<std::array<int8_t, NumbersCount + 1>, NumbersCount + 1>;

TPairGroups PairGroups(const TMatrixGeometry& g, TMatrixDir dir) {
  TPairGroups pg{};
  const TMatrixDir other = IsCols(dir) ? TMatrixDir::Rows : TMatrixDir::Columns;
  for (int a = 1; a <= NumbersCount; ++a)
    for (int b = 1; b <= NumbersCount; ++b) {
      const int group = GroupOf(g, dir, a);
      const int d = GroupOf(g, other, a) - GroupOf(g, other, b);
      const bool touch =
          group == GroupOf(g, dir, b) && (d == 1 || d == -1) && group >= 0 && group < 64;
      pg[static_cast<size_t>(a)][static_cast<size_t>(b)] = static_cast<int8_t>(touch ? group : -1);
    }
  return pg;
}

bool PlainNumbers(const TComb& c) {
  bool plain = true;
  for (uint8_t v : c) plain = plain && v >= 1 && v <= NumbersCount;
  return plain;
}

// The groups with touching pairs as bits, and the pairs of each group added to counts (a pair
// without a group adds nothing), without a branch per pair.
uint64_t TouchingGroups(const TPairGroups& pg, const TComb& c, std::array<uint8_t, 64>& counts) {
  uint64_t groups = 0;
  for (int i = 0; i < CombSize; ++i)
    for (int j = i + 1; j < CombSize; ++j) {
      const int group = pg[c[static_cast<size_t>(i)]][c[static_cast<size_t>(j)]];
      const bool touch = group >= 0;
      const auto bit = static_cast<unsigned>(touch ? group : 0);
      groups |= touch ? uint64_t{1} << bit : 0;
      counts[bit] = static_cast<uint8_t>(counts[bit] + (touch ? 1 : 0));
    }
  return groups;
}

}  // namespace

// A pair of groups with touching numbers per combination, from a table of the pairs of numbers.
template <TMatrixDir Dir>
int TMatrixAdjacentStat<Dir>::FilterPass(const TComb* src, int n, TComb* dst,
                                         const TStatDrawArray& selected, int last, bool sorted,
                                         bool exclude) {
  const TPairGroups pg = PairGroups(geometry_, Dir);
  // selectedPairs[group][pairs]: the key (group, pairs + 1) is selected; a combination has at
  // most ten pairs.
  std::vector<std::array<uint8_t, 11>> selectedPairs(64);
  for (int group = 0; group < 64; ++group)
    for (int pairs = 1; pairs <= 10; ++pairs)
      selectedPairs[static_cast<size_t>(group)][static_cast<size_t>(pairs)] =
          SelectedHasKey(selected, static_cast<uint16_t>(group), static_cast<uint16_t>(pairs + 1),
                         0, 0)
              ? 1
              : 0;
  std::array<uint8_t, 64> counts{};
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const TComb& c = src[i];
    bool m = false;
    if (PlainNumbers(c)) {
      uint64_t groups = TouchingGroups(pg, c, counts);
      while (groups) {
        const int group = std::countr_zero(groups);
        groups &= groups - 1;
        m = m || selectedPairs[static_cast<size_t>(group)][counts[static_cast<size_t>(group)]] != 0;
        counts[static_cast<size_t>(group)] = 0;
      }
    } else {
      m = TMatrixAdjacentStat<Dir>::CombMatches(c, selected, last, sorted, exclude);
    }
    if (m != exclude) dst[kept++] = c;
  }
  return kept;
}

// The number of groups with touching numbers, from the same table.
template <TMatrixDir Dir>
int TMatrixAdjacentCountStat<Dir>::FilterPass(const TComb* src, int n, TComb* dst,
                                              const TStatDrawArray& selected, int last, bool sorted,
                                              bool exclude) {
  const TPairGroups pg = PairGroups(geometry_, Dir);
  std::array<uint8_t, 65> hits{};
  for (int v = 0; v <= 64; ++v)
    hits[static_cast<size_t>(v)] = SelectedHasWord(selected, 1, static_cast<uint16_t>(v)) ? 1 : 0;
  std::array<uint8_t, 64> counts{};
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const TComb& c = src[i];
    const bool m =
        PlainNumbers(c)
            ? hits[static_cast<size_t>(std::popcount(TouchingGroups(pg, c, counts)))] != 0
            : TMatrixAdjacentCountStat<Dir>::CombMatches(c, selected, last, sorted, exclude);
    if (m != exclude) dst[kept++] = c;
  }
  return kept;
}

// (group, count) pairs: which pairs are selected is read once per pass.
template <TMatrixDir Dir>
int TMatrixValuesStat<Dir>::FilterPass(const TComb* src, int n, TComb* dst,
                                       const TStatDrawArray& selected, int, bool, bool exclude) {
  std::vector<std::array<uint8_t, CombSize + 1>> pairs(static_cast<size_t>(groups_.Count));
  for (int gi = 0; gi < groups_.Count; ++gi)
    for (int k = 0; k <= CombSize; ++k)
      pairs[static_cast<size_t>(gi)][static_cast<size_t>(k)] =
          SelectedHasKey(selected, static_cast<uint16_t>(groups_.Items[gi]),
                         static_cast<uint16_t>(k), 0, 0)
              ? 1
              : 0;
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const TGroupAttrs a = GroupsOf(geometry_, Dir, src[i]);
    bool m = false;
    for (int gi = 0; gi < groups_.Count && !m; ++gi)
      m = pairs[static_cast<size_t>(gi)][static_cast<size_t>(CountInGroup(a, groups_.Items[gi]))] !=
          0;
    if (m != exclude) dst[kept++] = src[i];
  }
  return kept;
}

// The number of occupied groups is 1..5: each is looked up once per pass.
template <TMatrixDir Dir>
int TMatrixCountStat<Dir>::FilterPass(const TComb* src, int n, TComb* dst,
                                      const TStatDrawArray& selected, int, bool, bool exclude) {
  std::array<uint8_t, CombSize + 1> hits{};
  for (int v = 0; v <= CombSize; ++v)
    hits[static_cast<size_t>(v)] = SelectedHasWord(selected, 1, static_cast<uint16_t>(v)) ? 1 : 0;
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const int v = DistinctGroupCount(GroupsOf(geometry_, Dir, src[i]));
    if ((hits[static_cast<size_t>(v)] != 0) != exclude) dst[kept++] = src[i];
  }
  return kept;
}

#define KVARN_MATRIX_INSTANTIATE(Tmpl)      \
  template class Tmpl<TMatrixDir::Columns>; \
  template class Tmpl<TMatrixDir::Rows>;
KVARN_MATRIX_INSTANTIATE(TMatrixGroupsStat)
KVARN_MATRIX_INSTANTIATE(TMatrixValuesStat)
KVARN_MATRIX_INSTANTIATE(TMatrixCountStat)
KVARN_MATRIX_INSTANTIATE(TMatrixMaskStat)
KVARN_MATRIX_INSTANTIATE(TMatrixAdjacentStat)
KVARN_MATRIX_INSTANTIATE(TMatrixAdjacentCountStat)
KVARN_MATRIX_INSTANTIATE(TMatrixValCntStat)
#undef KVARN_MATRIX_INSTANTIATE

KVARN_STAT_CLASS(TstColumns)
KVARN_STAT_CLASS(TstRows)
KVARN_STAT_CLASS(TstColValues)
KVARN_STAT_CLASS(TstRowValues)
KVARN_STAT_CLASS(TstColCount)
KVARN_STAT_CLASS(TstRowCount)
KVARN_STAT_CLASS(TstColMask)
KVARN_STAT_CLASS(TstRowMask)
KVARN_STAT_CLASS(TstColAjacent)
KVARN_STAT_CLASS(TstRowAjacent)
KVARN_STAT_CLASS(TstColAjacentCnt)
KVARN_STAT_CLASS(TstRowAjacentCnt)
KVARN_STAT_CLASS(TstCombColMix2)
KVARN_STAT_CLASS(TstCombColMix3)
KVARN_STAT_CLASS(TstCombColMix4)
KVARN_STAT_CLASS(TstCombColSeq2)
KVARN_STAT_CLASS(TstCombColSeq3)
KVARN_STAT_CLASS(TstCombColSeq4)
KVARN_STAT_CLASS(TstCombRowMix2)
KVARN_STAT_CLASS(TstCombRowMix3)
KVARN_STAT_CLASS(TstCombRowMix4)
KVARN_STAT_CLASS(TstCombRowSeq2)
KVARN_STAT_CLASS(TstCombRowSeq3)
KVARN_STAT_CLASS(TstCombRowSeq4)
KVARN_STAT_CLASS(TstColValCnt)
KVARN_STAT_CLASS(TstRowValCnt)

}  // namespace kvarn
