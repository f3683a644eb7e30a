#include "core/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include <atomic>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "common/temp_dir.h"
#include "core/text.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  return names;
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return {};
}

TEST(WriteFileAtomic, ConcurrentWritersLeaveOneWholeFileAndNoTemporaries) {
  test::TTempDir tmp;
  const std::string path = tmp.File("data.bin");
  std::vector<std::thread> writers;
  std::atomic<int> failures{0};
  for (int t = 0; t < 8; ++t)
    writers.emplace_back([&, t] {
      for (int i = 0; i < 20; ++i) try {
          WriteFileAtomic(path, std::string(4096 + t, char('a' + t)));
        } catch (const std::exception&) {
          ++failures;
        }
    });
  for (auto& w : writers) w.join();
  EXPECT_EQ(failures, 0);
  const std::string data = ReadWholeFile(path);
  ASSERT_GE(data.size(), 4096u);
  EXPECT_EQ(data, std::string(data.size(), data[0])) << "two writers' bytes mixed";
  EXPECT_EQ(data.size(), 4096u + static_cast<size_t>(data[0] - 'a'));
  EXPECT_EQ(Names(tmp.Path()), std::vector<std::string>{"data.bin"});
}

TEST(WriteFileAtomic, ASymbolicLinkStaysAndItsTargetIsReplacedWithItsPermissions) {
  test::TTempDir tmp;
  fs::create_directory(tmp.File("real"));
  const std::string target = tmp.File("real/archive.ldr");
  WriteFileAtomic(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  ASSERT_EQ(::symlink("real/archive.ldr", tmp.File("link.ldr").c_str()), 0);

  WriteFileAtomic(tmp.File("link.ldr"), "new");
  EXPECT_TRUE(fs::is_symlink(tmp.File("link.ldr")));
  EXPECT_EQ(ReadWholeFile(target), "new");
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // A link whose target does not exist yet creates the target.
  ASSERT_EQ(::symlink("real/fresh.ldr", tmp.File("dangling").c_str()), 0);
  EXPECT_FALSE(FileExists(tmp.File("dangling")));
  WriteFileAtomic(tmp.File("dangling"), "x");
  EXPECT_TRUE(fs::is_symlink(tmp.File("dangling")));
  EXPECT_EQ(ReadWholeFile(tmp.File("real/fresh.ldr")), "x");
}

TEST(WriteFileAtomic, SpecialFilesAreRefusedAsDataFilesAndWrittenDirectlyAsOutputs) {
  test::TTempDir tmp;
  const std::string fifo = tmp.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_NE(ErrorOf([&] { WriteFileAtomic(fifo, "x"); }).find("не является обычным файлом"),
            std::string::npos);
  EXPECT_TRUE(fs::is_fifo(fifo));
  fs::create_directory(tmp.File("dir"));
  EXPECT_THROW(WriteFileAtomic(tmp.File("dir"), "x"), std::runtime_error);
  EXPECT_THROW(WriteOutputFile(tmp.File("dir"), "x"), std::runtime_error);
  EXPECT_TRUE(fs::is_directory(tmp.File("dir")));

  // An output to a device goes to the device, through a link too; a full device is an error.
  ASSERT_EQ(::symlink("/dev/null", tmp.File("null").c_str()), 0);
  WriteOutputFile(tmp.File("null"), "discarded");
  WriteOutputFile("/dev/null", "discarded");
  EXPECT_TRUE(fs::is_symlink(tmp.File("null")));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  if (fs::exists("/dev/full")) {
    EXPECT_THROW(WriteOutputFile("/dev/full", "x"), std::runtime_error);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
  }
  EXPECT_THROW(WriteFileAtomic("/dev/null", "x"), std::runtime_error);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  // A plain output file is replaced whole like a data file.
  WriteOutputFile(tmp.File("list.lcv"), "1;2;3;4;5\r\n");
  EXPECT_EQ(ReadWholeFile(tmp.File("list.lcv")), "1;2;3;4;5\r\n");
}

TEST(WriteFileAtomic, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  test::TTempDir tmp;
  const std::string path = tmp.File("sub/file");
  EXPECT_THROW(WriteFileAtomic(path, "x"), std::runtime_error);  // no such directory
  fs::create_directory(tmp.File("sub"));
  WriteFileAtomic(path, "kept");
  // A directory in the way of the rename: the temporary goes, the old content stays elsewhere.
  fs::create_directory(tmp.File("sub/blocked"));
  EXPECT_THROW(WriteFileAtomic(tmp.File("sub/blocked"), "x"), std::runtime_error);
  EXPECT_EQ(ReadWholeFile(path), "kept");
  EXPECT_EQ(Names(tmp.File("sub")).size(), 2u);
}

TEST(WriteFileAtomic, FailuresNameTheFileInRussian) {
  test::TTempDir tmp;
  const std::string path = tmp.File("missing/data.bin");
  EXPECT_EQ(ErrorOf([&] { WriteFileAtomic(path, "x"); }), path + ": Нет такого файла или каталога");
  EXPECT_EQ(SystemErrorText(ENOSPC), "Недостаточно места на диске");
}

TEST(RemoveLeftTemporaries, OnlyDataFileTemporariesOfEndedWritersGo) {
  test::TTempDir tmp;
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
  const auto temporary = [](const std::string& target, pid_t pid) {
    return target + ".~" + StrFormat("%x", static_cast<unsigned>(pid)) + "-3-1a2b-0.tmp";
  };
  const std::vector<std::string> kept = {
      temporary("Kvarn_5x36.ldr", ::getpid()),  // its writer still runs
      temporary("export.csv", ended),           // not a data file
      "Kvarn_5x36.~tmp",                        // the stakes deletion's own file
      "Kvarn_5x36.ldr",
      "Kvarn_5x36.ldr.~zz-1-2-0.tmp",
  };
  for (const auto& name : kept) WriteFileAtomic(tmp.File(name), "x");
  WriteFileAtomic(tmp.File(temporary("Kvarn_5x36.ldr", ended)), "half");
  WriteFileAtomic(tmp.File(temporary("Kvarn_5x36.lrt", ended)), "half");

  const auto sorted = [](std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  };
  // A save clears what an earlier save of the same file left, nothing else.
  WriteFileAtomic(tmp.File("Kvarn_5x36.ldr"), "new");
  auto expected = kept;
  expected.push_back(temporary("Kvarn_5x36.lrt", ended));
  EXPECT_EQ(sorted(Names(tmp.Path())), sorted(expected));

  RemoveLeftTemporaries(tmp.Path(), "Kvarn_5x36.");
  EXPECT_EQ(sorted(Names(tmp.Path())), sorted(kept));
}

TEST(ReadWholeFile, OnlyRegularFilesUpToTheLimitAreRead) {
  test::TTempDir tmp;
  const std::string fifo = tmp.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Neither call may block or grow: a FIFO without a writer and an endless device.
  EXPECT_NE(ErrorOf([&] { ReadWholeFile(fifo); }).find("не является обычным файлом"),
            std::string::npos);
  EXPECT_THROW(ReadWholeFile("/dev/zero"), std::runtime_error);
  fs::create_directory(tmp.File("dir"));
  EXPECT_THROW(ReadWholeFile(tmp.File("dir")), std::runtime_error);
  EXPECT_TRUE(FileExists(fifo));
  EXPECT_TRUE(FileExists(tmp.File("dir")));
  EXPECT_FALSE(RegularFileExists(fifo));
  EXPECT_FALSE(FileExists(tmp.File("missing")));
  EXPECT_FALSE(FileExists(tmp.File("missing/below")));

  WriteFileAtomic(tmp.File("big"), std::string(1001, 'x'));
  EXPECT_EQ(ReadWholeFile(tmp.File("big"), 1001).size(), 1001u);
  const std::string message = ErrorOf([&] { ReadWholeFile(tmp.File("big"), 1000); });
  EXPECT_NE(message.find("1001"), std::string::npos) << message;
  EXPECT_NE(message.find("1000"), std::string::npos) << message;
}

}  // namespace
}  // namespace kvarn
