// The rating of the workspace: its file, the sort with the list's stored state, the rows the list
// shows, the efficiency mode, the export and the match-count graph.
#include <algorithm>

#include "app/workspace.h"
#include "core/files.h"
#include "core/text.h"
#include "stakes/rating_stakes.h"
#include "stakes/stakes_graph.h"

namespace kvarn {

namespace {

bool SameBytes(const TRatingsArray& a, const TRatingsArray& b) {
  return a.size() == b.size() && RatingsToBytes(a) == RatingsToBytes(b);
}

}  // namespace

void TWorkspace::RatingsLoad() {
  const int column = WindowStateReadInt(RatingsSortColumnKey, RatingsDefaultSortColumn);
  rating_.SortColumn = column >= -1 && column < rcColumnCount ? column : RatingsDefaultSortColumn;
  rating_.Descending = WindowStateReadInt(RatingsSortDescendingKey, 1) != 0;
  const std::string path = DataPath(RatingsFileName);
  if (!FileExists(path)) return;
  TBusyGuard busy(host_);
  bool read = true;
  {
    TProgressText progress(host_, "Загрузка файла рейтинга...");
    rating_.Items.clear();
    rating_.Index.reset();
    try {
      RatingsReadFile(path, rating_.Items);
    } catch (const std::exception& e) {
      read = false;
      std::string text = e.what();
      // Whatever can still be read of the file is kept aside before a save replaces it.
      try {
        WriteFileAtomic(DataPath(RatingsBackupFileName), ReadWholeFile(path));
        text += StrFormat("\r\rФайл сохранен как \"%s\".", RatingsBackupFileName);
      } catch (const std::exception&) {
      }
      ShowError(host_, StrFormat("Ошибка чтения файла рейтинга!\r\r%s", text.c_str()));
    }
  }
  const TRatingsArray loaded = rating_.Items;
  {
    TProgressText progress(host_, "Сортировка рейтинга...");
    kvarn::RatingsSort(rating_.Items, rating_.SortColumn, rating_.Descending);
  }
  // Writing back what was read unchanged would only touch the file.
  if (read && !SameBytes(loaded, rating_.Items))
    RatingsSave();
  else
    RatingsRefreshList();
}

bool TWorkspace::RatingsSave() {
  bool ok = true;
  {
    TProgressText progress(host_, "Сохранение файла рейтинга...");
    ok = RunShown(
        host_, [&] { RatingsWriteFile(DataPath(RatingsFileName), rating_.Items); },
        "Ошибка записи в файл рейтинга!\r\r");
  }
  RatingsRefreshList();
  return ok;
}

void TWorkspace::RatingsSort(int column, bool descending) {
  if (!RunShown(host_, [&] {
        TProgressText progress(host_, "Сортировка рейтинга...");
        kvarn::RatingsSort(rating_.Items, column, descending);
      }))
    return;
  rating_.Index.reset();
  if (column != rating_.SortColumn) WindowStateWriteInt(RatingsSortColumnKey, column);
  if (descending != rating_.Descending) WindowStateWriteInt(RatingsSortDescendingKey, descending);
  rating_.SortColumn = column;
  rating_.Descending = descending;
  RatingsSave();
}

void TWorkspace::RatingsClickColumn(int column) {
  if (column == rating_.SortColumn)
    RatingsSort(column, !rating_.Descending);
  else
    RatingsSort(column, column != rcName);
}

void TWorkspace::RatingsResort() {
  RatingsSort(rating_.SortColumn, rating_.Descending);
}

void TWorkspace::RatingsRefreshList() {
  host_.SetStatusText(spRating, StrFormat("Рейтинг: %d", static_cast<int>(rating_.Items.size())));
  if (OnRatingsListChanged) OnRatingsListChanged();
}

TRatingRowTexts TWorkspace::RatingsRow(int row, int effMode) const {
  if (row < 0 || static_cast<size_t>(row) >= rating_.Items.size()) return {};
  return RatingRowTexts(rating_.Items[static_cast<size_t>(row)], effMode, rating_.Shares);
}

int TWorkspace::RatingsEffMode() const {
  const int mode = windowState_.RatingsEffMode;
  return mode >= emExpected && mode <= emRelative ? mode : RatingsDefaultEffMode;
}

bool TWorkspace::SetRatingsEffMode(int mode) {
  if (mode < emExpected || mode > emRelative) return false;
  windowState_.RatingsEffMode = mode;
  const bool ok = WindowStateWriteInt("RatingsEffMode", mode);
  if (OnRatingsListChanged) OnRatingsListChanged();
  return ok;
}

void TWorkspace::RatingsAddStake(const TStake& stake) {
  if (!rating_.Index) rating_.Index.emplace(rating_.Items);
  RatingsAdd(rating_.Items, stake, &*rating_.Index);
}

bool TWorkspace::RatingsExport(const std::string& path) {
  TBusyGuard busy(host_);
  TProgressText progress(host_, "Экспорт в CSV-файл...");
  return RunShown(host_, [&] {
    try {
      RatingsCsvWriteFile(path, rating_.Items);
    } catch (const std::exception& e) {
      Raise(StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", path.c_str(), e.what()));
    }
  });
}

std::vector<TGraphSeries> TWorkspace::RatingsGraphOverlap(const std::vector<int>& rows) const {
  return RatingsGraphOverlapData(rating_.Items, rows, rating_.Shares);
}

bool TWorkspace::RatingsRefresh(bool ask) {
  TStakesFile& file = stakes_.File;
  if (!file.IsOpen()) return false;
  if (ask && !rating_.Items.empty() &&
      !AskConfirm(host_,
                  "Пересчитать рейтинг только по текущим ставкам?\r\rНакопленные ранее данные по "
                  "удаленным ставкам будут потеряны."))
    return false;
  TBusyGuard busy(host_);
  TRatingsArray rebuilt;
  {
    TProgressText progress(host_, "Обновление рейтинга...");
    // Built aside: a read that fails half-way must not leave a partial rating to be saved.
    if (!RunShown(
            host_, [&] { rebuilt = RatingsRebuild(file); }, "Ошибка обновления рейтинга!\r\r"))
      return false;
  }
  rating_.Items = std::move(rebuilt);
  rating_.Index.reset();
  RatingsResort();
  return true;
}

std::vector<TChanceRow> TWorkspace::RatingsChance(const std::vector<int>& rows) {
  TStakesFile& file = stakes_.File;
  std::vector<TChanceRow> out;
  if (!file.IsOpen()) return out;
  TBusyGuard busy(host_);
  TProgressText progress(host_, "Проверка на случайность...");
  RunShown(host_, [&] {
    out = kvarn::RatingsChance(file, rating_.Items, rows, [&](size_t done, size_t total) {
      progress.Update(StrFormat("Проверка на случайность: %d из %d", static_cast<int>(done),
                                static_cast<int>(total)));
    });
  });
  return out;
}

std::vector<TGraphSeries> TWorkspace::RatingsStakesGraph(const std::vector<int>& rows,
                                                         bool profits) {
  TStakesFile& file = stakes_.File;
  std::vector<std::string> names;
  for (int row : rows)
    if (row >= 0 && static_cast<size_t>(row) < rating_.Items.size())
      names.push_back(rating_.Items[static_cast<size_t>(row)].Name);
  if (names.empty() || !file.IsOpen()) return {};
  std::vector<TGraphSeries> series;
  {
    TBusyGuard busy(host_);
    if (!RunShown(host_, [&] { series = StakesGraphByComment(file, names, profits); })) return {};
  }
  if (series.empty()) ShowError(host_, StakesGraphTooFewDraws);
  return series;
}

}  // namespace kvarn
