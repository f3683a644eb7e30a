// Period methods: for every occurrence of a number, channel or segment, how many draws have
// passed since the same value occurred before.
#pragma once

#include <cstdint>
#include <string>

#include "stats/methods/channels.h"
#include "stats/methods/segments.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int PeriodsGroup = 9;  // "per"

class TCustomPeriodsStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static int Group() { return PeriodsGroup; }
  static uint8_t Features() { return sfP; }
  static bool CanParseValue() { return false; }

  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  // A selected (value, period) holds for a candidate value when the value stood in the draw that
  // period before the candidate's draw; deleting tests the opposite.
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  // The test depends on a candidate's values alone: it is made once per value of a number at a
  // position.
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override;

  virtual int AttrOf(int position, int number) const = 0;

 protected:
  // A candidate value v meets the selection: some selected (v, period) holds for it.
  bool ValueHits(int v, const TStatDrawArray& selected, int last, bool exclude) const;
  std::string PeriodText(const std::string& value, const TStatDraw& item) const;
};

class TstNumPeriods : public TCustomPeriodsStat {
 public:
  using TCustomPeriodsStat::TCustomPeriodsStat;
  static std::string Ident() { return "PRDV"; }
  static std::string Caption() { return "Периоды повторения чисел"; }
  int AttrOf(int, int number) const override { return number; }
  std::string ValueText(const TStatDraw& item) const override;
};

class TstChnPeriods : public TCustomPeriodsStat {
 public:
  TstChnPeriods(const TStatList& list, int param);
  static std::string Ident() { return "PRDC"; }
  static std::string Caption() { return "Периоды повторения каналов"; }
  int AttrOf(int, int number) const override { return geometry_.ChannelOf(number); }
  std::string ValueText(const TStatDraw& item) const override;

 private:
  TChannelGeometry geometry_;
};

class TstSgmPeriods : public TCustomPeriodsStat {
 public:
  TstSgmPeriods(const TStatList& list, int param);
  static std::string Ident() { return "PRDG"; }
  static std::string Caption() { return "Периоды повторения сегментов"; }
  int AttrOf(int, int number) const override {
    return number >= 1 && number <= NumbersCount ? map_[static_cast<size_t>(number - 1)] : 0;
  }
  std::string ValueText(const TStatDraw& item) const override;

 private:
  TSegmentMap map_;
};

KVARN_STAT_CLASS_DECL(TstNumPeriods);
KVARN_STAT_CLASS_DECL(TstChnPeriods);
KVARN_STAT_CLASS_DECL(TstSgmPeriods);

}  // namespace kvarn
