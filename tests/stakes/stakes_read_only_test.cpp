// A reader of the stakes file beside the window that holds it: it sees the records, and never
// creates, mends or writes the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

using StakesReadOnly = StakesDir;

std::string Bytes(const TStake& s) {
  std::string b(StakeRecordSize, '\0');
  StakeToBytes(s, reinterpret_cast<uint8_t*>(b.data()));
  return b;
}

TEST_F(StakesReadOnly, ReadsBesideTheHolderAndRefusesEveryWrite) {
  TStakesFile& window = Open();
  window.Append(ManualStake(10, Numbers({1, 2, 3, 4, 5})), 1);
  window.Append(ManualStake(11, Numbers({1, 2, 3, 4, 6})), 1);
  const std::string before = ReadBytes(StakesFileName);

  TStakesFile reader(dir);
  reader.OpenReadOnly();
  EXPECT_TRUE(reader.IsOpen());
  EXPECT_TRUE(reader.ReadOnly());
  ASSERT_EQ(reader.Count(), window.Count());
  EXPECT_EQ(reader.ReadRecord(-1, TStakeOrigin::End).DrawNumber, 11);
  int64_t seen = 0;
  reader.ForEach(0, [&seen](const TStake&) { ++seen; });
  EXPECT_EQ(seen, window.Count());

  EXPECT_THROW(reader.Append(ManualStake(12, Numbers({1, 2, 3, 4, 7})), 1), EKvarnError);
  EXPECT_THROW(reader.AppendSeparator(), EKvarnError);
  EXPECT_THROW(
      reader.WriteRecord(ManualStake(12, Numbers({1, 2, 3, 4, 7})), 0, TStakeOrigin::Start),
      EKvarnError);
  EXPECT_THROW(reader.DeleteRows(0, 0), EKvarnError);
  EXPECT_THROW(reader.Clear(), EKvarnError);
  EXPECT_THROW(reader.AcceptOnStartup(), EKvarnError);
  EXPECT_EQ(ReadBytes(StakesFileName), before);
  EXPECT_FALSE(std::filesystem::exists(PathOf(StakesTempFileName)));

  // The reader holds no lock: the window goes on writing, and a new reader sees it.
  window.Append(ManualStake(12, Numbers({1, 2, 3, 4, 7})), 1);
  reader.Close();
  EXPECT_FALSE(reader.IsOpen());
  reader.OpenReadOnly();
  EXPECT_EQ(reader.Count(), window.Count());
  EXPECT_EQ(reader.ReadRecord(-1, TStakeOrigin::End).DrawNumber, 12);
}

TEST_F(StakesReadOnly, NeverCreatesOrMendsTheFile) {
  TStakesFile reader(dir);
  reader.OpenReadOnly();
  EXPECT_TRUE(reader.IsOpen());
  EXPECT_EQ(reader.Count(), 0);
  reader.ForEach(0, [](const TStake&) { ADD_FAILURE(); });
  EXPECT_FALSE(std::filesystem::exists(PathOf(StakesFileName)));
  reader.Close();

  // A record being appended is left out; the file stays as it is.
  const std::string cut = Bytes(ManualStake(1, Numbers({1, 2, 3, 4, 5}))) + std::string(100, 'x');
  WriteBytes(StakesFileName, cut);
  reader.OpenReadOnly();
  EXPECT_EQ(reader.Count(), 1);
  reader.Close();
  EXPECT_EQ(ReadBytes(StakesFileName), cut);
  EXPECT_FALSE(std::filesystem::exists(PathOf(StakesBackupFileName)));

  // Another version is refused, not emptied.
  std::string old = Bytes(ManualStake(1, Numbers({1, 2, 3, 4, 5})));
  old[0] = 1;
  WriteBytes(StakesFileName, old);
  try {
    reader.OpenReadOnly();
    ADD_FAILURE();
  } catch (const EKvarnError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Ошибка чтения файла ставок!\r\r", 0), 0u);
  }
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_EQ(ReadBytes(StakesFileName), old);

  // A directory in its place is no stakes file.
  std::filesystem::remove(PathOf(StakesFileName));
  std::filesystem::create_directory(PathOf(StakesFileName));
  EXPECT_THROW(reader.OpenReadOnly(), EKvarnError);
  EXPECT_FALSE(reader.IsOpen());
}

}  // namespace
}  // namespace kvarn
