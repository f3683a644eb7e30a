// Shredding methods: up to three arithmetic formulas over the numbers of a draw and of the two
// draws before it; the fractional part of a formula's value, cut to a fixed number of decimal
// digits, is the method's value.
#pragma once

#include <cstdint>
#include <string>

#include "stats/methods/formula.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int ShrGroup = 12;  // "shr"
constexpr int ShreddingFormulaCount = 3;
constexpr int ShreddingMinDigits = 1;
constexpr int ShreddingMaxDigits = 5;

class TstShreddingStat : public TCustomGraphStat {
 public:
  // Takes formula Param and its digit count from the registry.
  TstShreddingStat(const TStatList& list, int param);
  static std::string Ident() { return "SHR%d"; }
  // The registry fills the "%s" that CaptionOf leaves with the entry's formula text.
  static std::string Caption() { return "Метод шинковки %0:d: %%s"; }
  static std::string HelpIdent() { return "SHRx"; }
  static int Group() { return ShrGroup; }
  static uint8_t Features() { return sfS | sfN; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList&, int& min, int& max) {
    min = 1;
    max = ShreddingFormulaCount;
  }

  // Values reach 99999 with five digits, beyond a 16-bit component: they are held in L1.
  std::string ValueText(const TStatDraw& item) const override;
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;

  const std::string& Formula() const { return formula_; }
  int Digits() const { return digits_; }

 private:
  // The value with p and t taken from the two draws before draw[index].
  int32_t DrawValue(const TComb& values, int index, bool sorted);
  // ShredValue of the formula, with the substitution made in the instance's buffers: the filter
  // and the full-set pass call it for every combination.
  int32_t Shred(const TComb& n, const TComb& p, const TComb& t);

  std::string formula_;
  int digits_ = 2;
  TCompiledFormula compiled_;
  TDraw p_;
  TDraw t_;
  std::string text_;
  std::string next_;
};

KVARN_STAT_CLASS_DECL(TstShreddingStat);

}  // namespace kvarn
