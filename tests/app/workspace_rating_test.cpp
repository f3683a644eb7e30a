#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/codec.h"
#include "core/config.h"
#include "core/files.h"
#include "core/text.h"
#include "stakes/stakes_graph.h"

namespace kvarn {
namespace {

TRatingRecord Row(std::string name, std::array<uint32_t, 6> overlaps, int64_t profit = 0) {
  TRatingRecord r;
  r.Name = std::move(name);
  r.Overlaps = overlaps;
  for (uint32_t k = 0; k < 6; ++k) {
    r.Count += overlaps[k];
    r.Overlap += k * overlaps[k];
  }
  r.Profit = profit;
  return r;
}

TStake CheckedStake(const std::string& comment, int matches, int64_t profit) {
  TStake s;
  s.Kind = skManual;
  s.DrawNumber = 10;
  s.Checked = 1;
  s.Numbers.Count = 5;
  s.Matched.Count = matches;
  s.Profit = profit;
  s.Comment = comment;
  return s;
}

class RatingWorkspace : public test::TDataDirTest {
 protected:
  std::unique_ptr<TWorkspace> Open() {
    auto ws = std::make_unique<TWorkspace>(host_, dir_);
    ws->OpenHeadless();
    return ws;
  }
  std::vector<std::string> Names(const TWorkspace& ws) const {
    std::vector<std::string> n;
    for (const auto& r : ws.Ratings()) n.push_back(r.Name);
    return n;
  }
  std::vector<std::string> FileNames() const {
    TRatingsArray a;
    RatingsReadFile(Path(RatingsFileName), a);
    std::vector<std::string> n;
    for (const auto& r : a) n.push_back(r.Name);
    return n;
  }
  // Changes when the file is replaced (written through a temporary file and a rename).
  ino_t Inode() const {
    struct stat st {};
    stat(Path(RatingsFileName).c_str(), &st);
    return st.st_ino;
  }

  TSilentHost host_;
  // Averages 1.0, 2.0 and 0.5; counts 2, 1 and 4.
  const TRatingsArray three_ = {Row("one", {0, 2}), Row("two", {0, 0, 1}), Row("half", {2, 2})};
};

TEST_F(RatingWorkspace, LoadSortsByTheStoredStateAndRewritesOnlyWhenRowsMoved) {
  auto none = Open();  // no file: nothing loaded, nothing written
  EXPECT_TRUE(none->Ratings().empty());
  EXPECT_FALSE(FileExists(Path(RatingsFileName)));
  none.reset();

  RatingsWriteFile(Path(RatingsFileName), three_);
  auto ws = Open();
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"two", "one", "half"}));  // "Среднее", largest
  EXPECT_EQ(FileNames(), Names(*ws));
  EXPECT_EQ(host_.status[spRating], "Рейтинг: 3");
  EXPECT_TRUE(host_.messages.empty());
  ws.reset();

  const ino_t before = Inode();
  ws = Open();
  EXPECT_EQ(Inode(), before);  // already in order: not rewritten

  // The sort state is the list's stored state: a new start sorts the same way.
  ws->RatingsSort(rcCount, false);
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"two", "one", "half"}));
  ws->RatingsClickColumn(rcCount);  // the same column again: the other direction
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"half", "one", "two"}));
  EXPECT_EQ(ws->RatingsSortColumn(), rcCount);
  EXPECT_TRUE(ws->RatingsSortDescending());
  ws->RatingsClickColumn(rcName);  // names start alphabetical
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"half", "one", "two"}));
  EXPECT_FALSE(ws->RatingsSortDescending());
  ws->RatingsClickColumn(rcName);
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"two", "one", "half"}));
  ws.reset();
  EXPECT_EQ(WindowStateReadInt(Path(WindowStateFileName), RatingsSortColumnKey, -5), rcName);
  EXPECT_EQ(WindowStateReadInt(Path(WindowStateFileName), RatingsSortDescendingKey, -5), 1);
  RatingsWriteFile(Path(RatingsFileName), three_);
  ws = Open();
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"two", "one", "half"}));
  EXPECT_EQ(FileNames(), Names(*ws));
}

TEST_F(RatingWorkspace, AFileCutShortKeepsItsRowsAndIsKeptAsideBeforeAnySave) {
  std::string bytes = RatingsToBytes(three_);
  bytes.resize(bytes.size() - 100);
  WriteFileAtomic(Path(RatingsFileName), bytes);
  const ino_t before = Inode();
  auto ws = Open();
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"two", "one"}));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].caption, "Ошибка");
  EXPECT_EQ(host_.messages[0].text,
            "Ошибка чтения файла рейтинга!\r\rНеполная запись в конце файла: 196 байт из "
            "296\r\rФайл сохранен как \"Kvarn_5x36.lrt.bak\".");
  EXPECT_EQ(Inode(), before);  // not rewritten after the failure
  EXPECT_EQ(ReadWholeFile(Path(RatingsBackupFileName)), bytes);
  EXPECT_EQ(host_.status[spRating], "Рейтинг: 2");
}

