#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

class StatsWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    test::WriteArchive(dir_, test::ArchiveOf(20, 501, [](int i) { return test::RunOfFive(i); }));
  }

  TSilentHost host_;
};

TEST_F(StatsWorkspace, NonForcedRequestSkipsWhileTheInputsStay) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  ASSERT_FALSE(ws.MethodBoxes().Stat.empty());
  ASSERT_EQ(ws.StatSelected(), 0);  // the first line
  EXPECT_EQ(ws.StatList().Items(ws.StatSelectedEntry()).IdentOf(), "NUMS");

  EXPECT_TRUE(ws.ComputeStatistics(false));
  ASSERT_EQ(ws.StatTable().Rows.size(), 36u);
  EXPECT_EQ(ws.StatTable().Window.N, 20);
  EXPECT_FALSE(ws.ComputeStatistics(false));
  EXPECT_TRUE(ws.ComputeStatistics(true));

  ws.SetStatLen(5);
  EXPECT_TRUE(ws.ComputeStatistics(false));
  EXPECT_EQ(ws.StatTable().Window.N, 5);
  ws.SetDrawsOffset(3);
  EXPECT_TRUE(ws.ComputeStatistics(false));
  EXPECT_EQ(ws.StatTable().Window.Last, 16);

  // No line selected: the table is emptied.
  ws.SetStatSelected(-1);
  EXPECT_TRUE(ws.ComputeStatistics(false));
  EXPECT_TRUE(ws.StatTable().Rows.empty());
  EXPECT_THROW(ws.CreateSelected(false), EKvarnError);
  try {
    ws.CreateSelected(false);
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Не выбран метод расчета статистики (cb: cbDrawsStatType)!");
  }
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(StatsWorkspace, RefillKeepsSelectionNamesAndFavourites) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  TStatList& list = ws.StatList();
  const int pos3 = list.FindByIdent("POS3");
  ASSERT_GE(pos3, 0);
  list.Items(pos3).CustomName = "Третье число";
  list.SetFavouritesText("NUMS,POS3,EVEN");
  ws.SetStatSelected(2);
  ws.MethodBoxesRefill(true);
  const TMethodBoxes& boxes = ws.MethodBoxes();
  ASSERT_EQ(boxes.Stat.size(), 3u);
  EXPECT_EQ(boxes.Stat[0].Text, "{ num } Числа тиража [ N ]");
  EXPECT_EQ(boxes.Stat[2].Text, "{ num } Третье число [ SNG ]");
  ASSERT_EQ(boxes.Graph.size(), 2u);  // EVEN and POS3
  EXPECT_EQ(ws.StatSelected(), 2);
  EXPECT_EQ(ws.GraphSelected(), 0);

  // A new workspace over the same directory reads the method list file.
  TWorkspace again(host_, dir_);
  again.OpenHeadless();
  EXPECT_EQ(again.MethodBoxes().Stat.size(), 3u);
  EXPECT_EQ(again.StatList().Items(pos3).Name(), "Третье число");

  ws.SetStatSelected(7);  // outside the box
  EXPECT_EQ(ws.StatSelected(), -1);
  ws.MethodBoxesRefill(true);
  EXPECT_EQ(ws.StatSelected(), 0);
}

TEST_F(StatsWorkspace, WeightsFollowTheSettingsAndTheScenarioCopy) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  ws.Config().CoefCount = 2;
  ws.StatSyncSettings();
  TStatList& list = ws.StatList();
  EXPECT_EQ(list.Weights.Count, 2);
  list.SaveWeights();
  TStatWeights over;
  over.Level = 5;
  list.ApplyWeights(&over);
  EXPECT_EQ(list.Weights.Level, 5);
  list.ApplyWeights(nullptr);
  EXPECT_EQ(list.Weights.Level, 1);
  EXPECT_EQ(list.Weights.Count, 2);
  list.Weights.Count = 9;
  list.RestoreWeights();
  EXPECT_EQ(list.Weights.Count, 2);
}

}  // namespace
}  // namespace kvarn
