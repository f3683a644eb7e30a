#include <gtest/gtest.h>

#include <filesystem>

#include "cli_fixture.h"
#include "common/archives.h"
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

TEST_F(SystemCli, PlayStakesTheSystemForTheListsNumbers) {
  test::WriteArchive(dir_, test::ArchiveOf(3, 41, test::RunOfFive));
  ASSERT_EQ(Run({"gen", "--mode", "2", "--params", "9;8;7;6;5;4;3", "--out", Path("seven.lcv")}), 0)
      << err_;
  EXPECT_EQ(Run({"system", "play", "all", "--in", Path("seven.lcv")}), 1);
  EXPECT_EQ(err_.rfind("Ошибка: Система для 7 чисел не найдена или не загружена на компьютер!", 0),
            0u)
      << err_;

  WriteFileAtomic(Path("seven.txt"), "1 2 3 4 5\r\n3 4 5 6 7\r\n");
  ASSERT_EQ(Run({"system", "add", Path("seven.txt"), "--numbers", "7"}), 0) << err_;
  ASSERT_EQ(Run({"system", "play", "all", "--in", Path("seven.lcv"), "--draws", "2"}), 0) << err_;
  EXPECT_EQ(out_, "4\n");
  ASSERT_EQ(Run({"system", "play", "filter", "--in", Path("seven.lcv"), "--draw", "60"}), 0)
      << err_;
  EXPECT_EQ(out_, "2\n");
  ASSERT_EQ(Run({"stakes", "list"}), 0);
  const std::vector<std::string> lines = Lines();
  // Each stake for two draws has a separator between its draws; the second play starts with one.
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0].rfind("2\t4\t44\t0\t2\t5\t3;4;5;6;7\t", 0), 0u);
  EXPECT_NE(lines[0].find("\tСистемная игра для 7 чисел [вся система]: 5-07-0_0001"),
            std::string::npos);
  EXPECT_EQ(lines[6].rfind("2\t4\t45\t", 0), 0u);
  EXPECT_EQ(lines[9].rfind("2\t4\t60\t0\t21\t5\t5;6;7;8;9\t", 0), 0u);
  EXPECT_EQ(Run({"system", "play", "some"}), 2);
}

}  // namespace
}  // namespace kvarn
