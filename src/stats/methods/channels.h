// Channel methods: a channel is a block of consecutive numbers of the configured width (width 6:
// 1-6 is channel 1, 7-12 channel 2, ...). The methods count and combine the channels of the five
// numbers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "stats/methods/grouping.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int ChannelsGroup = 3;  // "grp"

// The width copied from the settings when a method is created.
struct TChannelGeometry {
  int Width = 6;
  explicit TChannelGeometry(int width = 6);
  // The ceiling of n / Width; 0 when the width is not positive.
  int ChannelOf(int n) const {
    return n >= 0 && n < kTabled ? channels_[static_cast<size_t>(n)] : ComputeChannel(n);
  }
  int ChannelCount() const { return ChannelOf(NumbersCount); }
  // "01 [1-6]"; the last bound is not cut at 36.
  std::string ChannelText(int c) const;

 private:
  int ComputeChannel(int n) const { return Width > 0 ? n / Width + (n % Width != 0 ? 1 : 0) : 0; }
  // Of every number a byte holds, made once: the filter asks for every number of every
  // combination, and the division cost more than the rest of the test.
  static constexpr int kTabled = 256;
  std::array<int16_t, kTabled> channels_{};
};

// The channel range of the list's current width: ChannelOf(1)..ChannelOf(36), empty (0..-1)
// when the width is not positive.
void ChannelParamRange(const TStatList& list, int& min, int& max);

class TCustomChannelsStat : public TCustomNumbersStat {
 public:
  TCustomChannelsStat(const TStatList& list, int param);
  static int Group() { return ChannelsGroup; }
  int Width() const { return geometry_.Width; }
  int ChannelOf(int n) const { return geometry_.ChannelOf(n); }
  std::string ChannelText(int c) const { return geometry_.ChannelText(c); }

 protected:
  TGroupAttrs ChannelsOf(const TComb& values) const;
  TChannelGeometry geometry_;
};

class TCustomChannelsGraphStat : public TCustomGraphStat {
 public:
  TCustomChannelsGraphStat(const TStatList& list, int param);
  static int Group() { return ChannelsGroup; }
  int Width() const { return geometry_.Width; }
  int ChannelOf(int n) const { return geometry_.ChannelOf(n); }

 protected:
  TGroupAttrs ChannelsOf(const TComb& values) const;
  TChannelGeometry geometry_;
};

class TstChannels : public TCustomChannelsStat {
 public:
  using TCustomChannelsStat::TCustomChannelsStat;
  static std::string Ident() { return "CHAN"; }
  static std::string Caption() { return "Каналы"; }
  static uint8_t Features() { return sfN; }
  std::string ValueText(const TStatDraw& item) const override;
  int32_t TextValue(std::string_view text) const override;
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
};

class TstChanValues : public TCustomChannelsStat {
 public:
  TstChanValues(const TStatList& list, int param);
  static std::string Ident() { return "CHNV"; }
  static std::string Caption() { return "Количество чисел в канале"; }
  static uint8_t Features() { return sfN; }
  static bool CanParseValue() { return false; }
  std::string ValueText(const TStatDraw& item) const override;
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;

 private:
  TGroupList channels_;
};

class TstChanCount : public TCustomChannelsGraphStat {
 public:
  using TCustomChannelsGraphStat::TCustomChannelsGraphStat;
  static std::string Ident() { return "CHNC"; }
  static std::string Caption() { return "Количество каналов в тираже"; }
  static uint8_t Features() { return sfN; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

struct TChannelAttr {
  static int Of(const TCustomChannelsStat& s, int n) { return s.ChannelOf(n); }
};

template <TTupleKind Kind, int N>
using TChannelTuplesStat = TGroupTuplesStat<TCustomChannelsStat, TChannelAttr, Kind, N>;

#define KVARN_CHANNEL_TUPLES(T, Kind, N, IdentText, CaptionText) \
  class T : public TChannelTuplesStat<Kind, N> {                 \
   public:                                                       \
    using Base = TChannelTuplesStat<Kind, N>;                    \
    using Base::Base;                                            \
    static std::string Ident() { return IdentText; }             \
    static std::string Caption() { return CaptionText; }         \
  }

KVARN_CHANNEL_TUPLES(TstCombChnMix2, TTupleKind::Mix, 2, "KCM2",
                     "Сочетания из 2 каналов по всем числам тиража");
KVARN_CHANNEL_TUPLES(TstCombChnMix3, TTupleKind::Mix, 3, "KCM3",
                     "Сочетания из 3 каналов по всем числам тиража");
KVARN_CHANNEL_TUPLES(TstCombChnMix4, TTupleKind::Mix, 4, "KCM4",
                     "Сочетания из 4 каналов по всем числам тиража");
KVARN_CHANNEL_TUPLES(TstCombChnSeq2, TTupleKind::Seq, 2, "KCS2",
                     "Сочетания из 2 каналов по соседним числам");
KVARN_CHANNEL_TUPLES(TstCombChnSeq3, TTupleKind::Seq, 3, "KCS3",
                     "Сочетания из 3 каналов по соседним числам");
KVARN_CHANNEL_TUPLES(TstCombChnSeq4, TTupleKind::Seq, 4, "KCS4",
                     "Сочетания из 4 каналов по соседним числам");
#undef KVARN_CHANNEL_TUPLES

class TstChnValCnt : public TCustomChannelsGraphStat {
 public:
  using TCustomChannelsGraphStat::TCustomChannelsGraphStat;
  static std::string Ident() { return "CHN%d"; }
  static std::string Caption() { return "Количество чисел в %0:d канале"; }
  static std::string HelpIdent() { return "CHNx"; }
  static uint8_t Features() { return sfN; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList& list, int& min, int& max) {
    ChannelParamRange(list, min, max);
  }
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

KVARN_STAT_CLASS_DECL(TstChannels);
KVARN_STAT_CLASS_DECL(TstChanValues);
KVARN_STAT_CLASS_DECL(TstChanCount);
KVARN_STAT_CLASS_DECL(TstCombChnMix2);
KVARN_STAT_CLASS_DECL(TstCombChnMix3);
KVARN_STAT_CLASS_DECL(TstCombChnMix4);
KVARN_STAT_CLASS_DECL(TstCombChnSeq2);
KVARN_STAT_CLASS_DECL(TstCombChnSeq3);
KVARN_STAT_CLASS_DECL(TstCombChnSeq4);
KVARN_STAT_CLASS_DECL(TstChnValCnt);

}  // namespace kvarn
