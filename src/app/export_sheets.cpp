#include "app/export_sheets.h"

#include "core/dates.h"
#include "core/lottery.h"
#include "core/text.h"

namespace kvarn {

namespace {

// White is the sheet's own background.
uint32_t FillOf(uint32_t bgr) {
  return bgr == DefaultColour || bgr == WhiteColour ? SheetNoColour : SheetColourOfBgr(bgr);
}

TSheetColumn Int(const char* header) {
  return {header, TSheetType::Integer};
}

}  // namespace

TSheet DrawsSheet(const TDrawsArray& draws, int offset, bool sorted, bool coloured,
                  int channelSize) {
  TSheet s;
  s.Name = "Архив тиражей";
  s.Columns = {Int("Тираж"), Int("1"), Int("2"),
               Int("3"),     Int("4"), Int("5"),
               Int("E"),     Int("S"), {"Дата тиража", TSheetType::Date}};
  s.RowCount = draws.size();
  s.Row = [&draws, offset, sorted, coloured, channelSize](size_t r, std::span<TSheetCell> c) {
    const TDrawRow row =
        DrawsListRow(draws, static_cast<int>(r), offset, sorted, coloured, channelSize);
    for (size_t i = 0; i < DrawColumnsCount; ++i) c[i].Fill = FillOf(row.Colours[i]);
    for (size_t i = 0; i + 1 < DrawColumnsCount; ++i) c[i].SetNumberOrText(row.Cells[i]);
    // A date the archive holds in another form stays as its text.
    TDateTime date = 0;
    try {
      date = ParseDateTime(row.Cells[8]);
    } catch (const EKvarnError&) {
    }
    if (date != 0)
      c[8].SetNumber(date);
    else
      c[8].SetNumberOrText(row.Cells[8]);
  };
  return s;
}

TSheet CombsSheet(const TCombList& list, bool coloured, int channelSize) {
  TSheet s;
  s.Name = "Комбинации";
  s.Columns = {Int("№ п.п."), Int("1"), Int("2"), Int("3"), Int("4"), Int("5"), Int("S")};
  s.RowCount = static_cast<size_t>(list.Count());
  s.Row = [&list, coloured, channelSize](size_t r, std::span<TSheetCell> c) {
    const TComb& comb = list[static_cast<int>(r)];
    c[0].SetNumber(static_cast<double>(r + 1));
    for (size_t k = 0; k < CombSize; ++k) {
      c[k + 1].SetNumber(comb[k]);
      if (coloured) c[k + 1].Fill = SheetColourOfBgr(ChannelColour(comb[k], channelSize));
    }
    c[CombSize + 1].SetNumber(CombSum(comb));
  };
  return s;
}

TSheet StatSheet(const TStatTable& table) {
  // Column types in the order of StatColumnCaptions; decimals as the table shows them.
  static const TSheetType kTypes[StatColumnCount] = {
      TSheetType::Text,    TSheetType::Integer, TSheetType::Real,    TSheetType::Integer,
      TSheetType::Integer, TSheetType::Real,    TSheetType::Integer, TSheetType::Real,
      TSheetType::Real,    TSheetType::Integer, TSheetType::Integer, TSheetType::Real,
      TSheetType::Integer, TSheetType::Integer, TSheetType::Integer, TSheetType::Integer,
      TSheetType::Integer, TSheetType::Integer, TSheetType::Integer, TSheetType::Integer};
  static const int kDecimals[StatColumnCount] = {0, 0, 5, 0, 0, 5, 0, 2, 2, 0,
                                                 0, 4, 0, 0, 0, 0, 0, 0, 0, 0};
  TSheet s;
  s.Name = "Статистика";
  for (int i = 0; i < StatColumnCount; ++i)
    s.Columns.push_back({StatColumnCaptions[static_cast<size_t>(i)], kTypes[i], kDecimals[i]});
  s.RowCount = table.Order.size();
  s.Row = [&table](size_t r, std::span<TSheetCell> c) {
    const TStatRow& row = table.Rows[static_cast<size_t>(table.Order[r])];
    // The value stays text even when it looks like a number: "01 [1-6]" and "5" sort alike.
    c[0].SetText(row.Cells[0]);
    for (size_t i = 1; i < StatColumnCount; ++i) c[i].SetNumberOrText(row.Cells[i]);
  };
  return s;
}

}  // namespace kvarn
