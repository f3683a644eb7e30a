// A list exported as a spreadsheet: typed columns, rows produced on demand (the combination list
// has 376,992 of them, so nothing is built in memory first), optional colours per cell, and the
// writer that turns it into an .xlsx file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kvarn {

enum class TSheetType { Integer, Real, Text, Date };

struct TSheetColumn {
  std::string Header;
  TSheetType Type = TSheetType::Text;
  int Decimals = 2;  // digits after the point of a Real column
};

// 0xRRGGBB, or SheetNoColour for the spreadsheet's own.
constexpr uint32_t SheetNoColour = 0xFFFFFFFFu;
// The lists keep their colours as 0x00BBGGRR.
constexpr uint32_t SheetColourOfBgr(uint32_t bgr) {
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// One cell. Integer, Real and Date columns take Number (a date is the day count since
// 30.12.1899 with the time as the fraction, which spreadsheets share); Text columns take Text,
// and so may a cell of another column that holds no number ("-" where nothing was computed).
// Before each row is asked for, every cell is reset to empty with no colours.
struct TSheetCell {
  bool Empty = true;
  bool IsText = false;
  double Number = 0;
  std::string Text;
  uint32_t Fill = SheetNoColour;
  uint32_t Font = SheetNoColour;

  void SetNumber(double v) {
    Empty = false;
    IsText = false;
    Number = v;
  }
  // Empty text leaves the cell empty.
  void SetText(std::string_view v) {
    Empty = v.empty();
    IsText = true;
    Text.assign(v);
  }
  // A number when the text reads as one ("." or ","), else the text; nothing for empty text.
  void SetNumberOrText(std::string_view v);
};

struct TSheet {
  std::string Name;  // the sheet's tab; cut and cleaned to what spreadsheets accept
  std::vector<TSheetColumn> Columns;
  size_t RowCount = 0;
  // Fills the cells of row r (0-based, below the header); cells.size() == Columns.size().
  std::function<void(size_t r, std::span<TSheetCell> cells)> Row;
};

// Called every few thousand rows with the rows written so far; false stops the export.
using TSheetProgress = std::function<bool(size_t done, size_t total)>;

// Writes the sheet as an .xlsx workbook: a bold header row that stays in view, numbers and dates
// as numbers with their display formats, the cells' colours and column widths that fit the
// longest text. The file appears whole or not at all. Returns false when progress asked to stop
// (nothing is written then); raises EKvarnError with the reason on failure.
bool WriteXlsx(const std::string& file, const TSheet& sheet, const TSheetProgress& progress = {});

// The sheet name spreadsheets accept: at most 31 characters, none of []:*?/\ and not empty.
std::string SheetSafeName(std::string_view name);

}  // namespace kvarn
