// The stake logs Kvarn_5x36-%d.log, one per match count: a line for every checked stake, in
// cp1251 with CR LF, appended. A log that has grown beyond 256 MiB starts afresh.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "stakes/stake.h"

namespace kvarn {

constexpr const char* StakesLogPattern = "Kvarn_5x36-%d.log";
constexpr int64_t StakesLogMaxSize = 268435456;

// The line without its time and line end, UTF-8:
// "Тираж № 999. Ставка: \"...\" [1;2;3;4;5] {376992}. Результаты тиража: [...]. Совпадений: 3.
// Профит: 40.00."
std::string StakesLogText(const TStake& s);

// The logs of one check run; the files stay open until the object goes.
class TStakesLog {
 public:
  explicit TStakesLog(std::string dataDir);
  ~TStakesLog();
  TStakesLog(const TStakesLog&) = delete;
  TStakesLog& operator=(const TStakesLog&) = delete;

  std::string PathOf(int matches) const;
  // Appends the stake's line to the log of its match count (checked stakes only). Failures are
  // passed to `showError` and never stop the caller; a log that failed once is left alone for
  // the rest of the run, so that a full disk gives one message and not one per stake.
  void Write(const TStake& s, const std::function<void(const std::string&)>& showError);
  // Lines are gathered and written in blocks; this writes what is gathered.
  void Flush(const std::function<void(const std::string&)>& showError);

  // "yyyy.mm.dd hh:nn:ss" of the moment; local time unless a test sets its own clock.
  std::function<std::string()> Clock;

 private:
  struct TFile {
    int fd = -1;
    int64_t size = 0;  // on disk and gathered
    bool failed = false;
    std::string pending;
  };
  bool Prepare(int m, const std::function<void(const std::string&)>& showError);
  std::string LineOf(const TStake& s);

  std::string dir_;
  std::array<TFile, CombSize + 1> files_{};
  std::string lastComment_;
  std::string lastCommentCp_;
};

// LogStakesDelete: the log files found in the data directory (any text in place of the match
// count) and what became of them.
struct TStakesLogsDeleted {
  int Found = 0;
  int Deleted = 0;
  std::vector<std::string> Failures;  // "<file>: <reason>"
  // The outcome text shown to the person; empty when nothing was found.
  std::string Text() const;
};
// The files of a log family in the data directory, sorted by name, and their deletion.
std::vector<std::string> LogFilesIn(const std::string& dataDir, std::string_view prefix,
                                    std::string_view suffix);
TStakesLogsDeleted LogFilesDelete(const std::vector<std::string>& files);
std::vector<std::string> StakesLogFiles(const std::string& dataDir);
TStakesLogsDeleted StakesLogsDelete(const std::string& dataDir);

}  // namespace kvarn
