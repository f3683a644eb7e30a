// What the stakes grid shows for one record: the cell texts, the row colour and the colours of
// the result columns. The window draws it; nothing here knows a widget.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "stakes/stake.h"

namespace kvarn {

constexpr int StakeColumnsCount = 9;
enum TStakeColumn : int {
  scDraw = 0,
  scKind,
  scNumbers,
  scSample,
  scDrawValues,
  scMatches,
  scMatched,
  scProfit,
  scComment
};

struct TStakeColumnInfo {
  const char* Caption;
  int Width;
};
extern const std::array<TStakeColumnInfo, StakeColumnsCount> StakeColumns;

// Background of a row by kind (0x00BBGGRR); separators and unknown kinds take the grid's own.
constexpr uint32_t StakeWindowColour = 0xFFFFFFFF;
uint32_t StakeKindColour(int kind);
// Text of the match, matched and profit columns of a checked stake.
constexpr uint32_t StakeWinColour = 0x008000;   // green
constexpr uint32_t StakeLossColour = 0x0000FF;  // red
// Colour of matched numbers drawn in the numbers columns; they are also bold.
constexpr uint32_t StakeMatchedColour = 0xFF0000;  // blue

struct TStakeRow {
  std::array<std::string, StakeColumnsCount> Cells;
  uint32_t Background = StakeWindowColour;
  // Set only for checked stakes: the colour of the match, matched and profit columns.
  bool HasResult = false;
  uint32_t ResultColour = 0;
};

// A record with a draw number of 0 or less is an empty row.
TStakeRow StakeGridRow(const TStake& s);
// Whether `n` is among the stake's matched numbers (drawn bold and blue).
bool StakeNumberMatched(const TStake& s, int n);

}  // namespace kvarn
