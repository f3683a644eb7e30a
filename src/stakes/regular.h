// A regular stake: a combination shifted by a fixed step around the circle 1..36 for every draw,
// either from its own previous combination or from the last known draw. The 276-byte record is
// also the unit of the file Kvarn_5x36.ltb.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

constexpr size_t RegularRecordSize = 276;
constexpr size_t RegularCommentMaxLen = 255;  // characters of the stored comment
constexpr int RegularMinStep = -36;
constexpr int RegularMaxStep = 36;

// Where the next combination comes from.
enum TRegularBase : uint8_t {
  rbOwnComb = 0,   // the regular's own current combination
  rbLastDraw = 1,  // the numbers of the draw before the one staked on
};

// Byte offsets of the record's fields.
namespace RegularOffset {
constexpr size_t Comment = 0;
constexpr size_t Base = 256;
constexpr size_t Start = 257;
constexpr size_t Current = 262;
constexpr size_t Step = 268;
constexpr size_t Stakes = 272;
}  // namespace RegularOffset

struct TRegular {
  std::string Comment;  // UTF-8 here, cp1251 in the file
  uint8_t Base = rbOwnComb;
  TComb Start{};    // ascending; zero when based on the draws and none was given
  TComb Current{};  // the numbers of the last stake made, ascending
  int32_t Step = 1;
  uint32_t Stakes = 0;  // stakes made

  bool operator==(const TRegular&) const = default;
};

using TRegularsArray = std::vector<TRegular>;

// Explicit little-endian layout; the padding byte is zero and the comment is cut to 255
// characters.
void RegularToBytes(const TRegular& r, uint8_t* out);
TRegular RegularFromBytes(const uint8_t* in);

// Moves the regular on by one draw: the base (its current combination, or the numbers of the draw
// at `offset` - five zeros when there is none) shifted by the step and sorted becomes the current
// combination, and one more stake is counted.
void RegularAdvance(TRegular& r, const TDrawsArray& draws, int offset);

// Whether the five numbers are different and lie in 1..36 (a regular based on the draws has none
// before the first draw).
bool RegularCombValid(const TComb& c);

// The texts of the list's columns: comment, start, step, current, stakes made.
constexpr int RegularColumnsCount = 5;
std::array<std::string, RegularColumnsCount> RegularRowTexts(const TRegular& r);

}  // namespace kvarn
