#include "stats/filter.h"

#include "stats/selected_keys.h"

namespace kvarn {

std::string SelectedValuesText(const TCustomStat& stat, const TStatDrawArray& selected) {
  std::string text;
  for (size_t i = 0; i < selected.size(); ++i) {
    if (i) text += "; ";
    text += stat.ValueText(selected[i]);
  }
  return text;
}

void FilterCombList(TCustomStat& stat, const TStatDrawArray& selected, TCombList& list,
                    const TCombList& snapshot, int last, bool sorted, bool exclude) {
  list.Reserve(static_cast<size_t>(snapshot.Count()));
  list.Clear();
  // Current becomes all zeros; methods that compare with a second draw get the draw the
  // candidates are to follow.
  stat.LoadDraws(-1, last, sorted);
  const int n = snapshot.Count();
  const TComb* src = snapshot.Data();
  TComb* dst = list.Data();
  // The selection is fixed for the pass: its lookup tables answer the methods' searches of it.
  const TSelectedKeysScope keys(selected);
  list.SetCount(stat.FilterPass(src, n, dst, selected, last, sorted, exclude));
}

}  // namespace kvarn
