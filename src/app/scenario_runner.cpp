// The scenario runner: the forecast and the test, one pass over the scenario, one line with its
// variants, and the starting list of a variant.
#include "app/scenario_runner.h"

#include <exception>

#include "app/scenario_run.h"
#include "app/workspace.h"
#include "core/files.h"
#include "core/text.h"
#include "scenario/script_codes.h"
#include "scenario/script_line.h"
#include "scenario/script_run_texts.h"

namespace kvarn {

TScenarioRunner::TScenarioRunner(TWorkspace& ws) : ws_(ws) {}

TScenarioRunner::~TScenarioRunner() = default;

bool TScenarioRunner::CanRun(const TScriptLines& lines) const {
  return !state_.Running && !lines.empty() && ws_.DrawsCount() > 0;
}

int TScenarioRunner::TestCountMax() const {
  return ws_.DrawsCount() - 1;
}

TScriptRunResult TScenarioRunner::Forecast(const TScriptLines& lines) {
  if (state_.Running) Raise("Сценарий уже выполняется!");
  return TRun(*this, lines).Forecast();
}

TScriptRunResult TScenarioRunner::Test(const TScriptLines& lines, int count) {
  if (state_.Running) Raise("Сценарий уже выполняется!");
  if (count < 1 || count > TestCountMax())
    Raise(StrFormat("Количество тестов должно быть от 1 до %d!", TestCountMax()));
  return TRun(*this, lines).Test(count);
}

void TScenarioRunner::RequestStop() {
  if (!state_.Running || state_.Stop) return;
  if (run_) run_->Log({ScriptLogAborted});
  state_.Stop = true;
}

void TScenarioRunner::LogsDelete() {
  IHost& host = ws_.Host();
  if (ScriptLogFiles(ws_.DataDir()).empty()) {
    ShowInfo(host, ScriptLogsNotFound);
    return;
  }
  TStakesLogsDeleted result;
  {
    TBusyGuard busy(host);
    TProgressText progress(host, ScriptLogsSearching);
    result = ScriptLogsDelete(ws_.DataDir());
  }
  if (result.Failures.empty())
    ShowInfo(host, result.Text());
  else
    ShowWarning(host, result.Text());
}

// ---- the run ----

TScenarioRunner::TRun::TRun(TScenarioRunner& runner, const TScriptLines& lines)
    : runner_(runner), ws_(runner.ws_), lines_(lines) {}

TScenarioRunner::TRun::~TRun() {
  if (runner_.run_ == this) runner_.run_ = nullptr;
}

void TScenarioRunner::TRun::Begin(int cycle) {
  IHost& host = ws_.Host();
  busy_ = std::make_unique<TBusyGuard>(host);
  host.SetStatusText(spMessage, ScriptRunningText);
  TScriptLog& log = runner_.log_;
  log.Clock = runner_.LogClock ? runner_.LogClock : NowDateTime;
  if (!runner_.LogPath.empty())
    log.Begin(runner_.LogPath);
  else if (ws_.WindowState().ScriptLogEnabled)
    log.BeginIn(ws_.DataDir());
  else
    log.End();
  runner_.run_ = this;
  TScriptRunState& st = runner_.state_;
  st = TScriptRunState{};
  st.LogFile = log.Path();
  Log({ScriptLogStart});

  st.Running = true;
  ws_.SetScriptRunning(true);
  st.Cycle = cycle;
  checkPerLine_ = ws_.WindowState().StakesCheckOnLine;
  Panel(TScriptPanel::Text, ScriptRunningText);
  Panel(TScriptPanel::Cycle, ScriptCycleText(st.Cycle));
  Panel(TScriptPanel::Stakes, ScriptStakesText(0));
  sortColumn_ = ws_.StatTable().SortColumn;
  sortDescending_ = ws_.StatTable().Descending;
  if (runner_.OnRunChanged) runner_.OnRunChanged();
}

void TScenarioRunner::TRun::End() {
  TScriptRunState& st = runner_.state_;
  if (st.Stop && status_ == TScriptRunStatus::Completed) status_ = TScriptRunStatus::Stopped;
  // A run cut short skipped its pass's check: the stakes it made are checked here.
  if (status_ != TScriptRunStatus::Completed) CheckStakes();
  st.Cycle = 0;
  st.Running = false;
  ws_.SetScriptRunning(false);
  st.Stop = false;
  try {
    SortStatTable(ws_.StatTable(), sortColumn_, sortDescending_);
  } catch (const std::exception&) {
    // The remembered sort was the table's own; it cannot be refused.
  }
  SelectRows({});
  if (runner_.OnStatsChanged) runner_.OnStatsChanged();
  Log({ScriptLogEnd});
  busy_.reset();
  ws_.Host().SetStatusText(spMessage, std::string());
  Panel(TScriptPanel::Cycle, ScriptCycleText(0));
  if (runner_.OnRunChanged) runner_.OnRunChanged();
  const std::string log = st.LogFile;
  st.LogFile.clear();
  runner_.log_.End();
  runner_.run_ = nullptr;
  if (!log.empty() && FileExists(log) && runner_.OnOpenLog) runner_.OnOpenLog(log);
}

TScriptRunResult TScenarioRunner::TRun::Result() {
  TScriptRunResult r;
  r.Status = status_;
  r.Message = message_;
  r.Offset = ws_.DrawsOffset();
  r.List = ws_.Combs().Count();
  r.StakesAdded = runner_.state_.Stakes;
  r.Records = ws_.StakesFile().Count();
  return r;
}

TScriptRunResult TScenarioRunner::TRun::Forecast() {
  Begin(1);
  PassHeader(ws_.DrawsOffset());
  Pass();
  if (!runner_.state_.Stop) Panel(TScriptPanel::Text, ScriptFinishedText);
  End();
  return Result();
}

TScriptRunResult TScenarioRunner::TRun::Test(int count) {
  const int offset = ws_.DrawsOffset();
  Begin(0);
  TScriptRunState& st = runner_.state_;
  for (int v = count; v >= 1; --v) {
    Panel(TScriptPanel::Cycle, ScriptCycleText(++st.Cycle));
    Panel(TScriptPanel::Text, ScriptRunningText);
    if (StopCheck()) break;
    ws_.SetDrawsOffset(v);
    if (StopCheck()) break;
    PassHeader(v);
    if (StopCheck()) break;
    Pass();
  }
  if (!st.Stop) ws_.SetDrawsOffset(offset);
  Panel(TScriptPanel::Text, ScriptFinishedText);
  End();
  return Result();
}

bool TScenarioRunner::TRun::StopCheck() {
  ws_.Host().ProcessEvents();
  return runner_.state_.Stop;
}

void TScenarioRunner::TRun::Log(std::initializer_list<std::string_view> lines) {
  if (!Logging()) return;
  LogFailure(runner_.log_.Write(lines));
}

void TScenarioRunner::TRun::Log(const std::vector<std::string>& lines) {
  if (!Logging()) return;
  LogFailure(runner_.log_.Write(lines));
}

void TScenarioRunner::TRun::LogFailure(const std::string& error) {
  if (error.empty()) return;
  // One message, not one per line: the log is left alone for the rest of the run.
  runner_.log_.End();
  ShowError(ws_.Host(), ScriptLogWriteError(error));
}

void TScenarioRunner::TRun::Panel(TScriptPanel panel, const std::string& text) {
  if (runner_.OnPanel) runner_.OnPanel(panel, text);
}

void TScenarioRunner::TRun::ShowRunning() {
  ws_.Host().SetStatusText(spMessage, ScriptRunningText);
}

void TScenarioRunner::TRun::PassHeader(int offset) {
  Log({ScriptLogEquals, ScriptLogOffset(offset), ScriptLogEquals});
}

void TScenarioRunner::TRun::CheckStakes() {
  ws_.StakesCheckAndRefresh();
  ws_.StakesRefreshGrid(true, false);
  if (runner_.state_.Running) ShowRunning();
}

void TScenarioRunner::TRun::Pass() {
  // A stakes file that cannot be written would fail every stake of the pass: the run ends here.
  std::string error;
  if (!ws_.StakesAppendSeparator(&error)) {
    Failed(error);
    return;
  }
  ws_.CombsBufferReset();
  TStatList& list = ws_.StatList();
  list.SaveWeights();
  struct TPassEnd {
    TWorkspace& ws;
    TStatList& list;
    ~TPassEnd() {
      list.RestoreWeights();
      ws.CombsBufferReset();
    }
  } end{ws_, list};

  for (size_t i = 0; i < lines_.size(); ++i) {
    if (StopCheck()) break;
    if (ScriptLineIsSeparator(lines_[i])) continue;
    const int index = static_cast<int>(i);
    if (runner_.OnLine) runner_.OnLine(index, true);
    Log({ScriptLogDashes, ScriptLogLine(index + 1, lines_[i]), ScriptLogDashes});
    RunLine(index);
    if (StopCheck()) break;
    if (runner_.OnLine) runner_.OnLine(index, false);
  }
  if (!checkPerLine_ && !runner_.state_.Stop) CheckStakes();
}

void TScenarioRunner::TRun::LineFailed(const std::string& message) {
  Failed(message);
  ShowError(ws_.Host(), message);
}

void TScenarioRunner::TRun::Failed(const std::string& message) {
  Stop();
  if (status_ != TScriptRunStatus::Error) {
    status_ = TScriptRunStatus::Error;
    message_ = message;
  }
}

void TScenarioRunner::TRun::RunLine(int index) {
  const std::string& line = lines_[static_cast<size_t>(index)];
  TStep step;
  step.Line = index + 1;
  step.Comment = ScriptLineField(line, ScriptCommentField);
  TFilterVars vars;
  try {
    ws_.CombsSnapshotReset();
    step.Options = ScriptOptionsFromText(ScriptLineField(line, 1));
    if (!StopCheck()) {
      const std::vector<TFilterItem> filters = ReadLineFilters(line, ws_.StatList());
      if (!StopCheck()) {
        Log({ScriptLogVariantsMaking});
        Panel(TScriptPanel::Line, ScriptLineText(step.Line));
        Panel(TScriptPanel::Text, ScriptLogVariantsMaking);
        TVariantHooks hooks;
        hooks.StopRequested = [this] { return StopCheck(); };
        hooks.Progress = [this](int64_t n) {
          Panel(TScriptPanel::Text, ScriptVariantsProgress(n));
        };
        CreateFilterVariants(filters, vars, hooks);
        if (!StopCheck()) {
          Log({ScriptLogVariantsMade(static_cast<int64_t>(vars.size()))});
          RunVariants(vars, step);
        }
      }
    }
  } catch (const std::exception& e) {
    LineFailed(e.what());
  }
  ws_.CombsSnapshotReset();
}

void TScenarioRunner::TRun::RunVariants(TFilterVars& vars, TStep& step) {
  const auto count = static_cast<int64_t>(vars.size());
  for (int v = 1; !vars.empty(); ++v) {
    const TFilterRec rec = std::move(vars.front());
    vars.pop_front();
    if (StopCheck()) break;
    step.Variant = v;
    RunVariant(rec, count, step);
    if (runner_.state_.Stop) break;
  }
  if (runner_.state_.Stop && checkPerLine_) CheckStakes();
}

void TScenarioRunner::TRun::RunVariant(const TFilterRec& rec, int64_t count, TStep& step) {
  const std::string recText = FilterRecToText(rec);
  Log({"", ScriptLogDashes, ScriptLogVariant(step.Variant, recText), ScriptLogDashes});
  Panel(TScriptPanel::Line, ScriptLineText(step.Line));
  Panel(TScriptPanel::Text, ScriptVariantText(step.Variant, count, recText));
  ShowRunning();
  Log({ScriptLogStartList});
  if (!StartList(step.Options)) return;

  step.Report = TScriptVariantRun{};
  step.Report.Pass = runner_.state_.Cycle;
  step.Report.Offset = ws_.DrawsOffset();
  step.Report.Line = step.Line;
  step.Report.Variant = step.Variant;
  step.Report.StartCount = ws_.Combs().Count();
  step.Report.BeforeStakes = -1;
  step.Report.Text = recText;
  // The variant is reported however it ends.
  struct TReport {
    TScenarioRunner& runner;
    TWorkspace& ws;
    TScriptVariantRun& report;
    ~TReport() {
      if (report.BeforeStakes < 0) report.BeforeStakes = ws.Combs().Count();
      if (runner.OnVariant) runner.OnVariant(report);
    }
  } report{runner_, ws_, step.Report};

  Log({ScriptLogCount(ws_.Combs().Count())});
  if (StopCheck()) return;
  for (const TFilterPart& part : rec) {
    if (!part.Active || ws_.Combs().Count() <= 1) continue;
    ApplyPart(part);
    if (runner_.state_.Stop) return;
  }
  if (StopCheck()) return;
  step.Text = ScriptOptionsLogText(step.Options) + " + " + recText;
  step.StakeComment.clear();
  step.Report.BeforeStakes = ws_.Combs().Count();
  MakeStakes(step);
  if (StopCheck()) return;
  Log({ScriptLogDashes});
  if (checkPerLine_) CheckStakes();
}

bool TScenarioRunner::TRun::StartList(const TScriptOptions& options) {
  distinctFor_ = -1;
  const int type = options.StartCombsType;
  if (type == ssFull || type == ssExcl) {
    const int n = options.DrawsExclude, offset = ws_.DrawsOffset();
    const bool excl = type == ssExcl && n > 0;
    // Lines of earlier variants describe nothing of a list made anew.
    ws_.AppliedFilters().clear();
    if (excl && ws_.CombsBufferRestore(offset, n)) {
      ws_.AppliedFilters().push_back(
          {"Последние тиражи", std::to_string(n), ws_.Combs().Count(), true});
    } else {
      ws_.CombsGenerateStored(false);
      ws_.CombsRefreshList();
      if (StopCheck()) return false;
      if (excl) {
        ws_.CombsSnapshot(false);
        ws_.CombsRemoveDraws(n);
        ws_.CombsBufferSave(offset, n);
      }
    }
    if (StopCheck()) return false;
  }
  if (options.ClearStakes) {
    ws_.StakesFile().Clear();
    ws_.StakesFile().Reopen();
    ws_.StakesRefreshGrid(true, false);
    index_.clear();
    indexRead_ = true;
    if (StopCheck()) return false;
  }
  return true;
}

}  // namespace kvarn
