// Patterns shared by the families that map each number to a group (channel, matrix column or row,
// segment, or the number itself): counts per group, the number of occupied groups, the count in
// one group, and tuples of the groups of several positions (all choices or neighbours only).
// Everything here works on fixed arrays: the filter calls it once per combination.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/lottery.h"
#include "stats/stat.h"

namespace kvarn {

// The group of each of the five numbers, in the order the numbers were handed over.
using TGroupAttrs = std::array<int, CombSize>;

template <class F>
inline TGroupAttrs GroupAttrsOf(const TComb& values, F groupOf) {
  TGroupAttrs a{};
  for (int i = 0; i < CombSize; ++i) a[i] = groupOf(int{values[i]});
  return a;
}

// How many of the five numbers lie in the group.
int CountInGroup(const TGroupAttrs& a, int group);
// How many different groups the five numbers occupy.
int DistinctGroupCount(const TGroupAttrs& a);

// ---- the groups a family counts in, in the order their pairs are added ----

struct TGroupList {
  int Count = 0;
  std::array<int, NumbersCount> Items{};
  void Add(int g) {
    if (Count < NumbersCount) Items[Count++] = g;
  }
  // Adds g unless it is already listed.
  void AddUnique(int g);
};
// The groups 1..n (n capped at 36).
TGroupList GroupRange(int n);

// Values per group: one pair (group, count) in K1-K2 per listed group, zero counts included.
void AddGroupCounts(TStatDraw& work, const TGroupAttrs& a, const TGroupList& groups,
                    TStatDrawArray& list, bool withIntervals);
// True when the pair of any listed group (zero counts included) is selected.
bool GroupCountsSelected(const TGroupAttrs& a, const TGroupList& groups,
                         const TStatDrawArray& selected);
// Lists the pairs (g, 0) .. (g, maxCount) of every group.
void ListGroupCounts(TStatDraw& work, const TGroupList& groups, int maxCount, TStatDrawArray& list);

// Adds the single values from..to in K1 (none when to < from).
void ListValueRange(TStatDraw& work, int from, int to, TStatDrawArray& list);

// ---- Mix and Seq tuples ----

// Tuples of 2, 3 or 4 groups in K1..KN. Mix takes every choice of positions in lexicographic
// order (10, 10 or 5 tuples); Seq takes runs of neighbouring positions (4, 3 or 2 tuples).
enum class TTupleKind { Mix, Seq };
constexpr int MinTupleSize = 2;
constexpr int MaxTupleSize = 4;
constexpr int MaxTuples = 10;

struct TGroupTuples {
  int Size = 0;                             // components per tuple
  int Count = 0;                            // tuples
  std::array<TStatKey, MaxTuples> Items{};  // unused components are 0
};

void MakeTuples(const TGroupAttrs& a, TTupleKind kind, int size, TGroupTuples& out);
int TupleCount(TTupleKind kind, int size);
// The first `size` components joined by ":" ("1:1:3").
std::string TupleText(const TStatKey& key, int size);
// Adds every tuple; equal tuples of one draw merge into one item.
void AddTuples(TStatDraw& work, const TGroupTuples& t, TStatDrawArray& list, bool withIntervals);
bool TuplesSelected(const TGroupTuples& t, const TStatDrawArray& selected);

// ---- filter passes over tuples ----

// The selected tuples of `size` components as a bit table over the components 0..36. A key
// that no tuple can have (a component past 36, or one beyond the size that is not 0) has no bit.
class TTupleBits {
 public:
  static constexpr uint32_t Base = NumbersCount + 1;
  void Build(const TStatDrawArray& selected, int size);
  bool Has(uint32_t index) const { return (bits_[index >> 6] >> (index & 63) & 1) != 0; }

