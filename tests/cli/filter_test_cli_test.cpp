#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "common/archives.h"

namespace kvarn {
namespace {

class FilterTestCli : public test::TCliTest {
 protected:
  // Smallest numbers of the draws after the first: 1, 2, 3, 1, 4, then 1, 3, 1.
  void SetUp() override {
    test::WriteArchive(dir_, test::Archive({{5, 6, 7, 8, 9},
                                            {36, 10, 20, 30, 1},
                                            {2, 11, 21, 31, 35},
                                            {3, 12, 22, 32, 34},
                                            {13, 1, 23, 33, 36},
                                            {4, 14, 24, 34, 35},
                                            {15, 25, 35, 1, 4}},
                                           1000));
  }
};

TEST_F(FilterTestCli, PrintsEveryDrawThenTheSummary) {
  std::vector<std::string> args{"filter-test", "POS1", "--delete", "--draws", "5",
                                "--value",     "1",    "--offset", "1"};
  ASSERT_EQ(Run(args), 0) << err_;
  // Deleting the smallest number 1 keeps all but the C(35,4) combinations that start with it.
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "1001\t324632\t0", "1002\t324632\t1", "1003\t324632\t1", "1004\t324632\t0",
                         "1005\t324632\t1", "survival\t3/5", "kept_share\t0.861111", "lift\t0.6968",
                         "interval\t0.2307\t0.8824", "p\t0.97848"}));
}

TEST_F(FilterTestCli, KeepingNothingHasNoLift) {
  ASSERT_EQ(Run({"filter-test", "POS1", "--keep", "--draws", "2", "--value", "99"}), 0) << err_;
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "1005\t0\t0");
  EXPECT_EQ(lines[3], "kept_share\t0.000000");
  EXPECT_EQ(lines[4], "lift\t-");
  EXPECT_EQ(lines[6], "p\t1");
}

TEST_F(FilterTestCli, SearchPrintsTheChosenValuesAndBothHalves) {
  ASSERT_EQ(Run({"filter-search", "POS1", "--budget", "60000", "--draws", "6"}), 0) << err_;
  // Older draws start with 1, 2 and 3: each value saves one, and 3 keeps the fewest
  // combinations (C(33,4) = 40920); a second value would pass the budget. The newer draws start
  // with 1, 4 and 1.
  EXPECT_EQ(Lines(),
            (std::vector<std::string>{"value\t3", "in_sample\t1/3\t0.108543\t3.0710\t0.291564",
                                      "out_of_sample\t0/3\t0.108543\t0.0000\t1"}));
}

TEST_F(FilterTestCli, WrongInputsAreRefused) {
  EXPECT_EQ(Run({"filter-test", "POS1", "--value", "1", "--draws", "5"}), 2);
  EXPECT_EQ(Run({"filter-test", "POS1", "--value", "1", "--keep", "--draws", "0"}), 2);
  EXPECT_EQ(Run({"filter-search", "POS1", "--budget", "0", "--draws", "5"}), 2);
  EXPECT_EQ(Run({"filter-search", "POS1", "--budget", "10"}), 2);
  EXPECT_EQ(Run({"filter-test", "NOPE", "--value", "1", "--keep", "--draws", "5"}), 1);
  EXPECT_NE(err_.find("Метод расчета статистики \"NOPE\" не найден!"), std::string::npos) << err_;
  EXPECT_EQ(Run({"filter-search", "POS1", "--budget", "10", "--draws", "1"}), 1);
  EXPECT_NE(err_.find("Для подбора значений нужно не менее двух тиражей"), std::string::npos);
}

}  // namespace
}  // namespace kvarn
