// The analysis views without their widgets: the layout scheme with its compare lists, the week
// table and the statistic graph, each built when its inputs changed; the views' filters; the sum
// distribution.
#include <exception>

#include "app/workspace.h"
#include "core/text.h"
#include "views/card.h"

namespace kvarn {

void TWorkspace::SetLayoutLen(int len) {
  if (ViewLenValid(len)) views_.LayoutLen = len;
}

void TWorkspace::SetLayoutCompareLen(int k, int len) {
  if (k >= 0 && k < LayoutCompareCount && ViewLenValid(len))
    views_.CompareLen[static_cast<size_t>(k)] = len;
}

void TWorkspace::SetWeekLen(int len) {
  if (ViewLenValid(len)) views_.WeekLen = len;
}

void TWorkspace::SetGraphLen(int len) {
  if (ViewLenValid(len)) views_.GraphLen = len;
}

bool TWorkspace::LayoutCalc(bool force) {
  const TViewsState::TWindowInputs inputs{DrawsCount(), DrawsOffset(), views_.LayoutLen};
  if (!force && views_.SchemeValid && inputs == views_.SchemeInputs) return false;
  views_.SchemeInputs = inputs;
  views_.SchemeValid = true;
  TBusyGuard busy(host_);
  TProgressText progress(host_, "Построение схемы выпадения номеров...");
  views_.Scheme = BuildLayoutScheme(draws_.Draws, draws_.Offset, views_.LayoutLen);
  return true;
}

bool TWorkspace::LayoutCmpCalc(bool force) {
  const TViewsState::TCompareInputs inputs{DrawsCount(), DrawsOffset(), views_.CompareLen};
  if (!force && views_.CompareValid && inputs == views_.CompareInputs) return false;
  views_.CompareInputs = inputs;
  views_.CompareValid = true;
  TBusyGuard busy(host_);
  TProgressText progress(host_, "Построение схемы выпадения номеров...");
  for (size_t k = 0; k < views_.Compare.size(); ++k)
    views_.Compare[k] = BuildLayoutCompare(draws_.Draws, draws_.Offset, views_.CompareLen[k]);
  return true;
}

bool TWorkspace::WeekStatCalc(bool force) {
  const TViewsState::TWindowInputs inputs{DrawsCount(), DrawsOffset(), views_.WeekLen};
  if (!force && views_.WeekValid && inputs == views_.WeekInputs) return false;
  views_.WeekInputs = inputs;
  views_.WeekValid = true;
  TBusyGuard busy(host_);
  TProgressText progress(host_, "Построение статистики по дням недели...");
  views_.Week = BuildWeekTable(draws_.Draws, draws_.Offset, views_.WeekLen, dateFormat_);
  return true;
}

bool TWorkspace::DrawsGraphDraw(bool force) {
  StatList();
  const int line = stats_.GraphSelected;
  const bool chosen = line >= 0 && static_cast<size_t>(line) < stats_.Boxes.Graph.size();
  const int entry = chosen ? stats_.Boxes.Graph[static_cast<size_t>(line)].Entry : -1;
  const TViewsState::TGraphInputs inputs{DrawsCount(), DrawsOffset(), views_.GraphLen,
                                         line,         entry,         windowState_.SortedDraws};
  if (!force && views_.GraphValid && inputs == views_.GraphInputs) return false;
  views_.GraphInputs = inputs;
  views_.GraphValid = true;
  views_.Graph = TStatGraphSeries();
  views_.GraphCaption.clear();
  if (!chosen || draws_.Draws.empty()) return true;

  TBusyGuard busy(host_);
  TProgressText progress(host_, "Анализ тиражей и построение графиков...");
  try {
    std::unique_ptr<TCustomStat> stat = stats_.List->CreateStat(entry);
    auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
    if (!graph)
      Raise(StrFormat("Метод расчета статистики \"%s\" не строит график!",
                      stats_.List->Items(entry).IdentOf().c_str()));
    views_.Graph =
        BuildGraphSeries(*graph, draws_.Offset, views_.GraphLen, windowState_.SortedDraws);
    views_.GraphCaption = stats_.Boxes.Graph[static_cast<size_t>(line)].Text;
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
  }
  return true;
}

void TWorkspace::CardFilter(int top, int left, int bottom, int right, bool exclude) {
  FilterCombsByNumbers(CardSelectionNumbers(draws_.Draws, top, left, bottom, right), "Карта",
                       exclude);
}

void TWorkspace::LayoutFilter(int top, int left, int bottom, int right, bool exclude) {
  FilterCombsByNumbers(LayoutSelectionNumbers(views_.Scheme, top, left, bottom, right), "Схема",
                       exclude);
}

void TWorkspace::WeekFilter(int firstNumber, int lastNumber, bool exclude) {
  std::vector<int> numbers;
  for (int n = std::max(1, firstNumber); n <= std::min(lastNumber, NumbersCount); ++n)
    numbers.push_back(n);
  FilterCombsByNumbers(numbers, "Неделя", exclude);
}

TSumsDistribution TWorkspace::TotalSumCombs() {
  TBusyGuard busy(host_);
  TProgressText progress(host_, "Идет сбор статистики....");
  return BuildSumsDistribution(draws_.Draws);
}

}  // namespace kvarn
