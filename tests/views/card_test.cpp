// The draws card: rows newest first, cell texts, the colour rules and the numbers of a selection.
#include <gtest/gtest.h>

#include "core/draws.h"
#include "views/card.h"
#include "views/colours.h"
#include "views_fixtures.h"

namespace kvarn {
namespace {

using views_test::Archive;

TEST(CardRows, NewestDrawFirstWithNumbersInTheirOwnColumns) {
  TDrawsArray draws = Archive({{5, 1, 36, 20, 9}, {2, 3, 4, 5, 6}});
  draws[0].Extra = 3;
  EXPECT_EQ(CardRowCount(draws), 2);
  EXPECT_EQ(CardCellText(draws, 1, 0), "2");
  EXPECT_EQ(CardCellText(draws, 2, 0), "1");
  EXPECT_EQ(CardCellText(draws, 2, 36), "36");
  EXPECT_EQ(CardCellText(draws, 2, 20), "20");
  EXPECT_EQ(CardCellText(draws, 2, 21), "");
  EXPECT_EQ(CardCellText(draws, 2, CardExtraColumn), "3");
  // A draw without an extra number still shows 0.
  EXPECT_EQ(CardCellText(draws, 1, CardExtraColumn), "0");
  EXPECT_EQ(CardHeaderText(0), "");
  EXPECT_EQ(CardHeaderText(1), "1");
  EXPECT_EQ(CardHeaderText(36), "36");
  EXPECT_EQ(CardHeaderText(CardExtraColumn), "E");
}

TEST(CardRows, EmptyArchiveHasOneEmptyRow) {
  const TDrawsArray draws;
  EXPECT_EQ(CardRowCount(draws), 1);
  for (int col = 0; col < CardColumnCount; ++col) EXPECT_EQ(CardCellText(draws, 1, col), "");
  EXPECT_EQ(CardDrawIndex(draws, 1), -1);
}

TEST(CardRows, AddedDrawBecomesTheTopRow) {
  TDrawsArray draws = Archive({{1, 2, 3, 4, 5}});
  draws.push_back(Archive({{10, 20, 30, 31, 32}}, 2).front());
  EXPECT_EQ(CardRowCount(draws), 2);
  EXPECT_EQ(CardCellText(draws, 1, 0), "2");
  EXPECT_EQ(CardCellText(draws, 1, 30), "30");
}

class CardColours : public ::testing::Test {
 protected:
  TCardOptions seq{false, true, 6};
  TCardOptions both{true, true, 6};
  TCardOptions channels{true, false, 6};
};

TEST_F(CardColours, NeighbouringNumbersOfOneDrawAreCyan) {
  // Row 1: 35 and 36 side by side; nothing repeats vertically.
  const TDrawsArray draws = Archive({{1, 8, 15, 22, 29}, {35, 36, 3, 12, 20}});
  EXPECT_EQ(CardCellClass(draws, 1, 35, seq), TCardColourClass::Horizontal);
  EXPECT_EQ(CardCellClass(draws, 1, 36, seq), TCardColourClass::Horizontal);
  EXPECT_EQ(CardCellColour(draws, 1, 36, seq), CyanColour);
  EXPECT_EQ(CardCellColour(draws, 1, 3, seq), DefaultColour);
}

TEST_F(CardColours, ExtraColumnIsNoNeighbourOf36) {
  TDrawsArray draws = Archive({{36, 1, 10, 20, 30}});
  draws[0].Extra = 2;
  EXPECT_EQ(CardCellClass(draws, 1, 36, seq), TCardColourClass::Default);
  EXPECT_EQ(CardCellColour(draws, 1, CardExtraColumn, both), DefaultColour);
  EXPECT_EQ(CardCellColour(draws, 1, 0, both), DefaultColour);
}

TEST_F(CardColours, NumberOfConsecutiveDrawsIsLimeInBothRows) {
  const TDrawsArray draws = Archive({{1, 8, 15, 22, 29}, {3, 8, 17, 25, 33}, {2, 10, 18, 26, 34}});
  // 8 in draws 1 and 2 (rows 3 and 2); no neighbours.
  EXPECT_EQ(CardCellColour(draws, 2, 8, seq), LimeColour);
  EXPECT_EQ(CardCellColour(draws, 3, 8, seq), LimeColour);
  // The oldest row has nothing below it; the newest nothing above.
  EXPECT_EQ(CardCellClass(draws, 3, 1, seq), TCardColourClass::Default);
  EXPECT_EQ(CardCellClass(draws, 1, 34, seq), TCardColourClass::Default);
}

TEST_F(CardColours, VerticalAndHorizontalIsYellow) {
  const TDrawsArray draws = Archive({{7, 8, 20, 25, 30}, {8, 1, 12, 16, 33}});
  EXPECT_EQ(CardCellColour(draws, 2, 8, seq), YellowColour);
  EXPECT_EQ(CardCellColour(draws, 1, 8, seq), LimeColour);
  EXPECT_EQ(CardCellColour(draws, 2, 7, seq), CyanColour);
}

TEST_F(CardColours, ChannelColourForPlainAndEmptyCells) {
  const TDrawsArray draws = Archive({{1, 8, 15, 22, 29}, {35, 36, 3, 12, 20}});
  // Channels on, sequences off: every number column, empty or not.
  EXPECT_EQ(CardCellColour(draws, 1, 36, channels), ChannelColour(36, 6));
  EXPECT_EQ(CardCellColour(draws, 1, 2, channels), ChannelColour(2, 6));
  // Both on: a plain number and an empty cell take the channel, a sequence its own colour.
  EXPECT_EQ(CardCellColour(draws, 1, 3, both), ChannelColour(3, 6));
  EXPECT_EQ(CardCellColour(draws, 1, 4, both), ChannelColour(4, 6));
  EXPECT_EQ(CardCellColour(draws, 1, 35, both), CyanColour);
  // Both off: nothing coloured.
  EXPECT_EQ(CardCellColour(draws, 1, 35, TCardOptions{false, false, 6}), DefaultColour);
  // The palette follows the channel width.
  EXPECT_EQ(CardCellColour(draws, 1, 7, TCardOptions{true, false, 1}), ChannelColour(7, 1));
}

TEST(CardSelection, NumbersOfNonEmptyCellsColumnByColumnOnce) {
  const TDrawsArray draws = Archive({{30, 2, 9, 14, 21}, {9, 3, 31, 14, 22}, {2, 30, 4, 15, 23}});
  // Rows 1..3, columns 2..14: 2, 3, 4, 9, 14 in column order, each once.
  EXPECT_EQ(CardSelectionNumbers(draws, 1, 2, 3, 14), (std::vector<int>{2, 3, 4, 9, 14}));
  // Only row 2 (draw 2).
  EXPECT_EQ(CardSelectionNumbers(draws, 2, 1, 2, 36), (std::vector<int>{3, 9, 14, 22, 31}));
  // Empty cells only.
  EXPECT_TRUE(CardSelectionNumbers(draws, 1, 5, 3, 8).empty());
}

TEST(CardSelection, FilterNeedsTheNumberColumnsOnly) {
  EXPECT_TRUE(CardSelectionFilterable(1, 36));
  EXPECT_TRUE(CardSelectionFilterable(12, 12));
  EXPECT_FALSE(CardSelectionFilterable(0, 0));
  EXPECT_FALSE(CardSelectionFilterable(0, 5));
  EXPECT_FALSE(CardSelectionFilterable(30, CardExtraColumn));
}

}  // namespace
}  // namespace kvarn
