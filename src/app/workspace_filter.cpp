// Filtering the combination list by statistic values, and the full-set comparison files.
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "app/workspace.h"
#include "core/files.h"
#include "core/paths.h"
#include "core/text.h"
#include "stats/filter.h"
#include "stats/methods/numbers.h"

namespace kvarn {

bool TWorkspace::FilterCombs(TCustomStat& stat, const TStatDrawArray& selected,
                             const std::string& caption, bool exclude) {
  {
    TBusyGuard busy(host_);
    TProgressText progress(host_, "Фильтрация комбинаций...");
    if (selected.empty()) return false;
    FilterCombList(stat, selected, combs_.List, combs_.Undo, FilterLastDraw(),
                   windowState_.SortedDraws, exclude);
    combs_.Filters.push_back(
        {caption, SelectedValuesText(stat, selected), combs_.List.Count(), exclude});
  }
  CombsRefreshList();
  return true;
}

int TWorkspace::FilterLastDraw() const {
  return std::max(0, DrawsCount() - 1 - draws_.Offset);
}

namespace {

// The items of the given display rows of a table, each once.
TStatDrawArray ItemsOfRows(const TStatTable& table, std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  const bool ordered = table.Order.size() == table.Rows.size();
  TStatDrawArray selected;
  for (int r : rows) {
    if (r < 0 || static_cast<size_t>(r) >= table.Rows.size()) continue;
    const size_t i =
        ordered ? static_cast<size_t>(table.Order[static_cast<size_t>(r)]) : static_cast<size_t>(r);
    selected.push_back(table.Rows[i].Item);
  }
  return selected;
}

// The items of the rows whose value text is one of `values`, in the order of the values.
TStatDrawArray ItemsOfValues(const TStatTable& table, const std::vector<std::string>& values) {
  TStatDrawArray selected;
  for (const std::string& v : values) {
    auto row = std::find_if(table.Rows.begin(), table.Rows.end(),
                            [&](const TStatRow& r) { return r.Cells[stcValue] == v; });
    if (row == table.Rows.end())
      Raise(StrFormat("Значение \"%s\" отсутствует в таблице статистики!", v.c_str()));
    selected.push_back(row->Item);
  }
  return selected;
}

}  // namespace

bool TWorkspace::StatFilter(const std::vector<int>& rows, bool exclude) {
  const TStatDrawArray selected = ItemsOfRows(stats_.Table, rows);
  if (selected.empty()) return false;
  std::unique_ptr<TCustomStat> stat = CreateSelected(false);
  const std::string caption = stats_.Boxes.Stat[static_cast<size_t>(stats_.Selected)].Text;
  CombsSnapshot(true);
  return FilterCombs(*stat, selected, caption, exclude);
}

bool TWorkspace::StatFilterByValues(int entry, int len, const std::vector<std::string>& values,
                                    bool exclude) {
  TStatTable table;
  ComputeStatTableFor(entry, DrawsOffset(), len, windowState_.SortedDraws, table);
  const TStatDrawArray selected = ItemsOfValues(table, values);
  std::unique_ptr<TCustomStat> stat = StatList().CreateStat(entry);
  CombsSnapshot(false);
  return FilterCombs(*stat, selected, StatList().DisplayName(entry, false), exclude);
}

void TWorkspace::FilterCombsByNumbers(const std::vector<int>& numbers, const std::string& caption,
                                      bool exclude) {
  TStatDrawArray selected;
  for (int n : numbers) {
    if (n < 0 || n > 0xFFFF) continue;
    TStatDraw item;
    item.Key.Set(static_cast<uint16_t>(n));
    if (!SelectedHasKey(selected, item.Key)) selected.push_back(item);
  }
  if (selected.empty()) Raise("В выделенном диапазоне нет значений для фильтра!");
  std::unique_ptr<TCustomStat> stat = TstValues_Class().Create(StatList(), 0);
  CombsSnapshot(true);
  FilterCombs(*stat, selected, caption, exclude);
}

void TWorkspace::AppliedFiltersAddRollback() {
  AppliedFiltersAddRollback(combs_.List.Count());
}

void TWorkspace::AppliedFiltersAddRollback(int count) {
  combs_.Filters.push_back({"Отмена последней операции", std::string(), count, false});
}

}  // namespace kvarn
