// The stakes of a scenario variant: what is left of the list staked by the line's mode, each
// stake logged, counted and (for lines that stake only new ones) looked up first.
#include <bitset>

#include "app/scenario_run.h"
#include "app/workspace.h"
#include "core/text.h"
#include "scenario/script_codes.h"
#include "scenario/script_run_texts.h"
#include "scenario/script_stakes.h"
#include "stakes/system_play.h"
#include "stakes/system_store.h"

namespace kvarn {

namespace {

// A stake's numbers as one key: a bit per number and the count above them.
uint64_t NumbersKey(const TNumberSet& s) {
  uint64_t mask = 0;
  for (int i = 0; i < s.Count && i < MaxSetSize; ++i) mask |= uint64_t{1} << (s.Numbers[i] & 63);
  return mask | static_cast<uint64_t>(static_cast<uint32_t>(s.Count) & 0xFF) << 56;
}

constexpr std::chrono::milliseconds PanelInterval{101};

}  // namespace

void TScenarioRunner::TRun::MakeStakes(TStep& step) {
  const int mode = step.Options.ResultCombsMode;
  Log({ScriptLogStakeMode(mode)});
  const TCombList& list = ws_.Combs();
  const int count = list.Count();
  if (count == 0 || mode == smNone) return;
  if (count > 1 && mode == smStop) {
    Stop();
    Log({ScriptLogStopped});
    const std::string warning =
        ScriptStopWarning(count, ScriptStepLabel(step.Line, step.Variant, step.Comment, step.Text));
    if (status_ == TScriptRunStatus::Completed) {
      status_ = TScriptRunStatus::Stopped;
      message_ = warning;
    }
    ShowWarning(ws_.Host(), warning);
    return;
  }
  if (count > 1 && mode == smSkip) {
    Log({ScriptLogSkipped});
    return;
  }
  if (runner_.state_.Stop) return;
  if (count == 1) {
    AddStake(step, ScriptCombNumbers(list[0]), false);
  } else {
    switch (mode) {
      case smExt:
        AddStake(step, ScriptExtendedNumbers(list, ws_.Config().MaxStake, ws_.Random()), false);
        break;
      case smRand:
        AddStake(step, ScriptCombNumbers(list[ws_.Random().Int(count)]), false);
        break;
      case smFirst:
        AddStake(step, ScriptCombNumbers(list[0]), false);
        break;
      case smLast:
        AddStake(step, ScriptCombNumbers(list[count - 1]), false);
        break;
      case smAll:
        StakeAll(step);
        break;
      case smSysA:
      case smSysC:
        StakeSystem(step, mode == smSysA);
        break;
      default:
        break;
    }
  }
  Panel(TScriptPanel::Stakes, ScriptStakesText(runner_.state_.Stakes));
  ws_.StakesRefreshGrid(true, true);
}

void TScenarioRunner::TRun::StakeAll(TStep& step) {
  // The list does not change while it is staked: stakes never touch it.
  const TCombList& list = ws_.Combs();
  for (int i = 0; i < list.Count(); ++i) {
    if (StopCheck()) return;
    AddStake(step, ScriptCombNumbers(list[i]), true);
  }
}

void TScenarioRunner::TRun::StakeSystem(TStep& step, bool all) {
  const TCombList& list = ws_.Combs();
  const TByteArray numbers = SystemListNumbers(list);
  const int n = static_cast<int>(numbers.size());
  const TSystemFind found = SystemFindCombs(ws_.DataDir(), numbers);
  if (!found.Ok) {
    // The look-up's own box first, then the log; the run goes on without these stakes.
    ShowError(ws_.Host(), found.Message);
    Log({ScriptLogSystemFailed(n, found.Error)});
    return;
  }
  Log({ScriptLogSystemLoaded(all, n, SystemShortName(found.FileName))});
  const TCombsArray combs =
      SystemStakeCombs(found.Combs, all ? TSystemPlayMode::All : TSystemPlayMode::Combs, list);
  for (const TComb& c : combs) {
    if (StopCheck()) return;
    AddStake(step, ScriptCombNumbers(c), true);
  }
}

bool TScenarioRunner::TRun::StakeExists(int32_t drawNumber, const TNumberSet& numbers) {
  if (!indexRead_) {
    ws_.StakesFile().ForEach(0, [this](const TStake& s) {
      if (s.HasDraw()) index_.insert({s.DrawNumber, NumbersKey(s.Numbers)});
    });
    indexRead_ = true;
  }
  return index_.count({drawNumber, NumbersKey(numbers)}) != 0;
}

void TScenarioRunner::TRun::AddStake(TStep& step, const TNumberSet& numbers, bool throttled) {
  const int32_t draw = ws_.DrawsNextNumber(ws_.DrawsOffset());
  if (step.Options.NewOnly && StakeExists(draw, numbers)) {
    Log({ScriptLogStakeExists(draw, numbers)});
    return;
  }
  if (step.StakeComment.empty())
    step.StakeComment = ScriptStakeComment(step.Line, step.Variant, step.Comment, step.Text);
  const TStake s = ScriptStake(draw, ws_.Combs().Count(), numbers, step.StakeComment, ws_.Config());
  std::string error;
  bool written;
  {
    TProgressText progress(ws_.Host(), "Создание ставок...");
    written = ws_.StakesAppend(s, 1, &error);
  }
  ShowRunning();
  // The workspace has shown the error; the run stops with it, as after any failed line.
  if (!written) {
    Failed(error);
    return;
  }
  if (indexRead_) index_.insert({draw, NumbersKey(numbers)});
  Log({ScriptLogStakeAdded(draw, numbers)});
  ++runner_.state_.Stakes;
  ++step.Report.StakesAdded;
  StakesPanel(throttled);
}

void TScenarioRunner::TRun::StakesPanel(bool throttled) {
  const auto now = std::chrono::steady_clock::now();
  if (throttled && now - panelShown_ < PanelInterval) return;
  panelShown_ = now;
  Panel(TScriptPanel::Stakes, ScriptStakesText(runner_.state_.Stakes));
  ws_.StakesRefreshGrid(true, false);
}

}  // namespace kvarn
