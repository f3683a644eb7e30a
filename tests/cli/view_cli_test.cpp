// kvarn-cli view: each view's data as TAB-separated text in the formats scripts read.
#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "common/archives.h"

namespace kvarn {
namespace {

class ViewCli : public test::TCliTest {
 protected:
  void SetUp() override {
    // Draws 11..14; draw 12 on a Sunday, the others on Wednesday 01.01.2020.
    TDrawsArray draws =
        test::Archive({{17, 3, 30, 8, 21}, {1, 2, 3, 4, 5}, {36, 3, 12, 7, 1}, {2, 4, 6, 8, 10}},
                      11, {0, 0, 2, 3});
    draws[1].DateText = "05.01.2020 20:00";
    test::WriteArchive(dir_, draws);
  }
};

TEST_F(ViewCli, WeekPrintsEveryNumberThenTheMaximum) {
  ASSERT_EQ(Run({"view", "week"}), 0) << err_;
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(lines[0], "1\t0\t0\t1\t0\t0\t0\t1");
  EXPECT_EQ(lines[2], "3\t0\t0\t2\t0\t0\t0\t1");
  EXPECT_EQ(lines[36], "max\t2");
  ASSERT_EQ(Run({"view", "week", "--len", "1", "--offset", "2"}), 0);
  lines = Lines();
  EXPECT_EQ(lines[0], "1\t0\t0\t0\t0\t0\t0\t1");
  EXPECT_EQ(lines[2], "3\t0\t0\t0\t0\t0\t0\t1");
  EXPECT_EQ(lines[36], "max\t1");
}

TEST_F(ViewCli, SumsPrintsTheTableAndItsFigures) {
  ASSERT_EQ(Run({"view", "sums"}), 0) << err_;
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 163u);
  EXPECT_EQ(lines[0], "15\t1\t1");
  EXPECT_EQ(lines[79 - 15], "79\t5631\t1");  // 17+3+30+8+21
  EXPECT_EQ(lines[156], "thresholds\t2221\t3331\t4441");
  EXPECT_EQ(lines[157], "tmin\t1");
  EXPECT_EQ(lines[158], "tmax\t6660");
  EXPECT_EQ(lines[159], "amax\t1");
  EXPECT_EQ(lines[160], "band\t1\t59\t126");
  EXPECT_EQ(lines[161], "band\t2\t66\t119");
  EXPECT_EQ(lines[162], "band\t3\t72\t113");
}

TEST_F(ViewCli, RepeatsPrintsTheRowsInListOrder) {
  ASSERT_EQ(Run({"view", "repeats", "--len", "2", "--deep", "1"}), 0) << err_;
  // Draw 14 shares nothing with draw 13.
  EXPECT_EQ(Lines(), (std::vector<std::string>{"13\t2\t1\t12"}));
  ASSERT_EQ(Run({"view", "repeats"}), 0);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"14\t2\t1\t12", "14\t1\t1\t11", "13\t2\t1\t12",
                                               "13\t1\t1\t11", "12\t1\t1\t11"}));
}

TEST_F(ViewCli, CardPrintsTheHeaderAndRowsNewestFirst) {
  ASSERT_EQ(Run({"view", "card", "--offset", "1", "--len", "1"}), 0) << err_;
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  std::string header;
  for (int n = 1; n <= 36; ++n) header += "\t" + std::to_string(n);
  EXPECT_EQ(lines[0], header + "\tE");
  // Draw 13: 1, 3, 7, 12, 36 with the extra number 2.
  std::vector<std::string> cells(38);
  cells[0] = "13";
  for (int n : {1, 3, 7, 12, 36}) cells[static_cast<size_t>(n)] = std::to_string(n);
  cells[37] = "2";
  std::string row;
  for (size_t i = 0; i < cells.size(); ++i) row += (i ? "\t" : "") + cells[i];
  EXPECT_EQ(lines[1], row);
  ASSERT_EQ(Run({"view", "card"}), 0);
  EXPECT_EQ(Lines().size(), 5u);
}

TEST_F(ViewCli, LayoutPrintsTheGridThenFiveCompareLists) {
  ASSERT_EQ(Run({"view", "layout", "--len", "2", "--offset", "1", "--cmp1", "1"}), 0) << err_;
  const auto lines = Lines();
  // Draws 12 and 13; draw 14 (2, 4, 6, 8, 10) follows: 2 and 4 are marked.
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "\t13\t12");
  EXPECT_EQ(lines[1], "2\t3, 1\t");
  EXPECT_EQ(lines[2], "1\t36, 12, 7\t[2], [4], 5");
  EXPECT_EQ(lines[3], "Кол-во\t13 - 13");
  EXPECT_EQ(lines[4], "1\t36, 3, 12, 7, 1");
  EXPECT_EQ(lines[5], "Кол-во\t11 - 13");
  int headers = 0;
  for (const auto& l : lines) headers += l.rfind("Кол-во\t", 0) == 0;
  EXPECT_EQ(headers, 5);
}

TEST_F(ViewCli, GraphPrintsValuesWithMeanAndMostFrequentValue) {
  ASSERT_EQ(Run({"view", "graph", "POS1", "--len", "3"}), 0) << err_;
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("Тираж\t", 0), 0u);
  EXPECT_NE(lines[0].find("Число в 1 позиции тиража"), std::string::npos);
  EXPECT_EQ(lines[0].substr(lines[0].find("\tСреднее")),
            "\tСреднее значение\tНаиболее часто встречающееся значение");
  // First numbers 1, 36, 2: mean 13, each once, so the first.
  EXPECT_EQ(lines[1], "12\t1\t13\t1");
  EXPECT_EQ(lines[3], "14\t2\t13\t1");
  ASSERT_EQ(Run({"view", "graph", "POS1", "--len", "2", "--sorted"}), 0);
  lines = Lines();
  EXPECT_EQ(lines[1], "13\t1\t1.5\t1");
}

TEST_F(ViewCli, BadWordsAreUsageErrors) {
  EXPECT_EQ(Run({"view", "week", "--len", "0"}), 2);
  EXPECT_NE(err_.find("--len"), std::string::npos);
  EXPECT_EQ(Run({"view", "repeats", "--deep", "2147483648"}), 2);
  EXPECT_EQ(Run({"view", "card", "--offset", "-1"}), 2);
  EXPECT_EQ(Run({"view", "graph"}), 2);
  EXPECT_EQ(Run({"view", "month"}), 2);
  EXPECT_NE(Run({"view", "graph", "NOPE"}), 0);
  EXPECT_NE(err_.find("не найден"), std::string::npos);
  EXPECT_NE(Run({"view", "graph", "NUMS"}), 0);
  EXPECT_NE(err_.find("не строит график"), std::string::npos);
}

}  // namespace
}  // namespace kvarn