 private:
  std::vector<uint64_t> bits_;
};

// The positions of the tuples in MakeTuples' order.
template <TTupleKind Kind, int N>
constexpr auto TuplePositions() {
  constexpr int count =
      Kind == TTupleKind::Seq ? CombSize - N + 1 : (N == 2 || N == 3 ? 10 : (N == 4 ? 5 : 1));
  std::array<std::array<int, N>, count> out{};
  if constexpr (Kind == TTupleKind::Seq) {
    for (int i = 0; i < count; ++i)
      for (int j = 0; j < N; ++j) out[i][j] = i + j;
  } else {
    std::array<int, N> p{};
    for (int j = 0; j < N; ++j) p[j] = j;
    for (int t = 0; t < count; ++t) {
      out[t] = p;
      int j = N - 1;
      while (j >= 0 && p[j] == CombSize - N + j) --j;
      if (j < 0) break;
      ++p[j];
      for (int m = j + 1; m < N; ++m) p[m] = p[m - 1] + 1;
    }
  }
  return out;
}

// True when a tuple of the attributes (each 0..36) has its bit.
template <TTupleKind Kind, int N>
inline bool AnyTupleSelected(const TGroupAttrs& a, const TTupleBits& bits) {
  static constexpr auto positions = TuplePositions<Kind, N>();
  for (const auto& p : positions) {
    uint32_t index = 0;
    for (int j = 0; j < N; ++j) index = index * TTupleBits::Base + static_cast<uint32_t>(a[p[j]]);
    if (bits.Has(index)) return true;
  }
  return false;
}

// One filter pass over the tuples of the combinations' attributes. attrsOf(comb, a) writes the
// five attributes and returns false when one lies outside 0..36; such a combination is left to
// fallback(comb), the class's own test.
template <TTupleKind Kind, int N, class AttrsOf, class Fallback>
int TupleFilterPass(const TComb* src, int n, TComb* dst, const TTupleBits& bits, bool exclude,
                    AttrsOf attrsOf, Fallback fallback) {
  int kept = 0;
  TGroupAttrs a{};
  for (int i = 0; i < n; ++i) {
    const TComb& c = src[i];
    const bool m = attrsOf(c, a) ? AnyTupleSelected<Kind, N>(a, bits) : fallback(c);
    if (m != exclude) dst[kept++] = c;
  }
  return kept;
}

// The group of each number 1..36 once per pass; false for a number outside them or a group
// outside 0..36.
class TGroupTable {
 public:
  template <class F>
  void Build(F groupOf) {
    ok_.fill(0);
    for (int v = 1; v <= NumbersCount; ++v) {
      const int g = groupOf(v);
      group_[static_cast<size_t>(v)] = g;
      ok_[static_cast<size_t>(v)] = g >= 0 && g <= NumbersCount ? 1 : 0;
    }
  }
  bool AttrsOf(const TComb& c, TGroupAttrs& a) const {
    bool ok = true;
    for (int i = 0; i < CombSize; ++i) {
      ok = ok && ok_[c[static_cast<size_t>(i)]] != 0;
      a[static_cast<size_t>(i)] = group_[c[static_cast<size_t>(i)]];
    }
    return ok;
  }

 private:
  std::array<int, 256> group_{};
  std::array<uint8_t, 256> ok_{};
};

// A pass whose test is "one of the numbers, at its position, meets the selection": hit(position
// 1..5, number) is asked once per position and number 1..36. A combination holding another
// number is left to fallback(comb), the class's own test.
template <class Hit, class Fallback>
int PositionFilterPass(const TComb* src, int n, TComb* dst, bool exclude, Hit hit,
                       Fallback fallback) {
  std::array<std::array<uint8_t, NumbersCount + 1>, CombSize> hits{};
  for (int i = 0; i < CombSize; ++i)
    for (int number = 1; number <= NumbersCount; ++number)
      hits[static_cast<size_t>(i)][static_cast<size_t>(number)] = hit(i + 1, number) ? 1 : 0;
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const TComb& c = src[i];
    bool m = false;
    bool plain = true;
    for (int j = 0; j < CombSize; ++j) {
      const uint8_t number = c[static_cast<size_t>(j)];
      plain = plain && number >= 1 && number <= NumbersCount;
      if (plain) m = m || hits[static_cast<size_t>(j)][number] != 0;
    }
    if (!plain) m = fallback(c);
    if (m != exclude) dst[kept++] = c;
  }
  return kept;
}

// A Mix/Seq method over the groups that Attr gives for a number of a Base instance:
//   Attr::Of(const Base&, int number) -> group
// The concrete class adds Ident and Caption.
template <class Base, class Attr, TTupleKind Kind, int N>
class TGroupTuplesStat : public Base {
 public:
  using Base::Base;
  static bool IsAvailable() { return true; }
  static bool CanParseValue() { return false; }
  static uint8_t Features() { return sfS; }

  std::string ValueText(const TStatDraw& item) const override { return TupleText(item.Key, N); }

  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override {
    Base::AddDrawValues(index, last, sorted, list, context, lastValues);
    MakeTuples(AttrsOf(this->Current.Values), Kind, N, tuples_);
    AddTuples(this->Work, tuples_, list, true);
  }

  // Final: the pass below stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) final {
    MakeTuples(AttrsOf(comb), Kind, N, tuples_);
    return TuplesSelected(tuples_, selected);
  }

  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    const Base& self = *this;
    groups_.Build([&self](int v) { return Attr::Of(self, v); });
    bits_.Build(selected, N);
    return TupleFilterPass<Kind, N>(
        src, n, dst, bits_, exclude,
        [this](const TComb& c, TGroupAttrs& a) { return groups_.AttrsOf(c, a); },
        [&](const TComb& c) { return CombMatches(c, selected, last, sorted, exclude); });
  }

 private:
  TGroupAttrs AttrsOf(const TComb& values) const {
    const Base& self = *this;
    return GroupAttrsOf(values, [&self](int n) { return Attr::Of(self, n); });
  }
  TGroupTuples tuples_;
  TGroupTable groups_;
  TTupleBits bits_;
};

}  // namespace kvarn
