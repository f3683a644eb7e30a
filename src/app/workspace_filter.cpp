// Filtering the combination list by statistic values, and the full-set comparison files.
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "app/workspace.h"
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
    // The candidates follow the draw at the analysis point (the first draw when the point lies
    // before it).
    const int last = std::max(0, DrawsCount() - 1 - drawsOffset_);
    FilterCombList(stat, selected, combs_, combsUndo_, last, windowState_.SortedDraws, exclude);
    appliedFilters_.push_back(
        {caption, SelectedValuesText(stat, selected), combs_.Count(), exclude});
  }
  CombsRefreshList();
  return true;
}

bool TWorkspace::StatFilter(const std::vector<int>& rows, bool exclude) {
  const TStatTable& table = statTable_;
  std::vector<int> display = rows;
  std::sort(display.begin(), display.end());
  display.erase(std::unique(display.begin(), display.end()), display.end());
  const bool ordered = table.Order.size() == table.Rows.size();
  TStatDrawArray selected;
  for (int r : display) {
    if (r < 0 || static_cast<size_t>(r) >= table.Rows.size()) continue;
    const size_t i =
        ordered ? static_cast<size_t>(table.Order[static_cast<size_t>(r)]) : static_cast<size_t>(r);
    selected.push_back(table.Rows[i].Item);
  }
  if (selected.empty()) return false;
  std::unique_ptr<TCustomStat> stat = CreateSelected(false);
  const std::string caption = methodBoxes_.Stat[static_cast<size_t>(statSelected_)].Text;
  CombsSnapshot(true);
  return FilterCombs(*stat, selected, caption, exclude);
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
  appliedFilters_.push_back({"Отмена последней операции", std::string(), combs_.Count(), false});
}

std::string TWorkspace::PrefetchPathOf(int entry) {
  return PrefetchPath(dataDir_, StatList().Items(entry).IdentOf());
}

std::unique_ptr<TPrefetchData> TWorkspace::BuildPrefetch(int entry) {
  const std::string path = PrefetchPathOf(entry);
  TBusyGuard busy(host_);
  TProgressText progress(host_,
                         StrFormat("Создание файла предварительной выборки %s...",
                                   PrefetchFileName(StatList().Items(entry).IdentOf()).c_str()));
  try {
    if (!EnsureDir(PrefetchDir(dataDir_)))
      throw std::runtime_error(
          StrFormat("Не удалось создать папку \"%s\"", PrefetchDir(dataDir_).c_str()));
    // The full set goes into a list of its own: the working list and its undo snapshot stay
    // as they are.
    TCombList full;
    GenerateCombs(full, gmFull, TNumberBits());
    std::unique_ptr<TCustomStat> stat = StatList().CreateStat(entry);
    const std::string bytes = PrefetchBytes(FullSetDistribution(*stat, full));
    WriteFileAtomic(path, bytes);
    return std::make_unique<TPrefetchData>(ParsePrefetchBytes(bytes));
  } catch (const std::exception& e) {
    // An old file would hold the distribution of other settings: it goes too.
    std::error_code ec;
    std::filesystem::remove(path, ec);
    ShowError(host_, StrFormat("Ошибка создания файла данных для полного набора "
                               "вариантов!\r\rИмя файла: %s\r\r%s",
                               path.c_str(), e.what()));
    return nullptr;
  }
}

std::unique_ptr<TPrefetchData> TWorkspace::OpenPrefetch(int entry) {
  if (!windowState_.PrefetchsEnabled || !StatList().CanPrefetch(entry)) return nullptr;
  const std::string path = PrefetchPathOf(entry);
  try {
    if (FileExists(path)) {
      const std::string bytes = ReadWholeFile(path);
      if (!bytes.empty()) return std::make_unique<TPrefetchData>(ParsePrefetchBytes(bytes));
    }
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка открытия файла данных для полного набора "
                               "вариантов!\r\rИмя файла: %s\r\r%s",
                               path.c_str(), e.what()));
    return nullptr;
  }
  return BuildPrefetch(entry);
}

int TWorkspace::RefreshPrefetchFiles(bool force, unsigned groupMask) {
  if (!force && !windowState_.PrefetchsEnabled) return 0;
  TStatList& list = StatList();
  TBusyGuard busy(host_);
  TProgressText progress(host_, "Создание файлов для полного набора комбинаций...");
  const int total = list.Count();
  int built = 0;
  for (int i = 0; i < total; ++i) {
    if (OnPrefetchProgress) OnPrefetchProgress(i, total, std::string());
    host_.ProcessEvents();
    if (!list.CanPrefetch(i)) continue;
    const std::string path = PrefetchPathOf(i);
    const unsigned group = static_cast<unsigned>(list.Items(i).StatClass->Group());
    if (FileExists(path) && (group >= 32 || (groupMask & (1u << group)) == 0)) continue;
    if (OnPrefetchProgress) OnPrefetchProgress(i, total, PrefetchFileName(list.Items(i).IdentOf()));
    if (BuildPrefetch(i)) ++built;
  }
  if (OnPrefetchProgress) OnPrefetchProgress(total, total, std::string());
  return built;
}

int TWorkspace::PrefetchMaintenance(bool recreate) {
  return RefreshPrefetchFiles(true, recreate ? AllGroupsMask : 0u);
}

bool TWorkspace::PrefetchStartup(bool fullRecreate, bool fullRefresh) {
  if (fullRecreate) {
    PrefetchMaintenance(true);
    return true;
  }
  RefreshPrefetchFiles(fullRefresh, 0u);
  return fullRefresh;
}

}  // namespace kvarn
