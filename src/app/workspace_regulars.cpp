// The regular stakes: the tab's list and its file, adding and deleting regulars, and the stakes
// they make.
#include <algorithm>

#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

namespace {
void Changed(const std::function<void()>& notify) {
  if (notify) notify();
}
}  // namespace

void TWorkspace::TabTables(bool shown) {
  regulars_.Shown = shown;
  if (shown) {
    RegularsLoad();
  } else {
    regulars_.Store.Clear();
    Changed(OnRegularsChanged);
  }
}

void TWorkspace::RegularsLoad() {
  if (!regulars_.Shown) return;
  {
    TProgressText progress(host_, "Загрузка файла регулярных ставок...");
    RunShown(host_, [this] { regulars_.Store.Load(); });
  }
  Changed(OnRegularsChanged);
}

bool TWorkspace::RegularsSave() {
  if (!regulars_.Shown) return false;
  bool ok;
  {
    TProgressText progress(host_, "Сохранение файла регулярных ставок...");
    ok = RunShown(host_, [this] { regulars_.Store.Save(); });
  }
  Changed(OnRegularsChanged);
  return ok;
}

std::vector<TSelectedComb> TWorkspace::RegularsSelectedCombs(const std::vector<int>& rows) const {
  std::vector<TSelectedComb> selected;
  for (int r : rows)
    if (r >= 0 && r < combs_.List.Count()) selected.push_back({r + 1, combs_.List[r]});
  return selected;
}

TRegularsCreation TWorkspace::RegularsCheck(const TRegularInput& input,
                                            const std::vector<TSelectedComb>& selected) const {
  return RegularsCreate(input, selected, Regulars());
}

bool TWorkspace::TablesAdd(const TRegularsArray& created) {
  if (!regulars_.Shown || created.empty()) return false;
  {
    TBusyGuard busy(host_);
    TProgressText progress(host_, "Создание регулярных ставок...");
    TRegularsArray& items = regulars_.Store.Items();
    items.insert(items.end(), created.begin(), created.end());
  }
  return RegularsSave();
}

bool TWorkspace::TablesDel(const std::vector<int>& indexesIn) {
  if (!regulars_.Shown) return false;
  std::vector<int> indexes = indexesIn;
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  if (indexes.empty()) return false;
  const std::string question =
      indexes.size() == 1
          ? std::string("Удалить выделенную запись?")
          : StrFormat("Удалить все выделенные записи (всего будет удалено %d записи(ей))?",
                      static_cast<int>(indexes.size()));
  if (!AskWarning(host_, question, true)) return false;
  {
    TBusyGuard busy(host_);
    TProgressText progress(host_, "Удаление регулярных ставок...");
    RunShown(host_, [&] {
      for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) regulars_.Store.Delete(*it);
    });
  }
  RegularsSave();
  return true;
}

}  // namespace kvarn