TEST_F(RatingWorkspace, CheckedStakesJoinTheirRowsAndTheResortSaves) {
  RatingsWriteFile(Path(RatingsFileName), three_);
  auto ws = Open();
  ws->RatingsAddStake(CheckedStake("ONE", 5, 1000000));
  ws->RatingsAddStake(CheckedStake("Новая", 3, 400000));
  TStake unchecked = CheckedStake("one", 2, 0);
  unchecked.Checked = 0;
  ws->RatingsAddStake(unchecked);
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"two", "one", "half", "Новая"}));  // order kept
  ws->RatingsResort();
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"Новая", "one", "two", "half"}));
  EXPECT_EQ(FileNames(), Names(*ws));
  EXPECT_EQ(ws->Ratings()[1].Count, 3u);
  EXPECT_EQ(ws->Ratings()[1].Profit, 1000000);
  EXPECT_EQ(host_.status[spRating], "Рейтинг: 4");
}

TEST_F(RatingWorkspace, EfficiencyModeIsStoredAtOnceAndShapesTheRows) {
  RatingsWriteFile(Path(RatingsFileName), {Row("Test", {0, 1}, -50000)});
  auto ws = Open();
  EXPECT_EQ(ws->RatingsEffMode(), 1);
  EXPECT_EQ(ws->RatingsRow(0)[rcEff0 + 1], "58.268%");
  int repaints = 0;
  ws->OnRatingsListChanged = [&] { ++repaints; };
  EXPECT_TRUE(ws->SetRatingsEffMode(0));
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(WindowStateReadInt(Path(WindowStateFileName), "RatingsEffMode", -1), 0);
  EXPECT_EQ(ws->RatingsRow(0)[rcEff0 + 1], "0");
  EXPECT_FALSE(ws->SetRatingsEffMode(3));
  EXPECT_EQ(ws->RatingsEffMode(), 0);
  EXPECT_TRUE(ws->RatingsRow(5)[rcName].empty());  // beyond the rating

  ws->WindowState().RatingsEffMode = 7;  // a damaged setting shows the default mode
  EXPECT_EQ(ws->RatingsEffMode(), 1);
}

TEST_F(RatingWorkspace, ExportAndItsFailureAndAColumnBeyondTheList) {
  RatingsWriteFile(Path(RatingsFileName), three_);
  auto ws = Open();
  ASSERT_TRUE(ws->RatingsExport(Path("r.csv")));
  EXPECT_EQ(ReadWholeFile(Path("r.csv")), Utf8ToCp1251(RatingsCsvText(ws->Ratings())));

  const std::string bad = Path("missing/r.csv");
  EXPECT_FALSE(ws->RatingsExport(bad));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "Ошибка записи в файл \"" + bad + "\"!\r\r" + bad + ": Нет такого файла или каталога");

  const auto before = Names(*ws);
  ws->RatingsSort(rcColumnCount, true);
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[1].text, "Некорректное занчение номера столбца сортировки (18)");
  EXPECT_EQ(Names(*ws), before);
  EXPECT_EQ(ws->RatingsSortColumn(), rcAverage);
}

class RatingFromStakes : public RatingWorkspace {
 protected:
  // The workspace with its stakes file open, as the window and kvarn-cli open it.
  std::unique_ptr<TWorkspace> OpenWithStakes() {
    auto ws = Open();
    EXPECT_TRUE(ws->StakesOpen());
    stakes_ = &ws->StakesFile();
    return ws;
  }
  TStakesFile& Stakes() { return *stakes_; }
  void Add(int draw, int size, const std::string& comment, int matches, int64_t profit = 0) {
    TStake s = CheckedStake(comment, matches, profit);
    s.DrawNumber = draw;
    s.Numbers.Count = static_cast<uint8_t>(size);
    Stakes().WriteRecord(s, Stakes().Count(), TStakeOrigin::Start);
  }
  TStakesFile* stakes_ = nullptr;
};

