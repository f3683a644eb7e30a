// The scenario subsystem: the lines in memory, the current scenario file and the list's rows.
#include <algorithm>

#include "app/workspace.h"
#include "core/text.h"
#include "scenario/rating_script.h"

namespace kvarn {

bool TWorkspace::ScriptStartup() {
  scenario_.Running = false;
  scenario_.LoadFailed = false;
  bool ok = true;
  try {
    TProgressText progress(host_, StrFormat("Загрузка файла \"%s\"...", ScriptAutoFileName));
    ScriptAutoLoad(scenario_.Lines, dataDir_);
  } catch (const std::exception& e) {
    scenario_.LoadFailed = true;
    ok = false;
    ShowError(host_,
              StrFormat("%s\r\rФайл сценария не будет перезаписан без вашего согласия.", e.what()));
  }
  if (OnScriptChanged) OnScriptChanged();
  return ok;
}

void TWorkspace::ScriptChanged() {
  RunShown(host_, [this] {
    if (scenario_.LoadFailed) {
      if (!AskWarning(host_,
                      "Файл сценария не был прочитан при запуске программы!\r\rЕсли сохранить "
                      "сценарий, строки этого файла будут потеряны. Заменить файл сценария?",
                      true))
        Raise(
            StrFormat("Ошибка записи в файл \"%s\"!\r\rФайл сценария оставлен без "
                      "изменений: замена отменена.",
                      ScriptAutoPath(dataDir_).c_str()));
    }
    ScriptAutoSave(scenario_.Lines, dataDir_);
    scenario_.LoadFailed = false;
  });
  if (OnScriptChanged) OnScriptChanged();
}

std::string TWorkspace::ScriptCountText() const {
  return StrFormat("Строк: %d", ScriptCount());
}

TScriptListRow TWorkspace::ScriptRow(int index) {
  if (index < 0 || index >= ScriptCount()) return {};
  return ScriptListRowOf(scenario_.Lines[static_cast<size_t>(index)], StatList());
}

std::string TWorkspace::ScriptLineAt(int index) const {
  return ScriptLineGet(scenario_.Lines, index);
}

bool TWorkspace::ScriptOpen(const std::string& path) {
  const bool ok = RunShown(host_, [&] {
    TProgressText progress(host_, StrFormat("Загрузка файла \"%s\"...", path.c_str()));
    ScriptFileLoad(scenario_.Lines, path);
  });
  if (ok) ScriptChanged();
  return ok;
}

bool TWorkspace::ScriptSave(const std::string& path) {
  return RunShown(host_, [&] {
    TProgressText progress(host_, StrFormat("Сохранение файла \"%s\"...", path.c_str()));
    ScriptFileSave(scenario_.Lines, path);
  });
}

bool TWorkspace::ScriptAppendFile(const std::string& path) {
  const bool ok = RunShown(host_, [&] {
    TProgressText progress(host_, StrFormat("Загрузка файла \"%s\"...", path.c_str()));
    ScriptFileAppend(scenario_.Lines, path);
  });
  if (ok) ScriptChanged();
  return ok;
}

int TWorkspace::ScriptAdd(const std::string& line) {
  scenario_.Lines.push_back(line);
  ScriptChanged();
  return ScriptCount() - 1;
}

bool TWorkspace::ScriptReplace(int index, const std::string& line) {
  if (!RunShown(host_, [&] { ScriptLinePut(scenario_.Lines, index, line); })) return false;
  ScriptChanged();
  return true;
}

namespace {

bool ConfirmDelete(IHost& host, int count) {
  return AskWarning(host, count == 1 ? std::string("Удалить выделенную запись?")
                                     : StrFormat("Удалить все выделенные записи (всего будет "
                                                 "удалено %d записи(ей))?",
                                                 count));
}

}  // namespace

bool TWorkspace::ScriptDeleteRows(const std::vector<int>& rows) {
  std::vector<int> doomed;
  for (int r : rows)
    if (r >= 0 && r < ScriptCount()) doomed.push_back(r);
  std::sort(doomed.begin(), doomed.end());
  doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
  if (doomed.empty() || !ConfirmDelete(host_, static_cast<int>(doomed.size()))) return false;
  {
    TProgressText progress(host_, "Удаление строк...");
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
      scenario_.Lines.erase(scenario_.Lines.begin() + *it);
  }
  ScriptChanged();
  return true;
}

bool TWorkspace::ScriptClear() {
  if (scenario_.Lines.empty() || !ConfirmDelete(host_, ScriptCount())) return false;
  scenario_.Lines.clear();
  ScriptChanged();
  return true;
}

int TWorkspace::ScriptMove(int index, int delta) {
  const int other = index + delta;
  if (index < 0 || index >= ScriptCount() || other < 0 || other >= ScriptCount()) return -1;
  std::swap(scenario_.Lines[static_cast<size_t>(index)],
            scenario_.Lines[static_cast<size_t>(other)]);
  ScriptChanged();
  return other;
}

int TWorkspace::ScriptAddFromRatings(const std::vector<std::string>& captions) {
  int added = 0;
  {
    TProgressText progress(host_, "Генерация новых строк в сценарии...");
    for (const std::string& caption : captions) {
      if (auto line = RatingCaptionToScriptLine(caption)) {
        scenario_.Lines.push_back(std::move(*line));
        ++added;
      } else {
        ShowError(host_, RatingCaptionRefusedText(caption));
      }
    }
  }
  if (added > 0) ScriptChanged();
  return added;
}

}  // namespace kvarn
