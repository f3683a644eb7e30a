// The draw archive of the workspace: loading, saving, the offset, the list and the status bar.
#include <algorithm>
#include <cerrno>

#include "app/workspace.h"
#include "core/files.h"
#include "core/text.h"
#include "stakes/stakes_file.h"

namespace kvarn {

void TWorkspace::DrawsLoad() {
  std::string path = DataPath(DrawsFileName);
  if (!FileExists(path)) return;
  {
    TProgressText progress(host_, "Загрузка файла тиражей...");
    TBusyGuard busy(host_);
    try {
      draws_.Draws.clear();
      DrawsReadFile(path, draws_.Draws);
    } catch (const std::exception& e) {
      ShowError(host_, StrFormat("Ошибка чтения файла тиражей!\r\r%s", e.what()));
    }
    DrawsRefreshList(false);
  }
}

bool TWorkspace::DrawsSave() {
  bool ok = true;
  {
    TProgressText progress(host_, "Сохранение файла тиражей...");
    TBusyGuard busy(host_);
    try {
      DrawsWriteFile(DataPath(DrawsFileName), draws_.Draws);
    } catch (const std::exception& e) {
      ShowError(host_, StrFormat("Ошибка записи в файл тиражей!\r\r%s", e.what()));
      ok = false;
    }
  }
  DrawsRefreshList(true);
  return ok;
}

void TWorkspace::DrawsDelete(int index) {
  kvarn::DrawsDelete(draws_.Draws, index);
}

void TWorkspace::DrawsClear() {
  draws_.Draws.clear();
}

int TWorkspace::DrawsNextNumber(int offset) const {
  return kvarn::DrawsNextNumber(draws_.Draws, offset);
}

int TWorkspace::DrawsFindNumber(int number) const {
  return kvarn::DrawsFindNumber(draws_.Draws, number);
}

std::string TWorkspace::DrawsOffsetResult(int offset) const {
  return kvarn::DrawsOffsetResult(draws_.Draws, offset);
}

TNumberBits TWorkspace::DrawsOffsetNumbers(int offset) const {
  return kvarn::DrawsOffsetNumbers(draws_.Draws, offset);
}

std::vector<std::string> TWorkspace::DrawsStatusTexts() const {
  return {StrFormat("Архив тиражей: %d", DrawsCount()),
          StrFormat("Следующий тираж: %d", DrawsNextNumber(draws_.Offset)),
          DrawsOffsetResult(draws_.Offset)};
}

void TWorkspace::DrawsRefreshList(bool force) {
  bool reset = force || draws_.ListRows != DrawsCount();
  draws_.ListRows = DrawsCount();
  if (reset && OnDrawsListChanged) OnDrawsListChanged(true);
  std::vector<std::string> texts = DrawsStatusTexts();
  host_.SetStatusText(spDraws, texts[0]);
  host_.SetStatusText(spNextDraw, texts[1]);
  host_.SetStatusText(spResult, texts[2]);
}

void TWorkspace::SetDrawsOffset(int k) {
  if (k < 0) k = 0;
  if (k == draws_.Offset) return;
  draws_.Offset = k;
  DrawsRefreshList(false);
  ViewsRefresh();
  if (OnDrawsListChanged) OnDrawsListChanged(false);
}

bool TWorkspace::DrawsChanged() {
  bool ok = DrawsSave();
  ViewsRefresh();
  return ok;
}

bool TWorkspace::DrawsAdd(const TDraw& d) {
  draws_.Draws.push_back(d);
  return DrawsChanged();
}

bool TWorkspace::DrawsReplace(int index, const TDraw& d) {
  if (index < 0 || index >= DrawsCount())
    Raise(StrFormat("Запись со индексом %d в файле данных не найдена!", index));
  draws_.Draws[static_cast<size_t>(index)] = d;
  return DrawsChanged();
}

bool TWorkspace::DrawsDeleteRows(const std::vector<int>& rowsIn) {
  std::vector<int> rows;
  for (int r : rowsIn)
    if (r >= 0 && r < DrawsCount()) rows.push_back(r);
  if (rows.empty()) return false;
  if (!AskDeleteRecords(host_, static_cast<int>(rows.size()))) return false;
  // The numbers are taken before anything moves; each is then found again, so the rows may be
  // scattered and the archive may hold gaps or disorder.
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::vector<int32_t> numbers;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it)
    numbers.push_back(draws_.Draws[static_cast<size_t>(DrawsRowIndex(draws_.Draws, *it))].Number);
  {
    TProgressText progress(host_, "Удаление выделенных тиражей....");
    TBusyGuard busy(host_);
    for (int32_t n : numbers) {
      int index = DrawsFindNumber(n);
      if (index >= 0) DrawsDelete(index);
    }
  }
  DrawsRefreshList(false);
  DrawsChanged();
  return true;
}

void TWorkspace::DrawsSetSorted(bool sorted) {
  windowState_.SortedDraws = sorted;
  WindowStateWriteBool("SortedDraws", sorted);
  if (OnDrawsListChanged) OnDrawsListChanged(false);
  ViewsRefresh();
}

TDrawRow TWorkspace::DrawsRow(int row) const {
  return DrawsRow(row, windowState_.SortedDraws);
}

TDrawRow TWorkspace::DrawsRow(int row, bool sorted) const {
  return DrawsListRow(draws_.Draws, row, draws_.Offset, sorted, windowState_.ColorDraws,
                      settings_.Data.ChannelSize);
}

}  // namespace kvarn
