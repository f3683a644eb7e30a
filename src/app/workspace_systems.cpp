// System play: the list of the local store, adding, changing and importing systems, and the
// stakes made from the combination list through a system.
#include <algorithm>

#include "app/workspace.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {

namespace {
void Changed(const std::function<void()>& notify) {
  if (notify) notify();
}
}  // namespace

void TWorkspace::SystemsOn(bool shown) {
  systems_.Shown = shown;
  if (shown) SystemsLoad();
}

void TWorkspace::SystemsLoad() {
  RunShown(host_, [this] { systems_.List = SystemsList(dataDir_); });
  Changed(OnSystemsChanged);
}

tSystemData TWorkspace::SystemsNew() const {
  tSystemData data;
  data.Info.Id = SystemNextId(dataDir_);
  data.Info.Created = NowDateTime();
  return data;
}

bool TWorkspace::SystemsImport(const std::string& path, tSystemData& data) {
  return RunShown(host_, [&] {
    std::string text;
    try {
      text = Cp1251ToUtf8(ReadWholeFile(path));
    } catch (const std::exception& e) {
      Raise(StrFormat("Ошибка чтения файла \"%s\"!\r\r%s", path.c_str(), e.what()));
    }
    TSystemNormalised lines;
    try {
      lines = SystemReadLines(text);
    } catch (const std::exception& e) {
      Raise(StrFormat("Ошибка загрузки комбинаций системы!\r\r%s", e.what()));
    }
    tSystemData read = SystemsNew();
    read.Info.NumsCount = lines.NumsCount;
    read.Info.CombsCount = lines.CombsCount;
    read.Combs = SystemLinesText(lines.Lines, "\r\n");
    data = std::move(read);
  });
}

bool TWorkspace::SystemsAdd(const tSystemData& data) {
  bool ok;
  {
    TBusyGuard busy(host_);
    ok = RunShown(host_, [&] { kvarn::SystemsAdd(dataDir_, data); });
  }
  SystemsLoad();
  return ok;
}

bool TWorkspace::SystemsChange(const tSystemData& data, const std::string& replaces) {
  bool ok;
  {
    TBusyGuard busy(host_);
    ok = RunShown(host_, [&] { kvarn::SystemsChange(dataDir_, data, replaces); });
  }
  SystemsLoad();
  return ok;
}

bool TWorkspace::SystemStakePrepare(TSystemPlayMode mode, TSystemFind& found,
                                    std::string& comment) {
  bool ran;
  TByteArray numbers;
  {
    TProgressText progress(host_, "Подождите пожалуйста...");
    TBusyGuard busy(host_);
    ran = RunShown(host_, [&] {
      numbers = SystemListNumbers(combs_.List);
      found = SystemFindCombs(dataDir_, numbers);
    });
  }
  if (!ran) return false;
  if (!found.Ok) {
    ShowError(host_, found.Message);
    return false;
  }
  comment = SystemStakeComment(mode, static_cast<int>(numbers.size()), found.FileName);
  return true;
}

size_t TWorkspace::SystemStakePlay(TSystemPlayMode mode, const TSystemFind& found, int drawNumber,
                                   int draws, const std::string& comment) {
  const TCombsArray combs = SystemStakeCombs(found.Combs, mode, combs_.List);
  const int32_t sample = SystemSampleSize(mode, found.Combs.size(), combs_.List.Count());
  size_t done = 0;
  bool ok;
  {
    TProgressText progress(host_, "Создание ставок...");
    TBusyGuard busy(host_);
    const bool scroll = windowState_.StakesScrollEnabled;
    const double total = static_cast<double>(std::max<size_t>(combs.size(), 1));
    ok = RunShown(host_, [&] {
      done = SystemStakesAppend(
          stakes_.File, combs, drawNumber, draws, comment, sample, settings_.Data, [&](size_t n) {
            StakesRefreshGrid(true, scroll);
            progress.Update(StrFormat("Создание ставок ( завершено %.0f %% )...",
                                      100.0 * static_cast<double>(n) / total));
          });
    });
  }
  StakesRefreshGrid(true, false);
  if (!ok) return done;
  StakesCheckAndRefresh();
  StakesRefreshGrid(true, true);
  return done;
}

}  // namespace kvarn
