#include "stats/table.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"

namespace kvarn {

const std::array<const char*, StatColumnCount> StatColumnCaptions = {
    "Значение",    "Количество", "Кол-во в %",  "Норма",    "Отклонение",
    "Откл-ие в %", "Глубина",    "Глубина в %", "Вес",      "Посл. тираж",
    "Период min",  "Период",     "Период max",  "Ожд. ПРД", "Ожд. СТФ",
    "Ожд. КРН",    "Факт",       "+/- ПРД",     "+/- СТФ",  "+/- КРН",
};

void TStatTable::Clear() {
  Window = TStatWindow{};
  ComparisonUsed = false;
  Scale = 0;
  Totals = TStatTotals{};
  Rows.clear();
  Order.clear();
  Chart = TStatChartData{};
}

TStatWindow StatWindow(int drawsCount, int offset, int len) {
  TStatWindow w;
  w.Last = drawsCount - 1 - offset;
  // 64-bit: the longest window (2147483647) before an analysis point ahead of the archive must
  // not overflow.
  w.First = static_cast<int>(std::max<int64_t>(0, int64_t{w.Last} - len + 1));
  w.N = w.Last - w.First + 1;
  return w;
}

std::string StatDifferenceText(const std::string& expected, int32_t fact) {
  int64_t e = 0;
  if (expected.empty() || expected.find_first_not_of("0123456789") != std::string::npos ||
      !TryTextToInt(expected, e) || e < 0)
    return "-";
  const int64_t d = e - fact;
  return d > 0 ? "+" + std::to_string(d) : std::to_string(d);
}

TStatDrawArray RunStatistics(TCustomStat& stat, const TStatWindow& window, bool sorted) {
  TStatDrawArray list;
  if (window.First > window.Last || window.Last < 0) return list;
  TLastValueArray lastValues;
  TStatContext context;
  stat.ListAllValues(window.Last, list);
  for (int index = window.First; index <= window.Last; ++index)
    stat.AddDrawValues(index, window.Last, sorted, list, context, lastValues);
  return list;
}

namespace {

std::string Fixed(const char* fmt, long double v) {
  return StrFormat(fmt, v);
}

long double Weight(const TStatDraw& s, const TStatTotals& t, bool comparison,
                   const TStatWeights& w) {
  const long double dev = comparison ? static_cast<long double>(s.Count) - s.Norm : 0.0L;
  long double c, d, l;
  if (w.Percents) {
    c = t.Total == 0 ? 0.0L : static_cast<long double>(s.Count) * 100 / t.Total;
    d = (!comparison || s.Norm == 0) ? 0.0L : dev * 100 / s.Norm;
    l = t.MaxDepth == 0 ? 0.0L : static_cast<long double>(s.Depth) * 100 / t.MaxDepth;
  } else {
    c = s.Count;
    d = dev;
    l = s.Depth;
  }
  if (w.Abs) {
    c = std::fabs(c);
    d = std::fabs(d);
    l = std::fabs(l);
  }
  return w.Count * c + w.Deviation * d + w.Level * l;
}

// "Факт" of every item met in the window. The occurrence lies at index Last - Depth + 1 and the
// search starts after it, so the items of one depth share one pass over the later draws.
std::vector<int32_t> Facts(TCustomStat& stat, const TStatDrawArray& list, int last, bool sorted) {
  std::vector<int32_t> facts(list.size(), -1);
  std::vector<size_t> order;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].Depth > 0) order.push_back(i);
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return list[a].Depth < list[b].Depth; });
  std::vector<TStatKey> keys;
  std::vector<int32_t> found;
  for (size_t a = 0; a < order.size();) {
    const int32_t depth = list[order[a]].Depth;
    size_t b = a;
    keys.clear();
    while (b < order.size() && list[order[b]].Depth == depth) keys.push_back(list[order[b++]].Key);
    found.assign(keys.size(), -1);
    stat.FindValueDraws(keys, last - depth + 2, last, sorted, found);
    for (size_t j = a; j < b; ++j) facts[order[j]] = found[j - a];
    a = b;
  }
  return facts;
}

