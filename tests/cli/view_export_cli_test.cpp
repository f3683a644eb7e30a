// The card and the scheme go to spreadsheets from the command line as the window shows them.
#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "common/archives.h"
#include "common/xlsx_read.h"

namespace kvarn {
namespace {

using ViewExportCli = test::TFourDrawsCliTest;

TEST_F(ViewExportCli, CardHoldsEveryDrawWithTheSequenceColours) {
  ASSERT_EQ(Run({"export", "card", Path("card.xlsx")}), 0) << err_;
  const auto x = test::ReadXlsx(Path("card.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Карта");
  EXPECT_EQ(x.Rows, 5);
  EXPECT_EQ(x.Freeze, 1);
  // Newest first; each number in its own column, the extra number last.
  test::ExpectCells(x, {{"A2", "14", "n"},
                        {"C2", "2", "n"},
                        {"AL2", "0", "n"},
                        {"A5", "11"},
                        {"AK3", "36"},
                        {"D4", "3"}});
  // 3 of draw 12: drawn above and below, and beside 2 and 4: yellow. 1 of draw 13: drawn in the
  // draw below only: lime. 1 of draw 12: below 13's 1 and beside 2: yellow.
  EXPECT_EQ(x.Cells.at("D4").Fill, "FFFF00");
  EXPECT_EQ(x.Cells.at("B3").Fill, "00FF00");
  EXPECT_EQ(x.Cells.at("B4").Fill, "FFFF00");
  // The draw-number column and the extra number keep the sheet's own background.
  EXPECT_EQ(x.Cells.at("A2").Fill, "-");
  EXPECT_EQ(x.Cells.at("AL2").Fill, "-");

  EXPECT_EQ(Run({"export", "card"}), 2);
  EXPECT_EQ(Run({"export", "card", Path("no-dir/x.xlsx")}), 1);
  EXPECT_NE(err_.find("Ошибка экспорта в файл!"), std::string::npos);
}

TEST_F(ViewExportCli, SchemeOverTheWindowAtTheAnalysisPoint) {
  // Draws 13 and 12; draw 14 follows, so its 2 and 4 are marked.
  ASSERT_EQ(Run({"export", "layout", Path("s.xlsx"), "--len", "2", "--offset", "1"}), 0) << err_;
  const auto x = test::ReadXlsx(Path("s.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Схема");
  EXPECT_EQ(x.Rows, 3);
  test::ExpectCells(x, {{"B1", "13"},
                        {"C1", "12"},
                        {"A2", "2", "n"},
                        {"B2", "3, 1", "s"},
                        {"A3", "1", "n"},
                        {"B3", "36, 12, 7"},
                        {"C3", "[2], [4], 5"}});
  EXPECT_EQ(x.Cells.at("C3").Fill, "00FF00");
  EXPECT_NE(x.Cells.at("B3").Fill, "-");  // the gradient of the window's default

  // Without options: the stored length (100) over every draw, the newest in the first column.
  ASSERT_EQ(Run({"export", "layout", Path("all.xlsx")}), 0) << err_;
  const auto all = test::ReadXlsx(Path("all.xlsx"));
  ASSERT_TRUE(all.Ok) << all.Output;
  test::ExpectCells(all, {{"B1", "14"}});
  EXPECT_EQ(all.Cells.at("B2").Value.find('['), std::string::npos);

  EXPECT_EQ(Run({"export", "layout", Path("x.xlsx"), "--len", "0"}), 2);
  EXPECT_EQ(Run({"export", "layout", Path("x.xlsx"), "--offset", "-1"}), 2);
}

}  // namespace
}  // namespace kvarn
