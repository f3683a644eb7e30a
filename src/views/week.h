// Week statistics: how often each number was drawn on each day of the week over a window of
// draws, the heat colours of the grid and the chart of one of its rows or columns.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/dates.h"
#include "core/lottery.h"

namespace kvarn {

constexpr int WeekDays = 7;
constexpr int WeekLenDefault = 1000;

struct TWeekTable {
  // Counts[number - 1][day - 1], day 1 = Monday .. 7 = Sunday.
  std::array<std::array<int32_t, WeekDays>, NumbersCount> Counts{};
  int32_t Max = 0;      // M, the largest count
  int32_t Counted = 0;  // draws with a readable date
  int32_t Skipped = 0;  // draws of the window whose date could not be read

  int32_t Count(int number, int day) const {
    return Counts[static_cast<size_t>(number - 1)][static_cast<size_t>(day - 1)];
  }
};

// Day of the week of a draw, 1 = Monday .. 7 = Sunday; 0 when its date cannot be read (an empty
// date included: it is no day at all). The date is read in the form the person's locale uses.
int DrawWeekDay(const TDraw& d, const TDateFormat& format = {});

// Counts the `len` draws up to the one at `offset`.
TWeekTable BuildWeekTable(const TDrawsArray& draws, int offset, int len,
                          const TDateFormat& format = {});

// From white for small counts to pure red for M; DefaultColour for an empty cell or M = 0.
uint32_t WeekCellColour(int32_t value, int32_t max);

// Chart by days (byDays, mode 1): the seven counts of `number`; otherwise the 36 counts of `day`.
std::vector<int32_t> WeekChartValues(const TWeekTable& table, bool byDays, int number, int day);

}  // namespace kvarn
