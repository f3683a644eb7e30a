#include <gtest/gtest.h>

#include <filesystem>

#include "app/workspace.h"
#include "common/data_dir_test.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

class ScenarioWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    ws.OnScriptChanged = [this] { ++changes; };
  }
  std::string Current() const { return ReadWholeFile(Path("Kvarn_5x36.lss")); }
  void Fill(std::initializer_list<const char*> lines) {
    for (const char* l : lines) ws.ScriptAdd(l);
    host.messages.clear();
    host.questions.clear();
  }

  TSilentHost host;
  TWorkspace ws{host, dir_};
  int changes = 0;
};

TEST_F(ScenarioWorkspace, StartupReadsTheCurrentScenarioWhenItExists) {
  EXPECT_TRUE(ws.ScriptStartup());
  EXPECT_EQ(ws.ScriptCount(), 0);
  WriteFileAtomic(Path("Kvarn_5x36.lss"), "a\r\n\r\nb\r\n");
  EXPECT_TRUE(ws.ScriptStartup());
  EXPECT_EQ(ws.Script(), (TScriptLines{"a", "", "b"}));
  EXPECT_EQ(ws.ScriptCountText(), "Строк: 3");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ScenarioWorkspace, AnUnreadableCurrentFileIsReplacedOnlyAfterAYes) {
  // Too big to read: a sparse file past the read limit.
  const std::string path = Path("Kvarn_5x36.lss");
  WriteFileAtomic(path, "a\r\n");
  std::filesystem::resize_file(path, DefaultReadLimit + 1);
  EXPECT_FALSE(ws.ScriptStartup());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find("Файл сценария не будет перезаписан без вашего согласия."),
            std::string::npos);
  EXPECT_EQ(ws.ScriptCount(), 0);

  // No keeps the file; the line stays in memory and the next change asks again.
  host.answer = false;
  ws.ScriptAdd("x");
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0].caption, "Предупреждение");
  EXPECT_EQ(std::filesystem::file_size(path), DefaultReadLimit + 1);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_NE(host.messages[1].text.find("Файл сценария оставлен без изменений"), std::string::npos);
  EXPECT_EQ(ws.ScriptCount(), 1);

  host.answer = true;
  ws.ScriptAdd("y");
  EXPECT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(Current(), "x\r\ny\r\n");
  // Once replaced, changes are written without a question.
  ws.ScriptAdd("z");
  EXPECT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(Current(), "x\r\ny\r\nz\r\n");
}

TEST_F(ScenarioWorkspace, EveryChangeIsWrittenAtOnce) {
  EXPECT_EQ(ws.ScriptAdd("FULL:0#EXT| | | | | | | |Первая"), 0);
  EXPECT_EQ(Current(), "FULL:0#EXT| | | | | | | |\xCF\xE5\xF0\xE2\xE0\xFF\r\n");
  EXPECT_EQ(ws.ScriptAdd(""), 1);
  EXPECT_TRUE(ws.ScriptReplace(0, "CURR:0#NONE| | | | | | | |"));
  EXPECT_EQ(ws.ScriptMove(1, -1), 0);
  EXPECT_EQ(Current(), "\r\nCURR:0#NONE| | | | | | | |\r\n");
  EXPECT_EQ(changes, 4);
  // Saving under another name writes a copy; the current file stays the one kept.
  EXPECT_TRUE(ws.ScriptSave(Path("copy.lsc")));
  EXPECT_EQ(ReadWholeFile(Path("copy.lsc")), Current());
  ws.ScriptAdd("x");
  EXPECT_NE(ReadWholeFile(Path("copy.lsc")), Current());
}

TEST_F(ScenarioWorkspace, FileErrorsAreShownAndKeepTheLines) {
  Fill({"a", "b"});
  EXPECT_FALSE(ws.ScriptOpen(Path("missing.lsc")));
  EXPECT_FALSE(ws.ScriptAppendFile(Path("missing.lsc")));
  EXPECT_EQ(ws.Script(), (TScriptLines{"a", "b"}));
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].caption, "Ошибка");
  EXPECT_EQ(
      host.messages[0].text.rfind("Ошибка чтения файла \"" + Path("missing.lsc") + "\"!\r\r", 0),
      0u);
  // A current file that cannot be written: the change stays in memory and the error is shown.
  std::filesystem::remove(Path("Kvarn_5x36.lss"));
  std::filesystem::create_directory(Path("Kvarn_5x36.lss"));
  host.messages.clear();
  ws.ScriptAdd("c");
  EXPECT_EQ(ws.ScriptCount(), 3);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(
      host.messages[0].text.rfind("Ошибка записи в файл \"" + Path("Kvarn_5x36.lss") + "\"!", 0),
      0u);
}

