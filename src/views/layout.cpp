#include "views/layout.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/draws.h"
#include "core/text.h"
#include "stats/table.h"
#include "views/colours.h"

namespace kvarn {

TShemaArray CountShema(const TDrawsArray& draws, int offset, int len) {
  TShemaArray items;
  const TStatWindow w = StatWindow(static_cast<int>(draws.size()), offset, len);
  if (w.N <= 0 || w.Last >= static_cast<int>(draws.size())) return items;
  // Position of each number's item, so that every draw costs five lookups.
  std::array<int16_t, 256> at;
  at.fill(-1);
  items.reserve(NumbersCount);
  for (int i = w.Last; i >= w.First; --i) {
    const TDraw& d = draws[static_cast<size_t>(i)];
    for (uint8_t n : d.Values) {
      int16_t& p = at[n];
      if (p < 0) {
        p = static_cast<int16_t>(items.size());
        items.push_back({n, 1, d.Number});
      } else {
        ++items[static_cast<size_t>(p)].Count;
      }
    }
  }
  return items;
}

std::string TLayoutScheme::Text(int row, int col) const {
  if (row == 0 && col == 0) return {};
  if (row == 0)
    return col < ColCount() ? std::to_string(DrawNumbers[static_cast<size_t>(col - 1)])
                            : std::string();
  if (col == 0)
    return row < RowCount() ? std::to_string(Counts[static_cast<size_t>(row - 1)]) : std::string();
  if (row >= RowCount() || col >= ColCount()) return {};
  return Cell(row, col);
}

const std::string& TLayoutScheme::Cell(int row, int col) const {
  return Cells[static_cast<size_t>(row - 1) * DrawNumbers.size() + static_cast<size_t>(col - 1)];
}

TLayoutScheme BuildLayoutScheme(const TDrawsArray& draws, int offset, int len) {
  TLayoutScheme s;
  const TShemaArray items = CountShema(draws, offset, len);
  for (const TShemaItem& it : items) {
    s.Counts.push_back(it.Count);
    s.DrawNumbers.push_back(it.LastDraw);
  }
  auto distinctDesc = [](std::vector<int32_t>& v) {
    std::sort(v.begin(), v.end(), std::greater<>());
    v.erase(std::unique(v.begin(), v.end()), v.end());
  };
  distinctDesc(s.Counts);
  distinctDesc(s.DrawNumbers);
  s.Cells.assign(s.Counts.size() * s.DrawNumbers.size(), std::string());
  const TNumberBits next = DrawsOffsetNumbers(draws, offset);
  for (const TShemaItem& it : items) {
    const auto r = std::find(s.Counts.begin(), s.Counts.end(), it.Count) - s.Counts.begin();
    const auto c =
        std::find(s.DrawNumbers.begin(), s.DrawNumbers.end(), it.LastDraw) - s.DrawNumbers.begin();
    std::string& cell =
        s.Cells[static_cast<size_t>(r) * s.DrawNumbers.size() + static_cast<size_t>(c)];
    if (!cell.empty()) cell += ", ";
    cell += next.test(it.Number) ? StrFormat("[%d]", int{it.Number}) : std::to_string(it.Number);
  }
  return s;
}

bool LayoutInFiveBand(int n) {
  return n >= 1 && n <= 95 && (n - 1) / 5 % 2 == 0;
}

uint32_t LayoutCellColour(const TLayoutScheme& scheme, int row, int col, bool gradient) {
  if (row < 1 || col < 1 || row >= scheme.RowCount() || col >= scheme.ColCount())
    return DefaultColour;
  if (scheme.Cell(row, col).find('[') != std::string::npos) return LimeColour;
  if (gradient) {
    const int64_t rc = scheme.RowCount(), cc = scheme.ColCount();
    const int64_t red = RoundRatioHalfEven(255 * rc - 155 * row, rc);
    const int64_t green = RoundRatioHalfEven(255 * cc - 155 * col, cc);
    const int64_t blue = RoundRatioHalfEven(155 * row + 100 * rc, rc);
    return RgbColour(static_cast<uint32_t>(red), static_cast<uint32_t>(green),
                     static_cast<uint32_t>(blue));
  }
  return LayoutInFiveBand(col) != LayoutInFiveBand(row) ? PinkColour : LightGreenColour;
}

std::vector<int> LayoutSelectionNumbers(const TLayoutScheme& scheme, int top, int left, int bottom,
                                        int right) {
  std::vector<int> numbers;
  for (int col = std::max(1, left); col <= std::min(right, scheme.ColCount() - 1); ++col)
    for (int row = std::max(1, top); row <= std::min(bottom, scheme.RowCount() - 1); ++row) {
      for (std::string piece : SplitWords(scheme.Cell(row, col), ",")) {
        std::erase(piece, '[');
        std::erase(piece, ']');
        const int n = TextToIntDef(Trim(piece), 0);
        // A piece that is no number counts as 0, which no combination holds.
        if (n != 0 && std::find(numbers.begin(), numbers.end(), n) == numbers.end())
          numbers.push_back(n);
      }
    }
  return numbers;
}

TLayoutCompare BuildLayoutCompare(const TDrawsArray& draws, int offset, int len) {
  TLayoutCompare cmp;
  const TStatWindow w = StatWindow(static_cast<int>(draws.size()), offset, len);
  if (draws.empty() || w.N <= 0 || w.Last >= static_cast<int>(draws.size())) return cmp;
  cmp.FirstDraw = draws[static_cast<size_t>(w.First)].Number;
  cmp.LastDraw = draws[static_cast<size_t>(w.Last)].Number;
  cmp.Caption = StrFormat("%d - %d", cmp.FirstDraw, cmp.LastDraw);
  for (const TShemaItem& it : CountShema(draws, offset, len)) {
    auto row = std::find_if(cmp.Rows.begin(), cmp.Rows.end(),
                            [&](const TLayoutCompareRow& r) { return r.Count == it.Count; });
    if (row == cmp.Rows.end()) {
      cmp.Rows.push_back({it.Count, std::to_string(it.Number)});
    } else {
      row->Numbers += ", " + std::to_string(it.Number);
    }
  }
  std::stable_sort(
      cmp.Rows.begin(), cmp.Rows.end(),
      [](const TLayoutCompareRow& a, const TLayoutCompareRow& b) { return a.Count > b.Count; });
  return cmp;
}

}  // namespace kvarn
