#include "views/view_text.h"

#include <algorithm>
#include <cstdint>

#include "core/text.h"
#include "views/card.h"

namespace kvarn {

namespace {
std::string Join(const std::vector<std::string>& fields) {
  std::string s;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) s += '\t';
    s += fields[i];
  }
  return s;
}
}  // namespace

TTextLines WeekTableText(const TWeekTable& table) {
  TTextLines lines;
  for (int n = 1; n <= NumbersCount; ++n) {
    std::string line = std::to_string(n);
    for (int day = 1; day <= WeekDays; ++day) line += '\t' + std::to_string(table.Count(n, day));
    lines.push_back(std::move(line));
  }
  lines.push_back("max\t" + std::to_string(table.Max));
  return lines;
}

TTextLines SumsText(const TSumsDistribution& d) {
  TTextLines lines;
  for (const TStatSimple& s : d.Theory)
    lines.push_back(StrFormat("%d\t%d\t%d", s.Key, s.Count, d.ActualCount(s.Key)));
  lines.push_back(StrFormat("thresholds\t%d\t%d\t%d", d.T[0], d.T[1], d.T[2]));
  lines.push_back(StrFormat("tmin\t%d", d.Tmin));
  lines.push_back(StrFormat("tmax\t%d", d.Tmax));
  lines.push_back(StrFormat("amax\t%d", d.Amax));
  for (int k = 0; k < SumBands; ++k)
    lines.push_back(StrFormat("band\t%d\t%d\t%d", k + 1, d.Lo[static_cast<size_t>(k)],
                              d.Hi[static_cast<size_t>(k)]));
  return lines;
}

TTextLines RepeatsText(const TRepeatsResult& r) {
  TTextLines lines;
  lines.reserve(r.Rows.size());
  for (const TRepeatRow& row : r.Rows)
    lines.push_back(StrFormat("%d\t%d\t%d\t", row.Draw, row.Matches, row.Count) + row.Draws);
  return lines;
}

TTextLines CardText(const TDrawsArray& draws, int offset, int len) {
  TTextLines lines;
  std::vector<std::string> fields(CardColumnCount);
  for (int col = 0; col < CardColumnCount; ++col)
    fields[static_cast<size_t>(col)] = CardHeaderText(col);
  lines.push_back(Join(fields));
  const int first = std::max(0, offset) + 1;
  const int64_t last =
      std::min<int64_t>(static_cast<int64_t>(draws.size()), int64_t{first} - 1 + std::max(0, len));
  for (int row = first; row <= last; ++row) {
    for (int col = 0; col < CardColumnCount; ++col)
      fields[static_cast<size_t>(col)] = CardCellText(draws, row, col);
    lines.push_back(Join(fields));
  }
  return lines;
}

TTextLines LayoutText(const TLayoutScheme& scheme, const std::vector<TLayoutCompare>& compare) {
  TTextLines lines;
  std::vector<std::string> fields;
  for (int row = 0; row < scheme.RowCount(); ++row) {
    fields.clear();
    for (int col = 0; col < scheme.ColCount(); ++col) fields.push_back(scheme.Text(row, col));
    lines.push_back(Join(fields));
  }
  for (const TLayoutCompare& c : compare) {
    lines.push_back("Кол-во\t" + c.Caption);
    for (const TLayoutCompareRow& row : c.Rows)
      lines.push_back(std::to_string(row.Count) + '\t' + row.Numbers);
  }
  return lines;
}

TTextLines GraphText(const TStatGraphSeries& s, const std::string& caption) {
  TTextLines lines;
  lines.push_back(Join({"Тираж", caption, GraphMeanTitle, GraphModeTitle}));
  const std::string tail = '\t' + RealText(s.Mean()) + '\t' + std::to_string(s.MostFrequent);
  for (const TStatGraphPoint& p : s.Points)
    lines.push_back(std::to_string(p.Draw) + '\t' + std::to_string(p.Value) + tail);
  return lines;
}

}  // namespace kvarn
