#include <gtest/gtest.h>

#include <filesystem>

#include "app/export_sheets.h"
#include "common/temp_dir.h"
#include "common/xlsx_read.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"
#include "core/utf8.h"
#include "stakes/stakes_grid.h"

namespace kvarn {
namespace {

using test::ReadXlsx;
using test::SheetColourText;
using test::WriteAndRead;

class ExportSheetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      TDraw d;
      d.Number = 100 + i;
      d.Values = {static_cast<uint8_t>(30 - i), 3, 17, 8, 21};
      d.Extra = static_cast<uint8_t>(i);
      d.DateText = i == 1 ? "не дата" : StrFormat("0%d.02.2024 21:00", i + 1);
      draws_.push_back(d);
    }
  }
  std::string File() const { return dir_.File("out.xlsx"); }

  test::TTempDir dir_;
  TDrawsArray draws_;
};

TEST_F(ExportSheetsTest, DrawsAreNewestFirstWithNumbersDatesAndTheListsColours) {
  // Offset 1: the second row is the offset row; coloured: numbers by channel.
  const auto x = WriteAndRead(File(), DrawsSheet(draws_, 1, false, true, 6));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Архив тиражей");
  EXPECT_EQ(x.Rows, 4);
  test::ExpectCells(x, {
                           {"A1", "Тираж"},
                           {"I1", "Дата тиража"},
                           {"A2", "102", "n"},  // newest first
                           {"B2", "28"},        // drawn order, not sorted
                           {"G2", "2"},         // the extra number
                           {"H2", "77"}         // the sum
                       });
  // 03.02.2024 21:00 as a day number.
  EXPECT_EQ(x.Cells.at("I2").Type, "n");
  EXPECT_NEAR(std::stod(x.Cells.at("I2").Value), 45325.875, 1e-9);
  EXPECT_EQ(x.Cells.at("I2").Format, "dd.mm.yyyy hh:mm");
  // A date that does not read as one is kept as text.
  test::ExpectCells(x, {{"I3", "не дата", "s"}});
  // 28 lies in channel 5 of width 6; the list's white is the sheet's own background.
  EXPECT_EQ(x.Cells.at("B2").Fill, SheetColourText(ChannelColour(28, 6)));
  EXPECT_EQ(x.Cells.at("A2").Fill, "-");
  EXPECT_EQ(x.Cells.at("A3").Fill, SheetColourText(OffsetRowColour));

  // Sorted and plain: numbers ascending, only the offset row (the newest at offset 0) coloured.
  const auto y = WriteAndRead(File(), DrawsSheet(draws_, 0, true, false, 6));
  EXPECT_EQ(y.Cells.at("B3").Value, "3");
  EXPECT_EQ(y.Cells.at("B3").Fill, "-");
  EXPECT_EQ(y.Cells.at("B2").Fill, SheetColourText(OffsetRowColour));
}

TEST_F(ExportSheetsTest, CombinationsCarryRunningNumberAndSum) {
  TCombList list;
  list.Append({1, 2, 3, 4, 5});
  list.Append({7, 13, 19, 25, 36});
  const auto x = WriteAndRead(File(), CombsSheet(list, true, 6));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Комбинации");
  EXPECT_EQ(x.Rows, 3);
  test::ExpectCells(x, {{"A1", "№ п.п."}, {"A3", "2"}, {"F3", "36"}, {"G3", "100"}});
  EXPECT_EQ(x.Cells.at("C3").Fill, SheetColourText(ChannelColour(13, 6)));
  EXPECT_EQ(x.Cells.at("G3").Fill, "-");
}

TEST_F(ExportSheetsTest, StatisticsKeepDisplayOrderAndNumbersWhereTheTableHasThem) {
  TStatTable table;
  for (int i = 0; i < 2; ++i) {
    TStatRow row;
    for (auto& c : row.Cells) c = "-";
    row.Cells[0] = i == 0 ? "2:3" : "10";
    row.Cells[1] = i == 0 ? "7" : "12";
    row.Cells[2] = i == 0 ? "36.84211" : "63.15789";
    row.Cells[11] = "2,7143";  // a comma reads as a decimal point
    row.Cells[17] = "+3";
    table.Rows.push_back(row);
  }
  table.Order = {1, 0};
  const auto x = WriteAndRead(File(), StatSheet(table));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Статистика");
  test::ExpectCells(x, {{"A1", "Значение"}, {"T1", "+/- КРН"}});
  // Display order; the value column stays text even when it looks like a number.
  test::ExpectCells(x, {{"A2", "10", "s"}, {"B2", "12", "n"}});
  EXPECT_EQ(x.Cells.at("C3").Format, "0.00000");
  EXPECT_DOUBLE_EQ(std::stod(x.Cells.at("C3").Value), 36.84211);
  EXPECT_DOUBLE_EQ(std::stod(x.Cells.at("L2").Value), 2.7143);
  EXPECT_EQ(x.Cells.at("R2").Value, "3");
  // "-" where nothing was computed stays "-".
  test::ExpectCells(x, {{"D2", "-", "s"}});
}

}  // namespace
}  // namespace kvarn

