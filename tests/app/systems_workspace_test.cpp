#include <gtest/gtest.h>

#include <filesystem>

#include "app/workspace.h"
#include "common/data_dir_test.h"
#include "core/files.h"

namespace kvarn {
namespace {

class SystemsWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    ws = std::make_unique<TWorkspace>(host, dir_);
    ws->SystemsOn(true);
  }
  tSystemData Imported(const std::string& text) {
    WriteFileAtomic(Path("system.txt"), text);
    tSystemData data;
    EXPECT_TRUE(ws->SystemsImport(Path("system.txt"), data));
    data.Info.Title = "Импорт";
    data.Info.Author = "я";
    data.Info.Description = "проба";
    return data;
  }

  TSilentHost host;
  std::unique_ptr<TWorkspace> ws;
};

TEST_F(SystemsWorkspace, ImportedFileIsNormalisedCountedAndStored) {
  const tSystemData data = Imported("1-2-3-4-5\r\n\r\n2|3|4|5|7\r\n");
  EXPECT_EQ(data.Combs, "01 02 03 04 05\r\n02 03 04 05 07");
  EXPECT_EQ(data.Info.NumsCount, 7);
  EXPECT_EQ(data.Info.CombsCount, 2);
  EXPECT_EQ(data.Info.Id, 1);
  int notified = 0;
  ws->OnSystemsChanged = [&] { ++notified; };
  EXPECT_TRUE(ws->SystemsAdd(data));
  ASSERT_EQ(ws->Systems().size(), 1u);
  EXPECT_EQ(ws->Systems()[0].Info.Title, "Импорт");
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(ws->SystemsNew().Info.Id, 2);
}

TEST_F(SystemsWorkspace, MalformedFileFailsWithItsMessageAndChangesNothing) {
  ASSERT_TRUE(ws->SystemsAdd(Imported("1 2 3 4 5\r\n2 3 4 5 7\r\n")));
  const std::string stored = ReadWholeFile(ws->Systems()[0].FileName);

  WriteFileAtomic(Path("bad.txt"), "1 2 3 4 5\r\n1 2 3 4 x\r\n");
  tSystemData data;
  data.Info.Title = "прежнее";
  EXPECT_FALSE(ws->SystemsImport(Path("bad.txt"), data));
  EXPECT_EQ(data.Info.Title, "прежнее");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Ошибка загрузки комбинаций системы!\r\rНекорректная комбинация: \"1 2 3 4 x\"!");
  EXPECT_FALSE(ws->SystemsImport(Path("missing.txt"), data));
  EXPECT_EQ(host.messages.back().text.rfind("Ошибка чтения файла \"", 0), 0u);

  ASSERT_EQ(ws->Systems().size(), 1u);
  EXPECT_EQ(ReadWholeFile(ws->Systems()[0].FileName), stored);
}

TEST_F(SystemsWorkspace, RefusedAddIsShownAndTheStoreStays) {
  tSystemData data = Imported("1 2 3 4 5\r\n2 3 4 5 7\r\n");
  data.Info.Title = "";
  EXPECT_FALSE(ws->SystemsAdd(data));
  EXPECT_EQ(host.messages.back().text,
            "Ошибка добавления системы!\r\rНазвание системы должно быть указано обязательно!");
  EXPECT_TRUE(ws->Systems().empty());
  EXPECT_FALSE(std::filesystem::exists(SystemFileName(dir_, data.Info)));
}

}  // namespace
}  // namespace kvarn
