// The draws file is never replaced by less than it held: an unread, changed or special file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/draw_input.h"
#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/dates.h"
#include "core/dirlock.h"
#include "core/draws.h"
#include "core/files.h"

namespace kvarn {
namespace {

class DrawsFileSafety : public test::TDataDirTest {
 protected:
  void WriteDraws(int count) {
    test::WriteArchive(
        dir_, test::ArchiveOf(
                  count, 1, [](int i) { return test::RunOfFive(i); }, 1, "01.02.2024 10:00"));
  }
  TDraw Next(int number) const {
    return DrawInputRead(TDraw{}, number, "1;2;3;4;5;1", EncodeDateTime(2026, 1, 1, 0, 0));
  }
  bool HasMessage(const std::string& head) const {
    for (const auto& m : host_.messages)
      if (m.text.find(head) != std::string::npos) return true;
    return false;
  }

  TSilentHost host_;
};

TEST_F(DrawsFileSafety, AFileThatFailedToLoadIsReplacedOnlyAfterAYes) {
  WriteDraws(3);
  const std::string damaged = ReadWholeFile(Path(DrawsFileName)) + "\x01\x02\x03";
  WriteFileAtomic(Path(DrawsFileName), damaged);
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  ASSERT_EQ(ws.DrawsCount(), 3);

  host_.answer = false;
  EXPECT_FALSE(ws.DrawsAdd(Next(4)));
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0].text.rfind("Файл тиражей не был прочитан полностью", 0), 0u);
  EXPECT_TRUE(HasMessage("замена отменена"));
  EXPECT_EQ(ReadWholeFile(Path(DrawsFileName)), damaged);

  host_.answer = true;
  EXPECT_TRUE(ws.DrawsAdd(Next(5)));
  EXPECT_EQ(ReadWholeFile(Path(DrawsFileName)).size(), 5 * DrawRecordSize);
  // Once saved, the next save asks nothing.
  host_.questions.clear();
  EXPECT_TRUE(ws.DrawsAdd(Next(6)));
  EXPECT_TRUE(host_.questions.empty());
}

TEST_F(DrawsFileSafety, AFileChangedByAnotherProgramIsNotOverwrittenUnasked) {
  WriteDraws(3);
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  WriteDraws(10);  // another program saved meanwhile
  host_.answer = false;
  EXPECT_FALSE(ws.DrawsAdd(Next(4)));
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0].text.rfind("Файл тиражей был изменен другой программой", 0), 0u);
  EXPECT_EQ(ReadWholeFile(Path(DrawsFileName)).size(), 10 * DrawRecordSize);
}

TEST_F(DrawsFileSafety, RecordsThatAreNoDrawsAreNamedAndSurviveASave) {
  TDrawsArray draws = test::ArchiveOf(
      3, 1, [](int i) { return test::RunOfFive(i); }, 1, "");
  draws[1].Values[2] = 40;
  WriteFileAtomic(Path(DrawsFileName), DrawsToBytes(draws));
  const std::string before = ReadWholeFile(Path(DrawsFileName));
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  EXPECT_EQ(ws.DrawsCount(), 2);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages[0].text.find("запись 2 (тираж № 2): число 40 вне диапазона 1..36"),
            std::string::npos);
  ASSERT_TRUE(ws.DrawsAdd(Next(4)));
  EXPECT_EQ(ReadWholeFile(Path(DrawsFileName)).substr(0, before.size()), before);

  // A new draw must be a draw.
  TDraw bad = Next(5);
  bad.Values[0] = 0;
  EXPECT_THROW(ws.DrawsAdd(bad), EKvarnError);
  EXPECT_EQ(ws.DrawsCount(), 3);
}

