// One run of the scenario runner (private to it): the lines being run, their options and the
// state of the line, variant and filter step in progress. The steps are split by subject:
// scenario_runner.cpp (forecast, test, pass, line, starting list), scenario_run_filter.cpp (one
// filter step on the statistics table) and scenario_run_stakes.cpp (the stakes).
#pragma once

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/host.h"
#include "app/scenario_runner.h"
#include "scenario/keyed_walk.h"
#include "scenario/row_tests.h"
#include "stats/stat.h"

namespace kvarn {

class TScenarioRunner::TRun {
 public:
  TRun(TScenarioRunner& runner, const TScriptLines& lines);
  ~TRun();
  TRun(const TRun&) = delete;
  TRun& operator=(const TRun&) = delete;

  TScriptRunResult Forecast();
  TScriptRunResult Test(int count);

 private:
  friend class TScenarioRunner;  // "Стоп" logs through the run

  // The line and variant in progress, for the stakes and the variant report.
  struct TStep {
    int Line = 0;  // 1-based
    int Variant = 0;
    std::string Comment;
    TScriptOptions Options;
    std::string Text;          // ScriptOptionsLogText + " + " + FilterRecToText
    std::string StakeComment;  // made from the above at the first stake
    TScriptVariantRun Report;
  };

  // ---- run and pass (scenario_runner.cpp) ----
  void Begin(int cycle);
  void End();
  TScriptRunResult Result();
  // Processes the window's events, then reads the stop flag.
  bool StopCheck();
  void Stop() { runner_.state_.Stop = true; }
  void Log(std::initializer_list<std::string_view> lines);
  void Log(const std::vector<std::string>& lines);
  void LogFailure(const std::string& error);
  bool Logging() const { return runner_.log_.Active(); }
  void Panel(TScriptPanel panel, const std::string& text);
  // The run's text in the message panel again, after a step's progress text has cleared it.
  void ShowRunning();
  void PassHeader(int offset);
  void Pass();
  void RunLine(int index);
  void RunVariants(TFilterVars& vars, TStep& step);
  void RunVariant(const TFilterRec& rec, int64_t count, TStep& step);
  // An error of a line: the stop flag, the message box, and the run's message.
  void LineFailed(const std::string& message);
  // The same for an error the workspace has shown already.
  void Failed(const std::string& message);
  void CheckStakes();
  // Builds the starting list of a variant; false when a stop was requested.
  bool StartList(const TScriptOptions& options);

  // ---- one filter step (scenario_run_filter.cpp) ----
  void ApplyPart(const TFilterPart& part);
  // Sets the method box to the part's method; raises when the box has no such line.
  void SelectMethod(const TFilterPart& part);
  void ComputeTable(const TFilterPart& part);
  void LogTable();
  void WalkRows(const TFilterPart& part, TCustomStat& stat);
  TWalkState WalkState(int steps);
  // Filters the list by the selected items; rolls an emptied list back. True when rolled back.
  bool FilterSelected(const TFilterPart& part, TCustomStat& stat, const TStatDrawArray& selected);
  // The same for the one item of a single-select step, counted when the method allows it.
  bool FilterOne(const TFilterPart& part, TCustomStat& stat, const TStatDraw& item);
  // The list's count, with the steps counted but not yet cut.
  int ListCount() const;
  // Cuts the list by the counted steps (before anything looks at the list itself).
  void SettleCounted();
  void SelectRows(const std::vector<int>& rows);
  int DistinctNumbers();

  // ---- the stakes (scenario_run_stakes.cpp) ----
  void MakeStakes(TStep& step);
  void StakeAll(TStep& step);
  void StakeSystem(TStep& step, bool all);
  void AddStake(TStep& step, const TNumberSet& numbers, bool throttled);
  bool StakeExists(int32_t drawNumber, const TNumberSet& numbers);
  void StakesPanel(bool throttled);

  TScenarioRunner& runner_;
  TWorkspace& ws_;
  const TScriptLines lines_;
  std::unique_ptr<TBusyGuard> busy_;
  bool checkPerLine_ = true;
  TScriptRunStatus status_ = TScriptRunStatus::Completed;
  std::string message_;
  bool logFailed_ = false;
  int sortColumn_ = 0;
  bool sortDescending_ = false;

  // The counted walk in progress: 0 not tried yet, 1 counting, -1 filtering row by row.
  TKeyedWalk keyed_;
  int keyedState_ = 0;

  // The method box's text of the step in progress (the applied-filters caption).
  std::string methodText_;
  int methodEntry_ = -1;
  // The distinct numbers of the list, kept while its count stays the same.
  int distinctCount_ = -1;
  int distinctFor_ = -1;

  // Stakes already in the file, by draw number and numbers, for the lines with NewOnly: read
  // once, then kept up to date by the stakes this run adds (nothing else writes while it runs).
  bool indexRead_ = false;
  std::set<std::pair<int32_t, uint64_t>> index_;
  std::chrono::steady_clock::time_point panelShown_{};
};

}  // namespace kvarn
