#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli_fixture.h"
#include "common/archives.h"
#include "core/draws.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

using StatsCli = test::TFourDrawsCliTest;

TEST_F(StatsCli, MethodsListsEveryEntryWithGroupAndDisplayName) {
  ASSERT_EQ(Run({"methods"}), 0);
  const auto lines = Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "NUMS\tnum\t{ num } Числа тиража [ N ]");
  const auto pos1 =
      std::find(lines.begin(), lines.end(), "POS1\tnum\t{ num } Число в 1 позиции тиража [ SNG ]");
  ASSERT_NE(pos1, lines.end());
  EXPECT_EQ(*(pos1 + 4), "POS5\tnum\t{ num } Число в 5 позиции тиража [ SNG ]");
}

TEST_F(StatsCli, StatPrintsHeaderAndRowsInResultListOrder) {
  ASSERT_EQ(Run({"stat", "nums", "--len", "3", "--offset", "1"}), 0);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(lines[0],
            "Значение\tКоличество\tКол-во в %\tНорма\tОтклонение\tОткл-ие в %\tГлубина\t"
            "Глубина в %\tВес\tПосл. тираж\tПериод min\tПериод\tПериод max\tОжд. ПРД\t"
            "Ожд. СТФ\tОжд. КРН\tФакт\t+/- ПРД\t+/- СТФ\t+/- КРН");
  // 3 in draws 11, 12 and 13 of the window 11..13; the newest draw 14 lacks it.
  EXPECT_EQ(lines[3],
            "3\t3\t20.00000\t-\t-\t-\t1\t33.33\t1.00\t13\t1\t1.0000\t1\t14\t17\t18\t-\t-\t-\t-");
  // 8 in draw 11, and again in draw 14 behind the analysis point.
  EXPECT_EQ(lines[8],
            "8\t1\t6.66667\t-\t-\t-\t3\t100.00\t3.00\t11\t-\t-\t-\t-\t22\t18\t14\t-\t+8\t+4");
  EXPECT_EQ(lines[36],
            "36\t1\t6.66667\t-\t-\t-\t1\t33.33\t1.00\t13\t-\t-\t-\t-\t26\t21\t-\t-\t-\t-");
}

TEST_F(StatsCli, ValuesOfACombinationAndGraphOfAMethod) {
  ASSERT_EQ(Run({"values", "NUMS", "5", "1", "3", "2", "4"}), 0);
  EXPECT_EQ(out_, "1\t1\n2\t1\n3\t1\n4\t1\n5\t1\n");
  ASSERT_EQ(Run({"values", "EVEN", "2", "4", "6", "7", "9"}), 0);
  EXPECT_EQ(out_, "3:2\t1\n");
  ASSERT_EQ(Run({"values", "POE1", "2", "4", "6", "7", "9"}), 0);  // no values of its own
  EXPECT_EQ(out_, "");

  ASSERT_EQ(Run({"graph", "POS1", "--len", "3"}), 0);
  EXPECT_EQ(out_, "12\t1\n13\t36\n14\t2\n");
  ASSERT_EQ(Run({"graph", "POS1", "--len", "2", "--offset", "2", "--sorted"}), 0);
  EXPECT_EQ(out_, "11\t3\n12\t1\n");
}

TEST_F(StatsCli, ErrorsNameTheIdentifier) {
  EXPECT_EQ(Run({"stat", "NOPE"}), 1);
  EXPECT_NE(err_.find("Метод расчета статистики \"NOPE\" не найден!"), std::string::npos);
  EXPECT_EQ(Run({"graph", "NUMS"}), 1);
  EXPECT_NE(err_.find("\"NUMS\""), std::string::npos);
  EXPECT_EQ(Run({"values", "NUMS", "1", "2", "3", "4"}), 2);
  EXPECT_EQ(Run({"values", "NUMS", "1", "2", "3", "4", "4"}), 2);
  EXPECT_EQ(Run({"values", "NUMS", "1", "2", "3", "4", "37"}), 2);
  EXPECT_EQ(Run({"stat"}), 2);
}

}  // namespace
}  // namespace kvarn
