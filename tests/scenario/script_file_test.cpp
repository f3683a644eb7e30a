#include "scenario/script_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;

class ScriptFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("kvarn_script_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const char* name) { return (dir / name).string(); }
  void WriteBytes(const char* name, std::string_view bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Bytes(const char* name) { return ReadWholeFile(Path(name)); }

  fs::path dir;
};

TEST_F(ScriptFileTest, EveryLineEndEndsALineAndAFinalOneAddsNothing) {
  EXPECT_EQ(ScriptSplitLines("a\rb\nc\r\nd"), (TScriptLines{"a", "b", "c", "d"}));
  EXPECT_EQ(ScriptSplitLines("a\r\n"), (TScriptLines{"a"}));
  EXPECT_EQ(ScriptSplitLines("a\r\n\r\n"), (TScriptLines{"a", ""}));
  EXPECT_EQ(ScriptSplitLines("\n\r"), (TScriptLines{"", ""}));
  EXPECT_EQ(ScriptSplitLines("a\r\rb"), (TScriptLines{"a", "", "b"}));
  EXPECT_EQ(ScriptSplitLines(""), TScriptLines{});
}

TEST_F(ScriptFileTest, SavesCp1251WithCrLfAndReadsItBack) {
  TScriptLines lines{"FULL:0#EXT| | | | | | | |Проверка ёЁ", "", "EXCL:5#RAND| | | | | | | |"};
  ScriptFileSave(lines, Path("a.lsc"));
  EXPECT_EQ(Bytes("a.lsc"),
            "FULL:0#EXT| | | | | | | |\xCF\xF0\xEE\xE2\xE5\xF0\xEA\xE0 \xB8\xA8\r\n\r\n"
            "EXCL:5#RAND| | | | | | | |\r\n");
  TScriptLines back;
  ScriptFileLoad(back, Path("a.lsc"));
  EXPECT_EQ(back, lines);
  EXPECT_FALSE(fs::exists(Path("a.lsc.~new")));
}

TEST_F(ScriptFileTest, ReadsCrOnlyAndMixedFiles) {
  WriteBytes("cr.lsc", "one\rtwo\r\xC4\xE0\r");
  WriteBytes("mixed.lsc", "one\r\ntwo\nthree\rfour");
  TScriptLines s;
  ScriptFileLoad(s, Path("cr.lsc"));
  EXPECT_EQ(s, (TScriptLines{"one", "two", "Да"}));
  ScriptFileLoad(s, Path("mixed.lsc"));
  EXPECT_EQ(s, (TScriptLines{"one", "two", "three", "four"}));
}

TEST_F(ScriptFileTest, FailedReadKeepsTheScenario) {
  TScriptLines s{"keep"};
  try {
    ScriptFileLoad(s, Path("missing.lsc"));
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()), "Ошибка чтения файла \"" + Path("missing.lsc") +
                                         "\"!\r\rНет такого файла или каталога");
  }
  EXPECT_THROW(ScriptFileAppend(s, Path("missing.lsc")), EKvarnError);
  EXPECT_EQ(s, TScriptLines{"keep"});
}

TEST_F(ScriptFileTest, FailedWriteNamesTheFile) {
  const std::string path = Path("no-such-dir/a.lsc");
  try {
    ScriptFileSave({"new"}, path);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()), "Ошибка записи в файл \"" + path + "\"!\r\r" + path +
                                         ": Нет такого файла или каталога");
  }
  // A directory in the file's place stays as it was.
  fs::create_directories(Path("taken.lsc"));
  EXPECT_THROW(ScriptFileSave({"new"}, Path("taken.lsc")), EKvarnError);
  EXPECT_TRUE(fs::is_directory(Path("taken.lsc")));
  EXPECT_FALSE(fs::exists(Path("taken.lsc.~new")));
}

TEST_F(ScriptFileTest, AppendAddsOneSeparator) {
  WriteBytes("b.lsc", "b1\r\nb2\r\n");
  WriteBytes("empty.lsc", "");
  TScriptLines s;
  ScriptFileAppend(s, Path("b.lsc"));  // into an empty scenario: a load
  EXPECT_EQ(s, (TScriptLines{"b1", "b2"}));
  ScriptFileAppend(s, Path("b.lsc"));
  EXPECT_EQ(s, (TScriptLines{"b1", "b2", "", "b1", "b2"}));
  // The last line is already a separator: no second one.
  s = {"a", "  "};
  ScriptFileAppend(s, Path("b.lsc"));
  EXPECT_EQ(s, (TScriptLines{"a", "  ", "b1", "b2"}));
  // A file without lines adds nothing, not even a separator.
  s = {"a"};
  ScriptFileAppend(s, Path("empty.lsc"));
  EXPECT_EQ(s, TScriptLines{"a"});
}

TEST_F(ScriptFileTest, AddLineCreatesOrExtendsAFile) {
  ScriptFileAddLine(Path("n.lsc"), "Первая");
  ScriptFileAddLine(Path("n.lsc"), "");
  EXPECT_EQ(Bytes("n.lsc"), "\xCF\xE5\xF0\xE2\xE0\xFF\r\n\r\n");
  // A file that cannot be read is not replaced.
  fs::create_directories(Path("dir.lsc"));
  EXPECT_THROW(ScriptFileAddLine(Path("dir.lsc"), "x"), EKvarnError);
  EXPECT_TRUE(fs::is_directory(Path("dir.lsc")));
}

TEST_F(ScriptFileTest, CurrentScenarioFile) {
  TScriptLines s{"x"};
  EXPECT_FALSE(ScriptAutoLoad(s, dir.string()));
  EXPECT_EQ(s, TScriptLines{"x"});
  ScriptAutoSave({"a", "б"}, dir.string());
  EXPECT_EQ(Bytes("Kvarn_5x36.lss"), "a\r\n\xE1\r\n");
  EXPECT_TRUE(ScriptAutoLoad(s, dir.string()));
  EXPECT_EQ(s, (TScriptLines{"a", "б"}));
  // An empty scenario is an empty file, read back as no lines.
  ScriptAutoSave({}, dir.string());
  EXPECT_EQ(Bytes("Kvarn_5x36.lss"), "");
  EXPECT_TRUE(ScriptAutoLoad(s, dir.string()));
  EXPECT_TRUE(s.empty());
}

TEST_F(ScriptFileTest, LineGetAndPutCheckTheIndex) {
  TScriptLines s{"a", "b"};
  EXPECT_EQ(ScriptLineGet(s, 1), "b");
  ScriptLinePut(s, 0, "c");
  EXPECT_EQ(s, (TScriptLines{"c", "b"}));
  try {
    ScriptLineGet(s, 2);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Запись со индексом 3 в файле данных не найдена!");
  }
  EXPECT_THROW(ScriptLinePut(s, -1, "x"), EKvarnError);
  EXPECT_EQ(s, (TScriptLines{"c", "b"}));
}

}  // namespace
}  // namespace kvarn
