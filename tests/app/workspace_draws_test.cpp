#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/draw_input.h"
#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/dates.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "core/text.h"

namespace kvarn {
namespace {

class DrawsWorkspace : public test::TDataDirTest {
 protected:
  // Draws numbered from `first` whose numbers are drawn unsorted.
  void WriteDraws(int count, int first = 1) {
    test::WriteArchive(dir_, test::ArchiveOf(
                                 count, first,
                                 [](int i) {
                                   const TComb r = test::RunOfFive(i);
                                   return TComb{r[4], r[0], r[2], r[1], r[3]};
                                 },
                                 1, "01.02.2024 10:00"));
  }
  std::vector<int32_t> Numbers(const TWorkspace& ws) const {
    std::vector<int32_t> n;
    for (const TDraw& d : ws.Draws()) n.push_back(d.Number);
    return n;
  }

  TSilentHost host_;
};

TEST_F(DrawsWorkspace, EmptyDirectoryGivesAnEmptyArchiveAndNoMessage) {
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  EXPECT_EQ(ws.DrawsCount(), 0);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(ws.DrawsStatusTexts(),
            (std::vector<std::string>{"Архив тиражей: 0", "Следующий тираж: 1", ""}));
  EXPECT_EQ(ws.DrawsOffsetMax(), -1);
  EXPECT_FALSE(FileExists(Path(DrawsFileName)));
  // Reading writes nothing; the window's first start writes the comparison switch once.
  EXPECT_FALSE(FileExists(Path(WindowStateFileName)));
  ws.SettingsFirstStart();
  EXPECT_TRUE(ws.WindowState().PrefetchsInit);
  EXPECT_EQ(WindowStateReadString(Path(WindowStateFileName), "PrefetchsEnabled", "?"), "0");
}

TEST_F(DrawsWorkspace, TruncatedFileKeepsTheWholeRecordsAndReportsTheError) {
  WriteDraws(2);
  std::string data = ReadWholeFile(Path(DrawsFileName));
  WriteFileAtomic(Path(DrawsFileName), data + "\x01\x02\x03\x04");
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  EXPECT_EQ(ws.DrawsCount(), 2);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].caption, "Ошибка");
  EXPECT_EQ(host_.messages[0].text.rfind("Ошибка чтения файла тиражей!\r\r", 0), 0u);
  EXPECT_EQ(host_.status[spDraws], "Архив тиражей: 2");
  EXPECT_EQ(host_.status[spNextDraw], "Следующий тираж: 3");
  EXPECT_EQ(host_.status[spMessage], "");
  EXPECT_EQ(host_.BusyCount(), 0);
}

TEST_F(DrawsWorkspace, OffsetMovesTheStatusTextsAndTheResult) {
  WriteDraws(100, 1000);
  TWorkspace ws(host_, dir_);
  int refreshed = 0;
  ws.OnViewsRefresh = [&] { ++refreshed; };
  ws.OpenHeadless();
  EXPECT_EQ(host_.status[spResult], "");
  ws.SetDrawsOffset(3);
  const TDraw& d97 = ws.Draws()[97];
  EXPECT_EQ(host_.status[spResult], CombText(d97.Values));
  EXPECT_EQ(host_.status[spNextDraw], "Следующий тираж: 1097");
  EXPECT_EQ(ws.DrawsOffsetNumbers(3).count(), 5u);
  EXPECT_EQ(refreshed, 1);
  ws.SetDrawsOffset(3);  // unchanged: nothing refreshes
  EXPECT_EQ(refreshed, 1);
  ws.SetDrawsOffset(100);
  EXPECT_EQ(host_.status[spNextDraw], "Следующий тираж: -1");
  EXPECT_EQ(host_.status[spResult], "");
  EXPECT_TRUE(ws.DrawsRow(100).OffsetRow == false);
  ws.SetDrawsOffset(0);
  EXPECT_TRUE(ws.DrawsRow(0).OffsetRow);
  EXPECT_EQ(ws.DrawsRow(0).Cells[0], "1099");
}

