#include <gtest/gtest.h>

#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

using StakesFile = StakesDir;

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const EKvarnError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST_F(StakesFile, SecondInstanceIsRefusedWhileTheFirstHoldsTheFile) {
  Open();
  TStakesFile second(dir);
  const std::string msg = Message([&] { second.Open(); });
  EXPECT_EQ(msg.rfind("Ошибка чтения файла ставок!\r\r", 0), 0u) << msg;
  EXPECT_FALSE(second.IsOpen());
  file->Close();
  EXPECT_NO_THROW(second.Open());
}

TEST_F(StakesFile, ReadAndWriteByIndexFromEitherEndWithTheirMessages) {
  TStakesFile& f = Open();
  f.WriteRecord(ManualStake(10, Numbers({1, 2, 3, 4, 5})), 0, TStakeOrigin::End);
  f.WriteRecord(ManualStake(11, Numbers({1, 2, 3, 4, 6})), 0, TStakeOrigin::End);
  EXPECT_EQ(f.Count(), 2);
  EXPECT_EQ(f.ReadRecord(-1, TStakeOrigin::End).DrawNumber, 11);
  EXPECT_EQ(f.ReadRecord(0, TStakeOrigin::Start).DrawNumber, 10);
  EXPECT_EQ(f.ReadRecord(-2, TStakeOrigin::End).DrawNumber, 10);

  EXPECT_EQ(Message([&] { f.ReadRecord(2, TStakeOrigin::Start); }),
            "Ошибка чтения записи из файла ставок!\r\rЗапись со индексом 2 в файле данных не "
            "найдена!");
  EXPECT_EQ(Message([&] { f.ReadRecord(-3, TStakeOrigin::End); }),
            "Ошибка чтения записи из файла ставок!\r\rЗапись со индексом -3 в файле данных не "
            "найдена!");
  EXPECT_EQ(Message([&] { f.WriteRecord(StakeBlank(), 3, TStakeOrigin::Start); }),
            "Ошибка добавления записи в файл ставок!\r\rЗапись со индексом 3 в файле данных не "
            "найдена!");

  // In place, and the cached copy of that position is not served stale.
  EXPECT_EQ(f.ReadRecord(0, TStakeOrigin::Start).DrawNumber, 10);
  f.WriteRecord(ManualStake(20, Numbers({1, 2, 3, 4, 5})), 0, TStakeOrigin::Start);
  EXPECT_EQ(f.ReadRecord(0, TStakeOrigin::Start).DrawNumber, 20);
  EXPECT_EQ(f.ReadRecord(-1, TStakeOrigin::End).DrawNumber, 11);
  f.Append(ManualStake(12, Numbers({1, 2, 3, 4, 7})), 1);
  EXPECT_EQ(f.ReadRecord(-1, TStakeOrigin::End).DrawNumber, 12);

  f.Close();
  EXPECT_EQ(Message([&] { f.ReadRecord(0, TStakeOrigin::Start); }),
            "Ошибка чтения записи из файла ставок!\r\rФайл ставок не открыт!");
  EXPECT_EQ(Message([&] {
              f.Append(ManualStake(1, Numbers({1, 2, 3, 4, 5})), 1);
            }),
            "Ошибка добавления записи в файл ставок!\r\rФайл ставок не открыт!");
}

TEST_F(StakesFile, AppendForSeveralDrawsPutsSeparatorsBetweenTheCopies) {
  TStakesFile& f = Open();
  f.Append(ManualStake(100, Numbers({1, 2, 3, 4, 5})), 3);
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{100, -1, 101, -1, 102}));
  // One draw: no separator. Several: one before the first copy, as the end holds a stake.
  f.Append(ManualStake(200, Numbers({1, 2, 3, 4, 5})), 1);
  f.Append(ManualStake(300, Numbers({1, 2, 3, 4, 5})), 2);
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{100, -1, 101, -1, 102, 200, -1, 300, -1, 301}));
  const TStake copy = f.ReadRecord(-1, TStakeOrigin::End);
  EXPECT_EQ(copy.Comment, ManualStakeComment);
  EXPECT_EQ(copy.Profit, -100000);
  EXPECT_EQ(copy.Matches(), -1);

  // AppendSeparator adds one only after a stake.
  f.AppendSeparator();
  f.AppendSeparator();
  EXPECT_EQ(f.Count(), 11);
}

