#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/files.h"
#include "core/text.h"
#include "stats/prefetch.h"

namespace kvarn {
namespace {

class ShreddingWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    test::WriteArchive(dir_, test::ArchiveOf(10, 1, [](int i) { return test::RunOfFive(i); }));
  }

  static int LineOf(const std::vector<TMethodBoxLine>& box, int entry) {
    for (size_t i = 0; i < box.size(); ++i)
      if (box[i].Entry == entry) return static_cast<int>(i);
    return -1;
  }

  TSilentHost host_;
};

TEST_F(ShreddingWorkspace, ApplyStoresWritesRefillsAndRecomputes) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  const int shr2 = ws.StatList().FindByIdent("SHR2");
  ASSERT_GE(shr2, 0);
  const int line = LineOf(ws.MethodBoxes().Stat, shr2);
  ASSERT_GE(line, 0);
  ws.SetStatSelected(line);
  ws.ComputeStatistics(true);

  TShreddingConfig s = ws.Settings().Shredding;
  s.Formulas[1] = "n5/n1";
  s.Digits[1] = 3;
  s.Digits[2] = 9;  // beyond the dialog's range
  EXPECT_TRUE(ws.ShreddingApply(s));
  EXPECT_TRUE(host_.messages.empty());

  EXPECT_EQ("n5/n1", ws.Settings().Shredding.Formulas[1]);
  EXPECT_EQ(3, ws.Settings().Shredding.Digits[1]);
  EXPECT_EQ(5, ws.Settings().Shredding.Digits[2]);
  const std::string ini = ReadWholeFile(ws.DataPath(ConfigFileName));
  EXPECT_NE(std::string::npos, ini.find("Formula2=n5/n1"));
  EXPECT_NE(std::string::npos, ini.find("Formula2Digits=3"));

  // The box line names the new formula and stays selected.
  ASSERT_EQ(line, ws.StatSelected());
  EXPECT_NE(std::string::npos, ws.MethodBoxes().Stat[static_cast<size_t>(line)].Text.find("n5/n1"));
  // The table shows the new formula's values: draw 3 is 3..7, and 7 / 3 gives 333.
  const auto& rows = ws.StatTable().Rows;
  EXPECT_TRUE(
      std::any_of(rows.begin(), rows.end(), [](const TStatRow& r) { return r.Cells[0] == "333"; }));
}

TEST_F(ShreddingWorkspace, AFailedWriteIsShownAndTheFormulasStayInUse) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  ws.StatList();
  host_.messages.clear();
  // A directory where the configuration file belongs cannot be replaced by a file.
  std::filesystem::remove_all(ws.DataPath(ConfigFileName));
  std::filesystem::create_directory(ws.DataPath(ConfigFileName));
  TShreddingConfig s = ws.Settings().Shredding;
  s.Formulas[0] = "n2/n3";
  EXPECT_FALSE(ws.ShreddingApply(s));
  ASSERT_EQ(1u, host_.messages.size());
  EXPECT_EQ(0u, host_.messages[0].text.rfind("Ошибка записи в файл конфигурации!\r\r", 0));
  EXPECT_EQ("n2/n3", ws.StatList().Items(ws.StatList().FindByIdent("SHR1")).FormulaText);
}

TEST_F(ShreddingWorkspace, ApplyRebuildsOnlyTheShreddingComparisonFiles) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  ws.WindowState().PrefetchsEnabled = true;
  TStatList& list = ws.StatList();
  // Placeholders stand for the files of the other groups, which must stay as they are.
  std::filesystem::create_directories(PrefetchDir(dir_));
  const std::string placeholder(PrefetchRecordSize, '\0');
  for (int i = 0; i < list.Count(); ++i)
    if (list.CanPrefetch(i)) WriteFileAtomic(ws.PrefetchPathOf(i), placeholder);

  TShreddingConfig s = ws.Settings().Shredding;
  s.Formulas = {"n1/7", "n1/7", "n1/7"};
  s.Digits = {1, 1, 1};
  ASSERT_TRUE(ws.ShreddingApply(s));
  for (int i = 0; i < list.Count(); ++i) {
    if (!list.CanPrefetch(i)) continue;
    const std::string bytes = ReadWholeFile(ws.PrefetchPathOf(i));
    const bool shredding = list.Items(i).IdentOf().rfind("SHR", 0) == 0;
    SCOPED_TRACE(list.Items(i).IdentOf());
    // n1 / 7 with one digit: n1 = 1..32 gives seven digits 0, 1, 2, 4, 5, 7, 8.
    EXPECT_EQ(shredding ? 7 * PrefetchRecordSize + 12 : PrefetchRecordSize, bytes.size());
  }
}

}  // namespace
}  // namespace kvarn
