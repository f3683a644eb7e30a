// kvarn-cli gen, filter and stat --prefetch, through CliMain.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli_fixture.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

class CombsCli : public test::TCliTest {};

TEST_F(CombsCli, GenWritesTheListAndPrintsTheCount) {
  ASSERT_EQ(Run({"gen", "--out", Path("all.lcv")}), 0) << err_;
  EXPECT_EQ(out_, "376992\n");
  const std::string all = ReadWholeFile(Path("all.lcv"));
  EXPECT_EQ(all.substr(0, 11), "1;2;3;4;5\r\n");
  EXPECT_EQ(all.substr(all.size() - 16), "32;33;34;35;36\r\n");
  ASSERT_EQ(Run({"gen", "--mode", "1", "--params", "36", "--out", Path("a.lcv")}), 0);
  EXPECT_EQ(out_, "52360\n");
  EXPECT_EQ(Run({"gen", "--mode", "4", "--params", Path("none.lcv"), "--out", Path("b.lcv")}), 1);
  EXPECT_NE(err_.find("Ошибка чтения файла"), std::string::npos);
  EXPECT_EQ(Run({"gen", "--mode", "9", "--out", Path("c.lcv")}), 2);
  EXPECT_EQ(Run({"gen"}), 2);
}

TEST_F(CombsCli, FilterPrintsCountHeadAndTail) {
  // With a draw the table of the numbers method lists every number, met or not.
  ASSERT_EQ(Run({"draws", "add", "--numbers", "11,12,13,14,15,0"}), 0) << err_;
  ASSERT_EQ(Run({"gen", "--mode", "2", "--params", "1;2;3;4;5;6;7;8", "--out", Path("s.lcv")}), 0);
  ASSERT_EQ(Run({"filter", "NUMS", "--value", "8", "--delete", "--in", Path("s.lcv")}), 0) << err_;
  EXPECT_EQ(out_.substr(0, 13), "21\n1;2;3;4;5\n");
  EXPECT_EQ(std::count(out_.begin(), out_.end(), '\n'), 22);

  ASSERT_EQ(Run({"filter", "NUMS", "--value", "1", "--value", "2", "--keep", "--in", Path("s.lcv"),
                 "--out", Path("k.lcv")}),
            0);
  // 56 - C(6,5) = 50 left: the first 20 and the last 20 are printed.
  std::istringstream lines(out_);
  std::vector<std::string> v;
  for (std::string l; std::getline(lines, l);) v.push_back(l);
  ASSERT_EQ(v.size(), 41u);
  EXPECT_EQ(v[0], "50");
  EXPECT_EQ(v[1], "1;2;3;4;5");
  EXPECT_EQ(v[40], "2;5;6;7;8");
  EXPECT_EQ(ReadWholeFile(Path("k.lcv")).size(), 50u * 11);

  EXPECT_EQ(Run({"filter", "NUMS", "--value", "99", "--keep", "--in", Path("s.lcv")}), 1);
  EXPECT_EQ(Run({"filter", "NUMS", "--value", "1", "--in", Path("s.lcv")}), 2);
  EXPECT_EQ(Run({"filter", "NONE", "--value", "1", "--keep"}), 1);
}

TEST_F(CombsCli, StatWithTheFullSetComparison) {
  ASSERT_EQ(Run({"draws", "add", "--numbers", "1,2,3,4,5,0"}), 0) << err_;
  ASSERT_EQ(Run({"draws", "add", "--numbers", "1,7,8,9,10,0"}), 0) << err_;
  ASSERT_EQ(Run({"stat", "NUMS", "--prefetch"}), 0) << err_;
  // Every number is equally frequent over the full set: the norm is (0 + 2) / 2 = 1.
  std::istringstream lines(out_);
  std::string header, first;
  std::getline(lines, header);
  std::getline(lines, first);
  EXPECT_EQ(first.substr(0, 20), "1\t2\t20.00000\t1\t1\t100");
  EXPECT_TRUE(std::filesystem::exists(Path("Prefetchs/Kvarn_5x36_NUMS.dfc")));
  ASSERT_EQ(Run({"stat", "NUMS"}), 0);
  std::istringstream plain(out_);
  std::getline(plain, header);
  std::getline(plain, first);
  EXPECT_EQ(first.substr(0, 16), "1\t2\t20.00000\t-\t-");
}

}  // namespace
}  // namespace kvarn
