// One filter step of a scenario variant on the statistics tab: the method and the sample length
// chosen, the table computed (or reused) and sorted, its rows walked with the stop condition and
// the level test, and the list filtered by the selected rows, rolled back when emptied.
#include <exception>

#include "app/scenario_run.h"
#include "app/workspace.h"
#include "core/text.h"
#include "scenario/script_codes.h"
#include "scenario/script_run_texts.h"
#include "stats/filter.h"
#include "stats/item_index.h"

namespace kvarn {

void TScenarioRunner::TRun::ApplyPart(const TFilterPart& part) {
  SelectRows({});
  SelectMethod(part);
  ComputeTable(part);
  if (StopCheck()) return;
  if (Logging()) LogTable();
  if (StopCheck()) return;
  std::unique_ptr<TCustomStat> stat = ws_.StatList().CreateStat(methodEntry_);
  WalkRows(part, *stat);
}

void TScenarioRunner::TRun::SelectMethod(const TFilterPart& part) {
  TStatList& list = ws_.StatList();
  const std::vector<TMethodBoxLine>& box = ws_.MethodBoxes().Stat;
  for (size_t i = 0; i < box.size(); ++i) {
    if (part.Method && &list.Items(box[i].Entry) == part.Method) {
      ws_.SetStatSelected(static_cast<int>(i));
      methodText_ = box[i].Text;
      methodEntry_ = box[i].Entry;
      return;
    }
  }
  Raise(part.Method ? ScriptMethodNotFound(part.Method->IdentOf(), part.Method->CaptionOf())
                    : ScriptMethodNotFound(part.IdentText, ""));
}

void TScenarioRunner::TRun::ComputeTable(const TFilterPart& part) {
  // Sorting first refuses a bad column before anything is computed; a table computed anew keeps
  // the sort, one that is reused has it now.
  SortStatTable(ws_.StatTable(), part.SortColumn, true);
  const int len = PartSampleLength(part);
  ws_.SetStatLen(len);
  Log({ScriptLogAnalysis(methodText_, len)});
  const TStatWeights weights = part.Weights();
  ws_.StatList().ApplyWeights(part.CDLOverride ? &weights : nullptr);
  ws_.ComputeStatistics(false, true);
  if (runner_.OnStatsChanged) runner_.OnStatsChanged();
}

void TScenarioRunner::TRun::LogTable() {
  const TStatTable& t = ws_.StatTable();
  std::vector<std::string> lines;
  lines.reserve(t.Order.size());
  for (int i : t.Order) lines.push_back(ScriptLogRow(RowTexts(&t.Rows[static_cast<size_t>(i)])));
  Log(lines);
}

int TScenarioRunner::TRun::DistinctNumbers() {
  SettleCounted();
  // A filter step only takes combinations out, so an unchanged count is an unchanged list.
  const int count = ws_.Combs().Count();
  if (distinctFor_ != count) {
    distinctCount_ = CountUniqueNumbers(ws_.Combs());
    distinctFor_ = count;
  }
  return distinctCount_;
}

TWalkState TScenarioRunner::TRun::WalkState(int steps) {
  TWalkState s;
  s.ListCount = ListCount();
  s.Steps = steps;
  s.MaxStake = ws_.Config().MaxStake;
  s.DistinctNumbers = [this] { return DistinctNumbers(); };
  return s;
}

void TScenarioRunner::TRun::WalkRows(const TFilterPart& part, TCustomStat& stat) {
  const TStatTable& t = ws_.StatTable();
  const int rows = static_cast<int>(t.Order.size());
  int steps = 0;
  TStatDrawArray selected;
  std::vector<int> selectedRows;
  keyedState_ = part.MultiSelect || !runner_.CountedWalks ? -1 : 0;
  // However the walk ends (a stop, a row that raises), the list is what its steps left.
  struct TSettle {
    TRun& run;
    ~TSettle() {
      try {
        run.SettleCounted();
      } catch (const std::exception&) {
        // Only the list's redraw can fail here; the list itself is already cut.
      }
      run.keyedState_ = 0;
    }
  } settle{*this};
  for (int k = 0; k < rows; ++k) {
    if (StopCheck()) return;
    const int r = part.BottomUp ? rows - 1 - k : k;
    const TStatRow& row = t.Rows[static_cast<size_t>(t.Order[static_cast<size_t>(r)])];
    TStatValues values = RowTexts(&row);
    values.ValueParsed = stat.ParseValue(values.Value);
    if (StopConditionHolds(part, values, WalkState(steps))) break;
    const bool match = LevelRowMatches(part.LevelMode, part.LevelTest, values);
    if (part.MultiSelect) {
      if (match) {
        selected.push_back(row.Item);
        selectedRows.push_back(r);
        if (Logging()) Log({ScriptLogStep(steps + 1, values)});
      }
      ++steps;
      continue;
    }
    if (!match) continue;
    SelectRows({r});
    if (Logging()) Log({ScriptLogStep(steps + 1, values)});
    if (!FilterOne(part, stat, row.Item))
      ++steps;
    else if (part.StopMode == fsEmpty)
      break;
  }
  if (!part.MultiSelect) {
    SettleCounted();
    return;
  }
  SelectRows(selectedRows);
  FilterSelected(part, stat, selected);
}

bool TScenarioRunner::TRun::FilterSelected(const TFilterPart& part, TCustomStat& stat,
                                           const TStatDrawArray& selected) {
  Log({part.KeepSelected ? ScriptLogKeep : ScriptLogDelete});
  ws_.CombsSnapshot(false);
  ws_.FilterCombs(stat, selected, methodText_, !part.KeepSelected);
  Log({ScriptLogCount(ws_.Combs().Count())});
  SelectRows({});
  if (ws_.Combs().Count() > 0) return false;
  Log({ScriptLogUndo});
  ws_.CombsRestore(false);
  ws_.AppliedFiltersAddRollback();
  return true;
}

bool TScenarioRunner::TRun::FilterOne(const TFilterPart& part, TCustomStat& stat,
                                      const TStatDraw& item) {
  const TStatDrawArray one{item};
  if (keyedState_ == 0)
    keyedState_ =
        keyed_.Start(stat, ws_.Combs(), ws_.FilterLastDraw(), ws_.WindowState().SortedDraws) ? 1
                                                                                             : -1;
  if (keyedState_ < 0) return FilterSelected(part, stat, one);
  // The steps of FilterSelected, answered from the counts: the same log, the same lines of the
  // applied filters, the same rollback of a step that would empty the list.
  const bool exclude = !part.KeepSelected;
  Log({part.KeepSelected ? ScriptLogKeep : ScriptLogDelete});
  const uint64_t key = StatKeyBits(item.Key);
  const int before = keyed_.Count();
  const int after = keyed_.CountAfter(key, exclude);
  ws_.AppliedFilters().push_back({methodText_, SelectedValuesText(stat, one), after, exclude});
  Log({ScriptLogCount(after)});
  SelectRows({});
  if (after > 0) {
    keyed_.Apply(key, exclude);
    return false;
  }
  Log({ScriptLogUndo});
  ws_.AppliedFiltersAddRollback(before);
  return true;
}

int TScenarioRunner::TRun::ListCount() const {
  return keyedState_ > 0 ? keyed_.Count() : ws_.Combs().Count();
}

void TScenarioRunner::TRun::SettleCounted() {
  // The counts follow the cut list, so the walk goes on counting.
  if (keyedState_ <= 0 || !keyed_.Pending()) return;
  keyed_.Retain(ws_.Combs());
  ws_.CombsRefreshList();
}

void TScenarioRunner::TRun::SelectRows(const std::vector<int>& rows) {
  if (runner_.OnStatSelection) runner_.OnStatSelection(rows);
}

}  // namespace kvarn
