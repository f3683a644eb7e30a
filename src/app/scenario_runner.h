// The execution of a scenario on the workspace: "Прогноз" runs every line once at the current
// draws offset, "Тест" runs the whole scenario once for each of the last K draws, oldest first,
// with the draws from the predicted one on hidden. Each line builds its starting list, expands
// its filters into every variant, applies each variant's filters to the statistics table and
// the combination list as a person would, and stakes what is left.
//
// Everything runs on the caller's thread. At every stop check the host's ProcessEvents runs
// first (the window paints and handles "Стоп" there, kvarn-cli sees Ctrl+C there), then the stop
// flag is read; every level unwinds through its own clean-up.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "scenario/filter_variants.h"
#include "scenario/script_file.h"
#include "scenario/script_log.h"
#include "scenario/script_options.h"
#include "stats/table.h"

namespace kvarn {

class TWorkspace;

// The run state of the main window.
struct TScriptRunState {
  bool Running = false;
  bool Stop = false;    // "Стоп", stake mode STOP or an error
  int Cycle = 0;        // test step ("Цикл: %d"; 1 for a forecast)
  int Stakes = 0;       // stakes added during the run ("Ставок: %d")
  std::string LogFile;  // the current log; empty between runs
};

enum class TScriptRunStatus { Completed, Stopped, Error };

// One variant that went through its starting list (kvarn-cli prints one line for each).
struct TScriptVariantRun {
  int Pass = 0;          // cycle counter
  int Offset = 0;        // draws offset of the pass
  int Line = 0;          // 1-based
  int Variant = 0;       // 1-based
  int StartCount = 0;    // list length after the starting list
  int BeforeStakes = 0;  // list length when the stakes were made (or when the variant ended)
  int StakesAdded = 0;
  std::string Text;  // FilterRecToText of the variant
};

struct TScriptRunResult {
  TScriptRunStatus Status = TScriptRunStatus::Completed;
  std::string Message;  // the warning or error that ended the run; empty when none
  int Offset = 0;       // draws offset after the run
  int List = 0;         // combinations left
  int StakesAdded = 0;
  int64_t Records = 0;  // records in the stakes file
};

// The panels of the scenario tab a run writes.
enum class TScriptPanel { Cycle, Line, Stakes, Text };

class TScenarioRunner {
 public:
  explicit TScenarioRunner(TWorkspace& ws);
  ~TScenarioRunner();
  TScenarioRunner(const TScenarioRunner&) = delete;
  TScenarioRunner& operator=(const TScenarioRunner&) = delete;

  const TScriptRunState& State() const { return state_; }
  bool Running() const { return state_.Running; }
  // "Прогноз" and "Тест": the scenario has lines, the archive is not empty, nothing runs.
  bool CanRun(const TScriptLines& lines) const;
  // "Стоп": running and no stop requested yet.
  bool CanStop() const { return state_.Running && !state_.Stop; }
  // The largest count a test may take: the draws minus one.
  int TestCountMax() const;

  // One pass at the current offset.
  TScriptRunResult Forecast(const TScriptLines& lines);
  // One pass for each offset from `count` down to 1 (1..draws-1, else raises); a completed test
  // restores the offset it started from, a stopped one leaves the offset where it stopped.
  TScriptRunResult Test(const TScriptLines& lines, int count);
  // "Стоп" after its confirmation: logs the interruption and sets the stop flag.
  void RequestStop();

  // "Удалить журналы выполнения сценариев".
  void LogsDelete();

  // Single-select walks of methods with one key per combination count their steps and cut the
  // list once; off, every step filters the list (the same result, kept to compare with).
  bool CountedWalks = true;

  // The log file of the next runs; empty: ScriptLog_<time>.txt in the data directory when the
  // log switch is on, no log when it is off.
  std::string LogPath;
  // The clock of the log (tests set their own).
  std::function<TDateTime()> LogClock;

  // ---- what the window (or kvarn-cli) does on the run's behalf ----
  // The run started or ended: tabs, lists and commands are enabled or disabled.
  std::function<void()> OnRunChanged;
  std::function<void(TScriptPanel panel, const std::string& text)> OnPanel;
  // A scenario row is selected and focused (true) or deselected (false) as its line runs.
  std::function<void(int line, bool selected)> OnLine;
  // The statistics tab's method, length, sort or table changed.
  std::function<void()> OnStatsChanged;
  // The table rows (display order) selected by the step, empty when the selection is cleared.
  std::function<void(const std::vector<int>& rows)> OnStatSelection;
  std::function<void(const TScriptVariantRun&)> OnVariant;
  // The log of a finished run, to be opened with the desktop's viewer.
  std::function<void(const std::string& path)> OnOpenLog;

 private:
  class TRun;
  friend class TRun;

  TWorkspace& ws_;
  TScriptRunState state_;
  TScriptLog log_;
  TRun* run_ = nullptr;  // the run in progress
};

}  // namespace kvarn
