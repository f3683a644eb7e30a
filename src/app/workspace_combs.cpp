// The combination list of the main window: generation, files, clipboard, undo, keyed buffer and
// the editing commands of the combinations tab.
#include <optional>

#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

void TWorkspace::CombsReserve() {
  combs_.Reserve(static_cast<size_t>(CombCount(NumbersCount, CombSize)));
}

void TWorkspace::CombsStartup() {
  CombsReserve();
  CombsGenerateStored(false);
  CombsRefreshList();
}

void TWorkspace::CombsGenerate(int mode, const std::string& parameters, bool interactive) {
  {
    TBusyGuard busy(host_);
    std::optional<TProgressText> progress;
    if (interactive) progress.emplace(host_, "Генерация возможных комбинаций...");
    try {
      combs_.List.Clear();
      if (mode == gmFile)
        CombsLoadFile(parameters);
      else
        GenerateCombs(combs_.List, mode, ParseMyNumbers(parameters));
    } catch (const std::exception& e) {
      ShowError(host_, StrFormat("Ошибка генерации файла комбинаций!\r\r%s", e.what()));
    }
  }
  if (!interactive) return;
  combs_.Filters.clear();
  CombsRefreshList();
  combs_.Undo.Reserve(static_cast<size_t>(combs_.List.Count()));
  combs_.Undo.Clear();
  combs_.Buffer.List.Reserve(static_cast<size_t>(combs_.List.Count()));
  combs_.Buffer.Reset();
}

void TWorkspace::CombsGenerateStored(bool interactive) {
  CombsGenerate(Settings().Generate.Mode, Settings().Generate.Parameters, interactive);
}

bool TWorkspace::CombsLoadFile(const std::string& path) {
  return RunShown(
      host_, [&] { ReadCombsFile(path, combs_.List); },
      StrFormat("Ошибка чтения файла \"%s\"!\r\r", path.c_str()));
}

bool TWorkspace::CombsSaveFile(const std::string& path) {
  return RunShown(
      host_, [&] { WriteCombsFile(path, combs_.List); },
      StrFormat("Ошибка записи в файл \"%s\"!\r\r", path.c_str()));
}

void TWorkspace::CombsSnapshot(bool message) {
  std::optional<TProgressText> progress;
  if (message) progress.emplace(host_, "Создание файла отката...");
  try {
    combs_.Undo.CopyFrom(combs_.List);
  } catch (...) {
    combs_.Undo.Clear();
    throw;
  }
}

void TWorkspace::CombsRestore(bool message) {
  {
    std::optional<TProgressText> progress;
    if (message) progress.emplace(host_, "Отмена изменений...");
    try {
      combs_.List.CopyFrom(combs_.Undo);
    } catch (...) {
      combs_.List.Clear();
      combs_.Undo.Clear();
      CombsRefreshList();
      throw;
    }
    combs_.Undo.Clear();
  }
  CombsRefreshList();
}

void TWorkspace::CombsRefreshList() {
  if (OnCombsChanged) OnCombsChanged();
  host_.SetStatusText(spCombs, StrFormat("Комбинаций: %d", combs_.List.Count()));
}

void TWorkspace::CombsBufferSave(int key1, int key2) {
  if (combs_.Buffer.Key1 == key1 && combs_.Buffer.Key2 == key2) return;
  try {
    TProgressText progress(host_, "Создание буфера комбинаций...");
    combs_.Buffer.Key1 = key1;
    combs_.Buffer.Key2 = key2;
    combs_.Buffer.List.CopyFrom(combs_.List);
  } catch (const std::exception& e) {
    // A half-made buffer must never be restored under its key.
    combs_.Buffer.Reset();
    ShowError(host_, StrFormat("Ошибка создания буфера комбинаций!\r\r%s", e.what()));
  }
}

bool TWorkspace::CombsBufferRestore(int key1, int key2) {
  if (combs_.Buffer.Key1 != key1 || combs_.Buffer.Key2 != key2 || combs_.Buffer.List.Count() <= 0)
    return false;
  try {
    {
      TProgressText progress(host_, "Загрузка буфера комбинаций...");
      combs_.List.CopyFrom(combs_.Buffer.List);
    }
    CombsRefreshList();
    return true;
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка загрузки буфера комбинаций!\r\r%s", e.what()));
    return false;
  }
}

void TWorkspace::CombsBufferReset() {
  combs_.Buffer.Reset();
}

