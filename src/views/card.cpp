#include "views/card.h"

#include <algorithm>

#include "core/draws.h"
#include "views/colours.h"
#include "views/number_mask.h"

namespace kvarn {

namespace {
uint64_t RowMask(const TDrawsArray& draws, int row) {
  const int index = CardDrawIndex(draws, row);
  return index < 0 ? 0 : NumberMask(draws[static_cast<size_t>(index)].Values);
}
}  // namespace

int CardRowCount(const TDrawsArray& draws) {
  return std::max(1, static_cast<int>(draws.size()));
}

int CardDrawIndex(const TDrawsArray& draws, int row) {
  const int count = static_cast<int>(draws.size());
  if (row < 1 || row > count) return -1;
  return count - row;
}

std::string CardHeaderText(int col) {
  if (col >= 1 && col <= NumbersCount) return std::to_string(col);
  if (col == CardExtraColumn) return "E";
  return {};
}

std::string CardCellText(const TDrawsArray& draws, int row, int col) {
  const int index = CardDrawIndex(draws, row);
  if (index < 0) return {};
  const TDraw& d = draws[static_cast<size_t>(index)];
  if (col == 0) return std::to_string(d.Number);
  if (col == CardExtraColumn) return std::to_string(d.Extra);
  if (col >= 1 && col <= NumbersCount && DrawHas(d, col)) return std::to_string(col);
  return {};
}

TCardColourClass CardCellClass(const TDrawsArray& draws, int row, int col,
                               const TCardOptions& options) {
  if (row < 1 || col < 1 || col > NumbersCount) return TCardColourClass::Default;
  const TCardColourClass plain =
      options.ColorChannels ? TCardColourClass::Channel : TCardColourClass::Default;
  if (!options.ColorSequences) return plain;
  const uint64_t mask = RowMask(draws, row);
  if (!MaskHas(mask, col)) return plain;
  // Row 1 has no row above; the row below the oldest draw is empty.
  const bool vertical =
      (row > 1 && MaskHas(RowMask(draws, row - 1), col)) || MaskHas(RowMask(draws, row + 1), col);
  // Column 36's right-hand neighbour is the extra number, which is not a drawn number.
  const bool horizontal =
      (col > 1 && MaskHas(mask, col - 1)) || (col < NumbersCount && MaskHas(mask, col + 1));
  if (vertical && horizontal) return TCardColourClass::Both;
  if (vertical) return TCardColourClass::Vertical;
  if (horizontal) return TCardColourClass::Horizontal;
  return plain;
}

uint32_t CardClassColour(TCardColourClass cls, int col, int channelSize) {
  switch (cls) {
    case TCardColourClass::Both:
      return YellowColour;
    case TCardColourClass::Vertical:
      return LimeColour;
    case TCardColourClass::Horizontal:
      return CyanColour;
    case TCardColourClass::Channel:
      return ChannelColour(col, channelSize);
    case TCardColourClass::Default:
      break;
  }
  return DefaultColour;
}

uint32_t CardCellColour(const TDrawsArray& draws, int row, int col, const TCardOptions& options) {
  return CardClassColour(CardCellClass(draws, row, col, options), col, options.ChannelSize);
}

bool CardSelectionFilterable(int left, int right) {
  return left >= 1 && right <= NumbersCount && left <= right;
}

std::vector<int> CardSelectionNumbers(const TDrawsArray& draws, int top, int left, int bottom,
                                      int right) {
  // A column holds only its own number, so the numbers are the columns with a non-empty cell.
  uint64_t any = 0;
  const int first = std::max(1, top);
  const int last = std::min(bottom, static_cast<int>(draws.size()));
  for (int row = first; row <= last; ++row) any |= RowMask(draws, row);
  std::vector<int> numbers;
  for (int col = std::max(1, left); col <= std::min(right, NumbersCount); ++col)
    if (MaskHas(any, col)) numbers.push_back(col);
  return numbers;
}

}  // namespace kvarn
