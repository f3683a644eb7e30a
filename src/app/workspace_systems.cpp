// System play: the list of the local store, adding, changing and importing systems, and the
// stakes made from the combination list through a system.
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

}  // namespace kvarn