void FillCells(TCustomStat& stat, const TStatTableOptions& o, const TStatTable& table, int32_t fact,
               TStatRow& row) {
  const TStatDraw& s = row.Item;
  const TStatTotals& t = table.Totals;
  const int n = table.Window.N;
  auto& c = row.Cells;
  c.fill("-");
  c[stcValue] = stat.ValueText(s);
  c[stcCount] = std::to_string(s.Count);
  if (t.Total != 0)
    c[stcCountPercent] = Fixed("%.5Lf", static_cast<long double>(s.Count) * 100 / t.Total);
  if (table.ComparisonUsed) {
    c[stcNorm] = std::to_string(s.Norm);
    c[stcDeviation] = std::to_string(static_cast<int64_t>(s.Count) - s.Norm);
    if (s.Norm != 0)
      c[stcDeviationPercent] =
          Fixed("%.5Lf", (static_cast<long double>(s.Count) - s.Norm) * 100 / s.Norm);
    else
      c[stcDeviationPercent] = Fixed("%.5Lf", s.Count == 0 ? 0.0L : 100.0L);
  }
  if (s.Depth == 0) return;
  c[stcDepth] = std::to_string(s.Depth);
  c[stcDepthPercent] = Fixed("%.2Lf", static_cast<long double>(s.Depth) * 100 / t.MaxDepth);
  c[stcWeight] = Fixed("%.2Lf", Weight(s, t, table.ComparisonUsed, o.Weights));
  c[stcLastDraw] = std::to_string(s.LastDraw);
  const long double count = s.Count;
  if (s.Count >= 2) {
    c[stcPeriodMin] = std::to_string(s.MinPeriod);
    c[stcPeriod] = Fixed("%.4Lf", n / count);
    c[stcPeriodMax] = std::to_string(s.MaxPeriod);
    c[stcExpectedPrd] = std::to_string(RoundHalfEven(n / count + s.LastDraw));
  }
  // An item can have a depth and no count (a dynamic list marks values of the latest draw with
  // count 0); a division by that count is no value.
  if (s.Count > 0)
    c[stcExpectedStf] = std::to_string(RoundHalfEven((count + 1) * s.LastDraw / count));
  c[stcExpectedKrn] =
      std::to_string(RoundHalfEven((count + 2) * (s.LastDraw + 1.0L) / (count + 1)));
  if (fact == -1) return;
  c[stcFact] = std::to_string(fact);
  c[stcDiffPrd] = StatDifferenceText(c[stcExpectedPrd], fact);
  c[stcDiffStf] = StatDifferenceText(c[stcExpectedStf], fact);
  c[stcDiffKrn] = StatDifferenceText(c[stcExpectedKrn], fact);
}

}  // namespace

void ComputeStatTable(TCustomStat& stat, const TStatTableOptions& o, TStatTable& table) {
  const int sortColumn = table.SortColumn;
  const bool descending = table.Descending;
  table.Clear();
  table.SortColumn = sortColumn;
  table.Descending = descending;
  table.Window = StatWindow(static_cast<int>(stat.Draws.size()), o.Offset, o.Len);

  TStatDrawArray list = RunStatistics(stat, table.Window, o.Sorted);
  table.Totals = StatTotals(list);

  const TFullSetScale scale = FullSetScale(o.FullSet, table.Totals);
  table.ComparisonUsed = scale.InUse;
  table.Scale = scale.H;
  if (scale.InUse && !list.empty()) ApplyPrefetchNorms(*o.FullSet, scale, list);

  const std::vector<int32_t> facts = Facts(stat, list, table.Window.Last, o.Sorted);
  table.Rows.resize(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    table.Rows[i].Item = list[i];
    FillCells(stat, o, table, facts[i], table.Rows[i]);
  }
  table.Chart =
      BuildStatChart(stat, list, scale.InUse ? o.FullSet : nullptr, scale, o.ShowTotalLine);
  SortStatTable(table, table.SortColumn, table.Descending);
}

namespace {

bool ReadNumber(const std::string& text, long double& v) {
  return TryTextToReal(text, v);
}

int CompareCells(const std::string& a, const std::string& b) {
  long double x = 0, y = 0;
  if (ReadNumber(a, x) && ReadNumber(b, y)) return x < y ? -1 : (x > y ? 1 : 0);
  const std::string la = ToLowerUtf8(a), lb = ToLowerUtf8(b);
  const int r = la.compare(lb);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace

int CompareStatRows(const TStatRow& a, const TStatRow& b, int column, bool descending) {
  int r = 0;
  if (column >= 0 && column < StatColumnCount)
    r = CompareCells(a.Cells[static_cast<size_t>(column)], b.Cells[static_cast<size_t>(column)]);
  if (r == 0 && column != stcValue) r = CompareCells(a.Cells[stcValue], b.Cells[stcValue]);
  return descending ? -r : r;
}

void SortStatTable(TStatTable& table, int column, bool descending) {
  if (column < -1 || column >= StatColumnCount)
    Raise(StrFormat("Некорректное занчение номера столбца сортировки (%d)", column));
  table.SortColumn = column;
  table.Descending = descending;
  table.Order.resize(table.Rows.size());
  for (size_t i = 0; i < table.Order.size(); ++i) table.Order[i] = static_cast<int>(i);
  if (column < 0) return;
  std::stable_sort(table.Order.begin(), table.Order.end(), [&](int x, int y) {
    return CompareStatRows(table.Rows[static_cast<size_t>(x)], table.Rows[static_cast<size_t>(y)],
                           column, descending) < 0;
  });
}

void ClickStatColumn(TStatTable& table, int column) {
  if (column == table.SortColumn)
    SortStatTable(table, column, !table.Descending);
  else
    SortStatTable(table, column, false);
}

TStatValues RowTexts(const TStatRow* row) {
  TStatValues v;
  if (!row) return v;
  const auto& c = row->Cells;
  v.Value = c[stcValue];
  v.Count = c[stcCount];
  v.CountPercent = c[stcCountPercent];
  v.Deviation = c[stcDeviation];
  v.DeviationPercent = c[stcDeviationPercent];
  v.Depth = c[stcDepth];
  v.DepthPercent = c[stcDepthPercent];
  v.Weight = c[stcWeight];
  v.PeriodMin = c[stcPeriodMin];
  v.Period = c[stcPeriod];
  v.PeriodMax = c[stcPeriodMax];
  return v;
}

}  // namespace kvarn
