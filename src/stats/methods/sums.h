// The sum family (group "sum"): the sum of the five numbers, of the even or the prime ones, the
// sum's fixed ranges, how the sum moved after earlier draws whose predecessor had the latest
// draw's sum, and how often one number is the sum of two others. Values are held in L1 (and L2).
#pragma once

#include <string>

#include "stats/methods/numbers.h"

namespace kvarn {

// Sum of the draw at index; 0 outside the archive (the order of the numbers does not matter).
int DrawSumAt(const TDrawsArray& draws, int index);

class TstSumValues : public TRuleStat<TCustomGraphStat, TstSumValues> {
 public:
  using TRuleStat::TRuleStat;
  static std::string Ident() { return "SUMS"; }
  static std::string Caption() { return "Сумма тиража: все значения"; }
  static int Group() { return GroupSums; }
  static uint8_t Features() { return sfN; }
  std::string ValueText(const TStatDraw& item) const override;
  void ListAllValues(int last, TStatDrawArray& list) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

// The sum of those numbers that have a property; 0 when none has it.
template <class Derived>
class TPartSumStat : public TRuleStat<TCustomGraphStat, Derived> {
 public:
  using TRuleStat<TCustomGraphStat, Derived>::TRuleStat;
  static int Group() { return GroupSums; }
  static uint8_t Features() { return sfN; }
  std::string ValueText(const TStatDraw& item) const override {
    return std::to_string(item.Key.L1());
  }
  int32_t GraphValueOf(const TComb& values, int, int, bool) override {
    return this->FirstValue(values.data());
  }
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const {
    int32_t s = 0;
    for (int i = 0; i < CombSize; ++i)
      if (Derived::Has(values[i])) s += values[i];
    keys[0].Clear();
    keys[0].SetL1(s);
    return 1;
  }
};

class TstSumEvenValues : public TPartSumStat<TstSumEvenValues> {
 public:
  using TPartSumStat::TPartSumStat;
  static std::string Ident() { return "SUME"; }
  static std::string Caption() { return "Сумма тиража: только четные"; }
  static bool Has(int n) { return n % 2 == 0; }
};

class TstSumPrimeValues : public TPartSumStat<TstSumPrimeValues> {
 public:
  using TPartSumStat::TPartSumStat;
  static std::string Ident() { return "SUMP"; }
  static std::string Caption() { return "Сумма тиража: только простые"; }
  static bool Has(int n) { return IsPrimeSetNumber(n); }
};

// Inclusive sum ranges of the parameters 1..3 and their caption arguments.
struct TSumRange {
  int Low;
  int High;
  int Num;  // caption: "(Num/Den)"
  int Den;
};
// The range of param 1..3; param outside gives an empty range.
TSumRange SumRangeOf(int param);

class TstSumRanges : public TRuleStat<TCustomGraphStat, TstSumRanges> {
 public:
  using TRuleStat::TRuleStat;
  static std::string Ident() { return "SUM%d"; }
  static std::string Caption() { return "Сумма тиража: диапазон %d (%d/%d)"; }
  static std::string CaptionOf(int param);
  static int Group() { return GroupSums; }
  static uint8_t Features() { return sfN; }
  static bool CanParseValue() { return false; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList&, int& min, int& max) {
    min = 1;
    max = 3;
  }
  std::string ValueText(const TStatDraw& item) const override;
  void ListAllValues(int last, TStatDrawArray& list) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

// (sum before, sum after) for the draws whose predecessor had the latest draw's sum.
class TstSumChange : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static std::string Ident() { return "SUMC"; }
  static std::string Caption() { return "Сумма тиража: изменения (точно)"; }
  static int Group() { return GroupSums; }
  static uint8_t Features() { return sfD; }
  static bool CanParseValue() { return false; }
  std::string ValueText(const TStatDraw& item) const override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

// The signed change of the sum after draws whose predecessor's sum was near the latest one.
class TstSumChangeSome : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static std::string Ident() { return "SUMV"; }
  static std::string Caption() { return "Сумма тиража: изменения (диапазон)"; }
  static int Group() { return GroupSums; }
  static uint8_t Features() { return sfD; }
  static bool CanParseValue() { return false; }
  std::string ValueText(const TStatDraw& item) const override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override;
};

// The direction of the sum's change: -1, 0 or 1.
class TstSumTrend : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static std::string Ident() { return "SUMT"; }
  static std::string Caption() { return "Сумма тиража: направление изменения"; }
  static int Group() { return GroupSums; }
  static uint8_t Features() { return sfD; }
  static bool CanParseValue() { return false; }
  std::string ValueText(const TStatDraw& item) const override;
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

// How many numbers are the sum of two others.
class TstSum2To3 : public TRuleStat<TCustomGraphStat, TstSum2To3> {
 public:
  using TRuleStat::TRuleStat;
  static std::string Ident() { return "S2T3"; }
  static std::string Caption() { return "Сумма двух чисел тиража равна третьему числу"; }
  static int Group() { return GroupSums; }
  static uint8_t Features() { return sfN; }
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

KVARN_STAT_CLASS_DECL(TstSumValues);
KVARN_STAT_CLASS_DECL(TstSumRanges);
KVARN_STAT_CLASS_DECL(TstSumChange);
KVARN_STAT_CLASS_DECL(TstSumChangeSome);
KVARN_STAT_CLASS_DECL(TstSumTrend);
KVARN_STAT_CLASS_DECL(TstSumEvenValues);
KVARN_STAT_CLASS_DECL(TstSumPrimeValues);
KVARN_STAT_CLASS_DECL(TstSum2To3);

}  // namespace kvarn
