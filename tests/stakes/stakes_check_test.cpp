#include "stakes/stakes_check.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/codec.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

struct TRecordingSink : IStakesCheckSink {
  void CheckProgress(const std::string& text) override { progress.push_back(text); }
  void StakeChecked(const TStake& stake) override { rated.push_back(stake); }
  void CheckError(const std::string& text) override { errors.push_back(text); }
  std::vector<std::string> progress;
  std::vector<TStake> rated;
  std::vector<std::string> errors;
};

class StakesCheckTest : public StakesDir {
 protected:
  bool Check(TStakesLog* log = nullptr) {
    sink = TRecordingSink();
    return StakesCheck(*file, draws, config, sink, log);
  }
  TDrawsArray draws{Draw(998, {7, 8, 9, 10, 11}), Draw(999, {5, 20, 3, 36, 1})};
  TConfigData config = PriceTenPrizeFifty();
  TRecordingSink sink;
};

TEST_F(StakesCheckTest, StakeForAFutureDrawWaitsUntilItsDrawArrives) {
  TStakesFile& f = Open();
  f.Append(ManualStake(999, Numbers({1, 2, 3, 4, 5})), 2);  // 999, separator, 1000
  EXPECT_TRUE(Check());
  ASSERT_EQ(sink.rated.size(), 1u);
  const TStake s = f.ReadRecord(0, TStakeOrigin::Start);
  EXPECT_TRUE(s.IsChecked());
  EXPECT_EQ(s.DrawValues, (TComb{5, 20, 3, 36, 1}));
  EXPECT_EQ(NumberSetText(s.Matched, ";"), "1;3;5");
  EXPECT_EQ(MoneyText(s.Profit), "40.00");
  EXPECT_EQ(sink.rated[0].Comment, ManualStakeComment);
  EXPECT_EQ(sink.rated[0].Profit, 400000);
  EXPECT_FALSE(f.ReadRecord(2, TStakeOrigin::Start).IsChecked());

  // Nothing new: false, and the checked stake is not rated twice.
  EXPECT_FALSE(Check());
  EXPECT_TRUE(sink.rated.empty());

  draws.push_back(Draw(1000, {1, 2, 6, 7, 8}));
  EXPECT_TRUE(Check());
  ASSERT_EQ(sink.rated.size(), 1u);
  EXPECT_EQ(sink.rated[0].DrawNumber, 1000);
  EXPECT_EQ(sink.rated[0].Matches(), 2);
  EXPECT_EQ(MoneyText(f.ReadRecord(-1, TStakeOrigin::End).Profit), "-10.00");
}

TEST_F(StakesCheckTest, ExtendedStakesPayForEveryCombinationAndDamagedRecordsAreLeft) {
  TStakesFile& f = Open();
  f.Append(ManualStake(999, Numbers({1, 3, 5, 30, 31, 32})), 1);
  TStake tooFew = ManualStake(999, Numbers({1, 2, 3, 4}));
  f.WriteRecord(tooFew, 0, TStakeOrigin::End);
  TStake damaged = ManualStake(999, Numbers({1, 2, 3, 4, 5}));
  damaged.Numbers.Count = 40;
  f.WriteRecord(damaged, 0, TStakeOrigin::End);
  f.AppendSeparator();
  EXPECT_TRUE(Check());
  EXPECT_EQ(sink.rated.size(), 1u);
  EXPECT_EQ(MoneyText(f.ReadRecord(0, TStakeOrigin::Start).Profit), "-10.00");  // 50 - 6 x 10
  EXPECT_FALSE(f.ReadRecord(1, TStakeOrigin::Start).IsChecked());
  EXPECT_FALSE(f.ReadRecord(2, TStakeOrigin::Start).IsChecked());
  EXPECT_FALSE(f.ReadRecord(3, TStakeOrigin::Start).IsChecked());
}

TEST_F(StakesCheckTest, ProgressCountsFromTheFirstWaitingStakeAHundredTimesAtMost) {
  TStakesFile& f = Open();
  f.Append(ManualStake(999, Numbers({1, 2, 3, 4, 5})), 1);
  EXPECT_TRUE(Check());
  // Four new stakes: a step of one record, 25 % each.
  f.AppendEach(
      ManualStake(999, Numbers({1, 2, 3, 4, 5})), 4,
      [](size_t) {
        return Numbers({1, 2, 3, 4, 5});
      },
      1);
  EXPECT_TRUE(Check());
  EXPECT_EQ(sink.progress,
            (std::vector<std::string>{"Проверка результатов ставок...",
                                      "Проверка результатов ставок ( завершено 25 % )...",
                                      "Проверка результатов ставок ( завершено 50 % )...",
                                      "Проверка результатов ставок ( завершено 75 % )...",
                                      "Проверка результатов ставок ( завершено 100 % )..."}));

  f.Clear();
  f.AppendEach(
      ManualStake(999, Numbers({1, 2, 3, 4, 5})), 10000,
      [](size_t) {
        return Numbers({1, 2, 3, 4, 5});
      },
      1);
  EXPECT_TRUE(Check());
  EXPECT_EQ(sink.progress.size(), 101u);
  EXPECT_EQ(sink.progress.back(), "Проверка результатов ставок ( завершено 100 % )...");
  EXPECT_EQ(sink.rated.size(), 10000u);
}

