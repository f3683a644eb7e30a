// kvarn-cli killed (SIGKILL) at random moments while it rewrites a data file: afterwards every
// file of the data directory is its old or its new version byte for byte, what the killed run
// left behind does not stop the next start, and a rerun still gives the new version.
//
// Each case runs KVARN_KILL_ROUNDS rounds (a few by default; scripts/kill-test.sh runs many).
// The kill lands uniformly over the command's measured duration (every other one over its second
// half); KVARN_KILL_SEED repeats a run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli.h"
#include "common/archives.h"
#include "common/temp_dir.h"
#include "core/codec.h"
#include "core/dirlock.h"
#include "core/files.h"
#include "stakes/rating.h"
#include "stakes/regular.h"
#include "stakes/regulars_file.h"
#include "stakes/stake.h"
#include "stakes/stakes_file.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;
using TFiles = std::map<std::string, std::string>;
using Clock = std::chrono::steady_clock;

int EnvInt(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atoi(v) : fallback;
}

int Rounds() {
  return EnvInt("KVARN_KILL_ROUNDS", 2);
}

// Record counts: full size for the long runs, a fifth for the quick check of every test run.
int Sized(int count) {
  return Rounds() >= 20 ? count : count / 5;
}

// What a writer leaves while it works: the temporaries of an atomic rewrite and of a stakes
// deletion.
bool IsTemporary(const std::string& name) {
  return name == StakesTempFileName || (name.find(".~") != std::string::npos && name.size() > 4 &&
                                        name.compare(name.size() - 4, 4, ".tmp") == 0);
}

TFiles Snapshot(const std::string& dir, std::vector<std::string>* temporaries = nullptr) {
  TFiles files;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (name == DataDirLockFileName) continue;
    if (IsTemporary(name)) {
      if (temporaries) temporaries->push_back(name);
      continue;
    }
    files[name] = ReadWholeFile(e.path().string());
  }
  return files;
}

void Restore(const std::string& dir, const TFiles& files) {
  for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
  for (const auto& [name, bytes] : files) WriteFileAtomic(PathJoin(dir, name), bytes);
}

// "@name" in the words of a command stands for a file of the data directory.
int RunInProcess(const std::string& dir, std::vector<std::string> args) {
  for (auto& a : args)
    if (!a.empty() && a[0] == '@') a = PathJoin(dir, a.substr(1));
  args.insert(args.begin(), {"--dir", dir});
  std::ostringstream out, err;
  return CliMain(args, out, err);
}

// kvarn-cli in a process of its own, so that it can be killed.
pid_t Start(const std::string& dir, const std::vector<std::string>& args) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(RunInProcess(dir, args));
  return pid;
}

struct TKillCase {
  friend void PrintTo(const TKillCase& c, std::ostream* os) { *os << c.Name; }

  std::string Name;
  std::function<void(const std::string& dir)> Prepare;
  std::vector<std::string> Command;  // changes the data: old version before, new after
  std::vector<std::string> Reader;   // starts over the data and reads it
};

class KillTest : public ::testing::TestWithParam<TKillCase> {
 protected:
  // Each file as killed: the old or the new version (a missing file counts as one).
  std::string Mismatch(const TFiles& now) const {
    std::string bad;
    auto names = old_;
    names.insert(new_.begin(), new_.end());
    for (const auto& [name, unused] : names) {
      const auto version = [&name](const TFiles& f) -> std::optional<std::string> {
        const auto it = f.find(name);
        return it == f.end() ? std::nullopt : std::optional<std::string>(it->second);
      };
      const auto cur = version(now);
      if (cur != version(old_) && cur != version(new_)) bad += name + " ";
    }
    for (const auto& [name, unused] : now)
      if (!old_.count(name) && !new_.count(name)) bad += name + "(new) ";
    return bad;
  }

  TFiles old_, new_;
};

