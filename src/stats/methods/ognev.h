// The Ognev number of a draw: the five numbers reduced to one characteristic number by repeated
// absolute differences of neighbours; as a per-draw value, and as a dynamic filter list built
// from the latest draw's number and its multiples.
#pragma once

#include <cstdint>
#include <string>

#include "core/lottery.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int OgnGroup = 11;

struct TOgnevResult {
  int32_t Value = 0;
  bool Pair = false;  // the pair (1, Value): mode 2 when the last difference is 1
};

// Reduces the numbers in the order given. Mode 0: the last difference r; mode 1: u + v of the
// last two numbers when r is 0 or 1; mode 2: u + v when r is 0, the pair (1, u + v) when r is 1.
TOgnevResult OgnevReduce(const TComb& values, int mode);

// The Ognev number as an ordinary per-draw value and graph value.
class TCustomOgnevGraphStat : public TCustomGraphStat {
 public:
  TCustomOgnevGraphStat(const TStatList& list, int param, int mode)
      : TCustomGraphStat(list, param), mode_(mode) {}
  static int Group() { return OgnGroup; }
  static uint8_t Features() { return sfS | sfN; }
  int Mode() const { return mode_; }
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  // Decides once per value (they lie in 0..510).
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;

 private:
  int mode_;
};

class TstOgnev1 : public TCustomOgnevGraphStat {
 public:
  TstOgnev1(const TStatList& list, int param) : TCustomOgnevGraphStat(list, param, 0) {}
  static std::string Ident() { return "HCO1"; }
  static std::string Caption() { return "Число Огнева 1 (только разность)"; }
};

class TstOgnev2 : public TCustomOgnevGraphStat {
 public:
  TstOgnev2(const TStatList& list, int param) : TCustomOgnevGraphStat(list, param, 1) {}
  static std::string Ident() { return "HCO2"; }
  static std::string Caption() { return "Число Огнева 2 (разность + сложение, если {0,1})"; }
};

// A filter list made only from the reference draw: its mode-2 Ognev number f and the multiples
// of f up to 36, each counted 1 when it came in the draw after the reference draw, else 0.
class TstOgnev3 : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static std::string Ident() { return "HCO3"; }
  static std::string Caption() { return "Числа Огнева 3 (динамический, только фильтр)"; }
  static int Group() { return OgnGroup; }
  static uint8_t Features() { return sfS | sfD; }
  static bool CanParseValue() { return false; }
  // K4 = 2 marks the pair: the value is shown with its K2 in parentheses, "13 (1)".
  std::string ValueText(const TStatDraw& item) const override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
};

KVARN_STAT_CLASS_DECL(TstOgnev1);
KVARN_STAT_CLASS_DECL(TstOgnev2);
KVARN_STAT_CLASS_DECL(TstOgnev3);

}  // namespace kvarn
