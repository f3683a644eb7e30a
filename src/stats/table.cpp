#include "stats/table.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/text.h"
#include "stats/fixed_text.h"
#include "stats/item_index.h"

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
  const TStatItemIndexScope index(list);
  stat.ListAllValues(window.Last, list);
  for (int index = window.First; index <= window.Last; ++index)
    stat.AddDrawValues(index, window.Last, sorted, list, context, lastValues);
  return list;
}

namespace {

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

// "Факт" of every item met in the window: the occurrence lies at index Last - Depth + 1 and the
// search starts after it.
std::vector<int32_t> Facts(TCustomStat& stat, const TStatDrawArray& list, int last, bool sorted) {
  std::vector<int32_t> facts(list.size(), -1);
  std::vector<size_t> items;
  std::vector<TStatKey> keys;
  std::vector<int> starts;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].Depth <= 0) continue;
    items.push_back(i);
    keys.push_back(list[i].Key);
    starts.push_back(last - list[i].Depth + 2);
  }
  std::vector<int32_t> found(keys.size(), -1);
  stat.FindValueDrawsFrom(keys, starts, last, sorted, found);
  for (size_t j = 0; j < items.size(); ++j) facts[items[j]] = found[j];
  return facts;
}

// A whole number's text into a cell, reusing its buffer.
void IntTo(std::string& out, int64_t v) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.assign(buf, static_cast<size_t>(r.ptr - buf));
}

// The texts that depend on the count alone ("Кол-во в %" and "Период"), made once per count:
// the rows of a large table share a few counts.
class TCountTexts {
 public:
  TCountTexts(const TStatTotals& t, int n) : total_(t.Total), n_(n) {
    if (t.MaxCount >= 0 && t.MaxCount < kMaxCached) {
      share_.resize(static_cast<size_t>(t.MaxCount) + 1);
      period_.resize(static_cast<size_t>(t.MaxCount) + 1);
    }
  }
  void Share(std::string& out, int32_t count) {
    const long double v = static_cast<long double>(count) * 100 / total_;
    Cached(share_, out, count, [&](std::string& s) { FixedTextTo(s, v, 5); });
  }
  void Period(std::string& out, int32_t count) {
    const long double v = n_ / static_cast<long double>(count);
    Cached(period_, out, count, [&](std::string& s) { FixedTextTo(s, v, 4); });
  }

 private:
  static constexpr int32_t kMaxCached = 1 << 16;
  template <class F>
  static void Cached(std::vector<std::string>& cache, std::string& out, int32_t count, F make) {
    if (count < 0 || static_cast<size_t>(count) >= cache.size()) {
      make(out);
      return;
    }
    std::string& c = cache[static_cast<size_t>(count)];
    if (c.empty()) make(c);
    out = c;
  }
  int64_t total_;
  int n_;
  std::vector<std::string> share_, period_;
};

void FillCells(TCustomStat& stat, const TStatTableOptions& o, const TStatTable& table, int32_t fact,
               TCountTexts& countTexts, TStatRow& row) {
  const TStatDraw& s = row.Item;
  const TStatTotals& t = table.Totals;
  const int n = table.Window.N;
  auto& c = row.Cells;
  c[stcValue] = stat.ValueText(s);
  for (size_t i = 1; i < c.size(); ++i) c[i].assign(1, '-');
  IntTo(c[stcCount], s.Count);
  if (t.Total != 0) countTexts.Share(c[stcCountPercent], s.Count);
  if (table.ComparisonUsed) {
    IntTo(c[stcNorm], s.Norm);
    IntTo(c[stcDeviation], static_cast<int64_t>(s.Count) - s.Norm);
    if (s.Norm != 0)
      FixedTextTo(c[stcDeviationPercent],
                  (static_cast<long double>(s.Count) - s.Norm) * 100 / s.Norm, 5);
    else
      FixedTextTo(c[stcDeviationPercent], s.Count == 0 ? 0.0L : 100.0L, 5);
  }
  if (s.Depth == 0) return;
  IntTo(c[stcDepth], s.Depth);
  FixedTextTo(c[stcDepthPercent], static_cast<long double>(s.Depth) * 100 / t.MaxDepth, 2);
  FixedTextTo(c[stcWeight], Weight(s, t, table.ComparisonUsed, o.Weights), 2);
  IntTo(c[stcLastDraw], s.LastDraw);
  const long double count = s.Count;
  if (s.Count >= 2) {
    IntTo(c[stcPeriodMin], s.MinPeriod);
    countTexts.Period(c[stcPeriod], s.Count);
    IntTo(c[stcPeriodMax], s.MaxPeriod);
    IntTo(c[stcExpectedPrd], RoundHalfEven(n / count + s.LastDraw));
  }
  // An item can have a depth and no count (a dynamic list marks values of the latest draw with
  // count 0); a division by that count is no value.
  if (s.Count > 0) IntTo(c[stcExpectedStf], RoundHalfEven((count + 1) * s.LastDraw / count));
  IntTo(c[stcExpectedKrn], RoundHalfEven((count + 2) * (s.LastDraw + 1.0L) / (count + 1)));
  if (fact == -1) return;
  IntTo(c[stcFact], fact);
  c[stcDiffPrd] = StatDifferenceText(c[stcExpectedPrd], fact);
  c[stcDiffStf] = StatDifferenceText(c[stcExpectedStf], fact);
  c[stcDiffKrn] = StatDifferenceText(c[stcExpectedKrn], fact);
}

}  // namespace

