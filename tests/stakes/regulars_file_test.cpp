#include "stakes/regulars_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

TRegular Named(const std::string& comment, int step) {
  TRegular r;
  r.Comment = comment;
  r.Start = r.Current = {1, 2, 3, 4, 5};
  r.Step = step;
  return r;
}

class RegularsFileTest : public StakesDir {
 protected:
  std::vector<std::string> Comments(const TRegularsStore& s) {
    std::vector<std::string> out;
    for (const TRegular& r : s.Items()) out.push_back(r.Comment);
    return out;
  }
};

TEST_F(RegularsFileTest, SavedRecordsReadBackInOrderAndAMissingFileIsEmpty) {
  TRegularsStore store(dir);
  store.Load();
  EXPECT_EQ(store.Count(), 0);

  store.Items() = {Named("первый", 1), Named("второй", -3), Named("третий", 0)};
  store.Save();
  EXPECT_EQ(ReadBytes(RegularsFileName).size(), 3 * RegularRecordSize);
  EXPECT_FALSE(std::filesystem::exists(PathOf(RegularsFileName + std::string(".tmp"))));

  TRegularsStore again(dir);
  again.Load();
  EXPECT_EQ(again.Items(), store.Items());

  again.Delete(1);
  EXPECT_EQ(Comments(again), (std::vector<std::string>{"первый", "третий"}));
  try {
    again.Delete(2);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Запись со индексом 2 в файле данных не найдена!");
  }
  try {
    again.Delete(-1);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Запись со индексом -1 в файле данных не найдена!");
  }
}

TEST_F(RegularsFileTest, TornFileKeepsItsWholeRecordsAndIsBackedUpBeforeTheNextSave) {
  TRegularsStore store(dir);
  store.Items() = {Named("a", 1), Named("b", 2)};
  store.Save();
  const std::string whole = ReadBytes(RegularsFileName);
  WriteBytes(RegularsFileName, whole + std::string(10, 'x'));

  TRegularsStore again(dir);
  try {
    again.Load();
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Ошибка чтения файла регулярных ставок!\r\rНеполная запись в конце файла: 10 байт "
              "из 276");
  }
  EXPECT_EQ(Comments(again), (std::vector<std::string>{"a", "b"}));

  again.Items().push_back(Named("c", 3));
  again.Save();
  EXPECT_EQ(ReadBytes(RegularsBackupFileName), whole + std::string(10, 'x'));
  EXPECT_EQ(ReadBytes(RegularsFileName).size(), 3 * RegularRecordSize);

  // A clean load forgets the backup rule: the next save does not replace the backup.
  again.Load();
  again.Save();
  EXPECT_EQ(ReadBytes(RegularsBackupFileName), whole + std::string(10, 'x'));
}

TEST_F(RegularsFileTest, UnreadableFileLeavesTheListAndIsKeptAsTheBackup) {
  std::filesystem::create_directory(PathOf(RegularsFileName));  // opens, but cannot be read
  TRegularsStore store(dir);
  store.Items() = {Named("kept in memory", 1)};
  EXPECT_THROW(store.Load(), EKvarnError);
  EXPECT_EQ(store.Count(), 1);
  store.Save();
  EXPECT_TRUE(std::filesystem::is_directory(PathOf(RegularsBackupFileName)));
  EXPECT_EQ(ReadBytes(RegularsFileName).size(), RegularRecordSize);
}

TEST_F(RegularsFileTest, FailedSaveNamesTheFileOperation) {
  WriteBytes("plain", "x");
  TRegularsStore store(PathOf("plain"));  // a file where the directory should be
  store.Items() = {Named("a", 1)};
  try {
    store.Save();
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Ошибка записи в файл регулярных ставок!\r\r", 0), 0u);
  }
  EXPECT_EQ(ReadBytes("plain"), "x");
}

}  // namespace
}  // namespace kvarn
