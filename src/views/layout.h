// The layout scheme: the numbers of a window of draws arranged by how often each was drawn (rows)
// and by the draw that held it last (columns), and the five compare lists that group the
// numbers by their count over other window lengths.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

// One number met in the window: how often, and the newest draw that holds it.
struct TShemaItem {
  uint8_t Number = 0;
  int32_t Count = 0;
  int32_t LastDraw = 0;
};
using TShemaArray = std::vector<TShemaItem>;

// The window is the `len` draws up to the one at `offset`: scanned newest first, the five
// numbers of each draw in stored order; items keep the order of first encounter.
TShemaArray CountShema(const TDrawsArray& draws, int offset, int len);

struct TLayoutScheme {
  std::vector<int32_t> Counts;       // row headers, descending
  std::vector<int32_t> DrawNumbers;  // column headers, newest first
  std::vector<std::string> Cells;    // data cells row by row: "7, [12]"

  // Grid size with the header row and column.
  int RowCount() const { return static_cast<int>(Counts.size()) + 1; }
  int ColCount() const { return static_cast<int>(DrawNumbers.size()) + 1; }
  // Any cell of the grid: row 0 and column 0 are the headers (the corner is empty).
  std::string Text(int row, int col) const;
  const std::string& Cell(int row, int col) const;  // data cell, row and col >= 1
};

// A number of the draw that followed the offset draw is written "[n]" (none at offset 0).
TLayoutScheme BuildLayoutScheme(const TDrawsArray& draws, int offset, int len);

// Colour of a data cell: lime for a marked number; with the gradient, red and blue by the row
// and green by the column; otherwise bands of five rows and columns in pink and light green.
uint32_t LayoutCellColour(const TLayoutScheme& scheme, int row, int col, bool gradient);
bool LayoutInFiveBand(int n);

// The numbers of the selected data cells (grid coordinates, inclusive): every cell is split at
// ",", the brackets dropped; column by column, each number once.
std::vector<int> LayoutSelectionNumbers(const TLayoutScheme& scheme, int top, int left, int bottom,
                                        int right);

struct TLayoutCompareRow {
  int32_t Count = 0;
  std::string Numbers;  // "3, 17, 22" in the order of first encounter
};
struct TLayoutCompare {
  // Draw numbers of the oldest and newest draw of the window; Caption is "first - last", empty
  // when there are no draws.
  int32_t FirstDraw = 0;
  int32_t LastDraw = 0;
  std::string Caption;
  std::vector<TLayoutCompareRow> Rows;  // by count, descending
};
TLayoutCompare BuildLayoutCompare(const TDrawsArray& draws, int offset, int len);

constexpr int LayoutCompareCount = 5;
constexpr int LayoutCompareDefaults[LayoutCompareCount] = {50, 100, 200, 300, 400};
constexpr int LayoutLenDefault = 100;

}  // namespace kvarn
