#include "stats/prefetch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "core/files.h"
#include "core/text.h"
#include "stats/whole_part.h"

namespace kvarn {

std::string PrefetchFileName(const std::string& ident) {
  return std::string(PrefetchProgramName) + "_" + ident + ".dfc";
}

std::string PrefetchDir(const std::string& dataDir) {
  return PathJoin(dataDir, PrefetchDirName);
}

std::string PrefetchPath(const std::string& dataDir, const std::string& ident) {
  return PathJoin(PrefetchDir(dataDir), PrefetchFileName(ident));
}

namespace {

uint64_t KeyBits(const TStatKey& k) {
  return uint64_t{k.K1} | uint64_t{k.K2} << 16 | uint64_t{k.K3} << 32 | uint64_t{k.K4} << 48;
}

void PutU16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void PutI32(std::string& out, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

uint16_t GetU16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

int32_t GetI32(const unsigned char* p) {
  return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                              uint32_t{p[3]} << 24);
}

}  // namespace

TStatDrawArray FullSetDistribution(TCustomStat& stat, const TCombList& combs) {
  // Each combination's values go into a small scratch list first (so a combination that yields
  // a value twice merges exactly as it would in one long list), then into the hash.
  TStatDrawArray result;
  TStatDrawArray scratch;
  std::unordered_map<uint64_t, size_t> index;
  for (int i = 0; i < combs.Count(); ++i) {
    scratch.clear();
    stat.AddCombValues(combs[i], scratch);
    for (const TStatDraw& item : scratch) {
      auto [it, added] = index.try_emplace(KeyBits(item.Key), result.size());
      if (added)
        result.push_back(item);
      else
        AddStatItem(result, item, false);
    }
  }
  // Keys are unique here, so any sort gives the stable order.
  std::sort(result.begin(), result.end(), [](const TStatDraw& a, const TStatDraw& b) {
    return CompareStatKeys(a.Key, b.Key) < 0;
  });
  return result;
}

std::string PrefetchBytes(const TStatDrawArray& sorted) {
  std::string out;
  out.reserve((sorted.size() + 1) * PrefetchRecordSize);
  for (const TStatDraw& item : sorted) {
    PutU16(out, item.Key.K1);
    PutU16(out, item.Key.K2);
    PutU16(out, item.Key.K3);
    PutU16(out, item.Key.K4);
    PutI32(out, item.Count);
  }
  const TStatTotals t = StatTotals(sorted);
  PutI32(out, t.MinCount);
  PutI32(out, t.MaxCount);
  PutI32(out, 0);
  return out;
}

TPrefetchData ParsePrefetchBytes(std::string_view bytes) {
  TPrefetchData data;
  if (bytes.size() < PrefetchRecordSize) return data;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t trailer = bytes.size() - PrefetchRecordSize;
  data.MinCount = GetI32(p + trailer);
  data.MaxCount = GetI32(p + trailer + 4);
  const size_t n = trailer / PrefetchRecordSize;
  data.Records.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const unsigned char* r = p + i * PrefetchRecordSize;
    data.Records[i].Key.Set(GetU16(r), GetU16(r + 2), GetU16(r + 4), GetU16(r + 6));
    data.Records[i].Count = GetI32(r + 8);
  }
  return data;
}

std::string PrefetchBytesProblem(std::string_view bytes) {
  if (bytes.size() < PrefetchRecordSize || bytes.size() % PrefetchRecordSize != 0)
    return StrFormat("размер файла %zu байт не кратен размеру записи %zu", bytes.size(),
                     PrefetchRecordSize);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t trailer = bytes.size() - PrefetchRecordSize;
  const int32_t min = GetI32(p + trailer), max = GetI32(p + trailer + 4);
  if (GetI32(p + trailer + 8) != 0) return "нет завершающей записи";
  int32_t low = 0, high = 0;
  uint64_t previous = 0;
  for (size_t at = 0; at < trailer; at += PrefetchRecordSize) {
    const unsigned char* r = p + at;
    const uint64_t key = uint64_t{GetU16(r)} << 48 | uint64_t{GetU16(r + 2)} << 32 |
                         uint64_t{GetU16(r + 4)} << 16 | GetU16(r + 6);
    const int32_t count = GetI32(r + 8);
    const size_t record = at / PrefetchRecordSize + 1;
    if (at > 0 && key <= previous) return StrFormat("запись %zu нарушает порядок значений", record);
    if (count < 1 || count > PrefetchMaxCount)
      return StrFormat("запись %zu: недопустимое количество %d", record, count);
    previous = key;
    low = at == 0 ? count : std::min(low, count);
    high = std::max(high, count);
  }
  if (min != low || max != high)
    return StrFormat("завершающая запись (%d, %d) не совпадает с записями (%d, %d)", min, max, low,
                     high);
  return {};
}

