#include "stats/filter_history.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "stats/registry.h"
#include "stats/table.h"

namespace kvarn {

TTestRange TestedDraws(int drawsCount, int offset, int n) {
  TTestRange r;
  r.Last = drawsCount - 1 - std::max(0, offset);
  r.First = static_cast<int>(std::max<int64_t>(1, int64_t{r.Last} - n + 1));
  return r;
}

bool SelectionIsUnionOfValues(const TStatClass& cls) {
  return std::string_view(cls.ClassName()) != "TstSumRanges";
}

const TCombList& FullCombList() {
  static const TCombList full = [] {
    TCombList list;
    GenerateCombs(list, gmFull, TNumberBits());
    return list;
  }();
  return full;
}

TStatDrawArray TableBefore(TCustomStat& stat, int index, int len, bool sorted) {
  const int count = static_cast<int>(stat.Draws.size());
  return RunStatistics(stat, StatWindow(count, count - 1 - AnalysisPointOf(index), len), sorted);
}

const TStatDrawArray& TDrawTables::Before(int index) {
  auto it = tables_.find(index);
  if (it == tables_.end()) {
    std::unique_ptr<TCustomStat> stat = list_.CreateStat(entry_);
    it = tables_.emplace(index, TableBefore(*stat, index, len_, sorted_)).first;
  }
  return it->second;
}

TStatDrawArray SelectByTexts(const TCustomStat& stat, const TStatDrawArray& items,
                             const std::vector<std::string>& texts) {
  TStatDrawArray selected;
  for (const TStatDraw& item : items)
    if (std::find(texts.begin(), texts.end(), stat.ValueText(item)) != texts.end())
      selected.push_back(item);
  return selected;
}

bool DrawComb(const TDraw& draw, TComb& comb) {
  comb = draw.Values;
  std::sort(comb.begin(), comb.end());
  if (comb[0] < 1 || comb[CombSize - 1] > NumbersCount) return false;
  return std::adjacent_find(comb.begin(), comb.end()) == comb.end();
}

int CountKept(TCustomStat& stat, const TStatDrawArray& selected, int index, bool sorted,
              bool exclude, TCombList& scratch) {
  const TCombList& full = FullCombList();
  const int last = AnalysisPointOf(index);
  scratch.SetCount(full.Count());
  // As every filter pass: methods that compare with a second draw get the draw at the
  // analysis point.
  stat.LoadDraws(-1, last, sorted);
  const int kept =
      stat.FilterPass(full.Data(), full.Count(), scratch.Data(), selected, last, sorted, exclude);
  scratch.SetCount(kept);
  return kept;
}

bool DrawSurvives(TCustomStat& stat, const TStatDrawArray& selected, int index, bool sorted,
                  bool exclude) {
  TComb comb;
  if (index < 0 || static_cast<size_t>(index) >= stat.Draws.size() ||
      !DrawComb(stat.Draws[static_cast<size_t>(index)], comb))
    return false;
  const int last = AnalysisPointOf(index);
  stat.LoadDraws(-1, last, sorted);
  return stat.CombMatches(comb, selected, last, sorted, exclude) != exclude;
}

}  // namespace kvarn
