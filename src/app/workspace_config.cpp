// The settings of the workspace: the configuration file, the window-state file, and what a change
// of the configuration brings with it.
#include "app/workspace.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {

void TWorkspace::SettingsLoad() {
  std::string statePath = DataPath(WindowStateFileName);
  RunShown(host_, [&] { WindowStateLoad(statePath, windowState_); });
  ConfigLoad();
  RunShown(host_, [&] {
    ProxyLoad(DataPath(ConfigFileName), settings_.Proxy);
    DownloadLoad(DataPath(ConfigFileName), settings_.Download);
  });
}

void TWorkspace::SettingsFirstStart() {
  if (windowState_.PrefetchsInit) return;
  windowState_.PrefetchsInit = true;
  const std::string statePath = DataPath(WindowStateFileName);
  RunShown(
      host_,
      [&] {
        TDataDirLock lock;
        LockForWrite(lock);
        TIniFile ini;
        ini.Load(statePath);
        ini.WriteBool(WindowStateSection, "PrefetchsInit", true);
        ini.WriteBool(WindowStateSection, "PrefetchsEnabled", windowState_.PrefetchsEnabled);
        ini.Save(statePath);
      },
      "Ошибка записи параметров программы!\r\r");
}

bool TWorkspace::ConfigLoad() {
  TProgressText progress(host_, "Загрузка файла конфигурации...");
  return RunShown(host_, [&] { kvarn::ConfigLoad(DataPath(ConfigFileName), settings_); });
}

bool TWorkspace::ConfigSaveData() {
  return ConfigSaveShown([&] { kvarn::ConfigSaveData(DataPath(ConfigFileName), settings_.Data); });
}

bool TWorkspace::ConfigSaveShredding() {
  return ConfigSaveShown(
      [&] { kvarn::ConfigSaveShredding(DataPath(ConfigFileName), settings_.Shredding); });
}

bool TWorkspace::ConfigSaveGenerate() {
  return ConfigSaveShown(
      [&] { kvarn::ConfigSaveGenerate(DataPath(ConfigFileName), settings_.Generate); });
}

bool TWorkspace::ConfigSaveProxy() {
  return ConfigSaveShown(
      [&] { kvarn::ConfigSaveProxy(DataPath(ConfigFileName), settings_.Proxy); });
}

bool TWorkspace::ConfigSaveShown(const std::function<void()>& save) {
  TProgressText progress(host_, "Сохранение файла конфигурации...");
  return LockedShown(save);
}

bool TWorkspace::LockedShown(const std::function<void()>& write, const std::string& prefix) {
  return RunShown(
      host_,
      [&] {
        TDataDirLock lock;
        LockForWrite(lock);
        write();
      },
      prefix);
}

TConfigChanges TWorkspace::ConfigApply(const TConfigData& data) {
  TConfigChanges changes = ConfigCompare(Config(), data);
  Config() = data;
  ConfigSaveData();
  StatSyncSettings();
  if (changes.Any()) {
    // Method captions and values follow the matrix size, the channel width and the segments:
    // the names are refreshed and the full-set comparison files of those groups rebuilt.
    MethodBoxesRefill(true);
    if (WindowState().PrefetchsEnabled)
      RefreshPrefetchFiles(false, changes.GroupMask(), true);
    else
      // Not rebuilt now, the old files would give norms of the old geometry once the comparison
      // is switched on again: they go, and are built afresh on use.
      DropPrefetchFiles(changes.GroupMask());
  }
  ViewsRefresh();
  return changes;
}

void TWorkspace::ConfigOverride(const TConfigOverride& values) {
  const TConfigData data = values.Applied(Config());
  const unsigned groups = ConfigCompare(Config(), data).GroupMask();
  Config() = data;
  if (groups == 0) return;
  // The registry reads the parameter ranges at registration; the user's names and favourites
  // come back from the method list file, which is only read here.
  TStatList& list = StatList();
  list.Register();
  std::string message;
  if (!list.LoadNames(MethodListPath(), true, message)) ShowError(host_, message);
  MethodBoxesTake(list.BoxLines(), true);
  auto stored = StatFullSetSource;
  StatFullSetSource = [this, stored, groups](int entry) -> std::unique_ptr<TPrefetchData> {
    if (groups >> StatList().Items(entry).StatClass->Group() & 1u) return FullSetInMemory(entry);
    return stored ? stored(entry) : nullptr;
  };
}

bool TWorkspace::WindowStateWriteBool(const std::string& key, bool value) {
  return LockedShown(
      [&] { kvarn::WindowStateWriteBool(DataPath(WindowStateFileName), key, value); });
}

bool TWorkspace::WindowStateWriteInt(const std::string& key, int value) {
  return LockedShown(
      [&] { kvarn::WindowStateWriteInt(DataPath(WindowStateFileName), key, value); });
}

bool TWorkspace::WindowStateWriteString(const std::string& key, const std::string& value) {
  return LockedShown(
      [&] { kvarn::WindowStateWriteString(DataPath(WindowStateFileName), key, value); });
}

int TWorkspace::WindowStateReadInt(const std::string& key, int def) {
  int v = def;
  RunShown(host_, [&] { v = kvarn::WindowStateReadInt(DataPath(WindowStateFileName), key, def); });
  return v;
}

std::string TWorkspace::WindowStateReadString(const std::string& key, const std::string& def) {
  std::string v = def;
  RunShown(host_,
           [&] { v = kvarn::WindowStateReadString(DataPath(WindowStateFileName), key, def); });
  return v;
}

std::string TWorkspace::WindowSectionReadString(const std::string& section, const std::string& key,
                                                const std::string& def) {
  std::string v = def;
  RunShown(host_, [&] {
    v = kvarn::WindowSectionReadString(DataPath(WindowStateFileName), section, key, def);
  });
  return v;
}

bool TWorkspace::WindowSectionWrite(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& values) {
  return RunShown(
      host_, [&] { kvarn::WindowSectionWrite(DataPath(WindowStateFileName), section, values); });
}

bool TWorkspace::WindowStateSaveAll() {
  return RunShown(host_, [&] {
    std::string path = DataPath(WindowStateFileName);
    try {
      TDataDirLock lock;
      LockForWrite(lock);
      TIniFile ini;
      ini.Load(path);
      WindowStateWriteAll(ini, windowState_);
      ini.Save(path);
    } catch (const std::exception& e) {
      Raise(StrFormat("Ошибка записи параметров программы!\r\r%s", e.what()));
    }
  });
}

}  // namespace kvarn
