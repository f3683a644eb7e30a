// The number family (group "num"): the numbers themselves, their digits, the counts and position
// masks of even, small and prime numbers, the number at a position and the extra number. Also
// TRuleStat, the pattern of the families whose values follow from the five numbers alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>
#include <typeinfo>

#include "stats/item_index.h"
#include "stats/selected_keys.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int GroupNumbers = 0;
constexpr int GroupSums = 1;
constexpr int GroupDifferences = 2;

// A number is small below 19.
constexpr bool IsSmallNumber(int n) {
  return n < 19;
}
// The numbers counted as prime; 1 is one of them.
bool IsPrimeSetNumber(int n);

// Up to ten values of one draw or combination (ten digits at most).
constexpr int MaxRuleKeys = 10;
using TRuleKeys = std::array<TStatKey, MaxRuleKeys>;

enum : unsigned {
  roFirstWithIntervals = 1,  // only the first value of a draw updates the intervals
  roNoCombValues = 2,        // a combination adds no values (AddCombValues stays the base one)
};

// One value rule for draws, combinations and the filter test: Derived supplies
//   int KeysOf(const uint8_t* values, TRuleKeys& keys) const
// which writes the keys of five numbers as handed over and returns how many there are.
template <class Base, class Derived, unsigned Options = 0>
class TRuleStat : public Base {
 public:
  using Base::Base;

  void AddCombValues(const TComb& comb, TStatDrawArray& list) override {
    TCustomStat::AddCombValues(comb, list);
    if constexpr ((Options & roNoCombValues) == 0) {
      TRuleKeys keys;
      const int n = Self().KeysOf(comb.data(), keys);
      for (int i = 0; i < n; ++i) {
        this->Work.Key = keys[static_cast<size_t>(i)];
        AddStatItem(list, this->Work, false);
      }
    }
  }

  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override {
    Base::AddDrawValues(index, last, sorted, list, context, lastValues);
    TRuleKeys keys;
    const int n = Self().KeysOf(this->Current.Values.data(), keys);
    for (int i = 0; i < n; ++i) {
      this->Work.Key = keys[static_cast<size_t>(i)];
      AddStatItem(list, this->Work, (Options & roFirstWithIntervals) == 0 || i == 0);
    }
  }

  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override {
    TRuleKeys keys;
    const int n = Self().KeysOf(comb.data(), keys);
    for (int i = 0; i < n; ++i)
      if (SelectedHasKey(selected, keys[static_cast<size_t>(i)])) return true;
    return false;
  }

  // The pass without a virtual call per combination: the class's own CombMatches, called
  // directly. A class derived further may change CombMatches again; it takes the general pass.
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    if (typeid(*this) != typeid(Derived))
      return TCustomStat::FilterPass(src, n, dst, selected, last, sorted, exclude);
    Derived& self = static_cast<Derived&>(*this);
    int kept = 0;
    // A class whose test is its keys, with a large selection: the selection's table is asked
    // directly, without looking it up for every key.
    const TSelectedKeys* table =
        selected.size() > SelectedScanLimit ? ActiveSelectedKeys(selected) : nullptr;
    if (OwnCombMatches && table) {
      TRuleKeys keys;
      for (int i = 0; i < n; ++i) {
        const int count = Self().KeysOf(src[i].data(), keys);
        bool m = false;
        for (int k = 0; k < count && !m; ++k)
          m = table->HasKey(StatKeyBits(keys[static_cast<size_t>(k)]));
        if (m != exclude) dst[kept++] = src[i];
      }
      return kept;
    }
    for (int i = 0; i < n; ++i)
      if (self.Derived::CombMatches(src[i], selected, last, sorted, exclude) != exclude)
        dst[kept++] = src[i];
    return kept;
  }

  bool CombSingleKeys(const TComb* src, int n, uint64_t* out) override {
    if constexpr (!OwnCombMatches) {
      return false;
    } else {
      if (typeid(*this) != typeid(Derived)) return false;
      TRuleKeys keys;
      for (int i = 0; i < n; ++i) {
        if (Self().KeysOf(src[i].data(), keys) != 1) return false;
        out[i] = StatKeyBits(keys[0]);
      }
      return true;
    }
  }

 protected:
  // The graph value of the classes with one value: that value.
  int32_t FirstValue(const uint8_t* values) const {
    TRuleKeys keys;
    Self().KeysOf(values, keys);
    return keys[0].L1();
  }
  // Lists the values from..to in ascending order, held in L1.
  void ListRange(TStatDrawArray& list, int32_t from, int32_t to) {
    for (int32_t v = from; v <= to; ++v) ListValue(list, v);
  }
  void ListValue(TStatDrawArray& list, int32_t v) {
    this->Work.Key.Clear();
    this->Work.Key.SetL1(v);
    AddStatItem(list, this->Work, false);
  }

 private:
  const Derived& Self() const { return static_cast<const Derived&>(*this); }
  // True when Derived keeps the CombMatches of this pattern (its keys against the selection):
  // a class that declares its own names a member of its own.
  static constexpr bool OwnCombMatches =
      std::is_same_v<decltype(&Derived::CombMatches), decltype(&TRuleStat::CombMatches)>;
};

