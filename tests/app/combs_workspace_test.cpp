#include <gtest/gtest.h>

#include <filesystem>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;

class CombsWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    ws = std::make_unique<TWorkspace>(host, dir_);
    ws->CombsReserve();
  }
  void TearDown() override { ws.reset(); }
  void AddDraw(int number, TComb values) {
    ws->MutableDraws().push_back(test::MakeDraw(number, values));
  }
  std::string LastMessage() const {
    return host.messages.empty() ? std::string() : host.messages.back().text;
  }

  TSilentHost host;
  const std::filesystem::path dir{dir_};
  std::unique_ptr<TWorkspace> ws;
};

TEST_F(CombsWorkspace, GenerateInteractiveResetsUndoBufferAndFilters) {
  ws->CombsGenerate(gmFull, "", true);
  EXPECT_EQ(ws->Combs().Count(), FullCombsCount);
  EXPECT_EQ(host.status[spCombs], "Комбинаций: 376992");
  ws->CombsBufferSave(1, 2);
  ws->CombsDelSelected({0, 1});
  ASSERT_EQ(ws->AppliedFilters().size(), 1u);
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6", true);
  EXPECT_EQ(ws->Combs().Count(), 6);
  EXPECT_EQ(ws->CombsUndoList().Count(), 0);
  EXPECT_EQ(ws->CombsBuffer().Key1, -1);
  EXPECT_TRUE(ws->AppliedFilters().empty());
  EXPECT_FALSE(ws->CombsUndo());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(CombsWorkspace, GenerateFromFileAndItsErrors) {
  const std::string path = (dir / "список.lcv").string();
  WriteFileAtomic(path, "Заголовок\r\n1;2;3;4;5\r\n\r\n1;2;3;4\r\n5,6,7,8,9\r\n");
  ws->CombsGenerate(gmFile, path, true);
  ASSERT_EQ(ws->Combs().Count(), 2);
  EXPECT_EQ(ws->Combs()[1], (TComb{5, 6, 7, 8, 9}));

  ws->CombsGenerate(gmFile, (dir / "нет.lcv").string(), true);
  EXPECT_EQ(ws->Combs().Count(), 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].caption, "Ошибка");
  EXPECT_EQ(
      LastMessage().rfind("Ошибка чтения файла \"" + (dir / "нет.lcv").string() + "\"!\r\r", 0),
      0u);
}

TEST_F(CombsWorkspace, OpenSaveAndFailedOpenRestores) {
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6;7", true);
  const std::string path = (dir / "a.lcv").string();
  ASSERT_TRUE(ws->CombsSave(path));
  EXPECT_EQ(ReadWholeFile(path).substr(0, 22), "1;2;3;4;5\r\n1;2;3;4;6\r\n");
  ws->CombsDelSelected({0});
  ASSERT_TRUE(ws->CombsOpen(path));
  EXPECT_EQ(ws->Combs().Count(), 21);
  EXPECT_TRUE(ws->AppliedFilters().empty());
  EXPECT_EQ(ws->CombsUndoList().Count(), 0) << "opening empties the snapshot";

  ws->CombsDelSelected({0});
  EXPECT_FALSE(ws->CombsOpen((dir / "missing.lcv").string()));
  EXPECT_EQ(ws->Combs().Count(), 20) << "a failed open restores the list";
  EXPECT_EQ(ws->CombsUndoList().Count(), 0);
  EXPECT_TRUE(ws->AppliedFilters().empty());

  EXPECT_FALSE(ws->CombsSave((dir / "no" / "dir.lcv").string()));
  EXPECT_EQ(LastMessage().rfind("Ошибка записи в файл \"", 0), 0u);
}

