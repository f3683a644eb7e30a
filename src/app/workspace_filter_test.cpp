// Filters tested on history and values searched under a ticket budget: the workspace's inputs
// (analysis point, order of the numbers), the busy state, progress and the stop request around
// the engine's runs.
#include <algorithm>

#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

std::vector<std::string> TWorkspace::StatRowTexts(const std::vector<int>& rows) const {
  const TStatTable& table = stats_.Table;
  const bool ordered = table.Order.size() == table.Rows.size();
  std::vector<int> sortedRows = rows;
  std::sort(sortedRows.begin(), sortedRows.end());
  std::vector<std::string> texts;
  for (int r : sortedRows) {
    if (r < 0 || static_cast<size_t>(r) >= table.Rows.size()) continue;
    const size_t i =
        ordered ? static_cast<size_t>(table.Order[static_cast<size_t>(r)]) : static_cast<size_t>(r);
    const std::string& text = table.Rows[i].Cells[stcValue];
    if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
  }
  return texts;
}

namespace {

// The tested draws, or the reason there are none.
TTestRange CheckedRange(int drawsCount, int offset, int len, int draws) {
  if (!StatLenValid(len))
    Raise(StrFormat("Некорректное количество тиражей для расчета статистики (%d)!", len));
  if (draws < 1) Raise("Количество проверяемых тиражей должно быть не меньше 1!");
  const TTestRange range = TestedDraws(drawsCount, offset, draws);
  if (range.Count() < 1)
    Raise(
        "Нет тиражей для проверки: перед проверяемым тиражом должен быть хотя бы один тираж "
        "архива!");
  return range;
}

}  // namespace

// Runs `work` with the busy state and a progress callback that shows "<text> (done из total)...",
// lets the window paint and tells whether to go on.
template <class F>
auto TWorkspace::WithFilterTestProgress(const std::string& text, F&& work) {
  TBusyGuard busy(host_);
  TProgressText status(host_, text + "...");
  filterTest_.Running = true;
  // A stop asked for while the run was being set up counts for it; none outlives it.
  struct TEnd {
    TFilterTestState& s;
    ~TEnd() {
      s.Running = false;
      s.StopRequested = false;
    }
  } end{filterTest_};
  const TTestProgress progress = [&](int done, int total) {
    status.Update(StrFormat("%s (%d из %d)...", text.c_str(), done, total));
    if (OnFilterTestProgress) OnFilterTestProgress(done, total);
    host_.ProcessEvents();
    return !filterTest_.StopRequested;
  };
  return work(progress);
}

TFilterTestResult TWorkspace::FilterTest(int entry, const std::vector<std::string>& texts,
                                         bool exclude, int len, int draws) {
  if (texts.empty()) Raise("Не выбрано ни одного значения для проверки фильтра!");
  const TTestRange range = CheckedRange(DrawsCount(), draws_.Offset, len, draws);
  TStatList& list = StatList();
  TFilterTestOptions options;
  options.Len = len;
  options.Sorted = windowState_.SortedDraws;
  options.Exclude = exclude;
  return WithFilterTestProgress("Проверка фильтра на истории", [&](const TTestProgress& progress) {
    return RunFilterTest(list, entry, texts, range, options, progress);
  });
}

TValueSearchResult TWorkspace::ValueSearch(int entry, int len, int draws, int64_t budget) {
  if (budget < 1) Raise("Бюджет должен быть не меньше одной комбинации!");
  const TTestRange range = CheckedRange(DrawsCount(), draws_.Offset, len, draws);
  TStatList& list = StatList();
  TValueSearchOptions options;
  options.Len = len;
  options.Sorted = windowState_.SortedDraws;
  options.Budget = budget;
  return WithFilterTestProgress("Подбор значений", [&](const TTestProgress& progress) {
    return RunValueSearch(list, entry, range, options, progress);
  });
}

}  // namespace kvarn
