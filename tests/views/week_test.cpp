// Week statistics: counts by ISO day over the window, unreadable dates, the heat colours and the
// chart values.
#include <gtest/gtest.h>

#include "core/draws.h"
#include "views/colours.h"
#include "views/week.h"
#include "views_fixtures.h"

namespace kvarn {
namespace {

using views_test::Archive;

TDrawsArray Dated(std::initializer_list<std::pair<TComb, const char*>> rows) {
  TDrawsArray draws;
  int number = 1;
  for (const auto& [comb, date] : rows) {
    TDrawsArray one = Archive({comb}, number++);
    one[0].DateText = date;
    draws.push_back(one[0]);
  }
  return draws;
}

TEST(WeekDays, IsoDayFromTheDrawDate) {
  auto day = [](const char* date) {
    TDraw d;
    d.DateText = date;
    return DrawWeekDay(d);
  };
  EXPECT_EQ(day("06.01.2020 20:00"), 1);  // Monday
  EXPECT_EQ(day("01.01.2020 20:00"), 3);  // Wednesday
  EXPECT_EQ(day("04.01.2020 10:30"), 6);  // Saturday
  EXPECT_EQ(day("05.01.2020 20:00"), 7);  // Sunday
  EXPECT_EQ(day("31.02.2020 20:00"), 0);
  EXPECT_EQ(day("вчера"), 0);
  EXPECT_EQ(day(""), 0);
}

TEST(WeekTable, CountsPerNumberAndDayWithM) {
  const TDrawsArray draws = Dated({{{1, 2, 3, 4, 5}, "06.01.2020 20:00"},
                                   {{1, 2, 3, 4, 6}, "13.01.2020 20:00"},
                                   {{1, 7, 8, 9, 10}, "05.01.2020 20:00"},
                                   {{1, 2, 11, 12, 13}, "06.01.2020 20:00"}});
  const TWeekTable t = BuildWeekTable(draws, 0, 1000);
  EXPECT_EQ(t.Count(1, 1), 3);
  EXPECT_EQ(t.Count(1, 7), 1);
  EXPECT_EQ(t.Count(2, 1), 3);
  EXPECT_EQ(t.Count(6, 1), 1);
  EXPECT_EQ(t.Count(36, 1), 0);
  EXPECT_EQ(t.Max, 3);
  EXPECT_EQ(t.Counted, 4);
  // Offset 1, two draws: draws 2 and 3.
  const TWeekTable back = BuildWeekTable(draws, 1, 2);
  EXPECT_EQ(back.Count(1, 1), 1);
  EXPECT_EQ(back.Count(1, 7), 1);
  EXPECT_EQ(back.Count(5, 1), 0);
  EXPECT_EQ(back.Max, 1);
  // A window longer than the visible draws counts them all.
  EXPECT_EQ(BuildWeekTable(draws, 1, 2147483647).Count(1, 1), 2);
}

TEST(WeekTable, DrawWithUnreadableDateContributesNothing) {
  const TDrawsArray draws = Dated({{{1, 2, 3, 4, 5}, "06.01.2020 20:00"},
                                   {{1, 2, 3, 4, 6}, "32.01.2020 20:00"},
                                   {{1, 2, 3, 4, 7}, ""}});
  const TWeekTable t = BuildWeekTable(draws, 0, 1000);
  EXPECT_EQ(t.Count(1, 1), 1);
  EXPECT_EQ(t.Count(6, 1) + t.Count(7, 1) + t.Count(7, 6), 0);
  EXPECT_EQ(t.Counted, 1);
  EXPECT_EQ(t.Skipped, 2);
  const TWeekTable none = BuildWeekTable(TDrawsArray(), 0, 1000);
  EXPECT_EQ(none.Max, 0);
}

TEST(WeekColours, WhiteToPureRedByM) {
  EXPECT_EQ(WeekCellColour(7, 7), RgbColour(255, 0, 0));
  EXPECT_EQ(WeekCellColour(0, 7), DefaultColour);
  EXPECT_EQ(WeekCellColour(3, 0), DefaultColour);
  // 255 - 255 * 1 / 2 = 127.5 -> 128 (halves to even); 255 - 85 = 170.
  EXPECT_EQ(WeekCellColour(1, 2), RgbColour(255, 128, 128));
  EXPECT_EQ(WeekCellColour(1, 3), RgbColour(255, 170, 170));
  EXPECT_EQ(WeekCellColour(1, 1000), RgbColour(255, 255, 255));
}

TEST(WeekChart, ANumberOverTheDaysOrADayOverTheNumbers) {
  const TDrawsArray draws = Dated({{{1, 2, 3, 4, 5}, "06.01.2020 20:00"},
                                   {{1, 2, 3, 4, 6}, "05.01.2020 20:00"},
                                   {{1, 7, 8, 9, 10}, "05.01.2020 20:00"}});
  const TWeekTable t = BuildWeekTable(draws, 0, 1000);
  // A Sunday cell of number 1 in the mode by days: number 1 over Monday .. Sunday.
  EXPECT_EQ(WeekChartValues(t, true, 1, 7), (std::vector<int32_t>{1, 0, 0, 0, 0, 0, 2}));
  const std::vector<int32_t> sunday = WeekChartValues(t, false, 1, 7);
  ASSERT_EQ(sunday.size(), 36u);
  EXPECT_EQ(sunday[0], 2);
  EXPECT_EQ(sunday[5], 1);
  EXPECT_EQ(sunday[4], 0);
  EXPECT_TRUE(WeekChartValues(t, true, 0, 7).empty());
}

}  // namespace
}  // namespace kvarn
