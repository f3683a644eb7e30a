// Series methods: every number, channel or segment is followed from draw to draw, and the
// lengths of its runs — draws in a row with it (groups) or without it (pauses) — are recorded
// for the values of the latest draw.
#pragma once

#include <cstdint>
#include <string>

#include "stats/methods/channels.h"
#include "stats/methods/segments.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int SerialGroup = 8;  // "ser"

// The state of one value across the draws of a run, entry v - 1 of the context area for the
// value v: 36 entries of 12 bytes fill the 432-byte area exactly.
struct TSerialEntry {
  uint16_t RunLength;
  uint16_t Reserved;
  int32_t DrawNumber;  // draw number of the run's last draw
  int32_t Depth;       // window position of that draw
};
static_assert(sizeof(TSerialEntry) == 12);
struct TSerialContext {
  TSerialEntry Entries[NumbersCount];
};
static_assert(sizeof(TSerialContext) == TStatContext::Size);

class TCustomSerialStat : public TCustomStat {
 public:
  TCustomSerialStat(const TStatList& list, int param, uint8_t presence);
  static int Group() { return SerialGroup; }
  static uint8_t Features() { return sfD; }
  static bool CanParseValue() { return false; }

  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  // Decides once per number and position.
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override;

  // The value of a number in this domain.
  virtual int AttrOf(int position, int number) const = 0;
  // True when some number of the reference draw (the latest draw) has the value.
  bool InReference(int value) const;

  // 1: runs of presence (groups); 0: runs of absence (pauses).
  uint8_t SerialPresence;
  int MinValue = 1;
  int MaxValue = 0;

 protected:
  // Keeps the values inside the 36 entries of the context area.
  void SetRange(int min, int max);
  // A candidate's value v is selected.
  bool ValueSelected(int v, const TStatDrawArray& selected) const;
  // "<value> x <length>" with the domain's value text.
  std::string SerialText(const std::string& value, const TStatDraw& item) const;
};

class TValuesSerialStat : public TCustomSerialStat {
 public:
  TValuesSerialStat(const TStatList& list, int param, uint8_t presence);
  int AttrOf(int, int number) const override { return number; }
  std::string ValueText(const TStatDraw& item) const override;
};

class TChannelsSerialStat : public TCustomSerialStat {
 public:
  TChannelsSerialStat(const TStatList& list, int param, uint8_t presence);
  int AttrOf(int, int number) const override { return geometry_.ChannelOf(number); }
  std::string ValueText(const TStatDraw& item) const override;

 private:
  TChannelGeometry geometry_;
};

class TSegmentsSerialStat : public TCustomSerialStat {
 public:
  TSegmentsSerialStat(const TStatList& list, int param, uint8_t presence);
  int AttrOf(int, int number) const override {
    return number >= 1 && number <= NumbersCount ? map_[static_cast<size_t>(number - 1)] : 0;
  }
  std::string ValueText(const TStatDraw& item) const override;

 private:
  TSegmentMap map_;
};

#define KVARN_SERIAL_CLASS(T, Base, Presence, IdentText, CaptionText)    \
  class T : public Base {                                                \
   public:                                                               \
    T(const TStatList& list, int param) : Base(list, param, Presence) {} \
    static std::string Ident() { return IdentText; }                     \
    static std::string Caption() { return CaptionText; }                 \
  };                                                                     \
  KVARN_STAT_CLASS_DECL(T)

KVARN_SERIAL_CLASS(TstNumGroups, TValuesSerialStat, 1, "GRPV",
                   "Повторы чисел в нескольких тиражах подряд");
KVARN_SERIAL_CLASS(TstNumPauses, TValuesSerialStat, 0, "GRPP",
                   "Интервалы между повторениями чисел");
KVARN_SERIAL_CLASS(TstChnGroups, TChannelsSerialStat, 1, "GRCV",
                   "Повторы каналов в нескольких тиражах подряд");
KVARN_SERIAL_CLASS(TstChnPauses, TChannelsSerialStat, 0, "GRCP",
                   "Интервалы между повторениями каналов");
KVARN_SERIAL_CLASS(TstSgmGroups, TSegmentsSerialStat, 1, "GRSV",
                   "Повторы сегментов в нескольких тиражах подряд");
KVARN_SERIAL_CLASS(TstSgmPauses, TSegmentsSerialStat, 0, "GRSP",
                   "Интервалы между повторениями сегментов");
#undef KVARN_SERIAL_CLASS

}  // namespace kvarn
