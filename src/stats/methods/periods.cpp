#include "stats/methods/periods.h"

#include "stats/methods/grouping.h"

#include "core/config.h"
#include "core/text.h"
#include "stats/registry.h"

namespace kvarn {

void TCustomPeriodsStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                       TStatContext& context, TLastValueArray& lastValues) {
  TCustomStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  for (int i = 0; i < CombSize; ++i) {
    const int v = AttrOf(i + 1, Current.Values[static_cast<size_t>(i)]);
    TStatKey key;
    key.Set(static_cast<uint16_t>(v));
    const int64_t g = UpdateLastValue(lastValues, Current.Number, key);
    // The first occurrence has no period; a second number of the draw with the same value has 0.
    if (g <= 0) continue;
    Work.Key.Set(static_cast<uint16_t>(v),
                 static_cast<uint16_t>(g > int64_t{UINT16_MAX} ? int64_t{UINT16_MAX} : g));
    AddStatItem(list, Work, true);
  }
}

bool TCustomPeriodsStat::ValueHits(int v, const TStatDrawArray& selected, int last,
                                   bool exclude) const {
  const int high = static_cast<int>(Draws.size()) - 1;
  for (const TStatDraw& s : selected) {
    if (s.Key.K1 != v) continue;
    // The draw the period leads back to, read in drawn order; outside the archive it has no
    // numbers, so no value stands in it.
    const int at = last - int{s.Key.K2} + 1;
    bool found = false;
    if (at >= 0 && at <= high) {
      const TComb& values = Draws[static_cast<size_t>(at)].Values;
      for (int j = 0; j < CombSize && !found; ++j)
        found = AttrOf(j + 1, values[static_cast<size_t>(j)]) == v;
    }
    if (found != exclude) return true;
  }
  return false;
}

bool TCustomPeriodsStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int last,
                                     bool, bool exclude) {
  for (int i = 0; i < CombSize; ++i)
    if (ValueHits(AttrOf(i + 1, comb[static_cast<size_t>(i)]), selected, last, exclude))
      return true;
  return false;
}

int TCustomPeriodsStat::FilterPass(const TComb* src, int n, TComb* dst,
                                   const TStatDrawArray& selected, int last, bool sorted,
                                   bool exclude) {
  return PositionFilterPass(
      src, n, dst, exclude,
      [&](int position, int number) {
        return ValueHits(AttrOf(position, number), selected, last, exclude);
      },
      [&](const TComb& c) { return CombMatches(c, selected, last, sorted, exclude); });
}

std::string TCustomPeriodsStat::PeriodText(const std::string& value, const TStatDraw& item) const {
  return FormatIndexed("%0:s x %1:d", {value, int{item.Key.K2}});
}

std::string TstNumPeriods::ValueText(const TStatDraw& item) const {
  return PeriodText(std::to_string(item.Key.K1), item);
}

TstChnPeriods::TstChnPeriods(const TStatList& list, int param)
    : TCustomPeriodsStat(list, param), geometry_{list.Config().ChannelSize} {}

std::string TstChnPeriods::ValueText(const TStatDraw& item) const {
  return PeriodText(StrFormat("%.2d", int{item.Key.K1}), item);
}

TstSgmPeriods::TstSgmPeriods(const TStatList& list, int param)
    : TCustomPeriodsStat(list, param), map_(list.Config().Segments) {}

std::string TstSgmPeriods::ValueText(const TStatDraw& item) const {
  return PeriodText(std::to_string(item.Key.K1), item);
}

KVARN_STAT_CLASS(TstNumPeriods)
KVARN_STAT_CLASS(TstChnPeriods)
KVARN_STAT_CLASS(TstSgmPeriods)

}  // namespace kvarn
