// The full-set comparison: how often each value of a method occurs over all 376,992
// combinations, kept on disk per method so that the pass over the full set is made once, and
// its use in the statistics table (the norm of each value) and its chart.
//
// File: records of 12 bytes in ascending key order (K1..K4 as uint16, then Count as int32),
// then a 12-byte trailer (smallest Count, largest Count, 0); little-endian, no header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "combs/combs.h"
#include "stats/stat.h"

namespace kvarn {

constexpr const char* PrefetchDirName = "Prefetchs";
constexpr const char* PrefetchProgramName = "Kvarn_5x36";
constexpr size_t PrefetchRecordSize = 12;

// "Kvarn_5x36_NUMS.dfc"
std::string PrefetchFileName(const std::string& ident);
std::string PrefetchDir(const std::string& dataDir);
std::string PrefetchPath(const std::string& dataDir, const std::string& ident);

struct TPrefetchRecord {
  TStatKey Key;
  int32_t Count = 0;
};

struct TPrefetchData {
  std::vector<TPrefetchRecord> Records;  // ascending key order
  int32_t MinCount = 0;
  int32_t MaxCount = 0;
};

// The distribution of the method's values over the given combinations (AddCombValues of each),
// sorted by key. Values are merged through a hash of the key, so methods with thousands of
// values cost one pass.
TStatDrawArray FullSetDistribution(TCustomStat& stat, const TCombList& combs);
// The file bytes of a sorted distribution: the records and the trailer.
std::string PrefetchBytes(const TStatDrawArray& sorted);
// Reads the records before the trailer and the trailer itself. A text shorter than the trailer
// gives an empty result (no records, MaxCount 0).
TPrefetchData ParsePrefetchBytes(std::string_view bytes);
// What is wrong with the bytes of a comparison file, empty when nothing is: the size is a
// whole number of records plus the trailer, keys ascend strictly, every count lies between 1
// and what the full set can give, and the trailer holds the smallest and largest count and 0.
// A file cut short, overwritten or left from another program fails one of these.
std::string PrefetchBytesProblem(std::string_view bytes);
// No value occurs in the full set more often than this: every combination gives a value at
// most ten times (the digits of five numbers, the pairs of five numbers).
constexpr int32_t PrefetchMaxCount = FullCombsCount * 10;
// The largest comparison file read: one record per value of the richest method.
constexpr uint64_t PrefetchReadLimit = uint64_t{64} << 20;
// Reads and checks a file; throws std::runtime_error with the system's error text or with what
// is wrong with the file.
TPrefetchData ReadPrefetchFile(const std::string& path);

// Scale of the norms: h = (MinObs + MaxObs) / 2 / FullMax when every value is equally frequent
// over the full set (FullMin = FullMax), else MaxObs / FullMax; only in use when FullMax > 0.
struct TFullSetScale {
  bool InUse = false;
  long double H = 0;
};
TFullSetScale FullSetScale(const TPrefetchData* data, const TStatTotals& observed);
// Rounding to the nearest integer with halves to even.
int32_t RoundHalfEven(long double v);
// Norm := Round(record Count x h) for every item whose key has a record; others keep Norm 0.
void ApplyPrefetchNorms(const TPrefetchData& data, const TFullSetScale& scale,
                        TStatDrawArray& list);

// ---- chart of the statistics table ----
struct TStatChartPoint {
  double X = 0;
  double Y = 0;
  std::string Label;
};
struct TStatChartData {
  // "Фактические данные"; with the comparison in use, and ShowTotalLine on, also the ideal
  // series "Все возможные комбинации".
  std::vector<TStatChartPoint> Actual;
  std::vector<TStatChartPoint> Ideal;
  bool HasIdeal = false;
};
constexpr const char* ChartActualTitle = "Фактические данные";
constexpr const char* ChartIdealTitle = "Все возможные комбинации";
constexpr uint32_t ChartActualColour = 0x8000;
constexpr uint32_t ChartActualPointColour = 0xFF00FF;
constexpr uint32_t ChartIdealColour = 255;
constexpr uint32_t ChartIdealPointColour = 0x800080;

// Empty unless the list has more than one item. With the comparison the points follow the
// records (x = 1, 2, ...); without it the items in key order (x = 0, 1, ...).
// labels, when given, are the value texts of the list's items in list order (the table has
// them already).
TStatChartData BuildStatChart(const TCustomStat& stat, const TStatDrawArray& list,
                              const TPrefetchData* data, const TFullSetScale& scale,
                              bool showTotalLine, const std::vector<std::string>* labels = nullptr);

}  // namespace kvarn
