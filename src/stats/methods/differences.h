// The difference family (group "dif"): the absolute differences d1..d4 between the numbers at
// neighbouring positions as handed over, their maximum, repeats and runs, and the spread between
// the smallest and the largest number.
#pragma once

#include <array>
#include <string>

#include "stats/methods/grouping.h"
#include "stats/methods/numbers.h"

namespace kvarn {

constexpr int DiffCount = CombSize - 1;
constexpr int MaxDiff = NumbersCount - 1;
using TDiffs = std::array<int, DiffCount>;

// d_i = |x_(i+1) - x_i|.
TDiffs AdjacentDiffs(const uint8_t* values);

class TstDiffTotal : public TRuleStat<TCustomNumbersStat, TstDiffTotal, roFirstWithIntervals> {
 public:
  using TRuleStat::TRuleStat;
  static std::string Ident() { return "DIFA"; }
  static std::string Caption() { return "Все разности между соседними позициями"; }
  static int Group() { return GroupDifferences; }
  static uint8_t Features() { return sfS | sfN; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

// One graph value per draw, listed in advance from 1 to listTo.
template <class Derived, int ListTo>
class TDiffGraphStat : public TRuleStat<TCustomGraphStat, Derived> {
 public:
  using TRuleStat<TCustomGraphStat, Derived>::TRuleStat;
  static int Group() { return GroupDifferences; }
  void ListAllValues(int last, TStatDrawArray& list) override {
    TCustomStat::ListAllValues(last, list);
    this->ListRange(list, 1, ListTo);
  }
  int32_t GraphValueOf(const TComb& values, int, int, bool) override {
    return this->FirstValue(values.data());
  }
};

class TstDiffMax : public TDiffGraphStat<TstDiffMax, MaxDiff> {
 public:
  using TDiffGraphStat::TDiffGraphStat;
  static std::string Ident() { return "DIFM"; }
  static std::string Caption() { return "Максимальная разность между соседними позициями"; }
  static uint8_t Features() { return sfS | sfN; }
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

class TstMinMaxDiffs : public TDiffGraphStat<TstMinMaxDiffs, MaxDiff> {
 public:
  using TDiffGraphStat::TDiffGraphStat;
  static std::string Ident() { return "DIFD"; }
  static std::string Caption() { return "Разность между минимальным и максимальным числом"; }
  static uint8_t Features() { return sfN; }
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

// Pairs (difference, multiplicity) in the order the differences first occur.
class TstDiffSame : public TRuleStat<TCustomStat, TstDiffSame> {
 public:
  using TRuleStat::TRuleStat;
  static std::string Ident() { return "DIFO"; }
  static std::string Caption() { return "Одинаковые разности между соседними позициями"; }
  static int Group() { return GroupDifferences; }
  static uint8_t Features() { return sfS | sfN; }
  static bool CanParseValue() { return false; }
  std::string ValueText(const TStatDraw& item) const override;
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

class TstDiffSameCnt : public TDiffGraphStat<TstDiffSameCnt, DiffCount> {
 public:
  using TDiffGraphStat::TDiffGraphStat;
  static std::string Ident() { return "DIFK"; }
  static std::string Caption() {
    return "Количество одинаковых разностей между соседними позициями";
  }
  static uint8_t Features() { return sfS | sfN; }
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

// Runs of N consecutive differences, N in K1..KN. A combination adds no values.
template <class Derived, int N>
class TCombDiffSeq : public TRuleStat<TCustomStat, Derived, roFirstWithIntervals | roNoCombValues> {
 public:
  using TRuleStat<TCustomStat, Derived, roFirstWithIntervals | roNoCombValues>::TRuleStat;
  static std::string Ident() { return "KDS" + std::to_string(N); }
  static std::string Caption() {
    return "Сочетания из " + std::to_string(N) + " разностей между числами";
  }
  static int Group() { return GroupDifferences; }
  static uint8_t Features() { return sfS; }
  static bool IsAvailable() { return true; }
  static bool CanParseValue() { return false; }
  std::string ValueText(const TStatDraw& item) const override {
    std::string s;
    for (int i = 1; i <= N; ++i) {
      if (i > 1) s += ':';
      s += std::to_string(item.Key.K(i));
    }
    return s;
  }
  // The runs as tuples against a bit table of the selected ones (differences of numbers 1..36
  // lie in 0..35); a combination with a larger difference takes the keys' own test.
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    using Rule = TRuleStat<TCustomStat, Derived, roFirstWithIntervals | roNoCombValues>;
    if (typeid(*this) != typeid(Derived) ||
        !std::is_same_v<decltype(&Derived::CombMatches), decltype(&Rule::CombMatches)>)
      return Rule::FilterPass(src, n, dst, selected, last, sorted, exclude);
    bits_.Build(selected, N);
    int kept = 0;
    for (int i = 0; i < n; ++i) {
      const TComb& c = src[i];
      const TDiffs d = AdjacentDiffs(c.data());
      bool small = true;
      for (int v : d) small = small && v >= 0 && v < static_cast<int>(TTupleBits::Base);
      bool m = false;
      if (small) {
        for (int r = 0; r + N <= DiffCount && !m; ++r) {
          uint32_t index = 0;
          for (int j = 0; j < N; ++j)
            index = index * TTupleBits::Base + static_cast<uint32_t>(d[static_cast<size_t>(r + j)]);
          m = bits_.Has(index);
        }
      } else {
        m = this->Rule::CombMatches(c, selected, last, sorted, exclude);
      }
      if (m != exclude) dst[kept++] = c;
    }
    return kept;
  }

  int KeysOf(const uint8_t* values, TRuleKeys& keys) const {
    const TDiffs d = AdjacentDiffs(values);
    const int runs = DiffCount - N + 1;
    for (int r = 0; r < runs; ++r) {
      TStatKey& key = keys[static_cast<size_t>(r)];
      key.Clear();
      for (int i = 0; i < N; ++i)
        key.SetK(i + 1, static_cast<uint16_t>(d[static_cast<size_t>(r + i)]));
    }
    return runs;
  }

 private:
  TTupleBits bits_;
};

class TstCombDiffSeq2 : public TCombDiffSeq<TstCombDiffSeq2, 2> {
 public:
  using TCombDiffSeq::TCombDiffSeq;
};
class TstCombDiffSeq3 : public TCombDiffSeq<TstCombDiffSeq3, 3> {
 public:
  using TCombDiffSeq::TCombDiffSeq;
};
class TstCombDiffSeq4 : public TCombDiffSeq<TstCombDiffSeq4, 4> {
 public:
  using TCombDiffSeq::TCombDiffSeq;
};

KVARN_STAT_CLASS_DECL(TstDiffTotal);
KVARN_STAT_CLASS_DECL(TstDiffMax);
KVARN_STAT_CLASS_DECL(TstMinMaxDiffs);
KVARN_STAT_CLASS_DECL(TstDiffSame);
KVARN_STAT_CLASS_DECL(TstDiffSameCnt);
KVARN_STAT_CLASS_DECL(TstCombDiffSeq2);
KVARN_STAT_CLASS_DECL(TstCombDiffSeq3);
KVARN_STAT_CLASS_DECL(TstCombDiffSeq4);

}  // namespace kvarn