void ComputeStatTable(TCustomStat& stat, const TStatTableOptions& o, TStatTable& table) {
  const int sortColumn = table.SortColumn;
  const bool descending = table.Descending;
  // The rows of the last fill are written over: their texts keep their buffers.
  std::vector<TStatRow> rows = std::move(table.Rows);
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
  TCountTexts countTexts(table.Totals, table.Window.N);
  table.Rows = std::move(rows);
  table.Rows.resize(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    table.Rows[i].Item = list[i];
    FillCells(stat, o, table, facts[i], countTexts, table.Rows[i]);
  }
  std::vector<std::string> labels(list.size());
  for (size_t i = 0; i < list.size(); ++i) labels[i] = table.Rows[i].Cells[stcValue];
  table.Chart = BuildStatChart(stat, list, scale.InUse ? o.FullSet : nullptr, scale,
                               o.ShowTotalLine, &labels);
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

namespace {

// A cell read once for the sort: CompareCells would read both texts at every comparison.
struct TSortCell {
  bool IsNumber = false;
  long double Number = 0;
  // The text in lower case: the cell's own text when that is its lower case, else Owned.
  const std::string* Lower = nullptr;
  std::string Owned;
  // The first eight bytes of Lower, big-endian and padded with zeros: ordered as the texts are
  // wherever they differ.
  uint64_t Prefix = 0;
};

// Plain integers (most cells) read exactly without strtold.
bool ReadInteger(const std::string& text, long double& v) {
  size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
  if (i == text.size() || text.size() - i > 18) return false;
  int64_t n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
  }
  v = static_cast<long double>(text[0] == '-' ? -n : n);
  return true;
}

// A byte that no number text holds anywhere (blanks are trimmed, "," reads as a point).
bool NeverInNumber(char ch) {
  const auto u = static_cast<unsigned char>(ch);
  return u > ' ' && !(ch >= '0' && ch <= '9') && ch != '.' && ch != ',' && ch != '+' && ch != '-' &&
         ch != 'e' && ch != 'E';
}

// Fills c in place (Lower may point into it).
void SortCell(const std::string& text, TSortCell& c) {
  bool maybeNumber = true;
  for (char ch : text) maybeNumber = maybeNumber && !NeverInNumber(ch);
  c.IsNumber = maybeNumber && (ReadInteger(text, c.Number) || ReadNumber(text, c.Number));
  bool plain = true;  // ASCII without capitals: its own lower case
  for (char ch : text)
    plain = plain && static_cast<unsigned char>(ch) < 0x80 && !(ch >= 'A' && ch <= 'Z');
  if (!plain) c.Owned = ToLowerUtf8(text);
  c.Lower = plain ? &text : &c.Owned;
  const std::string& lower = *c.Lower;
  c.Prefix = 0;
  for (size_t i = 0; i < 8; ++i)
    c.Prefix = c.Prefix << 8 | (i < lower.size() ? static_cast<unsigned char>(lower[i]) : 0);
}

int CompareSortCells(const TSortCell& a, const TSortCell& b) {
  if (a.IsNumber && b.IsNumber) return a.Number < b.Number ? -1 : (a.Number > b.Number ? 1 : 0);
  if (a.Prefix != b.Prefix) return a.Prefix < b.Prefix ? -1 : 1;
  const int r = a.Lower->compare(*b.Lower);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace

void SortStatTable(TStatTable& table, int column, bool descending) {
  if (column < -1 || column >= StatColumnCount)
    Raise(StrFormat("Некорректное занчение номера столбца сортировки (%d)", column));
  table.SortColumn = column;
  table.Descending = descending;
  table.Order.resize(table.Rows.size());
  for (size_t i = 0; i < table.Order.size(); ++i) table.Order[i] = static_cast<int>(i);
  if (column < 0) return;
  // The same order as CompareStatRows gives.
  // Sized once and filled in place: cells point into themselves.
  std::vector<TSortCell> byColumn(table.Rows.size()), byValue;
  for (size_t i = 0; i < table.Rows.size(); ++i)
    SortCell(table.Rows[i].Cells[static_cast<size_t>(column)], byColumn[i]);
  if (column != 0) {
    byValue.resize(table.Rows.size());
    for (size_t i = 0; i < table.Rows.size(); ++i) SortCell(table.Rows[i].Cells[stcValue], byValue[i]);
  }
  std::stable_sort(table.Order.begin(), table.Order.end(), [&](int x, int y) {
    const auto a = static_cast<size_t>(x), b = static_cast<size_t>(y);
    int r = CompareSortCells(byColumn[a], byColumn[b]);
    if (r == 0 && column != 0) r = CompareSortCells(byValue[a], byValue[b]);
    return (descending ? -r : r) < 0;
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
