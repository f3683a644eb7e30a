// The stakes subsystem of the workspace: the lock of the data directory, making stakes from the
// list, checking when draws arrive, deleting, and what the person is asked and shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stakes_log.h"

namespace kvarn {
namespace {

class StakesWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    // Price 10, prize 50 for three matches.
    WriteFileAtomic(Path(ConfigFileName),
                    "[STAKES]\r\nCost=10\r\nProfits=1\r\nProfit_0_Overlap=3\r\n"
                    "Profit_0_Profit=50\r\n");
    test::WriteArchive(dir_, test::Archive({{5, 20, 3, 36, 1}, {1, 2, 3, 4, 5}}, 998));
  }
  TWorkspace& Open() {
    ws_ = std::make_unique<TWorkspace>(host_, dir_);
    ws_->OpenHeadless();
    EXPECT_TRUE(ws_->StakesOpen());
    ws_->OnStakeChecked = [this](const TStake& s) { rated_.push_back(s); };
    ws_->OnStakesChecked = [this] { ++checkRuns_; };
    ws_->OnStakesCleared = [this] { ++cleared_; };
    return *ws_;
  }
  std::vector<int> DrawNumbers() {
    std::vector<int> out;
    ws_->StakesFile().ForEach(0, [&](const TStake& s) { out.push_back(s.DrawNumber); });
    return out;
  }

  TSilentHost host_;
  std::unique_ptr<TWorkspace> ws_;
  std::vector<TStake> rated_;
  int checkRuns_ = 0;
  int cleared_ = 0;
};

TEST_F(StakesWorkspace, OneWorkspacePerDirectoryAlsoAfterARewrite) {
  TWorkspace& ws = Open();
  ws.StakeAdd(ws.StakePrepare(-1), 3);
  {
    TSilentHost other;
    TWorkspace second(other, dir_);
    EXPECT_FALSE(second.StakesOpen());
    ASSERT_EQ(other.messages.size(), 2u);
    EXPECT_EQ(other.messages[0].text.rfind("Ошибка чтения файла ставок!\r\r", 0), 0u);
    EXPECT_EQ(other.messages[1].text.rfind("Невозможно получить монопольный доступ к файлам "
                                           "данных!\r\rВозможные причины данной ошибки: ",
                                           0),
              0u);
    EXPECT_FALSE(second.StakesFileOpen());
  }
  ASSERT_EQ(ws.StakesDeleteRows(0, 1, false), 2);
  {
    TSilentHost other;
    TWorkspace second(other, dir_);
    EXPECT_FALSE(second.StakesOpen());
  }
  ws_.reset();
  TWorkspace third(host_, dir_);
  EXPECT_TRUE(third.StakesOpen());
  EXPECT_EQ(third.StakesCount(), 3);
}

TEST_F(StakesWorkspace, StartUpMendIsShownAsAWarningNamingTheBackup) {
  {
    TWorkspace& ws = Open();
    ws.StakeAdd(ws.StakePrepare(-1), 1);
  }
  ws_.reset();
  std::ofstream(Path(StakesFileName), std::ios::app | std::ios::binary) << "cut";
  host_.messages.clear();
  TWorkspace& ws = Open();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].kind, TMsgKind::Warning);
  EXPECT_NE(host_.messages[0].text.find(Path(StakesBackupFileName)), std::string::npos);
  EXPECT_EQ(ws.StakesCount(), 1);
  EXPECT_EQ(ReadWholeFile(Path(StakesBackupFileName)), "cut");
}

