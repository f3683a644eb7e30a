// The regular stakes: the tab's list and its file, adding and deleting regulars, and the stakes
// they make.
#include <algorithm>

#include "app/workspace.h"
#include "core/text.h"
#include "stakes/regular_stakes.h"

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

bool TWorkspace::TablesStakePrepare(int index, TRegular& advanced, TStake& stake) {
  if (!regulars_.Shown) return false;
  return RunShown(host_, [&] {
    if (index < 0 || index >= RegularsCount())
      Raise(StrFormat("Запись со индексом %d в файле данных не найдена!", index));
    advanced = Regulars()[static_cast<size_t>(index)];
    RegularAdvance(advanced, draws_.Draws, draws_.Offset);
    stake =
        RegularStake(advanced, DrawsNextNumber(draws_.Offset), combs_.List.Count(), settings_.Data);
  });
}

bool TWorkspace::TablesStakeAdd(int index, const TRegular& advanced, const TStake& stake,
                                int draws) {
  if (!regulars_.Shown || index < 0 || index >= RegularsCount()) return false;
  regulars_.Store.Items()[static_cast<size_t>(index)] = advanced;
  // A failed save is shown; the stake is still made, and the next save writes the regular.
  RegularsSave();
  return StakeAdd(stake, draws);
}

int TWorkspace::RegularsTestMaxCount() const {
  return kvarn::RegularsTestMaxCount(draws_.Draws);
}

int TWorkspace::TablesStakeTest(const std::vector<int>& indexes, int count) {
  if (!regulars_.Shown || indexes.empty() || count <= 0) return 0;
  TRegularsTestResult result;
  bool ran;
  {
    TProgressText progress(host_, "Создание ставок по регулярным табличным ставкам...");
    TBusyGuard busy(host_);
    const bool scroll = windowState_.StakesScrollEnabled;
    ran = RunShown(host_, [&] {
      result = RegularsStakeTest(regulars_.Store.Items(), indexes, count, draws_.Draws,
                                 combs_.List.Count(), settings_.Data, stakes_.File, [&] {
                                   if (scroll) StakesRefreshGrid(true, true);
                                 });
    });
  }
  if (!result.LastAppendOk) ShowError(host_, result.Error);
  // The regulars advanced by the stakes that were made are kept, also after a failure.
  RegularsSave();
  StakesRefreshGrid(true, false);
  if (ran && result.LastAppendOk && result.Appended > 0) {
    StakesCheckAndRefresh();
    StakesRefreshGrid(true, true);
  }
  return result.Appended;
}

}  // namespace kvarn
