#include "core/dirlock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "common/temp_dir.h"
#include "core/files.h"

namespace kvarn {
namespace {

// flock conflicts between open files even within one process, so two locks here stand for two
// programs.
TEST(DataDirLock, OneHolderAtATimeAndTheWaitIsBounded) {
  test::TTempDir dir;
  TDataDirLock first;
  first.Acquire(dir.Path(), TLockOwner::Cli, 0);
  EXPECT_TRUE(first.Held());
  EXPECT_NE(ReadWholeFile(dir.File(DataDirLockFileName)).find(" kvarn-cli"), std::string::npos);

  TDataDirLock second;
  EXPECT_FALSE(second.TryAcquire(dir.Path(), TLockOwner::Cli));
  const auto start = std::chrono::steady_clock::now();
  try {
    second.Acquire(dir.Path(), TLockOwner::Cli, 300);
    FAIL() << "taken twice";
  } catch (const EDataDirBusy& e) {
    const std::string text = e.what();
    EXPECT_NE(text.find("kvarn-cli, процесс " + std::to_string(::getpid())), std::string::npos)
        << text;
    EXPECT_NE(text.find("ничего не изменено"), std::string::npos) << text;
  }
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_FALSE(second.Held());

  // Let go, the other one gets it; moving a lock moves the holding.
  first.Release();
  EXPECT_TRUE(second.TryAcquire(dir.Path(), TLockOwner::Program));
  TDataDirLock moved = std::move(second);
  EXPECT_TRUE(moved.Held());
  EXPECT_FALSE(first.TryAcquire(dir.Path(), TLockOwner::Cli));
}

TEST(DataDirLock, ARunningWindowIsNamedAtOnceWithoutWaiting) {
  test::TTempDir dir;
  TDataDirLock window;
  window.Acquire(dir.Path(), TLockOwner::Window, 0);
  TDataDirLock cli;
  const auto start = std::chrono::steady_clock::now();
  try {
    cli.Acquire(dir.Path(), TLockOwner::Cli, 60000);
    FAIL() << "taken while the window runs";
  } catch (const EDataDirBusy& e) {
    EXPECT_NE(std::string(e.what()).find("работающей программой"), std::string::npos);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(DataDirLock, ALockFileThatIsNoRegularFileIsReportedNotUsed) {
  test::TTempDir dir;
  ASSERT_EQ(::mkfifo(dir.File(DataDirLockFileName).c_str(), 0644), 0);
  TDataDirLock lock;
  try {
    lock.Acquire(dir.Path(), TLockOwner::Cli, 0);
    FAIL();
  } catch (const EDataDirBusy&) {
    FAIL() << "a broken lock file is no busy directory";
  } catch (const EKvarnError& e) {
    EXPECT_NE(std::string(e.what()).find("не является обычным файлом"), std::string::npos);
  }
  EXPECT_FALSE(lock.Held());
  test::TTempDir other;
  EXPECT_THROW(lock.Acquire(other.File("missing"), TLockOwner::Cli, 0), EKvarnError);
}

}  // namespace
}  // namespace kvarn
