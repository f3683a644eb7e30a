// The combination list of the main window: generation, files, clipboard, undo, keyed buffer and
// the editing commands of the combinations tab.
#include <optional>

#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

void TWorkspace::CombsReserve() {
  const size_t full = static_cast<size_t>(CombCount(NumbersCount, CombSize));
  combs_.Reserve(full);
  combsUndo_.Reserve(full);
  combsBuffer_.List.Reserve(full);
  combs_.Clear();
  combsUndo_.Clear();
  combsBuffer_.Reset();
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
      combs_.Clear();
      if (mode == gmFile)
        CombsLoadFile(parameters);
      else
        GenerateCombs(combs_, mode, ParseMyNumbers(parameters));
    } catch (const std::exception& e) {
      ShowError(host_, StrFormat("Ошибка генерации файла комбинаций!\r\r%s", e.what()));
    }
  }
  if (!interactive) return;
  appliedFilters_.clear();
  CombsRefreshList();
  combsUndo_.Reserve(static_cast<size_t>(combs_.Count()));
  combsUndo_.Clear();
  combsBuffer_.List.Reserve(static_cast<size_t>(combs_.Count()));
  combsBuffer_.Reset();
}

void TWorkspace::CombsGenerateStored(bool interactive) {
  CombsGenerate(Settings().Generate.Mode, Settings().Generate.Parameters, interactive);
}

bool TWorkspace::CombsLoadFile(const std::string& path) {
  try {
    ReadCombsFile(path, combs_);
    return true;
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка чтения файла \"%s\"!\r\r%s", path.c_str(), e.what()));
    return false;
  }
}

bool TWorkspace::CombsSaveFile(const std::string& path) {
  try {
    WriteCombsFile(path, combs_);
    return true;
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", path.c_str(), e.what()));
    return false;
  }
}

void TWorkspace::CombsSnapshot(bool message) {
  std::optional<TProgressText> progress;
  if (message) progress.emplace(host_, "Создание файла отката...");
  try {
    combsUndo_.CopyFrom(combs_);
  } catch (...) {
    combsUndo_.Clear();
    throw;
  }
}

void TWorkspace::CombsRestore(bool message) {
  {
    std::optional<TProgressText> progress;
    if (message) progress.emplace(host_, "Отмена изменений...");
    try {
      combs_.CopyFrom(combsUndo_);
    } catch (...) {
      combs_.Clear();
      combsUndo_.Clear();
      CombsRefreshList();
      throw;
    }
    combsUndo_.Clear();
  }
  CombsRefreshList();
}

void TWorkspace::CombsRefreshList() {
  if (OnCombsChanged) OnCombsChanged();
  host_.SetStatusText(spCombs, StrFormat("Комбинаций: %d", combs_.Count()));
}

void TWorkspace::CombsBufferSave(int key1, int key2) {
  if (combsBuffer_.Key1 == key1 && combsBuffer_.Key2 == key2) return;
  try {
    TProgressText progress(host_, "Создание буфера комбинаций...");
    combsBuffer_.Key1 = key1;
    combsBuffer_.Key2 = key2;
    combsBuffer_.List.CopyFrom(combs_);
  } catch (const std::exception& e) {
    // A half-made buffer must never be restored under its key.
    combsBuffer_.Reset();
    ShowError(host_, StrFormat("Ошибка создания буфера комбинаций!\r\r%s", e.what()));
  }
}

bool TWorkspace::CombsBufferRestore(int key1, int key2) {
  if (combsBuffer_.Key1 != key1 || combsBuffer_.Key2 != key2 || combsBuffer_.List.Count() <= 0)
    return false;
  try {
    {
      TProgressText progress(host_, "Загрузка буфера комбинаций...");
      combs_.CopyFrom(combsBuffer_.List);
    }
    CombsRefreshList();
    return true;
  } catch (const std::exception& e) {
    ShowError(host_, StrFormat("Ошибка загрузки буфера комбинаций!\r\r%s", e.what()));
    return false;
  }
}

void TWorkspace::CombsBufferReset() {
  combsBuffer_.Reset();
}

void TWorkspace::CombsRemoveDraws(int n) {
  {
    TBusyGuard busy(host_);
    const std::string text = StrFormat("Удаление из списка комбинаций %d последних тиражей...", n);
    TProgressText progress(host_, text);
    const int total = combsUndo_.Count();
    RemoveDrawsCombs(combs_, combsUndo_, Draws(),
                     LastDrawsRange(static_cast<int>(Draws().size()), DrawsOffset(), n),
                     [&](int done) {
                       progress.Update(StrFormat(
                           "Удаление из списка комбинаций %d последних тиражей ( завершено %.0f "
                           "%% )...",
                           n, done * 100.0 / total));
                     });
    appliedFilters_.push_back({"Последние тиражи", std::to_string(n), combs_.Count(), true});
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
    combsUndo_.Clear();
    appliedFilters_.clear();
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
  return CombsClipboardText(combs_, rows);
}

bool TWorkspace::CombsPaste(const std::string& text) {
  if (SplitTextLines(text).empty()) return false;
  bool ok = false;
  CombsSnapshot(false);
  try {
    ParseCombsLines(combs_, text);
    appliedFilters_.clear();
    ok = true;
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
    CombsRestore(true);
  }
  combsUndo_.Clear();
  CombsRefreshList();
  return ok;
}

void TWorkspace::CombsDelSelected(const std::vector<int>& rows) {
  std::vector<bool> marked(static_cast<size_t>(combs_.Count()), false);
  int selected = 0;
  for (int r : rows)
    if (r >= 0 && r < combs_.Count() && !marked[static_cast<size_t>(r)]) {
      marked[static_cast<size_t>(r)] = true;
      ++selected;
    }
  if (selected == 0) return;
  {
    TBusyGuard busy(host_);
    CombsSnapshot(true);
    TProgressText progress(host_, "Удаление выделенных комбинаций...");
    RemoveSelectedCombs(combs_, combsUndo_, rows);
    appliedFilters_.push_back(
        {"Выделенные комбинации", std::to_string(selected), combs_.Count(), true});
  }
  CombsRefreshList();
}

void TWorkspace::CombsDelExists(int n) {
  CombsSnapshot(true);
  CombsRemoveDraws(n);
}

bool TWorkspace::CombsUndo() {
  if (combsUndo_.Count() <= 0) return false;
  CombsRestore(true);
  if (!appliedFilters_.empty()) appliedFilters_.pop_back();
  return true;
}

std::vector<std::string> TWorkspace::CombsFindInDraws(int row) {
  if (row < 0 || row >= combs_.Count()) return {};
  std::vector<std::string> lines;
  {
    TProgressText progress(host_, "Поиск по архиву тиражей...");
    lines = FindCombInDraws(combs_[row], Draws());
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
    n = CountUniqueNumbers(combs_);
  }
  ShowInfo(host_, StrFormat("В текущем списке комбинаций содержится %d уникальных номеров", n));
  return n;
}

std::string TWorkspace::CombsCellText(int row, int col) const {
  return CombCellText(combs_, row, col);
}

uint32_t TWorkspace::CombsCellColour(int row, int col) const {
  return CombCellColour(combs_, row, col, WindowState().ColorCombs, Config().ChannelSize);
}

}  // namespace kvarn
