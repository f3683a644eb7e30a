#include "stats/methods/segments.h"

#include "core/config.h"
#include "stats/registry.h"

namespace kvarn {

namespace {

int MapEntry(const TSegmentMap& map, int n) {
  return n >= 1 && n <= NumbersCount ? map[static_cast<size_t>(n - 1)] : 0;
}

TGroupAttrs MapAttrs(const TSegmentMap& map, const TComb& values) {
  return GroupAttrsOf(values, [&map](int n) { return MapEntry(map, n); });
}

}  // namespace

TGroupList SegmentGroups(const TSegmentMap& map) {
  TGroupList groups;
  for (uint8_t s : map) groups.AddUnique(s);
  return groups;
}

void SegmentParamRange(const TSegmentMap& map, int& min, int& max) {
  min = 9;
  max = 1;
  for (uint8_t s : map) {
    if (s < min) min = s;
    if (s > max) max = s;
  }
}

// ---- family bases ----

TCustomSegmentsStat::TCustomSegmentsStat(const TStatList& list, int param)
    : TCustomNumbersStat(list, param), map_(list.Config().Segments) {}

int TCustomSegmentsStat::SegmentOf(int n, int) const {
  return MapEntry(map_, n);
}

TGroupAttrs TCustomSegmentsStat::SegmentsOf(const TComb& values) const {
  return MapAttrs(map_, values);
}

TCustomSegmentsGraphStat::TCustomSegmentsGraphStat(const TStatList& list, int param)
    : TCustomGraphStat(list, param), map_(list.Config().Segments) {}

int TCustomSegmentsGraphStat::SegmentOf(int n, int) const {
  return MapEntry(map_, n);
}

TGroupAttrs TCustomSegmentsGraphStat::SegmentsOf(const TComb& values) const {
  return MapAttrs(map_, values);
}

// ---- TstSegments ----

void TstSegments::ListAllValues(int last, TStatDrawArray& list) {
  TCustomSegmentsStat::ListAllValues(last, list);
  for (uint8_t s : map_) {
    Work.Key.Set(s);
    AddStatItem(list, Work, false);
  }
}

void TstSegments::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomSegmentsStat::AddCombValues(comb, list);
  for (uint8_t n : comb) {
    Work.Key.Set(static_cast<uint16_t>(SegmentOf(n)));
    AddStatItem(list, Work, false);
  }
}

void TstSegments::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                TStatContext& context, TLastValueArray& lastValues) {
  TCustomSegmentsStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  for (uint8_t n : Current.Values) {
    Work.Key.Set(static_cast<uint16_t>(SegmentOf(n)));
    AddStatItem(list, Work, true);
  }
}

bool TstSegments::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  for (uint8_t n : comb)
    if (SelectedHasWord(selected, 1, static_cast<uint16_t>(SegmentOf(n)))) return true;
  return false;
}

// ---- TstSegmValues ----

TstSegmValues::TstSegmValues(const TStatList& list, int param)
    : TCustomSegmentsStat(list, param), segments_(SegmentGroups(map_)) {}

std::string TstSegmValues::ValueText(const TStatDraw& item) const {
  return FormatIndexed("%0:d x %1:d", {int{item.Key.K1}, int{item.Key.K2}});
}

void TstSegmValues::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomSegmentsStat::AddCombValues(comb, list);
  AddGroupCounts(Work, SegmentsOf(comb), segments_, list, false);
}

void TstSegmValues::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                  TStatContext& context, TLastValueArray& lastValues) {
  TCustomSegmentsStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  AddGroupCounts(Work, SegmentsOf(Current.Values), segments_, list, true);
}

bool TstSegmValues::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool,
                                bool) {
  return GroupCountsSelected(SegmentsOf(comb), segments_, selected);
}

// ---- TstSegmCount ----

void TstSegmCount::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomSegmentsGraphStat::AddCombValues(comb, list);
  Work.Key.Set(static_cast<uint16_t>(DistinctGroupCount(SegmentsOf(comb))));
  AddStatItem(list, Work, false);
}

void TstSegmCount::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                 TStatContext& context, TLastValueArray& lastValues) {
  TCustomSegmentsGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.Set(static_cast<uint16_t>(DistinctGroupCount(SegmentsOf(Current.Values))));
  AddStatItem(list, Work, true);
}

bool TstSegmCount::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  return SelectedHasWord(selected, 1, static_cast<uint16_t>(DistinctGroupCount(SegmentsOf(comb))));
}

int32_t TstSegmCount::GraphValueOf(const TComb& values, int, int, bool) {
  return DistinctGroupCount(SegmentsOf(values));
}

// ---- TstSgmValCnt ----

void TstSgmValCnt::ParamRange(const TStatList& list, int& min, int& max) {
  SegmentParamRange(list.Config().Segments, min, max);
}

void TstSgmValCnt::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomSegmentsGraphStat::AddCombValues(comb, list);
  Work.Key.Set(static_cast<uint16_t>(CountInGroup(SegmentsOf(comb), Param)));
  AddStatItem(list, Work, false);
}

void TstSgmValCnt::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                 TStatContext& context, TLastValueArray& lastValues) {
  TCustomSegmentsGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  Work.Key.Set(static_cast<uint16_t>(CountInGroup(SegmentsOf(Current.Values), Param)));
  AddStatItem(list, Work, true);
}

bool TstSgmValCnt::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) {
  return SelectedHasWord(selected, 1, static_cast<uint16_t>(CountInGroup(SegmentsOf(comb), Param)));
}

int32_t TstSgmValCnt::GraphValueOf(const TComb& values, int, int, bool) {
  return CountInGroup(SegmentsOf(values), Param);
}

KVARN_STAT_CLASS(TstSegments)
KVARN_STAT_CLASS(TstSegmValues)
KVARN_STAT_CLASS(TstSegmCount)
KVARN_STAT_CLASS(TstCombSegmMix2)
KVARN_STAT_CLASS(TstCombSegmMix3)
KVARN_STAT_CLASS(TstCombSegmMix4)
KVARN_STAT_CLASS(TstCombSegmSeq2)
KVARN_STAT_CLASS(TstCombSegmSeq3)
KVARN_STAT_CLASS(TstCombSegmSeq4)
KVARN_STAT_CLASS(TstSgmValCnt)

}  // namespace kvarn
