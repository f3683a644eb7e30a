// The statistics tab without its widgets: the registry with its method boxes and the statistics
// table of the selected method.
#include <exception>

#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

namespace {
constexpr const char* MethodListFileName = "Kvarn_5x36.flt";
}

std::string TWorkspace::MethodListPath() const {
  return DataPath(MethodListFileName);
}

TStatList& TWorkspace::StatList() {
  if (!statList_) {
    statList_ = std::make_unique<TStatList>(draws_);
    statList_->SetConfig(&settings_.Data);
    StatSyncSettings();
    statList_->Register();
    std::string message;
    if (!statList_->LoadNames(MethodListPath(), true, message)) ShowError(host_, message);
    methodBoxes_ = statList_->BoxLines();
    statSelected_ = methodBoxes_.Stat.empty() ? -1 : 0;
    graphSelected_ = methodBoxes_.Graph.empty() ? -1 : 0;
  }
  return *statList_;
}

void TWorkspace::StatSyncSettings() {
  if (!statList_) return;
  const TConfigData& c = settings_.Data;
  TStatWeights w;
  w.Count = c.CoefCount;
  w.Deviation = c.CoefDeviation;
  w.Level = c.CoefLevel;
  w.Percents = c.UsePercents;
  w.Abs = c.UseAbsValues;
  statList_->Weights = w;
  statList_->SavedWeights = w;
  statList_->ShreddingFormulas = settings_.Shredding.Formulas;
  statList_->ShreddingDigits = settings_.Shredding.Digits;
}

namespace {
int KeptLine(int previous, bool keep, size_t count) {
  if (count == 0) return -1;
  if (keep && previous >= 0 && static_cast<size_t>(previous) < count) return previous;
  return 0;
}
}  // namespace

void TWorkspace::MethodBoxesRefill(bool keepSelection) {
  TStatList& list = StatList();
  std::string message;
  methodBoxes_ = list.RefillBoxes(MethodListPath(), message);
  if (!message.empty()) ShowError(host_, message);
  statSelected_ = KeptLine(statSelected_, keepSelection, methodBoxes_.Stat.size());
  graphSelected_ = KeptLine(graphSelected_, keepSelection, methodBoxes_.Graph.size());
}

const TMethodBoxes& TWorkspace::MethodBoxes() {
  StatList();
  return methodBoxes_;
}

void TWorkspace::SetStatSelected(int line) {
  StatList();
  statSelected_ = (line >= 0 && static_cast<size_t>(line) < methodBoxes_.Stat.size()) ? line : -1;
}

void TWorkspace::SetGraphSelected(int line) {
  StatList();
  graphSelected_ = (line >= 0 && static_cast<size_t>(line) < methodBoxes_.Graph.size()) ? line : -1;
}

int TWorkspace::StatSelectedEntry() {
  StatList();
  return statSelected_ < 0 ? -1 : methodBoxes_.Stat[static_cast<size_t>(statSelected_)].Entry;
}

std::unique_ptr<TCustomStat> TWorkspace::CreateSelected(bool graphBox) {
  TStatList& list = StatList();
  const int line = graphBox ? graphSelected_ : statSelected_;
  const auto& box = graphBox ? methodBoxes_.Graph : methodBoxes_.Stat;
  if (line < 0 || static_cast<size_t>(line) >= box.size())
    Raise(StrFormat("Не выбран метод расчета статистики (cb: %s)!",
                    graphBox ? "cbDrawsGraphType" : "cbDrawsStatType"));
  return list.CreateStat(box[static_cast<size_t>(line)].Entry);
}

void TWorkspace::ComputeStatTableFor(int entry, int offset, int len, bool sorted,
                                     TStatTable& table) {
  TStatList& list = StatList();
  std::unique_ptr<TCustomStat> stat = list.CreateStat(entry);
  std::unique_ptr<TPrefetchData> fullSet;
  if (StatFullSetSource && windowState_.PrefetchsEnabled && list.CanPrefetch(entry))
    fullSet = StatFullSetSource(entry);
  TStatTableOptions options;
  options.Offset = offset;
  options.Len = len;
  options.Sorted = sorted;
  options.ShowTotalLine = windowState_.ShowTotalLine;
  options.Weights = list.Weights;
  options.FullSet = fullSet.get();
  ComputeStatTable(*stat, options, table);
}

bool TWorkspace::ComputeStatistics(bool force) {
  StatList();
  const TStatInputs inputs{DrawsCount(), DrawsOffset(), statLen_, statSelected_};
  if (!force && statInputsValid_ && inputs == statInputs_) return false;
  statInputs_ = inputs;
  statInputsValid_ = true;

  if (methodBoxes_.Stat.empty()) return false;
  statTable_.Clear();
  if (statSelected_ < 0 || draws_.empty()) return true;

  TBusyGuard busy(host_);
  TProgressText progress(host_, "Анализ тиражей и расчет статистики...");
  try {
    ComputeStatTableFor(StatSelectedEntry(), drawsOffset_, statLen_, windowState_.SortedDraws,
                        statTable_);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
  }
  return true;
}

}  // namespace kvarn
