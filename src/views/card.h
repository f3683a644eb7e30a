// The draws card: one row per draw, newest first, one column per number with the drawn numbers
// written into their own columns, and the extra number last. Rows and colours are computed when
// asked, so that the grid formats only the cells it paints.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

// Grid columns: 0 the draw number, 1..36 the numbers, 37 "E" the extra number.
constexpr int CardColumnCount = 38;
constexpr int CardExtraColumn = 37;

// Rows of the grid below its header: one per draw; an empty archive still has one empty row.
int CardRowCount(const TDrawsArray& draws);
// Archive index shown by grid row `row` (1 = the newest draw); -1 when the row shows none.
int CardDrawIndex(const TDrawsArray& draws, int row);

// "" over column 0, "1".."36", "E".
std::string CardHeaderText(int col);
// The text of a data cell (row >= 1): the draw number, the number when drawn (else empty), the
// extra number (0 included).
std::string CardCellText(const TDrawsArray& draws, int row, int col);

struct TCardOptions {
  bool ColorChannels = false;   // ColorCard
  bool ColorSequences = false;  // ColorCardSequences
  int ChannelSize = 6;
};

// What decides a cell's colour. Vertical: the same number in the draw above or below;
// horizontal: a neighbouring number drawn in the same draw.
enum class TCardColourClass { Default, Channel, Vertical, Horizontal, Both };
TCardColourClass CardCellClass(const TDrawsArray& draws, int row, int col,
                               const TCardOptions& options);
// 0x00BBGGRR, or DefaultColour for the grid's own colour. Selection is the grid's business.
uint32_t CardCellColour(const TDrawsArray& draws, int row, int col, const TCardOptions& options);
uint32_t CardClassColour(TCardColourClass cls, int col, int channelSize);

// The filter commands need a selection inside the number columns.
bool CardSelectionFilterable(int left, int right);
// The numbers of the non-empty cells of the rectangle (grid coordinates, inclusive), column by
// column, each once.
std::vector<int> CardSelectionNumbers(const TDrawsArray& draws, int top, int left, int bottom,
                                      int right);

}  // namespace kvarn
