#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "common/archives.h"
#include "common/xlsx_read.h"
#include "core/codec.h"
#include "core/files.h"

namespace kvarn {
namespace {

using FavouritesCli = test::TFourDrawsCliTest;

TEST_F(FavouritesCli, TicksAndNamesReachTheMethodsListAndTheFile) {
  ASSERT_EQ(Run({"methods", "--favourites"}), 0);
  const size_t all = Lines().size();
  ASSERT_GT(all, 100u);

  ASSERT_EQ(Run({"favourites", "set", "--off", "nums", "DIGS"}), 0) << err_;
  ASSERT_EQ(Run({"methods", "--favourites"}), 0);
  EXPECT_EQ(Lines().size(), all - 2);
  EXPECT_EQ(Lines()[0], "EVEN\tnum\t{ num } Количество четных чисел в тираже (Ч:Н) [ NG ]");
  // Without --favourites every method is listed.
  ASSERT_EQ(Run({"methods"}), 0);
  EXPECT_EQ(Lines().size(), all);

  ASSERT_EQ(Run({"favourites", "rename", "EVEN", "Чётные"}), 0);
  ASSERT_EQ(Run({"methods", "--favourites"}), 0);
  EXPECT_EQ(Lines()[0], "EVEN\tnum\t{ num } Чётные [ NG ]");

  // Ticking the two again offers every method (and clears the restriction in the file).
  ASSERT_EQ(Run({"favourites", "set", "NUMS", "DIGS"}), 0);
  ASSERT_EQ(Run({"methods", "--favourites"}), 0);
  EXPECT_EQ(Lines().size(), all);
  EXPECT_NE(ReadWholeFile(Path("Kvarn_5x36.flt")).find("Favorites=\r\n"), std::string::npos);
}

TEST_F(FavouritesCli, NameFilesAndErrors) {
  ASSERT_EQ(Run({"favourites", "rename", "SUMS", "Сумма"}), 0);
  ASSERT_EQ(Run({"favourites", "export", Path("names.flt")}), 0) << err_;
  EXPECT_NE(Cp1251ToUtf8(ReadWholeFile(Path("names.flt"))).find("SUMS=Сумма\r\n"),
            std::string::npos);
  ASSERT_EQ(Run({"favourites", "rename", "SUMS", ""}), 0);
  ASSERT_EQ(Run({"favourites", "import", Path("names.flt")}), 0);
  ASSERT_EQ(Run({"methods"}), 0);
  EXPECT_NE(out_.find("SUMS\tsum\t{ sum } Сумма [ NG ]\n"), std::string::npos);

  EXPECT_EQ(Run({"favourites", "set", "NOPE"}), 1);
  EXPECT_NE(err_.find("Метод расчета статистики \"NOPE\" не найден!"), std::string::npos);
  EXPECT_EQ(Run({"favourites", "set"}), 2);
  EXPECT_EQ(Run({"favourites", "set", "--on", "--off", "NUMS"}), 2);
  EXPECT_EQ(Run({"favourites", "import", dir_}), 1);
  EXPECT_NE(err_.find("Ошибка загрузки списка фильтров!"), std::string::npos);
}

TEST_F(FavouritesCli, ExportWritesEachListAsASpreadsheet) {
  ASSERT_EQ(Run({"export", "draws", Path("draws.xlsx"), "--offset", "1"}), 0) << err_;
  auto x = test::ReadXlsx(Path("draws.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Архив тиражей");
  EXPECT_EQ(x.Rows, 5);
  EXPECT_EQ(x.Cells.at("A2").Value, "14");
  EXPECT_EQ(x.Cells.at("B5").Value, "17");  // drawn order

  ASSERT_EQ(Run({"export", "stat", "EVEN", Path("stat.xlsx"), "--len", "4"}), 0) << err_;
  x = test::ReadXlsx(Path("stat.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Статистика");
  EXPECT_EQ(x.Cells.at("B1").Value, "Количество");
  EXPECT_EQ(x.Cells.at("B2").Type, "n");

  WriteFileAtomic(Path("in.lcv"), "1;2;3;4;5\r\n3;9;20;31;36\r\n");
  ASSERT_EQ(Run({"export", "combs", Path("combs.xlsx"), "--in", Path("in.lcv")}), 0) << err_;
  x = test::ReadXlsx(Path("combs.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Dimension, "A1:G3");
  EXPECT_EQ(x.Cells.at("G3").Value, "99");

  EXPECT_EQ(Run({"export", "stat", "NOPE", Path("x.xlsx")}), 1);
  EXPECT_EQ(Run({"export", "draws"}), 2);
  EXPECT_EQ(Run({"export", "draws", Path("no-dir/x.xlsx")}), 1);
  EXPECT_NE(err_.find("Ошибка экспорта в файл!"), std::string::npos);
}

TEST_F(FavouritesCli, ExportOfTheStakesFollowsTheGrid) {
  // An empty stakes file gives the header alone.
  ASSERT_EQ(Run({"export", "stakes", Path("empty.xlsx")}), 0) << err_;
  auto x = test::ReadXlsx(Path("empty.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Ставки");
  EXPECT_EQ(x.Rows, 1);

  ASSERT_EQ(Run({"stakes", "add", "--numbers", "5;4;3;2;1", "--draw", "15"}), 0) << err_;
  ASSERT_EQ(Run({"stakes", "add", "--numbers", "1,3,5,7,9,11", "--draw", "16"}), 0) << err_;
  ASSERT_EQ(Run({"export", "stakes", Path("stakes.xlsx")}), 0) << err_;
  x = test::ReadXlsx(Path("stakes.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  // File order.
  EXPECT_EQ(x.Rows, 3);
  EXPECT_EQ(x.Cells.at("A2").Value, "15");
  EXPECT_EQ(x.Cells.at("A2").Type, "n");
  EXPECT_EQ(x.Cells.at("C2").Value, "1;2;3;4;5");
  EXPECT_EQ(x.Cells.at("A3").Value, "16");
  EXPECT_EQ(x.Cells.at("C3").Value, "1;3;5;7;9;11");

  EXPECT_EQ(Run({"export", "stakes"}), 2);

  // The checked stake reaches the rating, which exports with numbers as numbers.
  ASSERT_EQ(Run({"draws", "add", "--numbers", "1,2,3,9,10,1", "--number", "15"}), 0) << err_;
  ASSERT_EQ(Run({"stakes", "check"}), 0) << err_;
  ASSERT_EQ(Run({"export", "rating", Path("rating.xlsx")}), 0) << err_;
  x = test::ReadXlsx(Path("rating.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Рейтинг");
  EXPECT_EQ(x.Rows, 2);
  EXPECT_EQ(x.Cells.at("A1").Value, "Комментарий");
  EXPECT_EQ(x.Cells.at("B2").Value, "1");  // one stake
  EXPECT_EQ(x.Cells.at("B2").Type, "n");
  EXPECT_EQ(x.Cells.at("C2").Value, "3");  // three numbers matched
  EXPECT_EQ(x.Cells.at("J2").Value, "1");  // under "3"
}

}  // namespace
}  // namespace kvarn
