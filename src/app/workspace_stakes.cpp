// The stakes of the workspace: the locked stakes file, making and checking stakes, deleting them,
// the logs and the grid's row count.
#include <algorithm>

#include "app/workspace.h"
#include "core/text.h"
#include "stakes/stakes_check.h"
#include "stakes/stakes_log.h"

namespace kvarn {

namespace {

constexpr const char* kExclusiveAccessMessage =
    "Невозможно получить монопольный доступ к файлам данных!\r\rВозможные причины данной "
    "ошибки: \r\r1) Вы пытаетесь запустить вторую копию программы из одного и того же каталога. "
    "Корректная работа нескольких копий программы возможна только из разных каталогов.\r\r2) "
    "Для программы нет прав на запись в том каталоге, где она расположена. Например: в Windows 7 "
    "и выше по умолчанию запрещена запись в c:\\Program Files.\r\rПрограмма будет закрыта!";

TNumberSet SetOfComb(const TComb& c) {
  TNumberSet s;
  s.Count = CombSize;
  std::copy(c.begin(), c.end(), s.Numbers.begin());
  return s;
}

// The check's reports go to the message panel, the rating and the error box.
class TCheckSink : public IStakesCheckSink {
 public:
  TCheckSink(IHost& host, const std::function<void(const TStake&)>& rate)
      : host_(host), progress_(host, std::string()), rate_(rate) {}
  void CheckProgress(const std::string& text) override { progress_.Update(text); }
  void StakeChecked(const TStake& stake) override {
    ++checked;
    if (rate_) rate_(stake);
  }
  void CheckError(const std::string& text) override { ShowError(host_, text); }
  int checked = 0;

 private:
  IHost& host_;
  TProgressText progress_;
  const std::function<void(const TStake&)>& rate_;
};

}  // namespace

bool TWorkspace::StakesOpen() {
  if (stakes_.File.IsOpen()) return true;
  try {
    stakes_.File.Open();
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
    ShowError(host_, kExclusiveAccessMessage);
    return false;
  }
  RunShown(host_, [this] {
    const TStakesAcceptance a = stakes_.File.AcceptOnStartup();
    if (a.Action == TStakesAcceptance::Accepted) return;
    ShowWarning(host_, a.Message);
    stakes_.GridRows = -1;  // the grid starts afresh
  });
  return true;
}

bool TWorkspace::StakesOpenReadOnly() {
  if (stakes_.File.IsOpen()) return true;
  return RunShown(host_, [this] { stakes_.File.OpenReadOnly(); });
}

bool TWorkspace::OpenDataDirExclusive() {
  try {
    LockDataDir(TLockOwner::Window);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
    ShowError(host_, kExclusiveAccessMessage);
    return false;
  }
  if (!StakesOpen()) return false;
  // Only the window writes the first-start switch: reading commands of kvarn-cli write nothing.
  SettingsFirstStart();
  return true;
}

void TWorkspace::StakesClose() {
  RunShown(host_, [this] { stakes_.File.Close(); });
}

TStake TWorkspace::StakesReadRecord(int64_t index, TStakeOrigin origin) {
  try {
    return stakes_.File.ReadRecord(index, origin);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
  }
  TStake zero;
  zero.Version = 0;
  zero.DrawNumber = 0;
  zero.Matched.Count = 0;
  return zero;
}

bool TWorkspace::StakesReadRow(int row, TStake& out) {
  try {
    out = stakes_.File.ReadRecord(row, TStakeOrigin::Start);
    return true;
  } catch (const std::exception&) {
    // A grid paints many cells: a box for each would bury the window.
    return false;
  }
}

namespace {

// RunShown that also hands the message shown to the caller.
template <class F>
bool RunShownTelling(IHost& host, std::string* error, F&& work) {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    ShowError(host, e.what());
    return false;
  }
}

}  // namespace

bool TWorkspace::StakesAppend(const TStake& s, int draws, std::string* error) {
  return RunShownTelling(host_, error, [&] { stakes_.File.Append(s, draws); });
}

bool TWorkspace::StakesAppendSeparator(std::string* error) {
  return RunShownTelling(host_, error, [this] { stakes_.File.AppendSeparator(); });
}

bool TWorkspace::StakesFind(int32_t drawNumber, const TNumberSet& numbers) {
  bool found = false;
  RunShown(host_, [&] { found = stakes_.File.Find(drawNumber, numbers); });
  return found;
}

TStakesSeek TWorkspace::StakesSeekLastDraws(int n) {
  TStakesSeek seek;
  RunShown(host_, [&] { seek = stakes_.File.SeekLastDraws(n); });
  return seek;
}

int TWorkspace::StakesCheck() {
  TBusyGuard busy(host_);
  TCheckSink sink(host_, OnStakeChecked);
  std::unique_ptr<TStakesLog> log;
  if (windowState_.StakesLogEnabled) log = std::make_unique<TStakesLog>(dataDir_);
  RunShown(host_, [&] {
    kvarn::StakesCheck(stakes_.File, draws_.Draws, settings_.Data, sink, log.get());
  });
  return sink.checked;
}

int TWorkspace::StakesCheckAndRefresh() {
  if (!stakes_.File.IsOpen()) return 0;
  const int checked = StakesCheck();
  if (checked == 0) return 0;
  RunShown(host_, [this] { stakes_.File.Reopen(); });
  if (OnStakesChecked) OnStakesChecked();
  return checked;
}

