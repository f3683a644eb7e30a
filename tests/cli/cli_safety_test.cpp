// kvarn-cli against concurrent writers, damaged or special files and awkward words: every exit
// status tells the truth and nothing is lost.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "cli_fixture.h"
#include "common/archives.h"
#include "core/codec.h"
#include "core/config.h"
#include "core/dirlock.h"
#include "core/draws.h"
#include "core/files.h"

namespace kvarn {
namespace {

class CliSafety : public test::TCliTest {
 protected:
  void WriteDraws(int count) {
    test::WriteArchive(
        dir_, test::ArchiveOf(
                  count, 1, [](int i) { return test::RunOfFive(i); }, 1, "01.02.2024 10:00"));
  }
  TDrawsArray ReadDraws() const {
    TDrawsArray draws;
    DrawsReadFile(PathJoin(dir_, DrawsFileName), draws);
    return draws;
  }
  // Runs kvarn-cli in `n` processes at once; their exit statuses.
  std::vector<int> RunConcurrently(int n, const std::vector<std::string>& args) {
    std::vector<pid_t> pids;
    for (int i = 0; i < n; ++i) {
      const pid_t pid = ::fork();
      if (pid == 0) {
        std::vector<std::string> a = {"--dir", dir_};
        a.insert(a.end(), args.begin(), args.end());
        std::ostringstream o, e;
        ::_exit(CliMain(a, o, e));
      }
      pids.push_back(pid);
    }
    std::vector<int> codes;
    for (pid_t pid : pids) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      codes.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    }
    return codes;
  }
};

TEST_F(CliSafety, ConcurrentAddsLoseNoDrawAndEveryExitStatusIsTrue) {
  WriteDraws(300);
  int expected = 300;
  for (int round = 0; round < 6; ++round) {
    const int n = round % 3 == 0 ? 2 : 8;
    const std::vector<int> codes = RunConcurrently(n, {"draws", "add", "--numbers", "1;2;3;4;5;1"});
    int done = 0;
    for (int rc : codes) {
      EXPECT_TRUE(rc == ceDone || rc == ceBusy) << "exit status " << rc;
      done += rc == ceDone;
    }
    expected += done;
    const TDrawsArray draws = ReadDraws();
    ASSERT_EQ(static_cast<int>(draws.size()), expected) << "round " << round;
    std::set<int32_t> numbers;
    for (const TDraw& d : draws) numbers.insert(d.Number);
    EXPECT_EQ(static_cast<int>(numbers.size()), expected) << "a number given twice";
    EXPECT_EQ(*numbers.rbegin(), expected);
  }
  EXPECT_GT(expected, 300);
  for (const auto& e : std::filesystem::directory_iterator(dir_))
    EXPECT_EQ(e.path().filename().string().find("~"), std::string::npos) << e.path();
}

TEST_F(CliSafety, WritersAreTurnedAwayWhileAWindowRunsAndReadersStillWork) {
  WriteDraws(5);
  const std::string before = ReadWholeFile(PathJoin(dir_, DrawsFileName));
  TDataDirLock window;
  window.Acquire(dir_, TLockOwner::Window, 0);
  EXPECT_EQ(Run({"draws", "add", "--numbers", "1;2;3;4;5;1"}), ceBusy);
  EXPECT_EQ(out_, "");
  EXPECT_NE(err_.find("работающей программой"), std::string::npos) << err_;
  EXPECT_EQ(err_.find('\r'), std::string::npos) << "raw carriage return: " << err_;
  EXPECT_EQ(Run({"draws", "delete", "--number", "1", "--yes"}), ceBusy);
  EXPECT_EQ(ReadWholeFile(PathJoin(dir_, DrawsFileName)), before);
  EXPECT_EQ(Run({"draws", "list"}), ceDone) << err_;
  EXPECT_EQ(Lines().size(), 5u);
  EXPECT_EQ(Run({"draws", "status"}), ceDone);
  EXPECT_EQ(Run({"config", "show"}), ceDone);

  // Another kvarn-cli is waited for, up to --wait.
  window.Release();
  TDataDirLock other;
  other.Acquire(dir_, TLockOwner::Cli, 0);
  std::ostringstream o, e;
  EXPECT_EQ(
      CliMain({"--dir", dir_, "--wait", "0.2", "draws", "add", "--numbers", "1;2;3;4;5;1"}, o, e),
      ceBusy);
  other.Release();
  EXPECT_EQ(CliMain({"--dir", dir_, "--wait", "x", "draws", "list"}, o, e), ceUsage);
}

TEST_F(CliSafety, AFailedCommandWritesNothingAfterADamagedLoad) {
  WriteDraws(4);
  const std::string damaged = ReadWholeFile(PathJoin(dir_, DrawsFileName)) + "\x07\x07";
  WriteFileAtomic(PathJoin(dir_, DrawsFileName), damaged);
  EXPECT_EQ(Run({"draws", "add", "--numbers", "1;2;3;4;5;1"}), ceFailed);
  EXPECT_EQ(out_, "");
  WriteFileAtomic(PathJoin(dir_, "more.csv"), "9;\"01.01.2025\";1;2;3;4;5;1\r\n");
  EXPECT_EQ(Run({"draws", "import", PathJoin(dir_, "more.csv")}), ceFailed);
  EXPECT_EQ(out_, "") << "counts printed for an import not on disk";
  EXPECT_EQ(Run({"draws", "delete", "--number", "2"}), ceFailed);
  EXPECT_EQ(out_, "");
  EXPECT_EQ(ReadWholeFile(PathJoin(dir_, DrawsFileName)), damaged);

  // With --yes the question is answered, the file replaced, and the count is that of the file.
  EXPECT_EQ(Run({"draws", "delete", "--number", "2", "--yes"}), ceDone);
  EXPECT_NE(err_.find("Файл тиражей не был прочитан полностью"), std::string::npos) << err_;
  EXPECT_EQ(out_, "3\n");
  EXPECT_EQ(ReadWholeFile(PathJoin(dir_, DrawsFileName)).size(), 3 * DrawRecordSize);
}

TEST_F(CliSafety, SpecialFilesAreReportedNeverReadForeverNorReplaced) {
  // A directory in place of the archive is no empty archive.
  std::filesystem::create_directory(PathJoin(dir_, DrawsFileName));
  EXPECT_EQ(Run({"draws", "status"}), ceFailed);
  EXPECT_NE(err_.find("Ошибка чтения файла тиражей"), std::string::npos) << err_;
  EXPECT_EQ(Run({"draws", "add", "--numbers", "1;2;3;4;5;1"}), ceFailed);
  EXPECT_TRUE(std::filesystem::is_directory(PathJoin(dir_, DrawsFileName)));
  std::filesystem::remove(PathJoin(dir_, DrawsFileName));

  // A FIFO as the CSV file or a combination file to read: refused at once.
  const std::string fifo = PathJoin(dir_, "pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_EQ(Run({"draws", "import", fifo}), ceFailed);
  EXPECT_NE(err_.find("не является обычным файлом"), std::string::npos) << err_;
  EXPECT_EQ(Run({"gen", "--mode", "4", "--params", fifo, "--out", PathJoin(dir_, "o.lcv")}),
            ceFailed);

  // Outputs: a symbolic link keeps pointing at its target, which gets the data.
  const std::string target = PathJoin(dir_, "target.lcv"), link = PathJoin(dir_, "link.lcv");
  WriteFileAtomic(target, "old");
  std::filesystem::create_symlink(target, link);
  ASSERT_EQ(Run({"gen", "--mode", "0", "--out", link}), ceDone) << err_;
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_GT(std::filesystem::file_size(target), 1000000u);
  ASSERT_EQ(Run({"draws", "export", "/dev/null"}), ceDone) << err_;
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_EQ(Run({"gen", "--mode", "0", "--out", "/dev/full"}), ceFailed);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(CliSafety, MessagesAndWordsAreTakenAsMeant) {
  // A damaged setting is reported, not passed off as an empty list.
  WriteFileAtomic(PathJoin(dir_, ConfigFileName), "[GLOBAL]\r\nCombsGenerateMode=99\r\n");
  EXPECT_EQ(Run({"gen", "--out", PathJoin(dir_, "o.lcv")}), ceFailed);
  EXPECT_NE(err_.find("99"), std::string::npos) << err_;
  std::filesystem::remove(PathJoin(dir_, ConfigFileName));

  // "--1" is a formula (one the evaluator refuses), not an option; "--" ends the options.
  EXPECT_EQ(Run({"eval", "--1"}), ceFailed) << err_;
  EXPECT_EQ(out_, "Синтаксическая ошибка\n");
  EXPECT_EQ(Run({"eval", "--", "--help"}), ceFailed);
  EXPECT_EQ(out_, "Синтаксическая ошибка\n");

  // A date is a whole date: trailing text is refused, the earliest date is one.
  EXPECT_EQ(Run({"draws", "add", "--numbers", "1;2;3;4;5;1", "--date", "01.01.2020 10:00 x"}),
            ceUsage);
  ASSERT_EQ(Run({"draws", "add", "--numbers", "1;2;3;4;5;1", "--date", "30.12.1899 00:00"}), ceDone)
      << err_;
  EXPECT_EQ(out_, "1\t1\t2\t3\t4\t5\t1\t15\t30.12.1899 00:00\n");
  // An earlier one is named, and nothing is added.
  EXPECT_EQ(Run({"draws", "add", "--numbers", "1;2;3;4;5;1", "--date", "29.12.1899 23:59"}),
            ceFailed);
  EXPECT_NE(err_.find("\"29.12.1899 23:59\" - дата раньше 30.12.1899 не допускается"),
            std::string::npos)
      << err_;
  EXPECT_EQ(ReadDraws().size(), 1u);

  // Control characters of a stored date are shown escaped.
  TDrawsArray draws = ReadDraws();
  draws[0].DateText = "a\rb\x01";
  WriteFileAtomic(PathJoin(dir_, DrawsFileName), DrawsToBytes(draws));
  ASSERT_EQ(Run({"draws", "list"}), ceDone);
  EXPECT_EQ(out_, "1\t1\t2\t3\t4\t5\t1\t15\ta\\rb\\x01\n");

  // Commands that only read write nothing, so a state file that cannot be written stops none.
  std::filesystem::remove(PathJoin(dir_, DrawsFileName));
  const std::string state = PathJoin(dir_, WindowStateFileName);
  for (const std::vector<std::string>& reading : {std::vector<std::string>{"config", "show"},
                                                  {"stat", "NUMS"},
                                                  {"draws", "list"},
                                                  {"methods"}}) {
    EXPECT_EQ(Run(reading), ceDone) << reading[0] << ": " << err_;
    EXPECT_FALSE(std::filesystem::exists(state)) << reading[0];
  }
}

}  // namespace
}  // namespace kvarn