TEST_F(DrawsWorkspace, AddAndReplaceWriteTheWholeFile) {
  WriteDraws(3);
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  TDraw d = DrawInputRead(TDraw{}, ws.DrawsNextNumber(0), "5,1,3,2,4,4",
                          EncodeDateTime(2026, 12, 8, 21, 5));
  EXPECT_TRUE(ws.DrawsAdd(d));
  EXPECT_EQ(std::filesystem::file_size(Path(DrawsFileName)), 4 * DrawRecordSize);
  d.Number = 2;  // an existing number is not checked
  EXPECT_TRUE(ws.DrawsAdd(d));

  TWorkspace again(host_, dir_);
  again.OpenHeadless();
  ASSERT_EQ(again.DrawsCount(), 5);
  EXPECT_EQ(again.Draws()[3].Number, 4);
  EXPECT_EQ(again.Draws()[3].Values, (TComb{5, 1, 3, 2, 4}));
  EXPECT_EQ(again.Draws()[3].Extra, 4);
  EXPECT_EQ(again.Draws()[3].DateText, "08.12.2026 21:05");

  TDraw changed = again.Draws()[0];
  changed.Number = 77;
  EXPECT_TRUE(again.DrawsReplace(0, changed));
  EXPECT_EQ(again.DrawsFindNumber(77), 0);
  EXPECT_THROW(again.DrawsReplace(5, changed), EKvarnError);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(DrawsWorkspace, TheLargestDrawNumberOverflowsNeitherTheNextNumberNorADownloadBlock) {
  WriteDraws(3, 2147483647 - 3);
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  EXPECT_EQ(ws.DrawsStatusTexts()[1], "Следующий тираж: 2147483647");
  // Automatic proxy mode without a candidate list sends nothing: the block ends quietly.
  ws.Settings().Download.Host = "https://127.0.0.1:1";
  ws.Settings().Proxy.Mode = pmAuto;
  EXPECT_EQ(ws.DrawsDownload(), 0);
  EXPECT_TRUE(host_.questions.empty());
  ws.MutableDraws().back().Number = 2147483647;
  EXPECT_EQ(ws.DrawsNextNumber(0), INT32_MIN);
  EXPECT_EQ(ws.DrawsDownload(), 0);
}

TEST_F(DrawsWorkspace, SaveFailureIsShownAndTheArchiveKeepsTheChange) {
  TWorkspace ws(host_, PathJoin(dir_, "missing-subdir"));
  ws.OpenHeadless();
  host_.messages.clear();
  TDraw d = DrawInputRead(TDraw{}, 1, "1;2;3;4;5;1", EncodeDateTime(2026, 1, 1, 0, 0));
  EXPECT_FALSE(ws.DrawsAdd(d));
  EXPECT_EQ(ws.DrawsCount(), 1);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text.rfind("Ошибка записи в файл тиражей!\r\r", 0), 0u);
  EXPECT_EQ(host_.status[spDraws], "Архив тиражей: 1");
  EXPECT_EQ(host_.BusyCount(), 0);
}

TEST_F(DrawsWorkspace, DeletingScatteredRowsRemovesExactlyThoseDraws) {
  WriteDraws(10, 101);  // rows: 0 = 110 ... 9 = 101
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();

  host_.answer = false;
  EXPECT_FALSE(ws.DrawsDeleteRows({0, 2}));
  EXPECT_EQ(ws.DrawsCount(), 10);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0].caption, "Предупреждение");
  EXPECT_EQ(host_.questions[0].text,
            "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");

  host_.answer = true;
  EXPECT_TRUE(ws.DrawsDeleteRows({9, 0, 4}));  // numbers 101, 110 and 106
  EXPECT_EQ(Numbers(ws), (std::vector<int32_t>{102, 103, 104, 105, 107, 108, 109}));
  EXPECT_TRUE(ws.DrawsDeleteRows({6}));
  EXPECT_EQ(host_.questions.back().text, "Удалить выделенную запись?");
  EXPECT_EQ(Numbers(ws), (std::vector<int32_t>{103, 104, 105, 107, 108, 109}));

  TWorkspace again(host_, dir_);
  again.OpenHeadless();
  EXPECT_EQ(Numbers(again), Numbers(ws));
  EXPECT_EQ(host_.status[spDraws], "Архив тиражей: 6");
}

TEST_F(DrawsWorkspace, SortedSwitchIsWrittenAtOnceAndOnlyChangesTheDisplay) {
  WriteDraws(1);
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  EXPECT_EQ(ws.DrawsRow(0).Cells[1], "5");
  ws.DrawsSetSorted(true);
  EXPECT_EQ(ws.DrawsRow(0).Cells[1], "1");
  EXPECT_EQ(ws.Draws()[0].Values[0], 5);
  EXPECT_TRUE(WindowStateReadBool(Path(WindowStateFileName), "SortedDraws", false));

  TWorkspace again(host_, dir_);
  again.OpenHeadless();
  EXPECT_TRUE(again.WindowState().SortedDraws);
}