void TWorkspace::StakesRefreshGrid(bool refresh, bool scroll) {
  const int count = StakesCount();
  bool changed = false;
  if ((refresh || scroll) && stakes_.GridRows != count) {
    stakes_.GridRows = count;
    changed = true;
  }
  if (OnStakesGridChanged && (refresh || scroll || changed)) OnStakesGridChanged(changed, scroll);
  if (changed || count == 0) host_.SetStatusText(spStakes, StrFormat("Ставок: %d", count));
}

TStake TWorkspace::StakePrepare(int combRow) {
  TNumberSet numbers;
  if (combRow >= 0 && combRow < combs_.List.Count()) numbers = SetOfComb(combs_.List[combRow]);
  return StakeNew(skManual, DrawsNextNumber(draws_.Offset), combs_.List.Count(), numbers,
                  ManualStakeComment, settings_.Data.StakeCost, settings_.Data.Profits);
}

int TWorkspace::StakeRandomRow() {
  const int count = combs_.List.Count();
  return count > 0 ? random_.Int(count) : -1;
}

bool TWorkspace::StakeAdd(const TStake& s, int draws) {
  bool added;
  {
    TProgressText progress(host_, "Создание ставки...");
    TBusyGuard busy(host_);
    added = StakesAppend(s, draws);
  }
  if (!added) return false;
  StakesCheckAndRefresh();
  StakesRefreshGrid(true, true);
  return true;
}

size_t TWorkspace::StakesAddCombs(const std::vector<int>* rows, int drawNumber, int draws,
                                  const std::string& comment) {
  const TCombList& list = combs_.List;
  const size_t count = rows ? rows->size() : static_cast<size_t>(list.Count());
  if (count == 0) return 0;
  TStake proto = StakeNew(skManual, drawNumber, list.Count(), SetOfComb(list[0]), comment,
                          settings_.Data.StakeCost, settings_.Data.Profits);
  size_t done = 0;
  bool ok;
  {
    TProgressText progress(host_, "Создание ставок...");
    TBusyGuard busy(host_);
    const bool scroll = windowState_.StakesScrollEnabled;
    ok = RunShown(host_, [&] {
      done = stakes_.File.AppendEach(
          proto, count,
          [&](size_t i) { return SetOfComb(list[rows ? (*rows)[i] : static_cast<int>(i)]); }, draws,
          [&](size_t n) {
            StakesRefreshGrid(true, scroll);
            progress.Update(StrFormat("Создание ставок ( завершено %.0f %% )...",
                                      100.0 * static_cast<double>(n) / static_cast<double>(count)));
          });
    });
  }
  StakesRefreshGrid(true, false);
  if (!ok) return done;
  StakesCheckAndRefresh();
  StakesRefreshGrid(true, true);
  return done;
}

int64_t TWorkspace::StakesDeleteRows(int64_t first, int64_t last, bool ask) {
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, stakes_.File.Count() - 1);
  if (last < first) return 0;
  if (ask && !AskDeleteRecords(host_, static_cast<int>(last - first + 1))) return 0;
  int64_t dropped = 0;
  bool ok;
  {
    TProgressText progress(host_, "Удаление ставок...");
    TBusyGuard busy(host_);
    ok = RunShown(host_, [&] { dropped = stakes_.File.DeleteRows(first, last); });
  }
  if (ok) StakesCheckAndRefresh();
  StakesRefreshGrid(true, false);
  return dropped;
}

int64_t TWorkspace::StakesDeleteByCondition(int condition, int value) {
  int64_t dropped = 0;
  bool ok;
  {
    TProgressText progress(host_, "Удаление ставок...");
    TBusyGuard busy(host_);
    ok = RunShown(host_, [&] { dropped = stakes_.File.DeleteByCondition(condition, value); });
  }
  if (ok) StakesCheckAndRefresh();
  StakesRefreshGrid(true, false);
  return dropped;
}

bool TWorkspace::StakeClear(bool ask) {
  if (ask && !AskDeleteRecords(host_, StakesCount())) return false;
  bool ok;
  {
    TProgressText progress(host_, "Удаление ставок...");
    TBusyGuard busy(host_);
    ok = RunShown(host_, [this] {
      stakes_.File.Clear();
      stakes_.File.Reopen();
    });
  }
  StakesRefreshGrid(true, false);
  if (ok && OnStakesCleared) OnStakesCleared();
  return ok;
}

void TWorkspace::LogStakesDelete() {
  if (StakesLogFiles(dataDir_).empty()) {
    ShowInfo(host_, "Файлы журналов не найдены!");
    return;
  }
  TStakesLogsDeleted result;
  {
    TProgressText progress(host_, "Поиск файлов журналов...");
    TBusyGuard busy(host_);
    result = StakesLogsDelete(dataDir_);
  }
  if (result.Failures.empty())
    ShowInfo(host_, result.Text());
  else
    ShowWarning(host_, result.Text());
}

std::vector<TGraphSeries> TWorkspace::StakesGraphDraws() {
  std::vector<TGraphSeries> series;
  {
    TProgressText progress(host_, "Создание графиков...");
    TBusyGuard busy(host_);
    if (!RunShown(host_, [&] { series = kvarn::StakesGraphDraws(stakes_.File); })) return {};
  }
  if (series.empty()) ShowError(host_, StakesGraphTooFewDraws);
  return series;
}

}  // namespace kvarn
