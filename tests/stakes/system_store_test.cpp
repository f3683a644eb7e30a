#include "stakes/system_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/dates.h"
#include "core/text.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {

tSystemData SystemOf(int id, int n, int block, const std::string& lines,
                     const std::string& title = "Система") {
  tSystemData d;
  d.Info.Id = id;
  d.Info.NumsCount = n;
  d.Info.BlockLen = block;
  d.Info.Title = title;
  d.Info.Author = "автор";
  d.Info.Description = "первая строка\nвторая \\ строка";
  d.Info.Created = EncodeDateTime(2021, 3, 4, 5, 6, 7);
  d.Combs = lines;
  d.Info.CombsCount = SystemNormalise(lines).CombsCount;
  return d;
}

namespace {

namespace fs = std::filesystem;

class SystemStoreTest : public StakesDir {
 protected:
  std::vector<std::string> Files() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(SystemsFolder(dir)))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SystemStoreTest, FileNameFollowsLengthNumbersBlockAndId) {
  tSystemInfo info;
  info.NumsCount = 7;
  info.BlockLen = 3;
  info.Id = 12;
  EXPECT_EQ(SystemFileName("/d", info), "/d/Systems/5-07-3_0012.dat");
  info.NumsCount = 36;
  info.Id = 123456;
  EXPECT_EQ(SystemFileName("/d", info), "/d/Systems/5-36-3_123456.dat");
  EXPECT_EQ(SystemShortName("/d/Systems/5-07-3_0012.dat"), "5-07-3_0012");
}

TEST_F(SystemStoreTest, AddedSystemIsNormalisedListedAndReadBack) {
  SystemsAdd(dir, SystemOf(12, 7, 3, "1,2,3,4,5\n3;4;5;6;7\n"));
  EXPECT_EQ(ReadBytes("Systems/5-07-3_0012.dat"), "01 02 03 04 05\r\n03 04 05 06 07\r\n");

  const std::vector<TStoredSystem> list = SystemsList(dir);
  ASSERT_EQ(list.size(), 1u);
  const tSystemInfo& info = list[0].Info;
  EXPECT_EQ(info.Id, 12);
  EXPECT_EQ(info.NumsCount, 7);
  EXPECT_EQ(info.BlockLen, 3);
  EXPECT_EQ(info.CombsCount, 2);
  EXPECT_EQ(info.Title, "Система");
  EXPECT_EQ(info.Author, "автор");
  EXPECT_EQ(info.Description, "первая строка\nвторая \\ строка");
  EXPECT_EQ(DateTimeText(info.Created), "04.03.2021 05:06");
  EXPECT_EQ(DateTimeText(list[0].FileDate), "04.03.2021 05:06");  // the file carries the date

  const tSystemData back = SystemLoad(list[0]);
  EXPECT_EQ(back.Combs, "01 02 03 04 05\r\n03 04 05 06 07\r\n");
  EXPECT_EQ(SystemNextId(dir), 13);
  EXPECT_EQ(SystemFindFile(dir, 7), PathOf("Systems/5-07-3_0012.dat"));
  EXPECT_EQ(SystemFindFile(dir, 8), "");
}

TEST_F(SystemStoreTest, SecondSystemForTheSameCountReplacesTheFirst) {
  SystemsAdd(dir, SystemOf(12, 7, 3, "1 2 3 4 5\n3 4 5 6 7"));
  SystemsAdd(dir, SystemOf(5, 8, 0, "1 2 3 4 5\n4 5 6 7 8"));
  SystemsAdd(dir, SystemOf(40, 7, 2, "1 2 3 4 7\n2 3 4 5 6\n1 3 5 6 7", "Вторая"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"5-07-2_0040.dat", "5-07-2_0040.ini",
                                               "5-08-0_0005.dat", "5-08-0_0005.ini"}));
  const std::vector<TStoredSystem> list = SystemsList(dir);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Info.Title, "Вторая");
  EXPECT_EQ(list[0].Info.CombsCount, 3);
}

TEST_F(SystemStoreTest, ChangeThatRenamesRemovesTheOldFile) {
  SystemsAdd(dir, SystemOf(12, 7, 3, "1 2 3 4 5\n3 4 5 6 7"));
  const TStoredSystem old = SystemsList(dir)[0];
  tSystemData changed = SystemLoad(old);
  changed.Info.NumsCount = 9;
  changed.Info.Title = "Шире";
  SystemsChange(dir, changed, old.FileName);
  EXPECT_EQ(Files(), (std::vector<std::string>{"5-09-3_0012.dat", "5-09-3_0012.ini"}));
}

TEST_F(SystemStoreTest, RefusedSystemStoresNothing) {
  SystemsAdd(dir, SystemOf(12, 7, 3, "1 2 3 4 5\n3 4 5 6 7"));
  const std::vector<std::string> before = Files();

  tSystemData wrongCount = SystemOf(13, 7, 0, "1 2 3 4 5\nbad\n2 3 4 5 6");
  wrongCount.Info.CombsCount = 3;
  try {
    SystemsAdd(dir, wrongCount);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Ошибка добавления системы!\r\rКоличество скачанных комбинаций ( 2 ) отличается от "
              "ожидаемого значения ( 3 )");
  }
  tSystemData noAuthor = SystemOf(14, 7, 0, "1 2 3 4 5");
  noAuthor.Info.Author = "";
  try {
    SystemsChange(dir, noAuthor, "");
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Ошибка изменения системы!\r\rИмя автора должно быть указано обязательно!");
  }
  EXPECT_THROW(SystemsAdd(dir, SystemOf(15, 6, 0, "1 2 3 4 7")), EKvarnError);
  EXPECT_EQ(Files(), before);
}

TEST_F(SystemStoreTest, FileWithoutPropertiesIsListedFromItsNameAndLines) {
  fs::create_directories(SystemsFolder(dir));
  WriteBytes("Systems/5-10-1_0077.dat", "1 2 3 4 5\r\n6 7 8 9 10\r\n\r\n");
  WriteBytes("Systems/notes.txt", "x");
  WriteBytes("Systems/6-10-1_0001.dat", "1 2 3 4 5 6");
  const std::vector<TStoredSystem> list = SystemsList(dir);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Info.Id, 77);
  EXPECT_EQ(list[0].Info.NumsCount, 10);
  EXPECT_EQ(list[0].Info.BlockLen, 1);
  EXPECT_EQ(list[0].Info.CombsCount, 2);
  EXPECT_EQ(list[0].Info.Title, "5-10-1_0077");
}

}  // namespace
}  // namespace kvarn
