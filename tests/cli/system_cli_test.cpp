#include <gtest/gtest.h>

#include <filesystem>

#include "cli_fixture.h"
#include "core/files.h"

namespace kvarn {
namespace {

class SystemCli : public test::TCliTest {};

TEST_F(SystemCli, AddNormalisesAndTheSecondSystemForACountReplacesTheFirst) {
  WriteFileAtomic(Path("seven.txt"), "1,2,3,4,5\r\n3 4 5 6 7\r\n");
  ASSERT_EQ(Run({"system", "add", Path("seven.txt"), "--numbers", "7", "--block", "3", "--id", "12",
                 "--title", "Семь"}),
            0)
      << err_;
  EXPECT_EQ(ReadWholeFile(PathJoin(dir_, "Systems/5-07-3_0012.dat")),
            "01 02 03 04 05\r\n03 04 05 06 07\r\n");
  WriteFileAtomic(Path("eight.txt"), "1 2 3 4 8\r\n");
  ASSERT_EQ(Run({"system", "add", Path("eight.txt"), "--numbers", "8"}), 0) << err_;
  ASSERT_EQ(Run({"system", "list"}), 0);
  EXPECT_EQ(out_,
            "12\t7\t3\t2\tСемь\t5-07-3_0012.dat\n"
            "13\t8\t0\t1\teight\t5-08-0_0013.dat\n");

  WriteFileAtomic(Path("other.txt"), "7 6 5 4 3\r\n");
  ASSERT_EQ(Run({"system", "add", Path("other.txt"), "--numbers", "7", "--id", "3"}), 0);
  ASSERT_EQ(Run({"system", "list"}), 0);
  EXPECT_EQ(out_,
            "3\t7\t0\t1\tother\t5-07-0_0003.dat\n"
            "13\t8\t0\t1\teight\t5-08-0_0013.dat\n");
  EXPECT_FALSE(std::filesystem::exists(PathJoin(dir_, "Systems/5-07-3_0012.dat")));
}

TEST_F(SystemCli, BadFilesAndPropertiesAreRefusedWithTheirMessages) {
  WriteFileAtomic(Path("bad.txt"), "1 2 3 4 5\r\n1 2 3\r\n");
  EXPECT_EQ(Run({"system", "add", Path("bad.txt"), "--numbers", "7"}), 1);
  EXPECT_EQ(err_,
            "Ошибка: Ошибка загрузки комбинаций системы!\n\nНекорректная комбинация: \"1 2 3\"!\n");
  WriteFileAtomic(Path("good.txt"), "1 2 3 4 9\r\n");
  EXPECT_EQ(Run({"system", "add", Path("good.txt"), "--numbers", "8"}), 1);
  EXPECT_EQ(err_, "Указано недопустмое количество используемых чисел!\n");
  EXPECT_EQ(Run({"system", "add", Path("good.txt"), "--numbers", "9", "--block", "5"}), 1);
  EXPECT_EQ(err_, "Указан недопустмый размер блока!\n");
  EXPECT_EQ(Run({"system", "add", Path("good.txt"), "--numbers", "9", "--title", " "}), 1);
  EXPECT_EQ(err_, "Название системы должно быть указано обязательно!\n");
  ASSERT_EQ(Run({"system", "list"}), 0);
  EXPECT_EQ(out_, "");
  EXPECT_FALSE(std::filesystem::exists(PathJoin(dir_, "Systems")));
}

}  // namespace
}  // namespace kvarn