TEST_F(ScenarioWorkspace, OpenAndAppendReplaceOrExtendAndAreKept) {
  WriteFileAtomic(Path("s.lsc"), "s1\rs2\n");
  Fill({"a"});
  EXPECT_TRUE(ws.ScriptAppendFile(Path("s.lsc")));
  EXPECT_EQ(ws.Script(), (TScriptLines{"a", "", "s1", "s2"}));
  EXPECT_TRUE(ws.ScriptOpen(Path("s.lsc")));
  EXPECT_EQ(ws.Script(), (TScriptLines{"s1", "s2"}));
  EXPECT_EQ(Current(), "s1\r\ns2\r\n");
}

TEST_F(ScenarioWorkspace, DeletingAsksAndRemovesExactlyTheSelectedLines) {
  Fill({"0", "1", "2", "3", "4"});
  host.answer = false;
  EXPECT_FALSE(ws.ScriptDeleteRows({3}));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0].caption, "Предупреждение");
  EXPECT_EQ(host.questions[0].text, "Удалить выделенную запись?");
  EXPECT_EQ(ws.ScriptCount(), 5);

  host.answer = true;
  EXPECT_TRUE(ws.ScriptDeleteRows({3, 0, 3, 9}));
  EXPECT_EQ(host.questions[1].text,
            "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_EQ(ws.Script(), (TScriptLines{"1", "2", "4"}));
  EXPECT_EQ(Current(), "1\r\n2\r\n4\r\n");

  EXPECT_TRUE(ws.ScriptClear());
  EXPECT_EQ(host.questions[2].text,
            "Удалить все выделенные записи (всего будет удалено 3 записи(ей))?");
  EXPECT_EQ(Current(), "");
  EXPECT_FALSE(ws.ScriptClear());  // nothing to delete, nothing asked
  EXPECT_EQ(host.questions.size(), 3u);
}

TEST_F(ScenarioWorkspace, LinesOutsideTheScenarioAreReportedNotTouched) {
  Fill({"a", "b"});
  EXPECT_FALSE(ws.ScriptReplace(4, "x"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Запись со индексом 5 в файле данных не найдена!");
  EXPECT_THROW(ws.ScriptLineAt(2), EKvarnError);
  EXPECT_EQ(ws.ScriptMove(0, -1), -1);
  EXPECT_EQ(ws.ScriptMove(1, +1), -1);
  EXPECT_EQ(ws.Script(), (TScriptLines{"a", "b"}));
  EXPECT_EQ(ws.ScriptRow(7), TScriptListRow{});
}

TEST_F(ScenarioWorkspace, RatingRowsBecomeLinesOrAreRefusedOneByOne) {
  Fill({"a"});
  const int added = ws.ScriptAddFromRatings(
      {"Ставка \"вручную\"", "02.003: Тест @ FULL#EXT + TSD#SUMS:10#LMV:3#SF:1",
       "EXCL:5#RAND#NEX + TSD#DIGS:5#LNO:#SF:1 + BMF#SUMS:20#LNO:#SF:1"});
  EXPECT_EQ(added, 2);
  EXPECT_EQ(ws.Script(),
            (TScriptLines{
                "a",
                "FULL#EXT|TSD#SUMS:10#LMV:3#SF:1| | | | | | |02.003: Тест",
                "EXCL:5#RAND#NEX|TSD#DIGS:5#LNO:#SF:1|BMF#SUMS:20#LNO:#SF:1| | | | | |",
            }));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Строку\r\rСтавка \"вручную\"\r\rневозможно добавить в сценарий!");
  EXPECT_EQ(changes, 2);  // the filling line, then the rows at once
  EXPECT_EQ(ws.ScriptAddFromRatings({"Ставка \"вручную\""}), 0);
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace kvarn
