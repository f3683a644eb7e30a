#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "core/text.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_fixture.h"
#include "stakes/stakes_log.h"

namespace kvarn {
namespace {

using StakesSpecialFile = StakesDir;

TEST_F(StakesSpecialFile, AFifoOrDirectoryInPlaceOfTheFileIsRefusedAtOnceAndKept) {
  for (const bool fifo : {true, false}) {
    SCOPED_TRACE(fifo ? "fifo" : "directory");
    const std::string path = PathOf(StakesFileName);
    std::filesystem::remove_all(path);
    if (fifo)
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    else
      std::filesystem::create_directory(path);
    const auto start = std::chrono::steady_clock::now();
    TStakesFile f(dir);
    try {
      f.Open();  // a FIFO must not wait for a writer
      FAIL() << "opened";
    } catch (const EKvarnError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Ошибка чтения файла ставок!\r\r", 0), 0u);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(fifo ? std::filesystem::is_fifo(path) : std::filesystem::is_directory(path), true);
  }
}

TEST_F(StakesSpecialFile, AFifoInPlaceOfALogIsReportedNotWaitedFor) {
  ASSERT_EQ(::mkfifo(PathOf("Kvarn_5x36-2.log").c_str(), 0644), 0);
  TStake s = ManualStake(5, Numbers({1, 2, 3, 4, 5}));
  s.Checked = 1;
  s.Matched.Count = 2;
  std::vector<std::string> errors;
  {
    TStakesLog log(dir);
    log.Write(s, [&](const std::string& e) { errors.push_back(e); });
    log.Flush([&](const std::string& e) { errors.push_back(e); });
  }
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("Ошибка записи в файл \"" + PathOf("Kvarn_5x36-2.log"), 0), 0u);
  EXPECT_TRUE(std::filesystem::is_fifo(PathOf("Kvarn_5x36-2.log")));
}

}  // namespace
}  // namespace kvarn