namespace kvarn {
namespace {

using test::ReadXlsx;
using test::SheetColourText;
using test::WriteAndRead;

class ExportViewSheetsTest : public ExportSheetsTest {};

TEST_F(ExportViewSheetsTest, CardPutsEachNumberInItsColumnWithTheCardsColours) {
  TCardOptions o;
  o.ColorChannels = true;
  const auto x = WriteAndRead(File(), CardSheet(draws_, o));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Карта");
  EXPECT_EQ(x.Rows, 4);
  test::ExpectCells(x, {{"A1", "Тираж"}, {"B1", "1"}, {"AL1", "E"}});
  // The newest draw 102 (28 3 17 8 21, extra 2): 3 in column "3", nothing in column "1".
  test::ExpectCells(x, {{"A2", "102"}, {"D2", "3", "n"}, {"B2", ""}, {"AL2", "2"}});
  EXPECT_EQ(x.Cells.at("D2").Fill, SheetColourText(CardCellColour(draws_, 1, 3, o)));

  // An empty archive gives a header and no rows.
  EXPECT_EQ(WriteAndRead(File(), CardSheet(TDrawsArray{}, o)).Rows, 1);
}

TEST_F(ExportViewSheetsTest, LayoutSchemeKeepsCountsDrawNumbersCellTextsAndBands) {
  const TLayoutScheme scheme = BuildLayoutScheme(draws_, 1, 2);
  const auto x = WriteAndRead(File(), LayoutSheet(scheme, false));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Схема");
  EXPECT_EQ(x.Rows, scheme.RowCount());
  test::ExpectCells(x, {{"B1", scheme.Text(0, 1)}, {"A2", scheme.Text(1, 0), "n"}});
  // Every cell of the scheme is in the sheet with its text and its band, empty ones too.
  for (int r = 1; r < scheme.RowCount(); ++r)
    for (int c = 1; c < scheme.ColCount(); ++c) {
      const std::string ref = test::CellRef(c, r + 1);
      ASSERT_EQ(x.Cells.count(ref), 1u) << ref;
      EXPECT_EQ(x.Cells.at(ref).Value, scheme.Cell(r, c)) << ref;
      if (!scheme.Cell(r, c).empty()) {
        EXPECT_EQ(x.Cells.at(ref).Type, "s") << ref;
      }
      EXPECT_EQ(x.Cells.at(ref).Fill, SheetColourText(LayoutCellColour(scheme, r, c, false)))
          << ref;
    }
}

TEST_F(ExportViewSheetsTest, StakesShowKindColoursAndResultsInGreenOrRed) {
  std::vector<TStake> stakes(3);
  stakes[0].Kind = skManual;
  stakes[0].DrawNumber = 103;
  stakes[0].Numbers = {5, {1, 2, 3, 4, 5}};
  stakes[0].Profit = -500000;  // -50.00, not checked yet
  stakes[0].Comment = "Мои ставки";
  stakes[1] = stakes[0];
  stakes[1].DrawNumber = 102;
  stakes[1].Checked = 1;
  stakes[1].DrawValues = {28, 3, 17, 8, 21};
  stakes[1].Matched = {1, {3}};
  stakes[1].Profit = 1234500;  // 123.45 won
  stakes[2] = StakeBlank();    // a separator row
  const auto x = WriteAndRead(File(), StakesSheet(3, [&](size_t r) { return stakes[r]; }));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Ставки");
  test::ExpectCells(
      x, {{"A1", "№ тиража"}, {"I1", "Комментарий"}, {"A2", "103", "n"}, {"C2", "1;2;3;4;5"}});
  EXPECT_DOUBLE_EQ(std::stod(x.Cells.at("H2").Value), -50);
  EXPECT_EQ(x.Cells.at("H2").Format, "0.00");
  test::ExpectCells(x, {{"E2", ""},  // no draw yet, but the row colour
                        {"I2", "Мои ставки"}});
  EXPECT_EQ(x.Cells.at("A2").Fill, SheetColourText(StakeKindColour(skManual)));
  test::ExpectCells(x, {{"E3", "28;3;17;8;21"}, {"F3", "1"}});
  EXPECT_DOUBLE_EQ(std::stod(x.Cells.at("H3").Value), 123.45);
  EXPECT_EQ(x.Cells.at("H3").Font, SheetColourText(StakeWinColour));
  EXPECT_EQ(x.Cells.at("H2").Font, "-");
  EXPECT_EQ(x.Rows, 3);  // the separator row has no cells
}

}  // namespace
}  // namespace kvarn
