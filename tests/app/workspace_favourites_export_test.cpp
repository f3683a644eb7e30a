#include <gtest/gtest.h>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "common/xlsx_read.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

class FavouritesWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    test::WriteArchive(dir_, test::ArchiveOf(30, 501, [](int i) { return test::SpreadOfFive(i); }));
    ws_.OpenHeadless();
  }
  std::vector<std::string> BoxIdents() {
    std::vector<std::string> ids;
    for (const TMethodBoxLine& l : ws_.MethodBoxes().Stat)
      ids.push_back(ws_.StatList().Items(l.Entry).IdentOf());
    return ids;
  }

  TSilentHost host_;
  TWorkspace ws_{host_, dir_};
};

TEST_F(FavouritesWorkspace, ManagersOkSavesTheStateAndRefillsTheBoxesFromTheFirstLine) {
  ws_.SetStatSelected(5);
  TStatList& list = ws_.StatList();
  list.SetFavouritesText("SUMS,NUMS");
  list.Items(list.FindByIdent("SUMS")).CustomName = "Сумма";
  ws_.FavouritesApplied();
  EXPECT_EQ(BoxIdents(), (std::vector<std::string>{"NUMS", "SUMS"}));
  EXPECT_EQ(ws_.StatSelected(), 0);
  EXPECT_EQ(ws_.MethodBoxes().Stat[1].Text, "{ sum } Сумма [ NG ]");
  // In the file, and so after a restart.
  const std::string flt = Cp1251ToUtf8(ReadWholeFile(ws_.MethodListPath()));
  EXPECT_NE(flt.find("Favorites=NUMS,SUMS\r\n"), std::string::npos);
  EXPECT_NE(flt.find("SUMS=Сумма\r\n"), std::string::npos);
  TSilentHost host2;
  TWorkspace again(host2, dir_);
  again.OpenHeadless();
  EXPECT_EQ(again.MethodBoxes().Stat.size(), 2u);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(FavouritesWorkspace, DirectEditsAreSavedAndUnknownIdentifiersChangeNothing) {
  const size_t all = ws_.MethodBoxes().Stat.size();
  ws_.FavouritesSet({"nums", "DIGS"}, false);
  EXPECT_EQ(ws_.MethodBoxes().Stat.size(), all - 2);
  EXPECT_THROW(ws_.FavouritesSet({"EVEN", "NOPE"}, false), EKvarnError);
  EXPECT_EQ(ws_.MethodBoxes().Stat.size(), all - 2);
  ws_.FavouritesSet({"NUMS", "DIGS"}, true);
  EXPECT_EQ(ws_.MethodBoxes().Stat.size(), all);
  EXPECT_TRUE(ws_.StatList().AllFavourite);

  ws_.FavouritesRename("pos2", "Вторая");
  EXPECT_NE(Cp1251ToUtf8(ReadWholeFile(ws_.MethodListPath())).find("POS2=Вторая\r\n"),
            std::string::npos);
}

TEST_F(FavouritesWorkspace, NamesGoOutAndComeBackThroughNameFiles) {
  ws_.FavouritesRename("SUMS", "Сумма");
  ASSERT_TRUE(ws_.FavouritesExport(Path("names.flt")));
  const std::string out = Cp1251ToUtf8(ReadWholeFile(Path("names.flt")));
  EXPECT_NE(out.find("SUMS=Сумма\r\n"), std::string::npos);
  EXPECT_NE(out.find("NUMS=Числа тиража\r\n"), std::string::npos);
  EXPECT_EQ(out.find("Favorites"), std::string::npos);

  // A name file without this language's names gives back every default caption.
  WriteFileAtomic(Path("other.flt"), "[STRINGS_ENU]\r\nSUMS=Sum\r\n");
  ASSERT_TRUE(ws_.FavouritesImport(Path("other.flt")));
  EXPECT_EQ(ws_.StatList().Items(ws_.StatEntryOf("SUMS")).CustomName, "");
  ASSERT_TRUE(ws_.FavouritesImport(Path("names.flt")));
  EXPECT_EQ(ws_.StatList().Items(ws_.StatEntryOf("SUMS")).Name(), "Сумма");

  // A file that cannot be read is reported and the names stay.
  EXPECT_FALSE(ws_.FavouritesImport(dir_));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text.rfind("Ошибка загрузки списка фильтров!\r\r", 0), 0u);
  EXPECT_EQ(ws_.StatList().Items(ws_.StatEntryOf("SUMS")).Name(), "Сумма");
}

TEST_F(FavouritesWorkspace, ExportsWriteTheListsAndReportFailures) {
  ASSERT_TRUE(ws_.DrawsXlsExport(Path("draws.xlsx")));
  const auto draws = test::ReadXlsx(Path("draws.xlsx"), 2);
  ASSERT_TRUE(draws.Ok) << draws.Output;
  EXPECT_EQ(draws.Dimension, "A1:I31");
  EXPECT_EQ(draws.Cells.at("A2").Value, "530");

  // (The full list's speed is measured by the benchmark.)
  ASSERT_TRUE(ws_.CombsPaste("1 2 3 4 5\n6 7 8 9 10\n"));
  std::vector<size_t> steps;
  ASSERT_TRUE(ws_.CombsXlsExport(Path("combs.xlsx"), [&](size_t done, size_t total) {
    EXPECT_EQ(total, 2u);
    steps.push_back(done);
    return true;
  }));
  EXPECT_EQ(steps, (std::vector<size_t>{0, 2}));
  const auto combs = test::ReadXlsx(Path("combs.xlsx"));
  EXPECT_EQ(combs.Dimension, "A1:G3");
  EXPECT_EQ(combs.Cells.at("G3").Value, "40");

  // Stopped: nothing is written and nothing is reported.
  EXPECT_FALSE(ws_.CombsXlsExport(Path("stopped.xlsx"), [](size_t, size_t) { return false; }));
  EXPECT_FALSE(FileExists(Path("stopped.xlsx")));
  EXPECT_TRUE(host_.messages.empty());

  ws_.ComputeStatistics(true);
  ASSERT_TRUE(ws_.StatXlsExport(Path("stat.xlsx")));
  EXPECT_EQ(test::ReadXlsx(Path("stat.xlsx"), 1).Cells.at("A1").Value, "Значение");

  EXPECT_FALSE(ws_.DrawsXlsExport(Path("no-such-dir/x.xlsx")));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text.rfind("Ошибка экспорта в файл!\r\r", 0), 0u);
  EXPECT_EQ(host_.BusyCount(), 0);
}

}  // namespace
}  // namespace kvarn
