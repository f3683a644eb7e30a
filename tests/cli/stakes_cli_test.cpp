// kvarn-cli stakes: the output formats other tools read, and the same rules as the window.
#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "common/archives.h"
#include "core/config.h"
#include "core/dirlock.h"
#include "core/files.h"
#include "stakes/stakes_file.h"

namespace kvarn {
namespace {

class StakesCli : public test::TCliTest {
 protected:
  void SetUp() override {
    WriteFileAtomic(Path(ConfigFileName),
                    "[STAKES]\r\nCost=10\r\nProfits=1\r\nProfit_0_Overlap=3\r\n"
                    "Profit_0_Profit=50\r\n");
    test::WriteArchive(dir_, test::Archive({{7, 8, 9, 10, 11}, {5, 20, 3, 36, 1}}, 998));
  }
};

TEST_F(StakesCli, AddCheckAndListInTheContractFormat) {
  ASSERT_EQ(Run({"stakes", "add", "--numbers", "5;4;3;2;1", "--draw", "999"}), 0) << err_;
  EXPECT_EQ(out_, "1\n");
  // The next draw by default, for three draws: stake, separator, stake, separator, stake.
  ASSERT_EQ(Run({"stakes", "add", "--numbers", "1,3,5,7,9,11", "--draws", "3", "--comment",
                 "a\tb\\c\r\nd", "--kind", "3", "--sample", "12"}),
            0)
      << err_;
  EXPECT_EQ(out_, "6\n");  // a separator first: the file ended with a stake
  ASSERT_EQ(Run({"stakes", "list"}), 0) << err_;
  EXPECT_EQ(
      Lines(),
      (std::vector<std::string>{
          "2\t1\t999\t1\t376992\t5\t1;2;3;4;5\t5;20;3;36;1\t3\t1;3;5\t400000\t40.00\t"
          "Ставка \"вручную\"",
          "2\t0\t-1\t0\t0\t0\t\t0;0;0;0;0\t-1\t\t0\t0.00\t",
          "2\t3\t1000\t0\t12\t6\t1;3;5;7;9;11\t0;0;0;0;0\t-1\t\t-600000\t-60.00\ta\\tb\\\\c\\r\\nd",
          "2\t0\t-1\t0\t0\t0\t\t0;0;0;0;0\t-1\t\t0\t0.00\t",
          "2\t3\t1001\t0\t12\t6\t1;3;5;7;9;11\t0;0;0;0;0\t-1\t\t-600000\t-60.00\ta\\tb\\\\c\\r\\nd",
          "2\t0\t-1\t0\t0\t0\t\t0;0;0;0;0\t-1\t\t0\t0.00\t",
          "2\t3\t1002\t0\t12\t6\t1;3;5;7;9;11\t0;0;0;0;0\t-1\t\t-600000\t-60.00\ta\\tb\\\\c\\r\\nd",
      }));

  ASSERT_EQ(Run({"stakes", "check"}), 0);
  EXPECT_EQ(out_, "0\n");
  ASSERT_EQ(Run({"draws", "add", "--numbers", "1,2,3,4,5,1", "--number", "1000"}), 0) << err_;
  ASSERT_EQ(Run({"stakes", "check"}), 0);
  EXPECT_EQ(out_, "1\n");
}

TEST_F(StakesCli, NumbersFollowTheDialogsRuleAndItsMessage) {
  for (const char* bad : {"1;2;3;4", "1;2;3;4;5;6;7;8;9;10;11;12;13", "1;2;3;4;4", "0;1;2;3;4"}) {
    EXPECT_EQ(Run({"stakes", "add", "--numbers", bad}), 1) << bad;
    EXPECT_NE(err_.find("Введена некорректная комбинация!"), std::string::npos) << err_;
  }
  EXPECT_EQ(Run({"stakes", "add", "--numbers", "1;2;3;4;5", "--comment", ""}), 1);
  EXPECT_NE(err_.find("Необходимо ввести комментарий!"), std::string::npos) << err_;
  EXPECT_EQ(Run({"stakes", "add", "--numbers", "1;2;3;4;5", "--draws", "0"}), 2);
  EXPECT_EQ(Run({"stakes", "add", "--numbers", "1;2;3;4;5", "--kind", "5"}), 2);
  ASSERT_EQ(Run({"stakes", "list"}), 0);
  EXPECT_EQ(out_, "");
}

TEST_F(StakesCli, DeleteByConditionKeepsSeparatorsAndClearEmpties) {
  ASSERT_EQ(Run({"stakes", "add", "--numbers", "1;3;5;30;31", "--draw", "999", "--draws", "2"}),
            0);  // 999 checked with 3 matches, 1000 waits
  ASSERT_EQ(Run({"stakes", "delete", "--condition", "3", "--value", "2"}), 0) << err_;
  EXPECT_EQ(out_, "1\n");  // the unchecked stake (m = -1)
  ASSERT_EQ(Run({"stakes", "list"}), 0);
  ASSERT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Lines()[1], "2\t0\t-1\t0\t0\t0\t\t0;0;0;0;0\t-1\t\t0\t0.00\t");
  EXPECT_EQ(Run({"stakes", "delete", "--condition", "5", "--value", "2"}), 2);
  ASSERT_EQ(Run({"stakes", "clear"}), 0) << err_;
  EXPECT_EQ(out_, "");
  ASSERT_EQ(Run({"stakes", "list"}), 0);
  EXPECT_EQ(out_, "");
}

TEST_F(StakesCli, ReadersWorkBesideARunningWindowAndWritersAreKeptOut) {
  ASSERT_EQ(Run({"stakes", "add", "--numbers", "5;4;3;2;1", "--draw", "999"}), 0) << err_;
  ASSERT_EQ(Run({"stakes", "check"}), 0) << err_;
  ASSERT_EQ(Run({"stakes", "list"}), 0);
  const std::string listed = out_;
  // What a running window holds: the directory's lock and the stakes file's.
  TDataDirLock windowLock;
  windowLock.Acquire(dir_, TLockOwner::Window, 0);
  TStakesFile held(dir_);
  held.Open();
  const std::string before = ReadWholeFile(Path(StakesFileName));

  EXPECT_EQ(Run({"stakes", "list"}), 0) << err_;
  EXPECT_EQ(out_, listed);
  EXPECT_EQ(Run({"rating", "chance"}), 0) << err_;
  EXPECT_EQ(Run({"export", "stakes", Path("stakes.xlsx")}), 0) << err_;
  EXPECT_EQ(Run({"stakes", "add", "--numbers", "5;4;3;2;6", "--draw", "999"}), ceBusy);
  EXPECT_EQ(Run({"stakes", "clear"}), ceBusy);
  EXPECT_EQ(ReadWholeFile(Path(StakesFileName)), before);

  // Without the directory's lock a writer still meets the stakes file's.
  windowLock.Release();
  EXPECT_EQ(Run({"stakes", "add", "--numbers", "5;4;3;2;6", "--draw", "999"}), 1);
  EXPECT_NE(err_.find("Невозможно получить монопольный доступ к файлам данных!"),
            std::string::npos);
  EXPECT_EQ(ReadWholeFile(Path(StakesFileName)), before);
}

TEST_F(StakesCli, ListingNeverCreatesOrMendsTheFile) {
  EXPECT_EQ(Run({"stakes", "list"}), 0) << err_;
  EXPECT_EQ(out_, "");
  EXPECT_FALSE(FileExists(Path(StakesFileName)));
  // A cut-off record (one being appended) is left out and left alone.
  ASSERT_EQ(Run({"stakes", "add", "--numbers", "5;4;3;2;1", "--draw", "999"}), 0) << err_;
  const std::string cut = ReadWholeFile(Path(StakesFileName)) + std::string(10, 'x');
  WriteFileAtomic(Path(StakesFileName), cut);
  EXPECT_EQ(Run({"stakes", "list"}), 0) << err_;
  EXPECT_EQ(Lines().size(), 1u);
  EXPECT_EQ(ReadWholeFile(Path(StakesFileName)), cut);
}

}  // namespace
}  // namespace kvarn