TEST_F(DrawsWorkspace, SettingsAreReadAtStartAndWrittenBySection) {
  WriteFileAtomic(Path(ConfigFileName),
                  "[GLOBAL]\r\nChannelSize=4\r\n[PROXY]\r\nProxyServer=10.0.0.1\r\n"
                  "[DOWNLOAD]\r\nHost=archive.invalid\r\n");
  WriteDraws(1);
  TWorkspace ws(host_, dir_);
  ws.OpenHeadless();
  EXPECT_EQ(ws.Config().ChannelSize, 4);
  EXPECT_EQ(ws.Settings().Proxy.Mode, pmManual);
  EXPECT_EQ(ws.Settings().Download.Host, "archive.invalid");
  EXPECT_EQ(ws.DrawsRow(0).Colours[1], ChannelColour(5, 4));

  ws.Config().StakeCost = MoneyFromReal(12.5L);
  EXPECT_TRUE(ws.ConfigSaveData());
  std::string text = ReadWholeFile(Path(ConfigFileName));
  EXPECT_NE(text.find("Cost=12.5\r\n"), std::string::npos);
  EXPECT_NE(text.find("ProxyServer=10.0.0.1\r\n"), std::string::npos);
  EXPECT_EQ(text.find("ProxyMode"), std::string::npos);
  EXPECT_EQ(host_.status[spMessage], "");
}

TEST(DrawInput, ValidationAcceptsOnlySixWellFormedWords) {
  const char* bad[] = {"1;2;3;4;5",     "1;2;3;4;4;1", "1;2;3;4;37;1", "1;2;3;4;5;5", "0;2;3;4;5;1",
                       "1;2;3;4;5;1;1", "a;2;3;4;5;1", "1;2;3;4;5;-1", "1 2 3 4 5 1", ""};
  for (const char* text : bad) {
    try {
      DrawInputRead(TDraw{}, 8000, text, std::nullopt);
      ADD_FAILURE() << text;
    } catch (const EKvarnError& e) {
      EXPECT_STREQ(e.what(), "Введена некорректная комбинация!") << text;
    }
  }
  TDraw original;
  original.DateText = "kept";
  TDraw d = DrawInputRead(original, 8000, " 5, 1;;3 ,2;4,,4 ", std::nullopt);
  EXPECT_EQ(d.Number, 8000);
  EXPECT_EQ(d.Values, (TComb{5, 1, 3, 2, 4}));
  EXPECT_EQ(d.Extra, 4);
  EXPECT_EQ(d.DateText, "kept");  // the dialog without the date row
  EXPECT_EQ(DrawInputNumbersText(d), "5;1;3;2;4;4");

  // Draws of the old game have no extra number; their records can still be edited.
  EXPECT_EQ(DrawInputRead(TDraw{}, 7268, "1;2;3;4;5;0", std::nullopt).Extra, 0);
  EXPECT_THROW(DrawInputRead(TDraw{}, 7269, "1;2;3;4;5;0", std::nullopt), EKvarnError);
}

TEST(DrawInput, DateIsFormattedAndCutToSixteenCharacters) {
  TDraw d = DrawInputRead(
      TDraw{}, 1, "1;2;3;4;5;1",
      DrawInputJoin(EncodeDateTime(2026, 12, 8, 0, 0), EncodeDateTime(1999, 1, 1, 21, 5)));
  EXPECT_EQ(d.DateText, "08.12.2026 21:05");
  EXPECT_DOUBLE_EQ(DrawInputDateTime(d), EncodeDateTime(2026, 12, 8, 21, 5));

  // A longer date form of the person's locale is cut to the field.
  TDateFormat longForm;
  longForm.Format = [](TDateTime) { return std::string("Tuesday, 08 December 2026 21:05"); };
  TDraw l = DrawInputRead(TDraw{}, 1, "1;2;3;4;5;1", EncodeDateTime(2026, 12, 8, 21, 5), longForm);
  EXPECT_EQ(l.DateText, "Tuesday, 08 Dece");

  // An empty or damaged stored date shows the current moment.
  TDraw empty;
  TDateTime before = NowDateTime();
  EXPECT_GE(DrawInputDateTime(empty), before - 1.0 / 86400);
  empty.DateText = "garbage";
  EXPECT_GE(DrawInputDateTime(empty), before - 1.0 / 86400);
  empty.DateText = "01.01.1800 10:00";
  EXPECT_GE(DrawInputDateTime(empty), before - 1.0 / 86400);

  // Day 0 is a date, not "no date"; before it there are none.
  EXPECT_EQ(DrawInputRead(TDraw{}, 1, "1;2;3;4;5;1", TDateTime{0}).DateText, "30.12.1899 00:00");
  try {
    DrawInputRead(TDraw{}, 1, "1;2;3;4;5;1", TDateTime{-0.5});
    ADD_FAILURE();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Дата тиража не может быть раньше 30.12.1899!");
  }
}

}  // namespace
}  // namespace kvarn
