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
  if (!stats_.List) {
    stats_.List = std::make_unique<TStatList>(draws_.Draws);
    stats_.List->SetConfig(&settings_.Data);
    StatSyncSettings();
    stats_.List->Register();
    std::string message;
    if (!stats_.List->LoadNames(MethodListPath(), true, message)) ShowError(host_, message);
    stats_.Boxes = stats_.List->BoxLines();
    stats_.Selected = stats_.Boxes.Stat.empty() ? -1 : 0;
    stats_.GraphSelected = stats_.Boxes.Graph.empty() ? -1 : 0;
  }
  return *stats_.List;
}

void TWorkspace::StatSyncSettings() {
  if (!stats_.List) return;
  const TConfigData& c = settings_.Data;
  TStatWeights w;
  w.Count = c.CoefCount;
  w.Deviation = c.CoefDeviation;
  w.Level = c.CoefLevel;
  w.Percents = c.UsePercents;
  w.Abs = c.UseAbsValues;
  stats_.List->Weights = w;
  stats_.List->SavedWeights = w;
  stats_.List->ShreddingFormulas = settings_.Shredding.Formulas;
  stats_.List->ShreddingDigits = settings_.Shredding.Digits;
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
  // The names go through the method list file: without the lock they would be lost.
  TDataDirLock lock;
  if (!RunShown(host_, [&] { LockForWrite(lock); })) return;
  std::string message;
  TMethodBoxes boxes = list.RefillBoxes(MethodListPath(), message);
  if (!message.empty()) ShowError(host_, message);
  MethodBoxesTake(std::move(boxes), keepSelection);
}

void TWorkspace::MethodBoxesTake(TMethodBoxes boxes, bool keepSelection) {
  stats_.Boxes = std::move(boxes);
  stats_.Selected = KeptLine(stats_.Selected, keepSelection, stats_.Boxes.Stat.size());
  stats_.GraphSelected = KeptLine(stats_.GraphSelected, keepSelection, stats_.Boxes.Graph.size());
}

int TWorkspace::StatEntryOf(const std::string& ident) {
  const int entry = StatList().FindByIdent(ident);
  if (entry < 0) Raise(StrFormat("Метод расчета статистики \"%s\" не найден!", ident.c_str()));
  return entry;
}

const TMethodBoxes& TWorkspace::MethodBoxes() {
  StatList();
  return stats_.Boxes;
}

void TWorkspace::SetStatSelected(int line) {
  StatList();
  stats_.Selected = (line >= 0 && static_cast<size_t>(line) < stats_.Boxes.Stat.size()) ? line : -1;
}

void TWorkspace::SetGraphSelected(int line) {
  StatList();
  stats_.GraphSelected =
      (line >= 0 && static_cast<size_t>(line) < stats_.Boxes.Graph.size()) ? line : -1;
}

int TWorkspace::StatSelectedEntry() {
  StatList();
  return stats_.Selected < 0 ? -1 : stats_.Boxes.Stat[static_cast<size_t>(stats_.Selected)].Entry;
}

std::unique_ptr<TCustomStat> TWorkspace::CreateSelected(bool graphBox) {
  TStatList& list = StatList();
  const int line = graphBox ? stats_.GraphSelected : stats_.Selected;
  const auto& box = graphBox ? stats_.Boxes.Graph : stats_.Boxes.Stat;
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

bool TWorkspace::ComputeStatistics(bool force, bool raise) {
  StatList();
  const TStatsState::TInputs inputs{DrawsCount(), DrawsOffset(), stats_.Len, stats_.Selected};
  if (!force && stats_.InputsValid && inputs == stats_.Inputs) return false;
  stats_.Inputs = inputs;
  stats_.InputsValid = true;

  if (stats_.Boxes.Stat.empty()) return false;
  stats_.Table.Clear();
  if (stats_.Selected < 0 || draws_.Draws.empty()) return true;

  TBusyGuard busy(host_);
  TProgressText progress(host_, "Анализ тиражей и расчет статистики...");
  try {
    ComputeStatTableFor(StatSelectedEntry(), draws_.Offset, stats_.Len, windowState_.SortedDraws,
                        stats_.Table);
  } catch (const std::exception& e) {
    if (raise) throw;
    ShowError(host_, e.what());
  }
  return true;
}

}  // namespace kvarn
