// Spreadsheet export of the window's lists.
#include "app/export_sheets.h"
#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

bool TWorkspace::SheetExport(const TSheet& sheet, const std::string& file,
                             const TSheetProgress& progress) {
  TBusyGuard busy(host_);
  TProgressText status(host_, "Экспорт в файл...");
  bool done = false;
  RunShown(
      host_,
      [&] {
        done = WriteXlsx(file, sheet, [&](size_t rows, size_t total) {
          status.Update(StrFormat("Экспорт в файл... %zu из %zu", rows, total));
          return progress ? progress(rows, total) : true;
        });
      },
      "Ошибка экспорта в файл!\r\r");
  return done;
}

bool TWorkspace::DrawsXlsExport(const std::string& file, const TSheetProgress& progress) {
  return SheetExport(DrawsSheet(Draws(), DrawsOffset(), windowState_.SortedDraws,
                                windowState_.ColorDraws, settings_.Data.ChannelSize),
                     file, progress);
}

bool TWorkspace::CombsXlsExport(const std::string& file, const TSheetProgress& progress) {
  return SheetExport(CombsSheet(Combs(), windowState_.ColorCombs, settings_.Data.ChannelSize), file,
                     progress);
}

bool TWorkspace::StatXlsExport(const std::string& file, const TSheetProgress& progress) {
  return SheetExport(StatSheet(StatTable()), file, progress);
}

bool TWorkspace::StakesXlsExport(const std::string& file, const TSheetProgress& progress) {
  if (!stakes_.File.IsOpen()) Raise("Файл ставок не открыт");
  // Straight from the file: a record that cannot be read stops the export with its reason
  // rather than leaving a blank row.
  TStakesFile& stakes = stakes_.File;
  return SheetExport(StakesSheet(static_cast<size_t>(stakes.Count()),
                                 [&stakes](size_t row) {
                                   return stakes.ReadRecord(static_cast<int64_t>(row),
                                                            TStakeOrigin::Start);
                                 }),
                     file, progress);
}

bool TWorkspace::RatingsXlsExport(const std::string& file, const TSheetProgress& progress) {
  return SheetExport(RatingsSheet(Ratings().size(),
                                  [this](size_t row) { return RatingsRow(static_cast<int>(row)); }),
                     file, progress);
}

bool TWorkspace::CardXlsExport(const std::string& file, const TSheetProgress& progress) {
  return SheetExport(
      CardSheet(Draws(), TCardOptions{windowState_.ColorCard, windowState_.ColorCardSequences,
                                      settings_.Data.ChannelSize}),
      file, progress);
}

bool TWorkspace::LayoutXlsExport(const std::string& file, const TSheetProgress& progress) {
  return SheetExport(LayoutSheet(views_.Scheme, windowState_.LayoutGradient), file, progress);
}

}  // namespace kvarn
