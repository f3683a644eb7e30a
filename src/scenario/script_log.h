// The log of a scenario run: "ScriptLog_yyyy-mm-dd-hh-nn-ss.txt" in the data directory, one line
// per step, each after the time "[yyyy-mm-dd hh:nn:ss]: ", cp1251 with CR LF. The file is opened
// to append and closed again for every write, so that what was logged survives whatever follows.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/dates.h"
#include "stakes/stakes_log.h"

namespace kvarn {

// "ScriptLog_%s.txt" with the time as "yyyy-mm-dd-hh-nn-ss".
std::string ScriptLogFileName(TDateTime start);
// "[yyyy-mm-dd hh:nn:ss]: "
std::string ScriptLogTimePrefix(TDateTime t);

class TScriptLog {
 public:
  // The moment of each line and of the name; local time unless a test sets its own.
  std::function<TDateTime()> Clock = NowDateTime;

  // Starts logging into `path`; an empty path turns the log off.
  void Begin(std::string path) { path_ = std::move(path); }
  // A file named by the clock in `dir`.
  void BeginIn(const std::string& dir);
  void End() { path_.clear(); }
  bool Active() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }

  // Appends the lines, all with the time of this call. Returns the system's error text on
  // failure, empty on success; nothing is written while the log is off.
  std::string Write(std::initializer_list<std::string_view> lines);
  std::string Write(const std::vector<std::string>& lines);

 private:
  std::string Append(const std::string& bytes);
  std::string path_;
};

// "Удалить журналы выполнения сценариев": the ScriptLog_*.txt files of the data directory and
// what became of them.
std::vector<std::string> ScriptLogFiles(const std::string& dataDir);
TStakesLogsDeleted ScriptLogsDelete(const std::string& dataDir);

}  // namespace kvarn
