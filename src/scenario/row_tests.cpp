#include "scenario/row_tests.h"

#include <string>
#include <vector>

#include "core/text.h"
#include "scenario/script_codes.h"

namespace kvarn {

namespace {

enum class TCellKind {
  Integer,  // plain values, "Период min", "Период max"
  Percent,  // the columns in %
  Real,     // "Вес", "Период"
};

enum class TTest { AtLeast, AtMost, InList };

struct TLevelColumn {
  const std::string TStatValues::*Cell = nullptr;  // none: the parsed value key
  TCellKind Kind = TCellKind::Integer;
  TTest Test = TTest::InList;
};

// The column and test of a level mode; false for mode 0 and modes outside the table.
bool LevelColumnOf(int m, TLevelColumn& c) {
  if (m >= 1 && m <= 18) {
    static constexpr const std::string TStatValues::*Plain[] = {
        &TStatValues::Depth, &TStatValues::Deviation, &TStatValues::Count};
    static constexpr const std::string TStatValues::*Percent[] = {
        &TStatValues::DepthPercent, &TStatValues::DeviationPercent, &TStatValues::CountPercent};
    const int group = (m - 1) / 6, k = (m - 1) % 6;
    const bool percent = k % 2 == 1;
    c.Cell = percent ? Percent[group] : Plain[group];
    c.Kind = percent ? TCellKind::Percent : TCellKind::Integer;
    c.Test = k < 2 ? TTest::AtLeast : (k < 4 ? TTest::AtMost : TTest::InList);
    return true;
  }
  if (m >= 19 && m <= 30) {
    static constexpr const std::string TStatValues::*Cells[] = {
        &TStatValues::Weight, &TStatValues::PeriodMin, &TStatValues::Period,
        &TStatValues::PeriodMax};
    static constexpr TCellKind Kinds[] = {TCellKind::Real, TCellKind::Integer, TCellKind::Real,
                                          TCellKind::Integer};
    const int group = (m - 19) / 3, k = (m - 19) % 3;
    c.Cell = Cells[group];
    c.Kind = Kinds[group];
    c.Test = k == 0 ? TTest::AtLeast : (k == 1 ? TTest::AtMost : TTest::InList);
    return true;
  }
  if (m == 31) {
    c.Cell = nullptr;
    c.Test = TTest::InList;
    return true;
  }
  return false;
}

bool ReadCell(const std::string& text, TCellKind kind, long double& v) {
  if (kind == TCellKind::Integer) {
    int64_t i = 0;
    if (!TryTextToInt(text, i)) return false;
    v = static_cast<long double>(i);
    return true;
  }
  return TryTextToReal(text, v);
}

[[noreturn]] void RaiseNotNumber(std::string_view text) {
  Raise(StrFormat("\"%s\" не является числом!", std::string(text).c_str()));
}

bool InList(std::string_view list, bool integers, long double cell) {
  for (const std::string& item : SplitWords(list, ",;")) {
    long double v = 0;
    if (integers) {
      int64_t i = 0;
      if (!TryTextToInt(item, i)) RaiseNotNumber(item);
      v = static_cast<long double>(i);
    } else if (!TryTextToReal(item, v)) {
      RaiseNotNumber(item);
    }
    if (v == cell) return true;
  }
  return false;
}

}  // namespace

bool LevelRowMatches(int levelMode, std::string_view levelTest, const TStatValues& row) {
  TLevelColumn c;
  if (!LevelColumnOf(levelMode, c)) return true;
  if (!c.Cell) return InList(levelTest, true, row.ValueParsed);

  long double cell = 0;
  const bool read = ReadCell(row.*c.Cell, c.Kind, cell);
  if (c.Test == TTest::InList) return read && InList(levelTest, c.Kind == TCellKind::Integer, cell);

  int64_t v = 0;
  if (!TryTextToInt(levelTest, v)) v = 0;
  if (c.Test == TTest::AtLeast) return (read ? cell : 0) >= v;
  if (!read) cell = c.Kind == TCellKind::Real ? 0 : 65535;
  return cell <= v;
}

bool StopConditionHolds(const TFilterPart& p, const TStatValues& row, const TWalkState& s) {
  switch (p.StopMode) {
    case fsCombs:
      return !p.MultiSelect && s.ListCount <= p.StopValue;
    case fsNumbers: {
      if (p.MultiSelect) return false;
      if (s.ListCount <= 1) return true;
      const int t = p.StopValue >= 6 && p.StopValue <= s.MaxStake ? p.StopValue : s.MaxStake;
      return s.DistinctNumbers && s.DistinctNumbers() <= t;
    }
    case fsSteps:
      return s.Steps >= p.StopValue;
    case fsValue: {
      const long double c = TextToIntDef(row.Count, 0);
      return p.BottomUp ? c >= p.StopValue : c <= p.StopValue;
    }
    case fsPercent: {
      long double c = 0;
      if (!TryTextToReal(row.CountPercent, c)) c = 0;
      return p.BottomUp ? c >= p.StopValue : c <= p.StopValue;
    }
    default:  // SF, SZ and codes outside the table
      return false;
  }
}

}  // namespace kvarn