TPrefetchData ReadPrefetchFile(const std::string& path) {
  const std::string bytes = ReadWholeFile(path, PrefetchReadLimit);
  const std::string problem = PrefetchBytesProblem(bytes);
  if (!problem.empty()) throw std::runtime_error(StrFormat("Файл поврежден: %s", problem.c_str()));
  return ParsePrefetchBytes(bytes);
}

TFullSetScale FullSetScale(const TPrefetchData* data, const TStatTotals& observed) {
  TFullSetScale s;
  if (!data || data->MaxCount <= 0) return s;
  s.InUse = true;
  const long double fullMax = data->MaxCount;
  if (data->MaxCount == data->MinCount)
    s.H = (static_cast<long double>(observed.MinCount) + observed.MaxCount) / 2 / fullMax;
  else
    s.H = observed.MaxCount / fullMax;
  return s;
}

int32_t RoundHalfEven(long double v) {
  // A value beyond the 32-bit range (an absurd count) stays at its end: converting it would be
  // undefined.
  if (std::isnan(v)) return 0;
  if (v >= static_cast<long double>(INT32_MAX)) return INT32_MAX;
  if (v <= static_cast<long double>(INT32_MIN)) return INT32_MIN;
  // Written out rather than switching the rounding mode around nearbyint: the table rounds
  // three values per row. v - floor(v) is exact, so only a true half is a tie.
  const long double a = std::fabs(v);
  long double whole = TruncNonNegative(a);
  if (v < 0 && whole != a) whole += 1;  // the floor of a negative value
  const long double floor = v < 0 ? -whole : whole;
  const long double frac = v - floor;
  int64_t r = WholeToInt64(floor);
  if (frac > 0.5L || (frac == 0.5L && r % 2 != 0)) ++r;
  return static_cast<int32_t>(r);
}

void ApplyPrefetchNorms(const TPrefetchData& data, const TFullSetScale& scale,
                        TStatDrawArray& list) {
  if (!scale.InUse || list.empty()) return;
  std::unordered_map<uint64_t, size_t> index;
  for (size_t i = 0; i < list.size(); ++i) index.try_emplace(KeyBits(list[i].Key), i);
  for (const TPrefetchRecord& r : data.Records) {
    auto it = index.find(KeyBits(r.Key));
    if (it != index.end()) list[it->second].Norm = RoundHalfEven(r.Count * scale.H);
  }
}

TStatChartData BuildStatChart(const TCustomStat& stat, const TStatDrawArray& list,
                              const TPrefetchData* data, const TFullSetScale& scale,
                              bool showTotalLine, const std::vector<std::string>* labels) {
  TStatChartData chart;
  if (list.size() < 2) return chart;
  if (data && scale.InUse) {
    chart.HasIdeal = showTotalLine;
    std::unordered_map<uint64_t, size_t> index;
    for (size_t i = 0; i < list.size(); ++i) index.try_emplace(KeyBits(list[i].Key), i);
    TStatDraw probe;
    for (size_t k = 0; k < data->Records.size(); ++k) {
      const TPrefetchRecord& r = data->Records[k];
      probe.Key = r.Key;
      const std::string label = stat.ValueText(probe);
      const double x = static_cast<double>(k + 1);
      if (showTotalLine) chart.Ideal.push_back({x, static_cast<double>(r.Count * scale.H), label});
      auto it = index.find(KeyBits(r.Key));
      if (it != index.end())
        chart.Actual.push_back({x, static_cast<double>(list[it->second].Count), label});
    }
    return chart;
  }
  // In key order, equal keys in list order (as SortStatDraws leaves them): the key order is
  // that of K1..K4 as one 64-bit number, the position breaks ties.
  std::vector<std::pair<uint64_t, size_t>> order(list.size());
  for (size_t i = 0; i < order.size(); ++i) {
    const TStatKey& k = list[i].Key;
    order[i] = {uint64_t{k.K1} << 48 | uint64_t{k.K2} << 32 | uint64_t{k.K3} << 16 | k.K4, i};
  }
  std::sort(order.begin(), order.end());
  chart.Actual.reserve(order.size());
  for (size_t k = 0; k < order.size(); ++k) {
    const TStatDraw& item = list[order[k].second];
    chart.Actual.push_back({static_cast<double>(k), static_cast<double>(item.Count),
                            labels ? (*labels)[order[k].second] : stat.ValueText(item)});
  }
  return chart;
}

}  // namespace kvarn
