// Patterns shared by the families that map each number to a group (channel, matrix column or row,
// segment, or the number itself): counts per group, the number of occupied groups, the count in
// one group, and tuples of the groups of several positions (all choices or neighbours only).
// Everything here works on fixed arrays: the filter calls it once per combination.
#pragma once

#include <array>
#include <cstdint>
#include <string>

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

  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override {
    MakeTuples(AttrsOf(comb), Kind, N, tuples_);
    return TuplesSelected(tuples_, selected);
  }

 private:
  TGroupAttrs AttrsOf(const TComb& values) const {
    const Base& self = *this;
    return GroupAttrsOf(values, [&self](int n) { return Attr::Of(self, n); });
  }
  TGroupTuples tuples_;
};

}  // namespace kvarn
