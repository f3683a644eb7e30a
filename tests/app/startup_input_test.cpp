// The command line of the interactive program and the settings dialog's text forms.
#include <gtest/gtest.h>

#include "app/config_input.h"
#include "app/startup_switches.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace kvarn {
namespace {

TEST(StartSwitches, MatchedWithoutCaseBareOrWithAnyPrefix) {
  for (const char* a : {"restart", "RESTART", "-restart", "--Restart", "/restart", "\\reStart"})
    EXPECT_TRUE(IsStartSwitch(a, "restart")) << a;
  for (const char* a : {"restarts", "---restart", "-/restart", "re start", "", "-"})
    EXPECT_FALSE(IsStartSwitch(a, "restart")) << a;
}

TEST(StartSwitches, ParsedTogetherWithTheDataDirectory) {
  TStartSwitches s = ParseStartSwitches({"--dir", "/data/x", "/LoadOnly", "-fullrefresh", "junk"});
  EXPECT_EQ(s.dir, "/data/x");
  EXPECT_TRUE(s.loadOnly);
  EXPECT_TRUE(s.fullRefresh);
  EXPECT_FALSE(s.fullRecreate);
  EXPECT_FALSE(s.restart);
  EXPECT_TRUE(s.Maintenance());
  TStartSwitches plain = ParseStartSwitches({"--dir=/d", "\\FULLRECREATE"});
  EXPECT_EQ(plain.dir, "/d");
  EXPECT_TRUE(plain.fullRecreate);
  EXPECT_FALSE(ParseStartSwitches({}).Maintenance());
}

TEST(StartSwitches, WaitsOnlyForAnotherProcessOfTheSameProgram) {
  // Other copies of this test binary may run in parallel, so the checks name a program file.
  EXPECT_TRUE(WaitForOtherInstances(1, "/nonexistent/Kvarn_5x36"));
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    execl("/bin/sleep", "sleep", "5", static_cast<char*>(nullptr));
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  char buf[4096];
  ssize_t n = readlink(("/proc/" + std::to_string(child) + "/exe").c_str(), buf, sizeof buf - 1);
  ASSERT_GT(n, 0);
  EXPECT_FALSE(WaitForOtherInstances(2, std::string(buf, static_cast<size_t>(n))));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

TEST(PrizeList, OneLinePerMatchCountWithThePrizeTheCheckFinds) {
  // Stored out of order, with a second row for 3 matches that the check never reaches.
  TProfitsArray p = {{5, 125000}, {3, 100000}, {3, 990000}, {1, 123456}};
  auto lines = PrizeListLines(p);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], (std::pair<std::string, std::string>{"0", "0.00"}));
  EXPECT_EQ(lines[1], (std::pair<std::string, std::string>{"1", "12.3456"}));
  EXPECT_EQ(lines[2], (std::pair<std::string, std::string>{"2", "0.00"}));
  EXPECT_EQ(lines[3], (std::pair<std::string, std::string>{"3", "10.00"}));
  EXPECT_EQ(lines[5], (std::pair<std::string, std::string>{"5", "12.50"}));
}

TEST(PrizeList, ReadBackWithNonNumbersAsZeroAndWithoutEmptyPrizes) {
  TProfitsArray p = PrizeListRead({{"2", "1,5"}, {"x", "7.25"}, {"4", "abc"}, {"", ""}});
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].Overlap, 2);
  EXPECT_EQ(p[0].Profit, 15000);
  EXPECT_EQ(p[1].Overlap, 0);  // a key that is not a number is saved as 0
  EXPECT_EQ(p[1].Profit, 72500);
  // What the dialog shows reads back to the same table.
  const TProfitsArray table = {{2, 1000000}, {3, 123456}, {5, 10000000000}};
  const TProfitsArray shown = PrizeListRead(PrizeListLines(table));
  ASSERT_EQ(shown.size(), table.size());
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(shown[i].Overlap, table[i].Overlap);
    EXPECT_EQ(shown[i].Profit, table[i].Profit);
  }
}

TEST(Segments, OnlyOneToNineAndEmptyCellsCountOne) {
  EXPECT_TRUE(SegmentCellValid("1"));
  EXPECT_TRUE(SegmentCellValid("9"));
  for (const char* t : {"0", "10", "", "a", "-1"}) EXPECT_FALSE(SegmentCellValid(t)) << t;
  EXPECT_EQ(SegmentCellMessage("12"),
            "Некорректное значение: 12!\r\rУкажите любое число от 1 до 9");
  std::vector<std::string> cells(36, "");
  cells[0] = "3";
  cells[35] = "9";
  auto s = SegmentsRead(cells);
  EXPECT_EQ(s[0], 3);
  EXPECT_EQ(s[1], 1);
  EXPECT_EQ(s[35], 9);
}

TEST(ConfigChanges, NamesWhatTheViewsDependOn) {
  TConfigData a, b;
  EXPECT_FALSE(ConfigCompare(a, b).Any());
  b.StakeCost = 5;
  EXPECT_FALSE(ConfigCompare(a, b).Any());
  b.Segments[10] = 2;
  b.ChannelSize = 7;
  auto c = ConfigCompare(a, b);
  EXPECT_TRUE(c.segments);
  EXPECT_TRUE(c.channelSize);
  EXPECT_FALSE(c.matrixCols);
}

}  // namespace
}  // namespace kvarn
