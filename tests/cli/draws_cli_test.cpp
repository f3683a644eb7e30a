#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli_fixture.h"
#include "core/codec.h"
#include "core/config.h"
#include "core/draws.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

class DrawsCli : public test::TCliTest {};

TEST_F(DrawsCli, AddListAndStatusShareTheArchive) {
  ASSERT_EQ(Run({"draws", "status"}), 0);
  EXPECT_EQ(out_, "Архив тиражей: 0\nСледующий тираж: 1\n\n");

  ASSERT_EQ(Run({"draws", "add", "--numbers", "5,1,3,2,4,4", "--number", "7300", "--date",
                 "07.12.2026 22:30"}),
            0)
      << err_;
  EXPECT_EQ(out_, "7300\t5\t1\t3\t2\t4\t4\t15\t07.12.2026 22:30\n");
  ASSERT_EQ(Run({"draws", "add", "--numbers", "36;20;11;7;30;2", "--date", "09.12.2026 22:30"}), 0);
  EXPECT_EQ(out_, "7301\t36\t20\t11\t7\t30\t2\t104\t09.12.2026 22:30\n");

  ASSERT_EQ(Run({"draws", "list"}), 0);
  EXPECT_EQ(out_,
            "7301\t36\t20\t11\t7\t30\t2\t104\t09.12.2026 22:30\n"
            "7300\t5\t1\t3\t2\t4\t4\t15\t07.12.2026 22:30\n");
  ASSERT_EQ(Run({"draws", "list", "--sorted", "--offset", "1"}), 0);
  EXPECT_EQ(out_,
            "7301\t7\t11\t20\t30\t36\t2\t104\t09.12.2026 22:30\n"
            "7300\t1\t2\t3\t4\t5\t4\t15\t07.12.2026 22:30\n");

  ASSERT_EQ(Run({"draws", "status", "--offset", "1"}), 0);
  EXPECT_EQ(out_, "Архив тиражей: 2\nСледующий тираж: 7301\n36;20;11;7;30\n");
  ASSERT_EQ(Run({"draws", "status", "--offset", "2"}), 0);
  EXPECT_EQ(out_, "Архив тиражей: 2\nСледующий тираж: -1\n\n");
  EXPECT_EQ(std::filesystem::file_size(PathJoin(dir_, DrawsFileName)), 2 * DrawRecordSize);
}

TEST_F(DrawsCli, DeleteRemovesTheGivenNumbersOnlyWhenConfirmed) {
  for (const char* n : {"10", "11", "12", "13"})
    ASSERT_EQ(Run({"draws", "add", "--numbers", "1,2,3,4,5,1", "--number", n}), 0);
  EXPECT_EQ(Run({"draws", "delete", "--number", "11", "--number", "13"}), 1);
  EXPECT_NE(err_.find("Удалить все выделенные записи (всего будет удалено 2 записи(ей))? -> Нет"),
            std::string::npos);
  EXPECT_EQ(Run({"draws", "delete", "--number", "11", "--number", "13", "--yes"}), 0);
  EXPECT_EQ(out_, "2\n");
  ASSERT_EQ(Run({"draws", "list"}), 0);
  EXPECT_EQ(out_.substr(0, 3), "12\t");
  EXPECT_NE(out_.find("\n10\t"), std::string::npos);
  EXPECT_EQ(Run({"draws", "delete", "--number", "99", "--yes"}), 1);
}

TEST_F(DrawsCli, RejectedInputChangesNothing) {
  EXPECT_EQ(Run({"draws", "add", "--numbers", "1;2;3;4;4;1"}), 1);
  EXPECT_EQ(out_, "");
  EXPECT_NE(err_.find("Введена некорректная комбинация!"), std::string::npos);
  EXPECT_EQ(Run({"draws", "add", "--numbers", "1;2;3;4;5;1", "--number", "0"}), 2);
  EXPECT_EQ(Run({"draws", "add"}), 2);
  EXPECT_EQ(Run({"draws", "list", "--offset", "-1"}), 2);
  EXPECT_EQ(Run({"draws", "remove"}), 2);
  EXPECT_FALSE(FileExists(PathJoin(dir_, DrawsFileName)));
}

TEST_F(DrawsCli, ConfigShowPrintsEffectiveValues) {
  WriteFileAtomic(
      PathJoin(dir_, ConfigFileName),
      Utf8ToCp1251("[STAKES]\r\nCost=12,5\r\n[GLOBAL]\r\nCombsGenerateParameters=Мои.lcv\r\n"));
  ASSERT_EQ(Run({"config", "show"}), 0) << err_;
  EXPECT_EQ(out_.rfind("GLOBAL.MatrixCols=6\n", 0), 0u);
  EXPECT_NE(out_.find("\nGLOBAL.CombsGenerateParameters=Мои.lcv\n"), std::string::npos);
  EXPECT_NE(out_.find("\nSTAKES.Cost=12.5\n"), std::string::npos);
  EXPECT_NE(out_.find("\nPROXY.ProxyMode=0\n"), std::string::npos);
  EXPECT_NE(out_.find("\nDOWNLOAD.Host=\n"), std::string::npos);
  EXPECT_EQ(Run({"config", "edit"}), 2);
}

}  // namespace
}  // namespace kvarn
