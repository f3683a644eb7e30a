#include <gtest/gtest.h>

#include "app/workspace.h"
#include "common/data_dir_test.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "stakes/regulars_file.h"

namespace kvarn {
namespace {

class RegularsWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    ws = std::make_unique<TWorkspace>(host, dir_);
    ws->CombsReserve();
    ws->TabTables(true);
  }
  std::vector<std::string> Comments() const {
    std::vector<std::string> out;
    for (const TRegular& r : ws->Regulars()) out.push_back(r.Comment);
    return out;
  }
  TRegularInput Input(const std::string& start) {
    TRegularInput in;
    in.StartText = start;
    return in;
  }

  TSilentHost host;
  std::unique_ptr<TWorkspace> ws;
};

TEST_F(RegularsWorkspace, ThreeSelectedRowsMakeThreeNumberedRegulars) {
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6;7", false);  // 21 combinations
  const std::vector<TSelectedComb> selected = ws->RegularsSelectedCombs({3, 8, 11, 500});
  ASSERT_EQ(selected.size(), 3u);
  EXPECT_EQ(selected[0].Row, 4);
  const TRegularsCreation c = ws->RegularsCheck(Input(RegularSelectedCombsText), selected);
  ASSERT_EQ(c.Field, TRegularField::None);
  EXPECT_TRUE(ws->TablesAdd(c.Created));
  EXPECT_EQ(Comments(), (std::vector<std::string>{"Регулярная ставка (4)", "Регулярная ставка (9)",
                                                  "Регулярная ставка (12)"}));
  EXPECT_EQ(ws->Regulars()[1].Start, ws->Combs()[8]);

  // Saved at once: a second workspace reads them.
  TSilentHost other;
  TWorkspace again(other, dir_);
  again.TabTables(true);
  EXPECT_EQ(again.RegularsCount(), 3);
}

TEST_F(RegularsWorkspace, HidingTheTabFreesAndShowingReloadsTheFile) {
  ASSERT_TRUE(ws->TablesAdd(ws->RegularsCheck(Input("1;2;3;4;5"), {}).Created));
  int notified = 0;
  ws->OnRegularsChanged = [&] { ++notified; };
  ws->TabTables(false);
  EXPECT_EQ(ws->RegularsCount(), 0);
  EXPECT_FALSE(ws->TablesAdd(ws->RegularsCheck(Input("6;7;8;9;10"), {}).Created));
  EXPECT_FALSE(ws->RegularsSave());  // hidden: nothing is written over the file

  // The file changed while the tab was hidden: showing it again reads the file.
  TRegularsStore store(dir_);
  store.Load();
  store.Items()[0].Comment = "изменён";
  store.Save();
  ws->TabTables(true);
  EXPECT_EQ(Comments(), (std::vector<std::string>{"изменён"}));
  EXPECT_GE(notified, 2);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(RegularsWorkspace, DeletingAsksAndRemovesTheChosenRegulars) {
  for (const char* start : {"1;2;3;4;5", "2;3;4;5;6", "3;4;5;6;7"}) {
    TRegularInput in = Input(start);
    in.Comment = start;
    ASSERT_TRUE(ws->TablesAdd(ws->RegularsCheck(in, {}).Created));
  }
  host.answer = false;
  EXPECT_FALSE(ws->TablesDel({0, 2}));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0].text,
            "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_EQ(ws->RegularsCount(), 3);
  host.answer = true;
  EXPECT_TRUE(ws->TablesDel({2, 0}));
  EXPECT_EQ(Comments(), (std::vector<std::string>{"2;3;4;5;6"}));
  EXPECT_TRUE(ws->TablesDel({0}));
  EXPECT_EQ(host.questions.back().text, "Удалить выделенную запись?");
  EXPECT_EQ(ReadWholeFile(PathJoin(dir_, RegularsFileName)), "");
}

TEST_F(RegularsWorkspace, UnreadableFileIsReportedAndKept) {
  WriteFileAtomic(PathJoin(dir_, RegularsFileName), std::string(300, 'x'));
  ws->TabTables(false);
  ws->TabTables(true);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].caption, "Ошибка");
  EXPECT_EQ(host.messages[0].text.rfind("Ошибка чтения файла регулярных ставок!\r\r", 0), 0u);
  EXPECT_EQ(ws->RegularsCount(), 1);  // the whole record before the torn tail
  EXPECT_TRUE(ws->RegularsSave());
  EXPECT_EQ(ReadWholeFile(PathJoin(dir_, RegularsBackupFileName)), std::string(300, 'x'));
}

}  // namespace
}  // namespace kvarn