TEST_F(StakesFile, AppendRefusesCheckedStakesAndDrawNumbersBeyondTheField) {
  TStakesFile& f = Open();
  TStake s = ManualStake(1, Numbers({1, 2, 3, 4, 5}));
  s.Checked = 1;
  EXPECT_EQ(Message([&] { f.Append(s, 1); }),
            "Ошибка добавления записи в файл ставок!\r\rДобавление в конец файла уже "
            "проверенной ставки!");
  // 2147483647 + 1 would wrap to a negative draw number.
  TStake last = ManualStake(2147483647, Numbers({1, 2, 3, 4, 5}));
  EXPECT_NE(Message([&] { f.Append(last, 2); }), "(no error)");
  EXPECT_NO_THROW(f.Append(last, 1));
  EXPECT_NE(Message([&] { f.Append(ManualStake(1, Numbers({1, 2, 3, 4, 5})), 0); }), "(no error)");
  EXPECT_EQ(f.Count(), 1);
  EXPECT_EQ(f.ReadRecord(0, TStakeOrigin::Start).DrawNumber, 2147483647);
}

TEST_F(StakesFile, AppendEachWritesInBlocksWithProgress) {
  TStakesFile& f = Open();
  f.Append(ManualStake(7, Numbers({1, 2, 3, 4, 5})), 1);
  std::vector<size_t> progress;
  const size_t done = f.AppendEach(
      ManualStake(8, Numbers({1, 2, 3, 4, 5})), 10000,
      [](size_t i) {
        return Numbers({1, 2, 3, 4, static_cast<int>(5 + i % 30)});
      },
      1, [&](size_t n) { progress.push_back(n); });
  EXPECT_EQ(done, 10000u);
  EXPECT_EQ(f.Count(), 10001);
  EXPECT_EQ(progress.back(), 10000u);
  EXPECT_GT(progress.size(), 1u);
  EXPECT_EQ(NumberSetText(f.ReadRecord(-1, TStakeOrigin::End).Numbers, ";"), "1;2;3;4;14");
}

TEST_F(StakesFile, FindMatchesDrawAndNumbersInAnyOrder) {
  TStakesFile& f = Open();
  f.Append(ManualStake(5, Numbers({1, 2, 3, 4, 5, 6})), 2);
  EXPECT_TRUE(f.Find(6, Numbers({6, 5, 4, 3, 2, 1})));
  EXPECT_FALSE(f.Find(7, Numbers({1, 2, 3, 4, 5, 6})));
  EXPECT_FALSE(f.Find(5, Numbers({1, 2, 3, 4, 5})));
}

TEST_F(StakesFile, SeekLastDrawsCountsDistinctCheckedDraws) {
  TStakesFile& f = Open();
  auto checked = [](int draw) {
    TStake s = ManualStake(draw, Numbers({1, 2, 3, 4, 5}));
    s.Checked = 1;
    s.Matched = Numbers({1});
    return s;
  };
  // Records: 1, 1, sep, 2, unchecked 9, 3, 3.
  for (TStake s : {checked(1), checked(1), StakeBlank(), checked(2),
                   ManualStake(9, Numbers({1, 2, 3, 4, 5})), checked(3), checked(3)})
    f.WriteRecord(s, 0, TStakeOrigin::End);
  TStakesSeek all = f.SeekLastDraws(100);
  EXPECT_EQ(all.Draws, 3);
  EXPECT_EQ(all.FirstIndex, 0);
  TStakesSeek two = f.SeekLastDraws(2);
  EXPECT_EQ(two.Draws, 2);
  EXPECT_EQ(two.FirstIndex, 2);  // just after the last record of draw 1
  EXPECT_EQ(f.SeekLastDraws(0).FirstIndex, 7);
}

// ---- the start-up test ----

std::string Records(const std::vector<TStake>& stakes) {
  std::string out(stakes.size() * StakeRecordSize, '\0');
  for (size_t i = 0; i < stakes.size(); ++i)
    StakeToBytes(stakes[i], reinterpret_cast<uint8_t*>(out.data() + i * StakeRecordSize));
  return out;
}

