#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "common/archives.h"

namespace kvarn {
namespace {

class RegularCli : public test::TCliTest {};

TEST_F(RegularCli, AddListAndDeleteKeepTheFileInOrder) {
  ASSERT_EQ(Run({"regular", "add", "--comment", "Регулярная ставка"}), 1);
  EXPECT_EQ(err_, "Введена некорректная комбинация!\n");  // own combination, none given

  ASSERT_EQ(
      Run({"regular", "add", "--comment", "Сдвиг", "--numbers", "34,30;31;32;33", "--step", "5"}),
      0)
      << err_;
  EXPECT_EQ(out_, "");
  ASSERT_EQ(Run({"regular", "add", "--comment", "По тиражу", "--base", "draw", "--step", "-3"}), 0);
  ASSERT_EQ(Run({"regular", "add", "--comment", "Тираж со стартом", "--base", "draw", "--numbers",
                 "9;8;7;6;5"}),
            0);
  ASSERT_EQ(Run({"regular", "list"}), 0);
  EXPECT_EQ(out_,
            "Сдвиг\t30;31;32;33;34\t5\t30;31;32;33;34\t0\town\n"
            "По тиражу\t0;0;0;0;0\t-3\t0;0;0;0;0\t0\tdraw\n"
            "Тираж со стартом\t5;6;7;8;9\t1\t5;6;7;8;9\t0\tdraw\n");

  ASSERT_EQ(Run({"regular", "delete", "по ТИРАЖУ", "Тираж со стартом"}), 0) << err_;
  ASSERT_EQ(Run({"regular", "list"}), 0);
  EXPECT_EQ(out_, "Сдвиг\t30;31;32;33;34\t5\t30;31;32;33;34\t0\town\n");
}

TEST_F(RegularCli, RefusalsAreTheDialogsMessagesAndChangeNothing) {
  ASSERT_EQ(Run({"regular", "add", "--comment", "Один", "--numbers", "1;2;3;4;5"}), 0);
  EXPECT_EQ(Run({"regular", "add", "--comment", "ОДИН", "--numbers", "1;2;3;4;5"}), 1);
  EXPECT_EQ(err_,
            "Запись с таким комментарией уже присутствует в списке!\nВыберите другой "
            "комментарий.\n");
  EXPECT_EQ(Run({"regular", "add", "--comment", "", "--numbers", "1;2;3;4;5"}), 1);
  EXPECT_EQ(err_, "Необходимо ввести комментарий!\n");
  EXPECT_EQ(Run({"regular", "add", "--comment", "Два", "--numbers", "1;2;3;4;4"}), 1);
  EXPECT_EQ(Run({"regular", "add", "--comment", "Два", "--numbers", "1;2;3;4;5", "--step", "37"}),
            1);
  EXPECT_EQ(err_, "Шаг должен быть от -36 до 36!\n");
  EXPECT_EQ(Run({"regular", "add", "--comment", "Два", "--base", "any"}), 2);
  EXPECT_EQ(Run({"regular", "delete", "Один", "Нет такого"}), 1);
  EXPECT_EQ(err_, "Регуляр \"Нет такого\" не найден!\n");
  ASSERT_EQ(Run({"regular", "list"}), 0);
  EXPECT_EQ(out_, "Один\t1;2;3;4;5\t1\t1;2;3;4;5\t0\town\n");
}

TEST_F(RegularCli, StakeAndTestAppendCheckedStakesAndMoveTheRegularsOn) {
  test::WriteArchive(dir_, test::ArchiveOf(6, 501, test::RunOfFive));
  ASSERT_EQ(
      Run({"regular", "add", "--comment", "Сдвиг", "--numbers", "30;31;32;33;34", "--step", "5"}),
      0);
  ASSERT_EQ(Run({"regular", "add", "--comment", "Назад", "--numbers", "1;2;3;4;5", "--step", "-3"}),
            0);
  ASSERT_EQ(Run({"regular", "stake", "сдвиг", "--draws", "2"}), 0) << err_;
  EXPECT_EQ(out_, "3\n");  // draw 507, a separator, draw 508
  ASSERT_EQ(Run({"regular", "test", "Сдвиг", "Назад", "--count", "2"}), 0) << err_;
  EXPECT_EQ(out_, "4\n");
  ASSERT_EQ(Run({"regular", "list"}), 0);
  EXPECT_EQ(out_,
            "Сдвиг\t30;31;32;33;34\t5\t9;10;11;12;13\t3\town\n"
            "Назад\t1;2;3;4;5\t-3\t31;32;33;34;35\t2\town\n");
  ASSERT_EQ(Run({"stakes", "list"}), 0);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].rfind("2\t2\t507\t0", 0), 0u);
  EXPECT_EQ(lines[3].rfind("2\t2\t505\t1", 0), 0u);  // the test's stakes are checked at once
  EXPECT_EQ(lines[6].rfind("2\t2\t506\t1", 0), 0u);

  EXPECT_EQ(Run({"regular", "test", "Сдвиг", "--count", "6"}), 2);  // 1..5 draws
  EXPECT_EQ(Run({"regular", "stake", "Нет такого"}), 1);
  EXPECT_EQ(err_, "Регуляр \"Нет такого\" не найден!\n");
}

}  // namespace
}  // namespace kvarn