TEST_F(CombsWorkspace, PasteKeepsTheListOnABadLine) {
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6", true);
  ws->CombsDelSelected({5});
  ASSERT_EQ(ws->AppliedFilters().size(), 1u);
  EXPECT_FALSE(ws->CombsPaste("01 02 03 04 05\r\n1 2 3 4 5 6\r\n"));
  EXPECT_EQ(LastMessage(), "Некорректная комбинация: \"1 2 3 4 5 6\"!");
  EXPECT_EQ(ws->Combs().Count(), 5);
  EXPECT_EQ(ws->Combs()[0], (TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(ws->AppliedFilters().size(), 1u);
  EXPECT_EQ(ws->CombsUndoList().Count(), 0);

  EXPECT_FALSE(ws->CombsPaste(""));
  EXPECT_TRUE(ws->CombsPaste("10 11 12 13 14\r\n15-16-17-18-19"));
  ASSERT_EQ(ws->Combs().Count(), 2);
  EXPECT_TRUE(ws->AppliedFilters().empty());
  EXPECT_EQ(ws->CombsCopyText({1, 0}), "15 16 17 18 19\r\n10 11 12 13 14");
}

TEST_F(CombsWorkspace, DeleteSelectedAndUndoOnce) {
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6;7", true);
  ws->CombsDelSelected({3, 1, 3});
  EXPECT_EQ(ws->Combs().Count(), 19);
  ASSERT_EQ(ws->AppliedFilters().size(), 1u);
  const TAppliedFilter& f = ws->AppliedFilters()[0];
  EXPECT_EQ(f.Caption, "Выделенные комбинации");
  EXPECT_EQ(f.Values, "2");
  EXPECT_EQ(f.Count, 19);
  EXPECT_TRUE(f.Exclude);
  EXPECT_TRUE(ws->CombsUndo());
  EXPECT_EQ(ws->Combs().Count(), 21);
  EXPECT_EQ(ws->Combs()[1], (TComb{1, 2, 3, 4, 6}));
  EXPECT_TRUE(ws->AppliedFilters().empty());
  EXPECT_FALSE(ws->CombsUndo()) << "undo depth is one step";
  EXPECT_EQ(ws->Combs().Count(), 21);
}

TEST_F(CombsWorkspace, DelExistsUsesTheDrawsUpToTheOffset) {
  AddDraw(1, {1, 2, 3, 4, 5});
  AddDraw(2, {6, 2, 3, 4, 1});
  AddDraw(3, {1, 2, 3, 4, 7});
  ws->CombsGenerate(gmFull, "", true);
  ws->SetDrawsOffset(1);
  ws->CombsDelExists(1000);
  EXPECT_EQ(ws->Combs().Count(), FullCombsCount - 2) << "draw 3 is after the analysis point";
  EXPECT_EQ(ws->Combs()[0], (TComb{1, 2, 3, 4, 7}));
  ASSERT_EQ(ws->AppliedFilters().size(), 1u);
  EXPECT_EQ(ws->AppliedFilters()[0].Caption, "Последние тиражи");
  EXPECT_EQ(ws->AppliedFilters()[0].Values, "1000");
  EXPECT_EQ(ws->AppliedFilters()[0].Count, FullCombsCount - 2);
  EXPECT_TRUE(host.status[spMessage].empty()) << "the progress text is cleared";
  ws->CombsUndo();
  ws->SetDrawsOffset(0);
  ws->CombsDelExists(1);
  EXPECT_EQ(ws->Combs().Count(), FullCombsCount - 1);
  EXPECT_EQ(ws->Combs()[2], (TComb{1, 2, 3, 4, 8}));
}

TEST_F(CombsWorkspace, FindInDrawsAndUniqueNumbers) {
  for (int i = 1; i <= 40; ++i) AddDraw(i, {5, 4, 3, 2, 1});
  AddDraw(41, {7, 8, 9, 10, 11});
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6", true);
  std::vector<std::string> lines = ws->CombsFindInDraws(0);
  ASSERT_EQ(lines.size(), 26u);
  const std::string text = LastMessage();
  EXPECT_EQ(text.rfind("Выделенная комбинация найдена в следующих тиражах:\r\rТираж № 40 от ", 0),
            0u);
  EXPECT_EQ(host.messages.back().caption, "Информация");
  EXPECT_TRUE(ws->CombsFindInDraws(1).empty());
  EXPECT_EQ(LastMessage(), "Выделенная комбинация не найдена архиве тиражей!");

  EXPECT_EQ(ws->CombsCheckNums(), 6);
  EXPECT_EQ(LastMessage(), "В текущем списке комбинаций содержится 6 уникальных номеров");
  ws->CombsGenerate(gmOnlyMine, "", true);
  EXPECT_EQ(ws->CombsCheckNums(), 0);
}

TEST_F(CombsWorkspace, KeyedBuffer) {
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6", true);
  EXPECT_FALSE(ws->CombsBufferRestore(-1, -1)) << "an empty buffer never restores";
  ws->CombsBufferSave(3, 4);
  ws->CombsDelSelected({0, 1, 2});
  EXPECT_FALSE(ws->CombsBufferRestore(3, 5));
  ws->CombsBufferSave(3, 4);  // same key: the buffer keeps the six
  EXPECT_TRUE(ws->CombsBufferRestore(3, 4));
  EXPECT_EQ(ws->Combs().Count(), 6);
  ws->CombsBufferReset();
  EXPECT_EQ(ws->CombsBuffer().Key1, -1);
  EXPECT_FALSE(ws->CombsBufferRestore(3, 4));
}

TEST_F(CombsWorkspace, RowTextsAndColours) {
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;36", true);
  EXPECT_EQ(ws->CombsCellText(5, 0), "6");
  EXPECT_EQ(ws->CombsCellText(5, 5), "36");
  EXPECT_EQ(ws->CombsCellText(5, 6), "50");
  ws->WindowState().ColorCombs = true;
  ws->Config().ChannelSize = 6;
  EXPECT_EQ(ws->CombsCellColour(5, 5), ChannelColour(36, 6));
  ws->WindowState().ColorCombs = false;
  EXPECT_EQ(ws->CombsCellColour(5, 5), 0xFFFFFFu);
}

}  // namespace
}  // namespace kvarn