void TWorkspace::CombsRemoveDraws(int n) {
  {
    TBusyGuard busy(host_);
    const std::string text = StrFormat("Удаление из списка комбинаций %d последних тиражей...", n);
    TProgressText progress(host_, text);
    const int total = combs_.Undo.Count();
    RemoveDrawsCombs(combs_.List, combs_.Undo, Draws(),
                     LastDrawsRange(static_cast<int>(Draws().size()), DrawsOffset(), n),
                     [&](int done) {
                       progress.Update(StrFormat(
                           "Удаление из списка комбинаций %d последних тиражей ( завершено %.0f "
                           "%% )...",
                           n, done * 100.0 / total));
                     });
    combs_.Filters.push_back({"Последние тиражи", std::to_string(n), combs_.List.Count(), true});
  }
  CombsRefreshList();
}

bool TWorkspace::CombsOpen(const std::string& path) {
  bool ok = false;
  {
    TBusyGuard busy(host_);
    CombsSnapshot(true);
    {
      TProgressText progress(host_, StrFormat("Загрузка файла \"%s\"...", path.c_str()));
      ok = CombsLoadFile(path);
    }
    if (!ok) CombsRestore(true);
    combs_.Undo.Clear();
    combs_.Filters.clear();
  }
  CombsRefreshList();
  return ok;
}

bool TWorkspace::CombsSave(const std::string& path) {
  TBusyGuard busy(host_);
  TProgressText progress(host_, StrFormat("Сохранение файла \"%s\"...", path.c_str()));
  return CombsSaveFile(path);
}

std::string TWorkspace::CombsCopyText(const std::vector<int>& rows) {
  TProgressText progress(host_, "Подождите пожалуйста...");
  return CombsClipboardText(combs_.List, rows);
}

bool TWorkspace::CombsPaste(const std::string& text) {
  if (SplitTextLines(text).empty()) return false;
  bool ok = false;
  CombsSnapshot(false);
  try {
    ParseCombsLines(combs_.List, text);
    combs_.Filters.clear();
    ok = true;
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
    CombsRestore(true);
  }
  combs_.Undo.Clear();
  CombsRefreshList();
  return ok;
}

void TWorkspace::CombsDelSelected(const std::vector<int>& rows) {
  std::vector<bool> marked(static_cast<size_t>(combs_.List.Count()), false);
  int selected = 0;
  for (int r : rows)
    if (r >= 0 && r < combs_.List.Count() && !marked[static_cast<size_t>(r)]) {
      marked[static_cast<size_t>(r)] = true;
      ++selected;
    }
  if (selected == 0) return;
  {
    TBusyGuard busy(host_);
    CombsSnapshot(true);
    TProgressText progress(host_, "Удаление выделенных комбинаций...");
    RemoveSelectedCombs(combs_.List, combs_.Undo, rows);
    combs_.Filters.push_back(
        {"Выделенные комбинации", std::to_string(selected), combs_.List.Count(), true});
  }
  CombsRefreshList();
}

void TWorkspace::CombsDelExists(int n) {
  CombsSnapshot(true);
  CombsRemoveDraws(n);
}

bool TWorkspace::CombsUndo() {
  if (combs_.Undo.Count() <= 0) return false;
  CombsRestore(true);
  if (!combs_.Filters.empty()) combs_.Filters.pop_back();
  return true;
}

std::vector<std::string> TWorkspace::CombsFindInDraws(int row) {
  if (row < 0 || row >= combs_.List.Count()) return {};
  std::vector<std::string> lines;
  {
    TProgressText progress(host_, "Поиск по архиву тиражей...");
    lines = FindCombInDraws(combs_.List[row], Draws());
  }
  if (lines.empty()) {
    ShowInfo(host_, "Выделенная комбинация не найдена архиве тиражей!");
  } else {
    std::string text = "Выделенная комбинация найдена в следующих тиражах:\r";
    for (const std::string& l : lines) text += "\r" + l;
    ShowInfo(host_, text);
  }
  return lines;
}

int TWorkspace::CombsCheckNums() {
  int n = 0;
  {
    TProgressText progress(host_, "Подождите пожалуйста...");
    n = CountUniqueNumbers(combs_.List);
  }
  ShowInfo(host_, StrFormat("В текущем списке комбинаций содержится %d уникальных номеров", n));
  return n;
}

std::string TWorkspace::CombsCellText(int row, int col) const {
  return CombCellText(combs_.List, row, col);
}

uint32_t TWorkspace::CombsCellColour(int row, int col) const {
  return CombCellColour(combs_.List, row, col, WindowState().ColorCombs, Config().ChannelSize);
}

}  // namespace kvarn
