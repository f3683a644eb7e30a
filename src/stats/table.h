// The statistics table of one method over a window of past draws: the run, the twenty columns
// with their texts, the weight, the optional comparison with the full set of combinations, the
// chart data, the table's sort and the row texts a scenario step reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/prefetch.h"
#include "stats/registry.h"
#include "stats/stat.h"

namespace kvarn {

// The twenty columns of the table, in their order (the window and kvarn-cli show them so).
enum TStatColumn : int {
  stcValue,             // "Значение"
  stcCount,             // "Количество"
  stcCountPercent,      // "Кол-во в %"
  stcNorm,              // "Норма" (full-set comparison)
  stcDeviation,         // "Отклонение" (full-set comparison)
  stcDeviationPercent,  // "Откл-ие в %" (full-set comparison)
  stcDepth,             // "Глубина"
  stcDepthPercent,      // "Глубина в %"
  stcWeight,            // "Вес"
  stcLastDraw,          // "Посл. тираж"
  stcPeriodMin,         // "Период min"
  stcPeriod,            // "Период"
  stcPeriodMax,         // "Период max"
  stcExpectedPrd,       // "Ожд. ПРД"
  stcExpectedStf,       // "Ожд. СТФ"
  stcExpectedKrn,       // "Ожд. КРН"
  stcFact,              // "Факт"
  stcDiffPrd,           // "+/- ПРД"
  stcDiffStf,           // "+/- СТФ"
  stcDiffKrn,           // "+/- КРН"
  StatColumnCount
};
extern const std::array<const char*, StatColumnCount> StatColumnCaptions;

struct TStatRow {
  TStatDraw Item;
  std::array<std::string, StatColumnCount> Cells;
};

// The analysed window: Last = High - offset, First = max(0, Last - len + 1), N = Last - First + 1.
struct TStatWindow {
  int First = 0;
  int Last = -1;
  int N = 0;
};
TStatWindow StatWindow(int drawsCount, int offset, int len);

struct TStatTable {
  TStatWindow Window;
  bool ComparisonUsed = false;
  long double Scale = 0;  // h: observed count per full-set count
  TStatTotals Totals;
  // In result-list order (the order of the items after the run).
  std::vector<TStatRow> Rows;
  // Display order: indexes into Rows after the table's sort.
  std::vector<int> Order;
  TStatChartData Chart;
  int SortColumn = stcCount;
  bool Descending = false;

  void Clear();
};

struct TStatTableOptions {
  int Offset = 0;
  int Len = 1000;
  bool Sorted = false;
  bool ShowTotalLine = false;
  TStatWeights Weights;
  const TPrefetchData* FullSet = nullptr;  // the full-set comparison, when available
};

// Runs the method over the window (ListAllValues, then AddDrawValues draw by draw) and returns
// the items.
TStatDrawArray RunStatistics(TCustomStat& stat, const TStatWindow& window, bool sorted);

// Fills the table's rows, totals and chart (the sort column and direction are kept, and the
// display order is rebuilt with them).
void ComputeStatTable(TCustomStat& stat, const TStatTableOptions& options, TStatTable& table);

// "-" unless expected is a non-negative integer text; else expected - fact, "+" when positive.
std::string StatDifferenceText(const std::string& expected, int32_t fact);

// Compares two rows of the table as the sortable list does: numbers when both texts read as
// numbers (a decimal comma read as a point), else text ignoring case; ties by column 0.
int CompareStatRows(const TStatRow& a, const TStatRow& b, int column, bool descending);
// Sorts the display order; raises for a column outside -1..19 (-1 keeps the list order).
void SortStatTable(TStatTable& table, int column, bool descending);
// The header click: the sort column again reverses the direction, another sorts ascending.
void ClickStatColumn(TStatTable& table, int column);

// The texts of a row that a scenario step reads.
struct TStatValues {
  std::string Value;
  int32_t ValueParsed = 0;  // filled by the scenario step
  std::string Count;
  std::string CountPercent;
  std::string Deviation;
  std::string DeviationPercent;
  std::string Depth;
  std::string DepthPercent;
  std::string Weight;
  std::string PeriodMin;
  std::string Period;
  std::string PeriodMax;
};
// All empty for no row.
TStatValues RowTexts(const TStatRow* row);

}  // namespace kvarn