TEST_F(StakesWorkspace, ManualStakeForTheNextDrawIsCheckedOnceItsDrawArrives) {
  TWorkspace& ws = Open();
  ws.CombsGenerate(0, "", false);
  ws.SetDrawsOffset(1);  // the analysis point is draw 998: stakes go to 999
  const TStake prepared = ws.StakePrepare(0);
  EXPECT_EQ(prepared.DrawNumber, 999);
  EXPECT_EQ(prepared.SampleSize, FullCombsCount);
  EXPECT_EQ(NumberSetText(prepared.Numbers, ";"), "1;2;3;4;5");
  EXPECT_EQ(prepared.Comment, "Ставка \"вручную\"");
  EXPECT_EQ(MoneyText(prepared.Profit), "-10.00");

  // Three draws from 999: 999 is in the archive and is checked at once, 1000 and 1001 wait.
  ASSERT_TRUE(ws.StakeAdd(prepared, 3));
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{999, -1, 1000, -1, 1001}));
  ASSERT_EQ(rated_.size(), 1u);
  EXPECT_EQ(rated_[0].Matches(), 5);
  EXPECT_EQ(checkRuns_, 1);
  EXPECT_EQ(host_.status[spStakes], "Ставок: 5");
  EXPECT_EQ(host_.status[spMessage], "");

  // Adding a draw by hand checks nothing by itself.
  ASSERT_TRUE(ws.DrawsAdd(test::MakeDraw(1000, {1, 2, 3, 30, 31})));
  EXPECT_FALSE(ws.StakesReadRecord(2, TStakeOrigin::Start).IsChecked());
  EXPECT_TRUE(ws.StakesCheckAndRefresh());
  ASSERT_EQ(rated_.size(), 2u);
  EXPECT_EQ(rated_[1].DrawNumber, 1000);
  EXPECT_EQ(MoneyText(ws.StakesReadRecord(2, TStakeOrigin::Start).Profit), "40.00");
  EXPECT_FALSE(ws.StakesCheckAndRefresh());
  EXPECT_EQ(checkRuns_, 2);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(StakesWorkspace, StakesForTheSelectedOrAllCombinationsInListOrder) {
  TWorkspace& ws = Open();
  ws.CombsGenerate(0, "", false);
  std::vector<int> rows{2, 0, 5};
  EXPECT_EQ(ws.StakesAddCombs(&rows, 1000, 1, "мой"), 3u);
  std::vector<std::string> numbers;
  ws.StakesFile().ForEach(0, [&](const TStake& s) {
    numbers.push_back(NumberSetText(s.Numbers, ";"));
    EXPECT_EQ(s.Comment, "мой");
    EXPECT_EQ(s.SampleSize, FullCombsCount);
    EXPECT_EQ(s.Kind, skManual);
  });
  EXPECT_EQ(numbers, (std::vector<std::string>{CombText(ws.Combs()[2]), CombText(ws.Combs()[0]),
                                               CombText(ws.Combs()[5])}));
  EXPECT_TRUE(rated_.empty());

  ws.StakeClear(false);
  int grids = 0;
  ws.OnStakesGridChanged = [&](bool, bool) { ++grids; };
  EXPECT_EQ(ws.StakesAddCombs(nullptr, 999, 1, "все"), static_cast<size_t>(FullCombsCount));
  EXPECT_EQ(ws.StakesCount(), FullCombsCount);
  EXPECT_EQ(rated_.size(), static_cast<size_t>(FullCombsCount));
  EXPECT_GT(grids, 10);  // the grid follows the long run
  EXPECT_EQ(host_.status[spStakes], StrFormat("Ставок: %d", FullCombsCount));
}

TEST_F(StakesWorkspace, DeletingAsksFirstAndClearingRebuildsTheRating) {
  TWorkspace& ws = Open();
  ws.StakeAdd(ws.StakePrepare(-1), 4);  // 1000, sep, 1001, sep, 1002, sep, 1003
  host_.answer = false;
  EXPECT_EQ(ws.StakesDeleteRows(0, 2, true), 0);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0].caption, "Предупреждение");
  EXPECT_EQ(host_.questions[0].text,
            "Удалить все выделенные записи (всего будет удалено 3 записи(ей))?");
  host_.answer = true;
  EXPECT_EQ(ws.StakesDeleteRows(0, 2, true), 3);
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{-1, 1002, -1, 1003}));
  EXPECT_EQ(ws.StakesDeleteByCondition(3, 2), 2);  // unchecked stakes have m = -1
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{-1, -1}));

  ws.StakeAdd(ws.StakePrepare(-1), 1);
  host_.questions.clear();
  EXPECT_TRUE(ws.StakeClear(true));
  EXPECT_EQ(host_.questions[0].text,
            "Удалить все выделенные записи (всего будет удалено 3 записи(ей))?");
  EXPECT_EQ(ws.StakesCount(), 0);
  EXPECT_EQ(cleared_, 1);
  EXPECT_EQ(host_.status[spStakes], "Ставок: 0");
}

TEST_F(StakesWorkspace, LogsFollowTheSwitchAndAreDeletedOnRequest) {
  TWorkspace& ws = Open();
  ws.LogStakesDelete();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "Файлы журналов не найдены!");
  TStake s = ws.StakePrepare(-1);
  s.DrawNumber = 999;  // drawn 5, 20, 3, 36, 1: three matches
  s.Numbers = TNumberSet{5, {1, 3, 5, 7, 9}};
  ws.WindowState().StakesLogEnabled = false;
  ws.StakeAdd(s, 1);
  EXPECT_TRUE(StakesLogFiles(dir_).empty());
  ws.WindowState().StakesLogEnabled = true;
  ws.StakeAdd(s, 1);
  EXPECT_EQ(StakesLogFiles(dir_), std::vector<std::string>{Path("Kvarn_5x36-3.log")});
  host_.messages.clear();
  ws.LogStakesDelete();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].kind, TMsgKind::Info);
  EXPECT_TRUE(StakesLogFiles(dir_).empty());
}

TEST_F(StakesWorkspace, ProfitGraphNeedsADraw) {
  TWorkspace& ws = Open();
  EXPECT_TRUE(ws.StakesGraphDraws().empty());
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более "
            "одного тиража!");
  ws.StakeAdd(ws.StakePrepare(-1), 2);
  EXPECT_EQ(ws.StakesGraphDraws().size(), 3u);
}

}  // namespace
}  // namespace kvarn