TEST_P(KillTest, EveryFileIsTheOldOrTheNewVersion) {
  const TKillCase& c = GetParam();
  test::TTempDir tmp;
  const std::string dir = tmp.Path();
  c.Prepare(dir);
  old_ = Snapshot(dir);

  // The command's duration, measured as the kills will see it: in a process of its own.
  std::vector<double> runs;
  for (int i = 0; i < 3; ++i) {
    Restore(dir, old_);
    const auto t0 = Clock::now();
    const pid_t pid = Start(dir, c.Command);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    runs.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.Name << " failed to run";
    if (i == 0) new_ = Snapshot(dir);
    // (Files are compared as a whole: printing megabytes would drown the failure.)
    ASSERT_TRUE(Snapshot(dir) == new_) << c.Name << " does not give one result";
  }
  ASSERT_FALSE(old_ == new_);
  // The duration follows the machine's load: every later full run of the command updates it.
  const auto duration = [&runs] {
    std::vector<double> recent(runs.end() - std::min<ptrdiff_t>(5, std::ssize(runs)), runs.end());
    std::sort(recent.begin(), recent.end());
    return recent[recent.size() / 2];
  };

  const int rounds = Rounds();
  const auto seed = static_cast<unsigned>(EnvInt("KVARN_KILL_SEED", std::random_device{}()));
  std::mt19937 random(seed);
  int keptOld = 0, gotNew = 0, finished = 0, leftTemporaries = 0;
  for (int round = 0; round < rounds; ++round) {
    Restore(dir, old_);
    const double expected = duration();
    // Every other kill lands in the second half, where the writing happens.
    const double from = round % 2 ? expected * 0.5 : 0;
    const double delay = std::uniform_real_distribution<double>(from, expected * 1.1)(random);
    const pid_t pid = Start(dir, c.Command);
    std::this_thread::sleep_for(std::chrono::duration<double>(delay));
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    if (WIFEXITED(status)) ++finished;

    std::vector<std::string> temporaries;
    const TFiles now = Snapshot(dir, &temporaries);
    const std::string where = StrFormat("%s, seed %u, round %d, kill after %.4f s of %.4f s",
                                        c.Name.c_str(), seed, round, delay, expected);
    ASSERT_EQ(Mismatch(now), "") << where;
    const bool isOld = now == old_;
    keptOld += isOld;
    gotNew += now == new_;
    leftTemporaries += !temporaries.empty();

    // The next start reads the data whatever the killed run left behind.
    ASSERT_EQ(RunInProcess(dir, c.Reader), 0) << where;
    if (isOld) {
      const auto t0 = Clock::now();
      ASSERT_EQ(RunInProcess(dir, c.Command), 0) << where;
      runs.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
      temporaries.clear();
      ASSERT_TRUE(Snapshot(dir, &temporaries) == new_) << where;
      // The writer that comes next clears what the killed one left.
      ASSERT_EQ(temporaries, std::vector<std::string>{}) << where;
    }
  }
  std::printf(
      "[ kill     ] %s: %d rounds over about %.3f s (seed %u): %d old, %d new (%d finished), "
      "%d left temporaries\n",
      c.Name.c_str(), rounds, duration(), seed, keptOld, gotNew, finished, leftTemporaries);
}

// A large archive, so that reading and writing it take a while.
void WriteArchive(const std::string& dir, int draws) {
  DrawsWriteFile(PathJoin(dir, DrawsFileName), test::RandomArchive(draws, 1, 7));
}

TNumberSet SetOf(std::initializer_list<uint8_t> numbers) {
  TNumberSet s;
  for (uint8_t n : numbers) s.Numbers[static_cast<size_t>(s.Count++)] = n;
  return s;
}

void PrepareDraws(const std::string& dir) {
  WriteArchive(dir, Sized(100000));
}

