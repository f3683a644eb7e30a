#include "stats/methods/channels.h"

#include <algorithm>

#include "core/config.h"
#include "core/text.h"
#include "stats/registry.h"

namespace kvarn {

TChannelGeometry::TChannelGeometry(int width) : Width(width) {
  for (int n = 0; n < kTabled; ++n)
    channels_[static_cast<size_t>(n)] = static_cast<int16_t>(ComputeChannel(n));
}

std::string TChannelGeometry::ChannelText(int c) const {
  return StrFormat("%.2d [%d-%d]", c, Width * (c - 1) + 1, Width * c);
}

void ChannelParamRange(const TStatList& list, int& min, int& max) {
  const TChannelGeometry g{list.Config().ChannelSize};
  if (g.Width <= 0) {
    min = 0;
    max = -1;
    return;
  }
  min = g.ChannelOf(1);
  max = g.ChannelOf(NumbersCount);
}

// ---- family bases ----

TCustomChannelsStat::TCustomChannelsStat(const TStatList& list, int param)
    : TCustomNumbersStat(list, param), geometry_{list.Config().ChannelSize} {}

TGroupAttrs TCustomChannelsStat::ChannelsOf(const TComb& values) const {
  return GroupAttrsOf(values, [this](int n) { return ChannelOf(n); });
}

TCustomChannelsGraphStat::TCustomChannelsGraphStat(const TStatList& list, int param)
    : TCustomGraphStat(list, param), geometry_{list.Config().ChannelSize} {}

TGroupAttrs TCustomChannelsGraphStat::ChannelsOf(const TComb& values) const {
  return GroupAttrsOf(values, [this](int n) { return ChannelOf(n); });
}

// ---- TstChannels ----

std::string TstChannels::ValueText(const TStatDraw& item) const {
  return ChannelText(item.Key.K1);
}

int32_t TstChannels::TextValue(std::string_view text) const {
  const auto words = SplitWords(text, " ");
  return words.empty() ? 0 : TCustomNumbersStat::TextValue(words.front());
}

void TstChannels::ListAllValues(int last, TStatDrawArray& list) {
  TCustomChannelsStat::ListAllValues(last, list);
  for (int n = 1; n <= NumbersCount; ++n) {
    Work.Key.Set(static_cast<uint16_t>(ChannelOf(n)));
    AddStatItem(list, Work, false);
  }
}

void TstChannels::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomChannelsStat::AddCombValues(comb, list);
  for (uint8_t n : comb) {
    Work.Key.Set(static_cast<uint16_t>(ChannelOf(n)));
    AddStatItem(list, Work, false);
  }
}

void TstChannels::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                TStatContext& context, TLastValueArray& lastValues) {
  TCustomChannelsStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  for (uint8_t n : Current.Values) {
    Work.Key.Set(static_cast<uint16_t>(ChannelOf(n)));
    AddStatItem(list, Work, true);
  }
}

bool TstChannels::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  for (uint8_t n : comb)
    if (SelectedHasWord(selected, 1, static_cast<uint16_t>(ChannelOf(n)))) return true;
  return false;
}

// ---- TstChanValues ----

TstChanValues::TstChanValues(const TStatList& list, int param)
    : TCustomChannelsStat(list, param), channels_(GroupRange(geometry_.ChannelCount())) {}

std::string TstChanValues::ValueText(const TStatDraw& item) const {
  return FormatIndexed("%0:s x %1:d", {ChannelText(item.Key.K1), int{item.Key.K2}});
}

void TstChanValues::ListAllValues(int last, TStatDrawArray& list) {
  TCustomChannelsStat::ListAllValues(last, list);
  ListGroupCounts(Work, channels_, std::min(Width(), CombSize), list);
}

void TstChanValues::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomChannelsStat::AddCombValues(comb, list);
  AddGroupCounts(Work, ChannelsOf(comb), channels_, list, false);
}

void TstChanValues::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                  TStatContext& context, TLastValueArray& lastValues) {
  TCustomChannelsStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  AddGroupCounts(Work, ChannelsOf(Current.Values), channels_, list, true);
}

bool TstChanValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool,
                                bool) {
  return GroupCountsSelected(ChannelsOf(comb), channels_, selected);
}

// ---- TstChanCount ----

void TstChanCount::ListAllValues(int last, TStatDrawArray& list) {
  TCustomChannelsGraphStat::ListAllValues(last, list);
  ListValueRange(Work, 1, std::min(Width(), CombSize), list);
}

void TstChanCount::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomChannelsGraphStat::AddCombValues(comb, list);
  Work.Key.Set(static_cast<uint16_t>(DistinctGroupCount(ChannelsOf(comb))));
  AddStatItem(list, Work, false);
}

void TstChanCount::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                 TStatContext& context, TLastValueArray& lastValues) {
  TCustomChannelsGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.Set(static_cast<uint16_t>(DistinctGroupCount(ChannelsOf(Current.Values))));
  AddStatItem(list, Work, true);
}

bool TstChanCount::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  return SelectedHasWord(selected, 1, static_cast<uint16_t>(DistinctGroupCount(ChannelsOf(comb))));
}

int32_t TstChanCount::GraphValueOf(const TComb& values, int, int, bool) {
  return DistinctGroupCount(ChannelsOf(values));
}

// ---- TstChnValCnt ----

void TstChnValCnt::ListAllValues(int last, TStatDrawArray& list) {
  TCustomChannelsGraphStat::ListAllValues(last, list);
  ListValueRange(Work, 1, Width(), list);
}

void TstChnValCnt::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomChannelsGraphStat::AddCombValues(comb, list);
  Work.Key.Set(static_cast<uint16_t>(CountInGroup(ChannelsOf(comb), Param)));
  AddStatItem(list, Work, false);
}

void TstChnValCnt::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                 TStatContext& context, TLastValueArray& lastValues) {
  TCustomChannelsGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.Set(static_cast<uint16_t>(CountInGroup(ChannelsOf(Current.Values), Param)));
  AddStatItem(list, Work, true);
}

bool TstChnValCnt::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  return SelectedHasWord(selected, 1, static_cast<uint16_t>(CountInGroup(ChannelsOf(comb), Param)));
}

int32_t TstChnValCnt::GraphValueOf(const TComb& values, int, int, bool) {
  return CountInGroup(ChannelsOf(values), Param);
}

KVARN_STAT_CLASS(TstChannels)
KVARN_STAT_CLASS(TstChanValues)
KVARN_STAT_CLASS(TstChanCount)
KVARN_STAT_CLASS(TstCombChnMix2)
KVARN_STAT_CLASS(TstCombChnMix3)
KVARN_STAT_CLASS(TstCombChnMix4)
KVARN_STAT_CLASS(TstCombChnSeq2)
KVARN_STAT_CLASS(TstCombChnSeq3)
KVARN_STAT_CLASS(TstCombChnSeq4)
KVARN_STAT_CLASS(TstChnValCnt)

}  // namespace kvarn
