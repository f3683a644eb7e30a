// The figures of a filter test and of a value search as the result window shows them, and a
// short verdict in plain words: better than chance, worse, or no proven difference.
#pragma once

#include <string>
#include <vector>

#include "stats/filter_test.h"
#include "stats/value_search.h"

namespace kvarn {

// Below this chance a difference from chance counts as shown.
constexpr double VerdictLevel = 0.05;
// With fewer tested draws the verdict warns that it rests on little.
constexpr int FewDraws = 30;

struct TFigureRow {
  std::string Caption;
  std::vector<std::string> Values;  // one per column
};

// Rows of one column: draws, survivals, chance, kept share, lift, interval, p.
std::vector<TFigureRow> FilterTestFigures(const TSurvivalSummary& s);
// Rows of two columns: the older draws (choice) and the newer ones (check).
std::vector<TFigureRow> ValueSearchFigures(const TValueSearchResult& r);

std::string FilterTestVerdict(const TSurvivalSummary& s);
std::string ValueSearchVerdict(const TValueSearchResult& r, int64_t budget);

}  // namespace kvarn
