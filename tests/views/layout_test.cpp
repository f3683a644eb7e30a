// The layout scheme: counting over the window, the grid of counts against last draws, the marked
// numbers of the following draw, the colours, the selection and the compare lists.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/draws.h"
#include "views/colours.h"
#include "views/layout.h"
#include "views_fixtures.h"

namespace kvarn {
namespace {

using views_test::Archive;

// Draws 1..4. Over all four: 1 three times, 2 and 7 twice, the others once.
TDrawsArray Four() {
  return Archive({{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}, {7, 12, 1, 20, 21}, {2, 13, 22, 30, 31}});
}

std::vector<std::vector<std::string>> Grid(const TLayoutScheme& s) {
  std::vector<std::vector<std::string>> g;
  for (int r = 0; r < s.RowCount(); ++r) {
    g.emplace_back();
    for (int c = 0; c < s.ColCount(); ++c) g.back().push_back(s.Text(r, c));
  }
  return g;
}

TEST(LayoutCounting, ItemsInOrderOfFirstEncounterNewestFirst) {
  const TShemaArray items = CountShema(Four(), 0, 100);
  ASSERT_EQ(items.size(), 16u);
  EXPECT_EQ(items[0].Number, 2);
  EXPECT_EQ(items[0].Count, 2);
  EXPECT_EQ(items[0].LastDraw, 4);
  EXPECT_EQ(items[7].Number, 1);  // the third number of draw 3, in stored order
  EXPECT_EQ(items[7].Count, 3);
  EXPECT_EQ(items[7].LastDraw, 3);
  EXPECT_EQ(items.back().Number, 5);
  EXPECT_EQ(items.back().LastDraw, 1);
  EXPECT_TRUE(CountShema(TDrawsArray(), 0, 100).empty());
}

TEST(LayoutScheme, RowsAreCountsAndColumnsLastDrawsBothDescending) {
  const TLayoutScheme s = BuildLayoutScheme(Four(), 0, 100);
  const std::vector<std::vector<std::string>> expected = {
      {"", "4", "3", "2", "1"},
      {"3", "", "1", "", ""},
      {"2", "2", "7", "", ""},
      {"1", "13, 22, 30, 31", "12, 20, 21", "6, 8, 9", "3, 4, 5"},
  };
  EXPECT_EQ(Grid(s), expected);
}

TEST(LayoutScheme, NumbersOfTheNewestDrawSitInTheFirstColumn) {
  const TDrawsArray draws = views_test::Walking(60);
  for (int offset : {0, 7}) {
    const TLayoutScheme s = BuildLayoutScheme(draws, offset, 25);
    const TDraw& newest = draws[draws.size() - 1 - static_cast<size_t>(offset)];
    EXPECT_EQ(s.DrawNumbers.front(), newest.Number);
    std::vector<int> inFirst;
    for (int r = 1; r < s.RowCount(); ++r)
      for (int n : LayoutSelectionNumbers(s, r, 1, r, 1)) inFirst.push_back(n);
    std::sort(inFirst.begin(), inFirst.end());
    TComb c = newest.Values;
    SortComb(c);
    EXPECT_EQ(inFirst, std::vector<int>(c.begin(), c.end()));
  }
}

TEST(LayoutScheme, OffsetMovesTheWindowAndMarksTheFollowingDraw) {
  const TDrawsArray draws = Four();
  // At offset 0 nothing follows: no brackets, no lime.
  const TLayoutScheme now = BuildLayoutScheme(draws, 0, 100);
  for (const std::string& cell : now.Cells) EXPECT_EQ(cell.find('['), std::string::npos);
  // At offset 1 the window is draws 1..3 and draw 4 (2, 13, 22, 30, 31) follows.
  const TLayoutScheme back = BuildLayoutScheme(draws, 1, 100);
  EXPECT_EQ(back.DrawNumbers, (std::vector<int32_t>{3, 2, 1}));
  EXPECT_EQ(back.Counts, (std::vector<int32_t>{3, 2, 1}));
  EXPECT_EQ(back.Text(3, 3), "[2], 3, 4, 5");
  EXPECT_EQ(LayoutCellColour(back, 3, 3, false), LimeColour);
  EXPECT_EQ(LayoutCellColour(back, 3, 3, true), LimeColour);
  // A window longer than the visible draws starts at the first draw.
  EXPECT_EQ(Grid(BuildLayoutScheme(draws, 1, 2147483647)), Grid(back));
  // Two draws: draws 2 and 3.
  EXPECT_EQ(BuildLayoutScheme(draws, 1, 2).DrawNumbers, (std::vector<int32_t>{3, 2}));
}

TEST(LayoutScheme, NumbersWithTheSameCountAndLastDrawShareACell) {
  const TDrawsArray draws = Archive({{7, 12, 3, 4, 5}, {30, 31, 32, 33, 34}});
  const TLayoutScheme s = BuildLayoutScheme(draws, 0, 100);
  EXPECT_EQ(s.Text(1, 2), "7, 12, 3, 4, 5");
  EXPECT_EQ(s.Text(1, 1), "30, 31, 32, 33, 34");
}

TEST(LayoutColours, BandsOfFiveByRowAndColumnIndex) {
  EXPECT_TRUE(LayoutInFiveBand(1));
  EXPECT_TRUE(LayoutInFiveBand(5));
  EXPECT_FALSE(LayoutInFiveBand(6));
  EXPECT_TRUE(LayoutInFiveBand(11));
  EXPECT_TRUE(LayoutInFiveBand(95));
  EXPECT_FALSE(LayoutInFiveBand(96));
  EXPECT_FALSE(LayoutInFiveBand(0));

  TLayoutScheme s;
  s.Counts = {9, 8, 7, 6, 5, 4, 3};
  s.DrawNumbers = {70, 60, 50, 40, 30, 20, 10};
  s.Cells.assign(49, "1");
  EXPECT_EQ(LayoutCellColour(s, 1, 1, false), LightGreenColour);
  EXPECT_EQ(LayoutCellColour(s, 6, 1, false), PinkColour);
  EXPECT_EQ(LayoutCellColour(s, 1, 6, false), PinkColour);
  EXPECT_EQ(LayoutCellColour(s, 6, 7, false), LightGreenColour);
  // Headers keep the grid's colour.
  EXPECT_EQ(LayoutCellColour(s, 0, 1, false), DefaultColour);
  EXPECT_EQ(LayoutCellColour(s, 1, 0, true), DefaultColour);
}

TEST(LayoutColours, GradientRoundsHalvesToEven) {
  TLayoutScheme s;
  s.Counts = {9, 8, 7, 6, 5, 4, 3, 2, 1};  // RowCount 10
  s.DrawNumbers = {40, 30, 20, 10};        // ColCount 5
  s.Cells.assign(36, "1");
  // Row 3: red 255 - 46.5 = 208.5 -> 208, blue 46.5 + 100 -> 146; column 1: green 255 - 31.
  EXPECT_EQ(LayoutCellColour(s, 3, 1, true), RgbColour(208, 224, 146));
  // Row 1: red 239.5 -> 240, blue 115.5 -> 116; column 4: green 255 - 124 = 131.
  EXPECT_EQ(LayoutCellColour(s, 1, 4, true), RgbColour(240, 131, 116));
}

TEST(LayoutSelection, PiecesWithoutBracketsColumnByColumnOnce) {
  const TLayoutScheme s = BuildLayoutScheme(Four(), 1, 100);
  EXPECT_EQ(LayoutSelectionNumbers(s, 1, 1, 3, 3),
            (std::vector<int>{1, 7, 12, 20, 21, 6, 8, 9, 2, 3, 4, 5}));
  EXPECT_EQ(LayoutSelectionNumbers(s, 3, 3, 3, 3), (std::vector<int>{2, 3, 4, 5}));
  EXPECT_TRUE(LayoutSelectionNumbers(s, 1, 2, 2, 3).empty());
}

TEST(LayoutCompare, CaptionIsTheWindowAndRowsGroupNumbersByCount) {
  const TDrawsArray draws = Four();
  const TLayoutCompare all = BuildLayoutCompare(draws, 0, 100);
  EXPECT_EQ(all.Caption, "1 - 4");
  ASSERT_EQ(all.Rows.size(), 3u);
  EXPECT_EQ(all.Rows[0].Count, 3);
  EXPECT_EQ(all.Rows[0].Numbers, "1");
  EXPECT_EQ(all.Rows[1].Count, 2);
  EXPECT_EQ(all.Rows[1].Numbers, "2, 7");
  EXPECT_EQ(all.Rows[2].Count, 1);
  EXPECT_EQ(all.Rows[2].Numbers, "13, 22, 30, 31, 12, 20, 21, 6, 8, 9, 3, 4, 5");

  const TLayoutCompare two = BuildLayoutCompare(draws, 1, 2);
  EXPECT_EQ(two.Caption, "2 - 3");
  ASSERT_EQ(two.Rows.size(), 2u);
  EXPECT_EQ(two.Rows[0].Numbers, "7, 1");

  const TLayoutCompare none = BuildLayoutCompare(TDrawsArray(), 0, 50);
  EXPECT_TRUE(none.Caption.empty());
  EXPECT_TRUE(none.Rows.empty());
}

}  // namespace
}  // namespace kvarn