void PrepareStakes(const std::string& dir) {
  WriteArchive(dir, 1000);
  std::string bytes;
  const int kStakes = Sized(120000);
  bytes.resize(static_cast<size_t>(kStakes) * StakeRecordSize);
  TStake s;
  s.Kind = skManual;
  s.Checked = 1;
  s.Numbers = SetOf({1, 2, 3, 4, 5});
  for (int i = 0; i < kStakes; ++i) {
    s.DrawNumber = i / 120 + 1;
    s.Matched = SetOf({});
    s.Matched.Count = i % 4;
    s.Comment = StrFormat("Ставка %d", i % 50);
    StakeToBytes(s, reinterpret_cast<uint8_t*>(bytes.data()) + i * StakeRecordSize);
  }
  WriteFileAtomic(PathJoin(dir, StakesFileName), bytes);
}

void PrepareRating(const std::string& dir) {
  WriteArchive(dir, 100);
  TRatingsArray ratings;
  for (int i = 0; i < Sized(30000); ++i) {
    TRatingRecord r;
    r.Name = StrFormat("Рейтинг %d", i);
    r.Count = static_cast<uint32_t>(i * 7919 % 1000 + 1);
    r.Profit = static_cast<int64_t>(i % 97) * 10000;
    ratings.push_back(r);
  }
  RatingsWriteFile(PathJoin(dir, RatingsFileName), ratings);
}

void PrepareRegulars(const std::string& dir) {
  WriteArchive(dir, 100);
  TRegularsArray items;
  for (int i = 0; i < Sized(30000); ++i) {
    TRegular r;
    r.Comment = StrFormat("Регулярная %d", i);
    r.Start = r.Current = TComb{1, 2, 3, 4, 5};
    items.push_back(r);
  }
  WriteFileAtomic(PathJoin(dir, RegularsFileName), RegularsToBytes(items));
}

void PrepareNames(const std::string& dir) {
  WriteArchive(dir, 100);
  ASSERT_EQ(RunInProcess(dir, {"favourites", "rename", "EVEN", "Старое имя"}), 0);
  // Names of another language stay in the file through every save and make it large.
  const std::string file = PathJoin(dir, "Kvarn_5x36.flt");
  std::string text = ReadWholeFile(file) + "[STRINGS_ENG]\r\n";
  for (int i = 0; i < Sized(40000); ++i) text += StrFormat("NAME%d=Name number %d\r\n", i, i);
  WriteFileAtomic(file, text);
}

void PrepareScenario(const std::string& dir) {
  WriteArchive(dir, 100);
  const std::string file = PathJoin(dir, "big.lsc");
  ASSERT_EQ(RunInProcess(dir, {"scenario", "add", file, "--options", "excl:5#rand#nex", "--filter",
                               "tsd1#digs:5#lno:#sf:1"}),
            0);
  const std::string line = ReadWholeFile(file);
  std::string text;
  for (int i = 0; i < Sized(20000); ++i) text += line;
  WriteFileAtomic(file, text);
}

std::vector<TKillCase> Cases() {
  return {
      {"draws",
       PrepareDraws,
       {"draws", "add", "--numbers", "1,2,3,4,5,1", "--date", "01.02.2020 20:00"},
       {"draws", "status"}},
      {"stakes",
       PrepareStakes,
       {"stakes", "delete", "--condition", "0", "--value", "1"},
       {"stakes", "list"}},
      {"rating", PrepareRating, {"rating", "sort", "1"}, {"rating", "list"}},
      {"regulars",
       PrepareRegulars,
       {"regular", "add", "--comment", "Новая", "--numbers", "1;2;3;4;5"},
       {"regular", "list"}},
      {"names",
       PrepareNames,
       {"favourites", "rename", "EVEN", "Новое имя"},
       {"methods", "--favourites"}},
      {"scenario",
       PrepareScenario,
       {"scenario", "add", "@big.lsc", "--options", "FULL:0#EXT"},
       {"scenario", "show", "@big.lsc"}},
  };
}

INSTANTIATE_TEST_SUITE_P(Files, KillTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace kvarn
