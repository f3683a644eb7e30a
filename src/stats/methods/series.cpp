#include "stats/methods/series.h"

#include "stats/methods/grouping.h"

#include <cstdint>

#include "core/config.h"
#include "core/text.h"
#include "stats/registry.h"

namespace kvarn {

// ---- TCustomSerialStat ----

TCustomSerialStat::TCustomSerialStat(const TStatList& list, int param, uint8_t presence)
    : TCustomStat(list, param), SerialPresence(presence) {}

void TCustomSerialStat::SetRange(int min, int max) {
  MinValue = min < 1 ? 1 : min;
  MaxValue = max > NumbersCount ? NumbersCount : max;
}

bool TCustomSerialStat::InReference(int value) const {
  for (int j = 0; j < CombSize; ++j)
    if (AttrOf(j + 1, Previous.Values[static_cast<size_t>(j)]) == value) return true;
  return false;
}

std::string TCustomSerialStat::SerialText(const std::string& value, const TStatDraw& item) const {
  return FormatIndexed("%0:s x %1:d", {value, int{item.Key.K2}});
}

void TCustomSerialStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                      TStatContext& context, TLastValueArray& lastValues) {
  TCustomStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  TSerialContext& state = context.As<TSerialContext>();
  int attrs[CombSize];
  for (int j = 0; j < CombSize; ++j)
    attrs[j] = AttrOf(j + 1, Current.Values[static_cast<size_t>(j)]);
  // The values of this draw and of the reference draw as bits (values are 1..36): the loop
  // below asks both for every value, and the "Факт" search runs it for many starts.
  uint64_t here = 0, reference = 0;
  for (int j = 0; j < CombSize; ++j) {
    const int a = attrs[j];
    const int r = AttrOf(j + 1, Previous.Values[static_cast<size_t>(j)]);
    if (a >= 0 && a < 64) here |= uint64_t{1} << a;
    if (r >= 0 && r < 64) reference |= uint64_t{1} << r;
  }
  auto inReference = [&](int v) {
    return v >= 0 && v < 64 ? (reference >> v & 1) != 0 : InReference(v);
  };
  const int depth = last - index + 1;
  for (int v = MinValue; v <= MaxValue; ++v) {
    TSerialEntry& e = state.Entries[v - 1];
    bool present = false;
    if (v >= 0 && v < 64)
      present = (here >> v & 1) != 0;
    else
      for (int a : attrs) present = present || a == v;
    if (present == (SerialPresence == 1)) {
      // A run longer than the 16-bit field holds stays at its largest length.
      if (e.RunLength < UINT16_MAX) ++e.RunLength;
      e.DrawNumber = Current.Number;
      e.Depth = depth;
      if (index == last && inReference(v)) {
        Work.Key.Set(static_cast<uint16_t>(v), e.RunLength);
        Work.LastDraw = Work.PrevDraw = e.DrawNumber;
        Work.Depth = e.Depth;
        AddStatItem(list, Work, true);
      }
    } else {
      if (e.RunLength > 0 && inReference(v)) {
        Work.Key.Set(static_cast<uint16_t>(v), e.RunLength);
        // The run ended in an earlier draw: its occurrence is that draw, and so is the start of
        // the next gap.
        Work.LastDraw = Work.PrevDraw = e.DrawNumber;
        Work.Depth = e.Depth;
        AddStatItem(list, Work, true);
      }
      e = TSerialEntry{};
    }
  }
}

bool TCustomSerialStat::ValueSelected(int v, const TStatDrawArray& selected) const {
  return v >= 0 && v <= UINT16_MAX && SelectedHasWord(selected, 1, static_cast<uint16_t>(v));
}

bool TCustomSerialStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool,
                                    bool) {
  for (int i = 0; i < CombSize; ++i)
    if (ValueSelected(AttrOf(i + 1, comb[static_cast<size_t>(i)]), selected)) return true;
  return false;
}

int TCustomSerialStat::FilterPass(const TComb* src, int n, TComb* dst,
                                  const TStatDrawArray& selected, int last, bool sorted,
                                  bool exclude) {
  return PositionFilterPass(
      src, n, dst, exclude,
      [&](int position, int number) { return ValueSelected(AttrOf(position, number), selected); },
      [&](const TComb& c) { return CombMatches(c, selected, last, sorted, exclude); });
}

// ---- domains ----

TValuesSerialStat::TValuesSerialStat(const TStatList& list, int param, uint8_t presence)
    : TCustomSerialStat(list, param, presence) {
  SetRange(1, NumbersCount);
}

std::string TValuesSerialStat::ValueText(const TStatDraw& item) const {
  return SerialText(std::to_string(item.Key.K1), item);
}

TChannelsSerialStat::TChannelsSerialStat(const TStatList& list, int param, uint8_t presence)
    : TCustomSerialStat(list, param, presence), geometry_{list.Config().ChannelSize} {
  SetRange(1, geometry_.ChannelOf(NumbersCount));
}

std::string TChannelsSerialStat::ValueText(const TStatDraw& item) const {
  return SerialText(StrFormat("%.2d", int{item.Key.K1}), item);
}

TSegmentsSerialStat::TSegmentsSerialStat(const TStatList& list, int param, uint8_t presence)
    : TCustomSerialStat(list, param, presence), map_(list.Config().Segments) {
  int min = 0, max = 0;
  SegmentParamRange(map_, min, max);
  SetRange(min, max);
}

std::string TSegmentsSerialStat::ValueText(const TStatDraw& item) const {
  return SerialText(std::to_string(item.Key.K1), item);
}

KVARN_STAT_CLASS(TstNumGroups)
KVARN_STAT_CLASS(TstNumPauses)
KVARN_STAT_CLASS(TstChnGroups)
KVARN_STAT_CLASS(TstChnPauses)
KVARN_STAT_CLASS(TstSgmGroups)
KVARN_STAT_CLASS(TstSgmPauses)

}  // namespace kvarn
