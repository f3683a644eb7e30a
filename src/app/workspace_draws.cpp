// The draw archive of the workspace: loading, saving, the offset, the list and the status bar.
#include <algorithm>
#include <cerrno>

#include "app/workspace.h"
#include "core/dates.h"
#include "core/files.h"
#include "core/text.h"
#include "stakes/stakes_file.h"

namespace kvarn {

void TWorkspace::DrawsLoad() {
  std::string path = DataPath(DrawsFileName);
  draws_.Stamp = FileStampOf(path);
  if (!draws_.Stamp.Exists && !FileExists(path)) return;
  {
    TProgressText progress(host_, "Загрузка файла тиражей...");
    TBusyGuard busy(host_);
    draws_.Draws.clear();
    draws_.SetAside.clear();
    draws_.LoadFailed = false;
    try {
      DrawsFromBytes(ReadWholeFile(path, DrawsReadLimit), draws_.Draws);
    } catch (const std::exception& e) {
      // The records that were not read would be lost by the next save: it asks first.
      draws_.LoadFailed = true;
      ShowError(host_, StrFormat("Ошибка чтения файла тиражей!\r\r%s", e.what()));
    }
    SetAsideBadRecords(draws_.Draws, draws_.SetAside);
    if (!draws_.SetAside.empty()) ShowWarning(host_, SetAsideMessage(draws_.SetAside));
    if (const std::string early = EarlyDatesMessage(draws_.Draws); !early.empty())
      ShowWarning(host_, early);
    DrawsRefreshList(false);
  }
}

std::string SetAsideMessage(const TSetAsideRecords& aside) {
  constexpr size_t Listed = 20;
  std::string text = StrFormat(
      "В файле тиражей есть записи, которые не являются тиражами (всего %zu)!\r\rОни "
      "остаются в файле, но не показываются и не участвуют в статистике и "
      "фильтрах:\r",
      aside.size());
  for (size_t i = 0; i < aside.size() && i < Listed; ++i) text += "\r" + SetAsideText(aside[i]);
  if (aside.size() > Listed) text += StrFormat("\r... и еще %zu", aside.size() - Listed);
  return text;
}

std::string EarlyDatesMessage(const TDrawsArray& draws) {
  constexpr size_t Listed = 20;
  std::vector<const TDraw*> early;
  for (const TDraw& d : draws)
    if (DateTextBeforeFirstDay(d.DateText)) early.push_back(&d);
  if (early.empty()) return {};
  std::string text = StrFormat(
      "В файле тиражей есть даты раньше 30.12.1899 (всего %zu)!\r\rОни остаются в файле как "
      "есть, но не считаются датами; исправить дату можно командой \"Изменить\":\r",
      early.size());
  for (size_t i = 0; i < early.size() && i < Listed; ++i)
    text += StrFormat("\rтираж № %d: %s", early[i]->Number, early[i]->DateText.c_str());
  if (early.size() > Listed) text += StrFormat("\r... и еще %zu", early.size() - Listed);
  return text;
}

void TWorkspace::DrawsWriteChecked() {
  TDataDirLock lock;
  LockForWrite(lock);
  const std::string path = DataPath(DrawsFileName);
  const char* question = nullptr;
  if (draws_.LoadFailed)
    question =
        "Файл тиражей не был прочитан полностью при загрузке!\r\rЕсли сохранить архив, записи "
        "файла, которые не удалось прочитать, будут потеряны. Заменить файл тиражей?";
  else if (FileStampOf(path) != draws_.Stamp)
    question =
        "Файл тиражей был изменен другой программой после загрузки!\r\rЕсли сохранить архив, "
        "эти изменения будут потеряны. Заменить файл тиражей?";
  if (question && !AskWarning(host_, question, true))
    Raise("Файл тиражей оставлен без изменений: замена отменена.");
  WriteFileAtomic(path, DrawsFileBytes(draws_.Draws, draws_.SetAside));
  draws_.Stamp = FileStampOf(path);
  draws_.LoadFailed = false;
}

bool TWorkspace::DrawsSave() {
  bool ok = true;
  {
    TProgressText progress(host_, "Сохранение файла тиражей...");
    TBusyGuard busy(host_);
    try {
      DrawsWriteChecked();
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
  SetAsideAfterDelete(draws_.SetAside, static_cast<size_t>(index));
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

namespace {
// Statistics index their tables by the numbers: the archive holds draws only.
void CheckDraw(const TDraw& d) {
  const std::string problem = DrawProblem(d);
  if (!problem.empty()) Raise(StrFormat("Тираж № %d не сохранен: %s!", d.Number, problem.c_str()));
}
}  // namespace

bool TWorkspace::DrawsAdd(const TDraw& d) {
  CheckDraw(d);
  draws_.Draws.push_back(d);
  return DrawsChanged();
}

bool TWorkspace::DrawsReplace(int index, const TDraw& d) {
  if (index < 0 || index >= DrawsCount())
    Raise(StrFormat("Запись со индексом %d в файле данных не найдена!", index));
  CheckDraw(d);
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