TEST_F(StakesCheckTest, EmptyOrClosedFile) {
  TStakesFile& f = Open();
  EXPECT_FALSE(Check());
  EXPECT_EQ(sink.progress, std::vector<std::string>{"Проверка результатов ставок..."});
  f.Close();
  try {
    Check();
    FAIL() << "no error";
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Ошибка проверки ставок!\r\rФайл ставок не открыт!");
  }
}

TEST_F(StakesCheckTest, LogGetsOneCp1251LinePerCheckedStakeInTheFileOfItsMatchCount) {
  TStakesFile& f = Open();
  f.Append(ManualStake(999, Numbers({1, 2, 3, 4, 5})), 1);
  f.Append(ManualStake(999, Numbers({1, 3, 5, 7, 9, 11})), 1);
  TStakesLog log(dir);
  log.Clock = [] { return std::string("2026.01.02 03:04:05"); };
  EXPECT_TRUE(Check(&log));
  EXPECT_TRUE(sink.errors.empty());
  const std::string line =
      "2026.01.02 03:04:05: Тираж № 999. Ставка: \"Ставка \"вручную\"\" [1;2;3;4;5] {376992}. "
      "Результаты тиража: [5;20;3;36;1]. Совпадений: 3. Профит: 40.00.\r\n";
  const std::string line6 =
      "2026.01.02 03:04:05: Тираж № 999. Ставка: \"Ставка \"вручную\"\" [1;3;5;7;9;11] {376992}. "
      "Результаты тиража: [5;20;3;36;1]. Совпадений: 3. Профит: -10.00.\r\n";
  EXPECT_EQ(ReadBytes("Kvarn_5x36-3.log"), Utf8ToCp1251(line + line6));
  EXPECT_FALSE(std::filesystem::exists(PathOf("Kvarn_5x36-0.log")));
}

TEST_F(StakesCheckTest, LogAbove256MiBStartsAfreshWithTheNewLine) {
  TStakesFile& f = Open();
  f.Append(ManualStake(998, Numbers({1, 2, 3, 4, 5})), 1);
  { std::ofstream(PathOf("Kvarn_5x36-0.log")) << "old"; }
  ASSERT_EQ(::truncate(PathOf("Kvarn_5x36-0.log").c_str(), StakesLogMaxSize + 1), 0);
  TStakesLog log(dir);
  log.Clock = [] { return std::string("2026.01.02 03:04:05"); };
  Check(&log);
  const std::string text = Cp1251ToUtf8(ReadBytes("Kvarn_5x36-0.log"));
  EXPECT_EQ(text.rfind("2026.01.02 03:04:05: Тираж № 998.", 0), 0u) << text.substr(0, 40);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);

  // Exactly at the limit the file is kept.
  ASSERT_EQ(::truncate(PathOf("Kvarn_5x36-0.log").c_str(), StakesLogMaxSize), 0);
  f.Append(ManualStake(998, Numbers({1, 2, 3, 4, 5})), 1);
  TStakesLog again(dir);
  Check(&again);
  EXPECT_GT(std::filesystem::file_size(PathOf("Kvarn_5x36-0.log")),
            static_cast<uintmax_t>(StakesLogMaxSize));
}

TEST_F(StakesCheckTest, LogFailureIsShownOnceAndCheckingGoesOn) {
  TStakesFile& f = Open();
  f.AppendEach(
      ManualStake(999, Numbers({1, 2, 3, 4, 5})), 50,
      [](size_t) {
        return Numbers({1, 2, 3, 4, 5});
      },
      1);
  std::filesystem::create_directory(PathOf("Kvarn_5x36-3.log"));  // cannot be opened to write
  TStakesLog log(dir);
  EXPECT_TRUE(Check(&log));
  EXPECT_EQ(sink.rated.size(), 50u);
  ASSERT_EQ(sink.errors.size(), 1u);
  EXPECT_EQ(
      sink.errors[0].rfind(
          StrFormat("Ошибка записи в файл \"%s\"!\r\r", PathOf("Kvarn_5x36-3.log").c_str()), 0),
      0u);
}

TEST(StakesLogs, DeleteFindsEveryLogWhateverStandsForTheMatchCount) {
  std::string tmpl = (std::filesystem::temp_directory_path() / "kvarn_logs_XXXXXX").string();
  ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
  for (const char* name : {"Kvarn_5x36-0.log", "Kvarn_5x36-5.log", "Kvarn_5x36-x.log",
                           "Kvarn_5x36.log", "Kvarn_5x36-1.txt", "other-1.log"})
    std::ofstream(tmpl + "/" + name) << "x";
  EXPECT_EQ(StakesLogFiles(tmpl).size(), 3u);
  const TStakesLogsDeleted r = StakesLogsDelete(tmpl);
  EXPECT_EQ(r.Found, 3);
  EXPECT_EQ(r.Deleted, 3);
  EXPECT_EQ(r.Text(), "Удалено файлов журналов: 3 из 3.");
  EXPECT_TRUE(StakesLogFiles(tmpl).empty());
  EXPECT_TRUE(std::filesystem::exists(tmpl + "/Kvarn_5x36.log"));
  EXPECT_EQ(StakesLogsDelete(tmpl).Text(), "");
  std::filesystem::remove_all(tmpl);
}

}  // namespace
}  // namespace kvarn