TEST_F(StakesFile, AcceptsWholeVersionTwoRecordsAndAnEmptyFile) {
  EXPECT_EQ(Open().AcceptOnStartup().Action, TStakesAcceptance::Accepted);
  file.reset();
  WriteBytes(StakesFileName, Records({ManualStake(1, Numbers({1, 2, 3, 4, 5}))}));
  const TStakesAcceptance a = Open().AcceptOnStartup();
  EXPECT_EQ(a.Action, TStakesAcceptance::Accepted);
  EXPECT_TRUE(a.Message.empty());
  EXPECT_EQ(file->Count(), 1);
  EXPECT_FALSE(std::filesystem::exists(PathOf(StakesBackupFileName)));
}

TEST_F(StakesFile, CutShortFileKeepsItsWholeRecordsAndBacksUpTheTail) {
  const std::string whole =
      Records({ManualStake(1, Numbers({1, 2, 3, 4, 5})), ManualStake(2, Numbers({1, 2, 3, 4, 6}))});
  const std::string tail(100, '\x07');
  WriteBytes(StakesFileName, whole + tail);
  WriteBytes(StakesBackupFileName, "older backup");
  const TStakesAcceptance a = Open().AcceptOnStartup();
  EXPECT_EQ(a.Action, TStakesAcceptance::TailCut);
  EXPECT_NE(a.Message.find(PathOf(StakesBackupFileName)), std::string::npos) << a.Message;
  EXPECT_NE(a.Message.find("(2)"), std::string::npos) << a.Message;
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{1, 2}));
  EXPECT_EQ(ReadBytes(StakesFileName), whole);
  EXPECT_EQ(ReadBytes(StakesBackupFileName), tail);
  // Appends go on after the whole records.
  file->Append(ManualStake(3, Numbers({1, 2, 3, 4, 5})), 1);
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{1, 2, 3}));
}

TEST_F(StakesFile, FileOfAnotherVersionIsBackedUpWholeBeforeItIsEmptied) {
  std::string old = Records({ManualStake(1, Numbers({1, 2, 3, 4, 5}))});
  old[0] = 1;
  WriteBytes(StakesFileName, old);
  const TStakesAcceptance a = Open().AcceptOnStartup();
  EXPECT_EQ(a.Action, TStakesAcceptance::Emptied);
  EXPECT_EQ(a.Message.rfind("Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки "
                            "будут удалены!\r\r",
                            0),
            0u);
  EXPECT_NE(a.Message.find(PathOf(StakesBackupFileName)), std::string::npos);
  EXPECT_EQ(file->Count(), 0);
  EXPECT_EQ(ReadBytes(StakesBackupFileName), old);

  // A version-2 first byte with no whole record is emptied the same way.
  file.reset();
  WriteBytes(StakesFileName, std::string("\x02\x01\x00", 3));
  EXPECT_EQ(Open().AcceptOnStartup().Action, TStakesAcceptance::Emptied);
  EXPECT_EQ(ReadBytes(StakesBackupFileName), std::string("\x02\x01\x00", 3));
}

TEST_F(StakesFile, NothingIsCutWhenTheBackupCannotBeWritten) {
  const std::string bytes = Records({ManualStake(1, Numbers({1, 2, 3, 4, 5}))}) + "xyz";
  WriteBytes(StakesFileName, bytes);
  // A directory in the backup's place: the backup cannot be renamed over it.
  std::filesystem::create_directory(PathOf(StakesBackupFileName));
  std::ofstream(PathOf(StakesBackupFileName) + "/keep") << "x";
  TStakesFile& f = Open();
  const std::string msg = Message([&] { f.AcceptOnStartup(); });
  EXPECT_EQ(msg.rfind("Ошибка чтения файла ставок!\r\r", 0), 0u) << msg;
  EXPECT_EQ(ReadBytes(StakesFileName), bytes);
  // Held for its lock, closed to stake operations.
  EXPECT_FALSE(f.IsOpen());
  EXPECT_NE(Message([&] { f.Append(ManualStake(2, Numbers({1, 2, 3, 4, 5})), 1); }), "(no error)");
  EXPECT_EQ(ReadBytes(StakesFileName), bytes);
  TStakesFile second(dir);
  EXPECT_NE(Message([&] { second.Open(); }), "(no error)");
}

}  // namespace
}  // namespace kvarn
