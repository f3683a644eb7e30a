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

// Everything the result window shows.
struct TFilterReport {
  std::string Title;
  std::vector<std::string> Subject;  // what was tested, one line each
  std::vector<std::string> Columns;  // captions of the figure columns
  std::vector<TFigureRow> Figures;
  std::string Verdict;
  // Runs of draws for the chart of kept share and survival, each with its caption.
  struct TChartPart {
    std::string Caption;
    std::vector<TFilterTestDraw> Draws;
  };
  std::vector<TChartPart> Chart;
};

TFilterReport FilterTestReport(const std::string& method, const std::vector<std::string>& texts,
                               bool exclude, int len, int requested, const TFilterTestResult& r);
TFilterReport ValueSearchReport(const std::string& method, int len, int64_t budget, int requested,
                                const TValueSearchResult& r);

}  // namespace kvarn
