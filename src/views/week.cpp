#include "views/week.h"

#include <algorithm>
#include <exception>

#include "core/dates.h"
#include "core/draws.h"
#include "stats/table.h"
#include "views/colours.h"

namespace kvarn {

int DrawWeekDay(const TDraw& d, const TDateFormat& format) {
  TDateTime t = 0;
  try {
    t = format.Read(d.DateText);
  } catch (const std::exception&) {
    return 0;
  }
  if (t == 0) return 0;
  // DayOfWeek counts from Sunday = 1.
  return (DayOfWeek(t) + 5) % 7 + 1;
}

TWeekTable BuildWeekTable(const TDrawsArray& draws, int offset, int len,
                          const TDateFormat& format) {
  TWeekTable table;
  const TStatWindow w = StatWindow(static_cast<int>(draws.size()), offset, len);
  if (w.N <= 0 || w.Last >= static_cast<int>(draws.size())) return table;
  for (int i = w.First; i <= w.Last; ++i) {
    const TDraw& d = draws[static_cast<size_t>(i)];
    const int day = DrawWeekDay(d, format);
    if (day == 0) {
      ++table.Skipped;
      continue;
    }
    ++table.Counted;
    for (uint8_t n : d.Values)
      if (n >= 1 && n <= NumbersCount) ++table.Counts[n - 1u][static_cast<size_t>(day - 1)];
  }
  for (const auto& row : table.Counts)
    table.Max = std::max(table.Max, *std::max_element(row.begin(), row.end()));
  return table;
}

uint32_t WeekCellColour(int32_t value, int32_t max) {
  if (max <= 0 || value <= 0) return DefaultColour;
  value = std::min(value, max);
  const int64_t gb = RoundRatioHalfEven(255 * (int64_t{max} - value), max);
  const auto c = static_cast<uint32_t>(gb);
  return RgbColour(255, c, c);
}

std::vector<int32_t> WeekChartValues(const TWeekTable& table, bool byDays, int number, int day) {
  std::vector<int32_t> values;
  if (byDays) {
    if (number < 1 || number > NumbersCount) return values;
    for (int d = 1; d <= WeekDays; ++d) values.push_back(table.Count(number, d));
  } else {
    if (day < 1 || day > WeekDays) return values;
    for (int n = 1; n <= NumbersCount; ++n) values.push_back(table.Count(n, day));
  }
  return values;
}

}  // namespace kvarn