TEST_F(RatingFromStakes, RefreshAsksThenRebuildsFromTheFileAndAFailedReadKeepsTheRating) {
  RatingsWriteFile(Path(RatingsFileName), three_);
  auto ws = OpenWithStakes();
  Add(10, 5, "ONE", 1, -100000);
  Add(11, 5, "one", 3, 400000);
  Add(11, 6, "Новая", 0);
  TStake waiting = CheckedStake("two", 0, 0);
  waiting.Checked = 0;
  Stakes().Append(waiting, 1);
  Stakes().AppendSeparator();

  EXPECT_FALSE(ws->RatingsRefresh());  // the question answered No
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0].text,
            "Пересчитать рейтинг только по текущим ставкам?\r\rНакопленные ранее данные по "
            "удаленным ставкам будут потеряны.");
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"two", "one", "half"}));

  host_.answer = true;
  ASSERT_TRUE(ws->RatingsRefresh());
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"ONE", "Новая"}));  // sorted by the average
  EXPECT_EQ(FileNames(), Names(*ws));
  EXPECT_EQ(ws->Ratings()[0].Count, 2u);
  EXPECT_EQ(ws->Ratings()[0].Profit, 300000);
  EXPECT_EQ(host_.status[spRating], "Рейтинг: 2");

  // The file shrinks under the open handle: the read fails half-way.
  ASSERT_EQ(truncate(Path(StakesFileName).c_str(), StakeRecordSize), 0);
  EXPECT_FALSE(ws->RatingsRefresh(false));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "Ошибка обновления рейтинга!\r\rНеожиданный конец файла ставок");
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"ONE", "Новая"}));
  EXPECT_EQ(FileNames(), Names(*ws));
}

TEST_F(RatingFromStakes, ChanceAndStakesGraphsOfTheChosenRows) {
  auto ws = OpenWithStakes();
  Add(10, 5, "Test", 2, -100000);
  Add(11, 8, "TEST", 3, 500000);
  Add(11, 5, "Other", 0, -100000);
  ws->RatingsAddStake(CheckedStake("Test", 2, -100000));
  ws->RatingsAddStake(CheckedStake("Test", 3, 500000));
  ws->RatingsAddStake(CheckedStake("Other", 0, -100000));
  ws->RatingsAddStake(CheckedStake("Gone", 1, -100000));  // no longer in the file

  const std::vector<TChanceRow> chance = ws->RatingsChance({0, 2});
  ASSERT_EQ(chance.size(), 2u);
  EXPECT_EQ(chance[0].Name, "Test");
  EXPECT_EQ(chance[0].Result.Stakes, 2u);
  EXPECT_EQ(chance[0].Result.Matches, 5u);
  EXPECT_EQ(chance[1].Name, "Gone");
  EXPECT_EQ(chance[1].Result.Stakes, 0u);
  EXPECT_EQ(chance[1].Result.NotFound, 1u);

  const std::vector<TGraphSeries> profits = ws->RatingsStakesGraph({1, 0}, true);
  ASSERT_EQ(profits.size(), 2u);
  EXPECT_EQ(profits[0].Title, "Other");
  ASSERT_EQ(profits[1].Points.size(), 2u);
  EXPECT_EQ(profits[1].Points[1].X, 11);
  EXPECT_EQ(profits[1].Points[1].Y, 50);
  EXPECT_EQ(ws->RatingsStakesGraph({0}, false)[0].Points[0].Y, 2);
  EXPECT_TRUE(host_.messages.empty());

  Stakes().Clear();
  Add(10, 5, "Test", 2);
  EXPECT_TRUE(ws->RatingsStakesGraph({0}, false).empty());  // one draw is too few
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, StakesGraphTooFewDraws);
}

TEST_F(RatingFromStakes, TheStakesCheckFeedsTheRatingAndDeletingAllStakesOffersTheRebuild) {
  test::WriteArchive(dir_, test::Archive({{5, 20, 3, 36, 1}, {1, 2, 3, 4, 5}}, 998));
  RatingsWriteFile(Path(RatingsFileName), three_);
  auto ws = OpenWithStakes();
  TNumberSet all;
  for (int n = 1; n <= 5; ++n) all.Numbers[static_cast<size_t>(all.Count++)] = n;
  ASSERT_TRUE(ws->StakesAppend(StakeNew(skManual, 999, 376992, all, "ONE", 100000, {}), 1));
  ASSERT_EQ(ws->StakesCheckAndRefresh(), 1);
  // "one" now averages (1 + 1 + 5) / 3 and leads; the sorted rating is saved.
  EXPECT_EQ(Names(*ws), (std::vector<std::string>{"one", "two", "half"}));
  EXPECT_EQ(ws->Ratings()[0].Overlaps[5], 1u);
  EXPECT_EQ(FileNames(), Names(*ws));

  host_.answer = true;
  ASSERT_TRUE(ws->StakeClear(true));
  ASSERT_EQ(host_.questions.size(), 2u);
  EXPECT_EQ(host_.questions[1].text.rfind("Пересчитать рейтинг только по текущим ставкам?", 0), 0u);
  EXPECT_TRUE(ws->Ratings().empty());
  EXPECT_TRUE(FileNames().empty());
  EXPECT_EQ(host_.status[spRating], "Рейтинг: 0");
}

}  // namespace
}  // namespace kvarn
