// Colours the views paint with, as 0x00BBGGRR like the channel palette; DefaultColour
// (core/draws.h) leaves a cell to the grid's own colour.
#pragma once

#include <cstdint>

namespace kvarn {

constexpr uint32_t RgbColour(uint32_t r, uint32_t g, uint32_t b) {
  return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16;
}

constexpr uint32_t YellowColour = RgbColour(0xFF, 0xFF, 0x00);
constexpr uint32_t LimeColour = RgbColour(0x00, 0xFF, 0x00);
constexpr uint32_t CyanColour = RgbColour(0x00, 0xFF, 0xFF);
constexpr uint32_t PinkColour = RgbColour(0xFF, 0xEA, 0xEA);
constexpr uint32_t LightGreenColour = RgbColour(0xEA, 0xFF, 0xEA);
constexpr uint32_t GreenColour = RgbColour(0x00, 0x80, 0x00);
constexpr uint32_t MagentaColour = RgbColour(0xFF, 0x00, 0xFF);
constexpr uint32_t BlueColour = RgbColour(0x00, 0x00, 0xFF);
constexpr uint32_t RedColour = RgbColour(0xFF, 0x00, 0x00);
constexpr uint32_t MaroonColour = RgbColour(0x80, 0x00, 0x00);

// num / den rounded to the nearest integer, halves to the even neighbour; den > 0, num >= 0.
constexpr int64_t RoundRatioHalfEven(int64_t num, int64_t den) {
  const int64_t q = num / den, r = num % den;
  if (2 * r > den || (2 * r == den && (q & 1) != 0)) return q + 1;
  return q;
}

}  // namespace kvarn
