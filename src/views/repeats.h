// Repeats analysis: for each of the newest draws, how many of the draws before it share 1, 2, ...
// numbers with it, as a list and as one chart line per number of shared numbers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

constexpr int RepeatsLenDefault = 100;
constexpr int RepeatsDeepDefault = 100;

struct TRepeatRow {
  int32_t Draw = 0;     // "Тираж"
  int32_t Matches = 0;  // "Совпадений"
  int32_t Count = 0;    // "Кол-во повторов"
  std::string Draws;  // "Список тиражей": the earlier draws, newest first, joined by " "
};

struct TRepeatsResult {
  std::vector<TRepeatRow> Rows;  // newest draw first; each draw's rows in the order first met
  int32_t MaxMatches = 0;        // the most numbers any compared pair shared
};

// Called once per analysed draw with the draws done and the draws in all.
using TRepeatsProgress = std::function<void(int done, int total)>;

// The `len` newest draws, each compared with up to `deep` draws before it.
TRepeatsResult AnalyzeRepeats(const TDrawsArray& draws, int len, int deep,
                              const TRepeatsProgress& progress = {});

struct TRepeatsPoint {
  int32_t Draw = 0;
  int32_t Count = 0;
};
struct TRepeatsSeries {
  int32_t Matches = 0;
  std::string Title;                  // "Совпадений: %d"
  std::vector<TRepeatsPoint> Points;  // oldest draw first
};
// One series for each of 1 .. MaxMatches shared numbers (empty ones included).
std::vector<TRepeatsSeries> RepeatsChartSeries(const TRepeatsResult& result);

}  // namespace kvarn
