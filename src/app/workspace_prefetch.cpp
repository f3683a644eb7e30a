// The full-set comparison files: one per method, the distribution of its values over all
// 376,992 combinations, built on first use and rebuilt when the settings they depend on change.
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "app/workspace.h"
#include "core/files.h"
#include "core/paths.h"
#include "core/text.h"

namespace kvarn {

std::string TWorkspace::PrefetchPathOf(int entry) {
  return PrefetchPath(dataDir_, StatList().Items(entry).IdentOf());
}

std::string TWorkspace::FullSetBytes(int entry) {
  // The full set goes into a list of its own: the working list and its undo snapshot stay as
  // they are.
  TCombList full;
  GenerateCombs(full, gmFull, TNumberBits());
  std::unique_ptr<TCustomStat> stat = StatList().CreateStat(entry);
  return PrefetchBytes(FullSetDistribution(*stat, full));
}

std::unique_ptr<TPrefetchData> TWorkspace::FullSetInMemory(int entry) {
  return std::make_unique<TPrefetchData>(ParsePrefetchBytes(FullSetBytes(entry)));
}

std::unique_ptr<TPrefetchData> TWorkspace::BuildPrefetch(int entry) {
  const std::string path = PrefetchPathOf(entry);
  TBusyGuard busy(host_);
  TProgressText progress(host_,
                         StrFormat("Создание файла предварительной выборки %s...",
                                   PrefetchFileName(StatList().Items(entry).IdentOf()).c_str()));
  try {
    const std::string bytes = FullSetBytes(entry);
    // A command that only reads keeps the distribution in memory while another program holds
    // the data directory; the file is written by whoever holds it.
    if (TDataDirLock lock; TryLockForWrite(lock)) {
      if (!EnsureDir(PrefetchDir(dataDir_)))
        throw std::runtime_error(
            StrFormat("Не удалось создать папку \"%s\"", PrefetchDir(dataDir_).c_str()));
      // The old file stays until the new one is complete.
      WriteFileAtomic(path, bytes);
    }
    return std::make_unique<TPrefetchData>(ParsePrefetchBytes(bytes));
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка создания файла данных для полного набора "
                               "вариантов!\r\rИмя файла: %s\r\r%s",
                               path.c_str(), e.what()));
    return nullptr;
  }
}

bool TWorkspace::PrefetchFileSound(int entry) {
  try {
    ReadPrefetchFile(PrefetchPathOf(entry));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

std::unique_ptr<TPrefetchData> TWorkspace::OpenPrefetch(int entry) {
  if (!windowState_.PrefetchsEnabled || !StatList().CanPrefetch(entry)) return nullptr;
  const std::string path = PrefetchPathOf(entry);
  try {
    if (FileExists(path)) {
      const std::string bytes = ReadWholeFile(path, PrefetchReadLimit);
      // An empty or damaged file (cut short, overwritten) is built again.
      if (PrefetchBytesProblem(bytes).empty())
        return std::make_unique<TPrefetchData>(ParsePrefetchBytes(bytes));
    }
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка открытия файла данных для полного набора "
                               "вариантов!\r\rИмя файла: %s\r\r%s",
                               path.c_str(), e.what()));
    return nullptr;
  }
  return BuildPrefetch(entry);
}

int TWorkspace::RefreshPrefetchFiles(bool force, unsigned groupMask, bool staleGroups) {
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
    const bool masked = group < 32 && (groupMask & (1u << group)) != 0;
    // A file that is there and sound stays unless its group is rebuilt; a damaged one is
    // repaired like a missing one.
    if (!masked && FileExists(path) && PrefetchFileSound(i)) continue;
    if (OnPrefetchProgress) OnPrefetchProgress(i, total, PrefetchFileName(list.Items(i).IdentOf()));
    if (BuildPrefetch(i)) {
      ++built;
    } else if (masked && staleGroups) {
      // The old file holds the distribution of settings no longer in use.
      std::error_code ec;
      std::filesystem::remove(path, ec);
    }
  }
  if (OnPrefetchProgress) OnPrefetchProgress(total, total, std::string());
  return built;
}

void TWorkspace::DropPrefetchFiles(unsigned groupMask) {
  TStatList& list = StatList();
  TDataDirLock lock;
  if (!RunShown(host_, [&] { LockForWrite(lock); })) return;
  for (int i = 0; i < list.Count(); ++i)
    if (list.CanPrefetch(i) && (groupMask >> list.Items(i).StatClass->Group() & 1u))
      std::remove(PrefetchPathOf(i).c_str());
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
