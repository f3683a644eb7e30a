// The settings of the workspace: the configuration file and the window-state file.
#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

void TWorkspace::SettingsLoad() {
  std::string statePath = DataPath(WindowStateFileName);
  try {
    WindowStateLoad(statePath, windowState_);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
  }
  ConfigLoad();
  try {
    ProxyLoad(DataPath(ConfigFileName), settings_.Proxy);
    DownloadLoad(DataPath(ConfigFileName), settings_.Download);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
  }
  // On the first start the switch of the full-set comparison is written out once.
  if (!windowState_.PrefetchsInit) {
    windowState_.PrefetchsInit = true;
    try {
      TIniFile ini;
      ini.Load(statePath);
      ini.WriteBool(WindowStateSection, "PrefetchsInit", true);
      ini.WriteBool(WindowStateSection, "PrefetchsEnabled", windowState_.PrefetchsEnabled);
      ini.Save(statePath);
    } catch (const std::exception& e) {
      ShowError(host_, StrFormat("Ошибка записи параметров программы!\r\r%s", e.what()));
    }
  }
}

bool TWorkspace::ConfigLoad() {
  TProgressText progress(host_, "Загрузка файла конфигурации...");
  try {
    kvarn::ConfigLoad(DataPath(ConfigFileName), settings_);
    return true;
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
    return false;
  }
}

namespace {
template <class F>
bool SaveShown(IHost& host, F save) {
  TProgressText progress(host, "Сохранение файла конфигурации...");
  try {
    save();
    return true;
  } catch (const std::exception& e) {
    ShowError(host, e.what());
    return false;
  }
}
}  // namespace

bool TWorkspace::ConfigSaveData() {
  return SaveShown(host_, [&] { kvarn::ConfigSaveData(DataPath(ConfigFileName), settings_.Data); });
}

bool TWorkspace::ConfigSaveShredding() {
  return SaveShown(
      host_, [&] { kvarn::ConfigSaveShredding(DataPath(ConfigFileName), settings_.Shredding); });
}

bool TWorkspace::ConfigSaveGenerate() {
  return SaveShown(
      host_, [&] { kvarn::ConfigSaveGenerate(DataPath(ConfigFileName), settings_.Generate); });
}

bool TWorkspace::ConfigSaveProxy() {
  return SaveShown(host_,
                   [&] { kvarn::ConfigSaveProxy(DataPath(ConfigFileName), settings_.Proxy); });
}

namespace {
template <class F>
bool StateShown(IHost& host, F write) {
  try {
    write();
    return true;
  } catch (const std::exception& e) {
    ShowError(host, e.what());
    return false;
  }
}
}  // namespace

bool TWorkspace::WindowStateWriteBool(const std::string& key, bool value) {
  return StateShown(
      host_, [&] { kvarn::WindowStateWriteBool(DataPath(WindowStateFileName), key, value); });
}

bool TWorkspace::WindowStateWriteInt(const std::string& key, int value) {
  return StateShown(host_,
                    [&] { kvarn::WindowStateWriteInt(DataPath(WindowStateFileName), key, value); });
}

bool TWorkspace::WindowStateWriteString(const std::string& key, const std::string& value) {
  return StateShown(
      host_, [&] { kvarn::WindowStateWriteString(DataPath(WindowStateFileName), key, value); });
}

int TWorkspace::WindowStateReadInt(const std::string& key, int def) {
  int v = def;
  StateShown(host_,
             [&] { v = kvarn::WindowStateReadInt(DataPath(WindowStateFileName), key, def); });
  return v;
}

std::string TWorkspace::WindowStateReadString(const std::string& key, const std::string& def) {
  std::string v = def;
  StateShown(host_,
             [&] { v = kvarn::WindowStateReadString(DataPath(WindowStateFileName), key, def); });
  return v;
}

bool TWorkspace::WindowStateSaveAll() {
  return StateShown(host_, [&] {
    std::string path = DataPath(WindowStateFileName);
    try {
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