TEST_F(DrawsFileSafety, DatesBefore1899InTheFileAreNamedAtLoadAndKept) {
  TDrawsArray draws = test::ArchiveOf(
      3, 1, [](int i) { return test::RunOfFive(i); }, 1, "01.02.2024 10:00");
  draws[1].DateText = "01.01.1800 10:00";
  WriteFileAtomic(Path(DrawsFileName), DrawsToBytes(draws));
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  EXPECT_EQ(ws.DrawsCount(), 3);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "В файле тиражей есть даты раньше 30.12.1899 (всего 1)!\r\rОни остаются в файле как "
            "есть, но не считаются датами; исправить дату можно командой \"Изменить\":\r"
            "\rтираж № 2: 01.01.1800 10:00");
  EXPECT_EQ(ws.Draws()[1].DateText, "01.01.1800 10:00");
  EXPECT_TRUE(
      EarlyDatesMessage(test::ArchiveOf(
                            2, 1, [](int i) { return test::RunOfFive(i); }, 1, "30.12.1899 00:00"))
          .empty());
}

TEST_F(DrawsFileSafety, AnImportedLineWithoutNumberFollowsTheSetAsideRecords) {
  TDrawsArray draws = test::ArchiveOf(
      3, 1, [](int i) { return test::RunOfFive(i); }, 1, "");
  draws[2].Values[2] = 40;
  WriteFileAtomic(Path(DrawsFileName), DrawsToBytes(draws));
  WriteFileAtomic(Path("new.csv"),
                  "\"01.03.2024 10:00\";1;2;3;4;5;1\r\n\"01.01.1800 10:00\";1;2;3;4;6;1\r\n");
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  ASSERT_EQ(ws.DrawsCount(), 2);
  host_.messages.clear();
  EXPECT_EQ(ws.DrawsImport(Path("new.csv")), 1);
  // The early date is named; the new draw takes the number after the set-aside draw 3.
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages[0].text.find("Строки с датой раньше 30.12.1899 пропущены (всего 1): 2"),
            std::string::npos);
  TDrawsArray onDisk;
  DrawsReadFile(Path(DrawsFileName), onDisk);
  ASSERT_EQ(onDisk.size(), 4u);
  EXPECT_EQ(onDisk[2].Number, 3);
  EXPECT_EQ(onDisk[3].Number, 4);
  EXPECT_EQ(onDisk[3].DateText, "01.03.2024 10:00");
}

TEST_F(DrawsFileSafety, ADirectoryOrFifoInPlaceOfTheFileIsReportedAndNeverReplaced) {
  for (const bool fifo : {false, true}) {
    SCOPED_TRACE(fifo ? "fifo" : "directory");
    const std::string path = Path(DrawsFileName);
    std::filesystem::remove_all(path);
    if (fifo)
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    else
      std::filesystem::create_directory(path);
    host_.messages.clear();
    TWorkspace ws(host_, dir_);
    ws.OpenHeadless();  // must not hang on the FIFO
    EXPECT_EQ(ws.DrawsCount(), 0);
    EXPECT_TRUE(HasMessage("Ошибка чтения файла тиражей")) << "silent empty archive";
    host_.answer = true;
    EXPECT_FALSE(ws.DrawsAdd(Next(1)));
    struct stat st;
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_EQ(fifo ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode), true);
  }
}

TEST_F(DrawsFileSafety, ASecondWindowOrAWriterIsTurnedAwayWhileAWindowRuns) {
  TWorkspace window(host_, dir_);
  ASSERT_TRUE(window.OpenDataDirExclusive());
  TSilentHost otherHost;
  TWorkspace other(otherHost, dir_);
  EXPECT_FALSE(other.OpenDataDirExclusive());
  ASSERT_FALSE(otherHost.messages.empty());
  EXPECT_NE(otherHost.messages[0].text.find("работающей программой"), std::string::npos);

  // A headless writer over the same directory fails to save and says so; the file is the window's.
  WriteDraws(2);
  TSilentHost cliHost;
  TWorkspace cli(cliHost, dir_);
  cli.SetLockOwner(TLockOwner::Cli);
  cli.OpenHeadless();
  EXPECT_FALSE(cli.DrawsAdd(Next(3)));
  EXPECT_EQ(ReadWholeFile(Path(DrawsFileName)).size(), 2 * DrawRecordSize);
}

}  // namespace
}  // namespace kvarn
