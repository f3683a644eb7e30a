#include "stats/methods/differences.h"

#include <algorithm>
#include <cstdlib>

#include "core/text.h"

namespace kvarn {

TDiffs AdjacentDiffs(const uint8_t* values) {
  TDiffs d{};
  for (int i = 0; i < DiffCount; ++i)
    d[static_cast<size_t>(i)] = std::abs(values[i + 1] - values[i]);
  return d;
}

namespace {

// The distinct differences in order of first occurrence with their multiplicities.
int GroupDiffs(const TDiffs& d, std::array<int, DiffCount>& value,
               std::array<int, DiffCount>& mult) {
  int n = 0;
  for (int x : d) {
    int j = 0;
    while (j < n && value[static_cast<size_t>(j)] != x) ++j;
    if (j == n) {
      value[static_cast<size_t>(n)] = x;
      mult[static_cast<size_t>(n)] = 0;
      ++n;
    }
    ++mult[static_cast<size_t>(j)];
  }
  return n;
}

}  // namespace

// ---- TstDiffTotal ----

void TstDiffTotal::ListAllValues(int last, TStatDrawArray& list) {
  TCustomStat::ListAllValues(last, list);
  ListRange(list, 1, MaxDiff);
}

int TstDiffTotal::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  const TDiffs d = AdjacentDiffs(values);
  for (int i = 0; i < DiffCount; ++i)
    keys[static_cast<size_t>(i)].Set(static_cast<uint16_t>(d[static_cast<size_t>(i)]));
  return DiffCount;
}

// ---- TstDiffMax ----

int TstDiffMax::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  const TDiffs d = AdjacentDiffs(values);
  keys[0].Set(static_cast<uint16_t>(*std::max_element(d.begin(), d.end())));
  return 1;
}

// ---- TstMinMaxDiffs ----

int TstMinMaxDiffs::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  const auto [lo, hi] = std::minmax_element(values, values + CombSize);
  keys[0].Set(static_cast<uint16_t>(*hi - *lo));
  return 1;
}

// ---- TstDiffSame ----

std::string TstDiffSame::ValueText(const TStatDraw& item) const {
  return StrFormat("%d x %d", int{item.Key.K1}, int{item.Key.K2});
}

int TstDiffSame::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  std::array<int, DiffCount> value{};
  std::array<int, DiffCount> mult{};
  const int n = GroupDiffs(AdjacentDiffs(values), value, mult);
  for (size_t i = 0; i < static_cast<size_t>(n); ++i)
    keys[i].Set(static_cast<uint16_t>(value[i]), static_cast<uint16_t>(mult[i]));
  return n;
}

// ---- TstDiffSameCnt ----

int TstDiffSameCnt::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  std::array<int, DiffCount> value{};
  std::array<int, DiffCount> mult{};
  const int n = GroupDiffs(AdjacentDiffs(values), value, mult);
  keys[0].Set(static_cast<uint16_t>(*std::max_element(mult.begin(), mult.begin() + n)));
  return 1;
}

KVARN_STAT_CLASS(TstDiffTotal)
KVARN_STAT_CLASS(TstDiffMax)
KVARN_STAT_CLASS(TstMinMaxDiffs)
KVARN_STAT_CLASS(TstDiffSame)
KVARN_STAT_CLASS(TstDiffSameCnt)
KVARN_STAT_CLASS(TstCombDiffSeq2)
KVARN_STAT_CLASS(TstCombDiffSeq3)
KVARN_STAT_CLASS(TstCombDiffSeq4)

}  // namespace kvarn