class TstValues : public TRuleStat<TCustomValuesStat, TstValues> {
 public:
  using TRuleStat::TRuleStat;
  static std::string Ident() { return "NUMS"; }
  static std::string Caption() { return "Числа тиража"; }
  static int Group() { return GroupNumbers; }
  static uint8_t Features() { return sfN; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
  // Selected numbers become one bit mask for the pass.
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override;
};

class TstDigits : public TRuleStat<TCustomNumbersStat, TstDigits> {
 public:
  using TRuleStat::TRuleStat;
  static std::string Ident() { return "DIGS"; }
  static std::string Caption() { return "Цифры тиража"; }
  static int Group() { return GroupNumbers; }
  static uint8_t Features() { return sfN; }
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

// How many of the five numbers have a property: k shown as k:(5-k); 1..5 listed, 0 only when met.
template <class Derived>
class TCountStat : public TRuleStat<TCustomRatioStat, Derived> {
 public:
  using TRuleStat<TCustomRatioStat, Derived>::TRuleStat;
  static int Group() { return GroupNumbers; }
  static uint8_t Features() { return sfN; }
  void ListAllValues(int last, TStatDrawArray& list) override {
    TCustomStat::ListAllValues(last, list);
    this->ListRange(list, 1, 5);
  }
  int32_t GraphValueOf(const TComb& values, int, int, bool) override {
    return this->FirstValue(values.data());
  }
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const {
    int k = 0;
    for (int i = 0; i < CombSize; ++i)
      if (Derived::Has(values[i])) ++k;
    keys[0].Set(static_cast<uint16_t>(k));
    return 1;
  }
};

// A five-bit mask of a property by position, position 1 the most significant bit.
template <class Derived>
class TPositionMaskStat : public TRuleStat<TCustomMaskStat, Derived> {
 public:
  using TRuleStat<TCustomMaskStat, Derived>::TRuleStat;
  static int Group() { return GroupNumbers; }
  static uint8_t Features() { return sfS | sfN; }
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const {
    int32_t mask = 0;
    for (int i = 0; i < CombSize; ++i) mask = mask * 2 + (Derived::Has(values[i]) ? 1 : 0);
    keys[0].Clear();
    keys[0].SetL1(mask);
    return 1;
  }
};

class TstEvenCount : public TCountStat<TstEvenCount> {
 public:
  using TCountStat::TCountStat;
  static std::string Ident() { return "EVEN"; }
  static std::string Caption() { return "Количество четных чисел в тираже (Ч:Н)"; }
  static bool Has(int n) { return n % 2 == 0; }
};

class TstSmallCount : public TCountStat<TstSmallCount> {
 public:
  using TCountStat::TCountStat;
  static std::string Ident() { return "SMAL"; }
  static std::string Caption() { return "Количество чисел из первой половины диапазона (1П:2П)"; }
  static bool Has(int n) { return IsSmallNumber(n); }
};

class TstPrimeCount : public TCountStat<TstPrimeCount> {
 public:
  using TCountStat::TCountStat;
  static std::string Ident() { return "PRIM"; }
  static std::string Caption() { return "Количество простых чисел (П:С)"; }
  static bool Has(int n) { return IsPrimeSetNumber(n); }
};

class TstEvenValues : public TPositionMaskStat<TstEvenValues> {
 public:
  using TPositionMaskStat::TPositionMaskStat;
  static std::string Ident() { return "EVNV"; }
  static std::string Caption() { return "Четные и нечетные числа в тираже (Чн..нЧ)"; }
  static bool Has(int n) { return n % 2 != 0; }
  std::string ZeroMark() const override { return "Ч"; }
  std::string OneMark() const override { return "н"; }
};

class TstSmallValues : public TPositionMaskStat<TstSmallValues> {
 public:
  using TPositionMaskStat::TPositionMaskStat;
  static std::string Ident() { return "SMLV"; }
  static std::string Caption() { return "Числа из первой половины диапазона (12..12)"; }
  static bool Has(int n) { return !IsSmallNumber(n); }
  std::string ZeroMark() const override { return "1"; }
  std::string OneMark() const override { return "2"; }
  // Lists nothing in advance, unlike the other masks.
  void ListAllValues(int last, TStatDrawArray& list) override;
};

class TstPrimeValues : public TPositionMaskStat<TstPrimeValues> {
 public:
  using TPositionMaskStat::TPositionMaskStat;
  static std::string Ident() { return "PRMV"; }
  static std::string Caption() { return "Простые и составные числа (ПС..СП)"; }
  static bool Has(int n) { return IsPrimeSetNumber(n); }
  std::string ZeroMark() const override { return "С"; }
  std::string OneMark() const override { return "П"; }
};

class TstPosVal : public TRuleStat<TCustomGraphStat, TstPosVal> {
 public:
  using TRuleStat::TRuleStat;
  static std::string Ident() { return "POS%d"; }
  static std::string Caption() { return "Число в %0:d позиции тиража"; }
  static std::string HelpIdent() { return "POSx"; }
  static int Group() { return GroupNumbers; }
  static uint8_t Features() { return sfS | sfN; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList&, int& min, int& max) {
    min = 1;
    max = CombSize;
  }
  std::string ValueText(const TStatDraw& item) const override;
  void ListAllValues(int last, TStatDrawArray& list) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
  int KeysOf(const uint8_t* values, TRuleKeys& keys) const;
};

// The extra number of a draw; a combination has none, so it never filters.
class TstPosExt : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static std::string Ident() { return "POE%d"; }
  static std::string Caption() { return "Extra (Bonus, Star...) - число (!без фильтра!)"; }
  static std::string HelpIdent() { return "POSx"; }
  static int Group() { return GroupNumbers; }
  static uint8_t Features() { return 0; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList&, int& min, int& max) { min = max = 1; }
  std::string ValueText(const TStatDraw& item) const override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

KVARN_STAT_CLASS_DECL(TstValues);
KVARN_STAT_CLASS_DECL(TstDigits);
KVARN_STAT_CLASS_DECL(TstEvenCount);
KVARN_STAT_CLASS_DECL(TstEvenValues);
KVARN_STAT_CLASS_DECL(TstSmallCount);
KVARN_STAT_CLASS_DECL(TstSmallValues);
KVARN_STAT_CLASS_DECL(TstPrimeCount);
KVARN_STAT_CLASS_DECL(TstPrimeValues);
KVARN_STAT_CLASS_DECL(TstPosVal);
KVARN_STAT_CLASS_DECL(TstPosExt);

}  // namespace kvarn
