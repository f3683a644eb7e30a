#include "stakes/rating_text.h"

#include <algorithm>

#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {

const std::array<TRatingColumnInfo, rcColumnCount> RatingColumns = {{
    {"Комментарий", 200, false},
    {"Ставок", 60, false},
    {"Угадано", 60, false},
    {"Среднее", 60, false},
    {"Профит", 80, true},
    {"Ср. профит", 80, true},
    {"0", 30, false},
    {"1", 30, false},
    {"2", 30, false},
    {"3", 30, false},
    {"4", 30, false},
    {"5", 30, false},
    {"E0", 70, false},
    {"E1", 70, false},
    {"E2", 70, false},
    {"E3", 70, false},
    {"E4", 70, false},
    {"E5", 70, false},
}};

namespace {

// a / b for b > 0, the nearest integer with halves to even.
int64_t DivRoundEven(int64_t a, int64_t b) {
  int64_t q = a / b, r = a % b;
  const uint64_t twice = 2 * static_cast<uint64_t>(r < 0 ? -r : r);
  if (twice > static_cast<uint64_t>(b) || (twice == static_cast<uint64_t>(b) && q % 2 != 0))
    q += a < 0 ? -1 : 1;
  return q;
}

std::string EffText(const TRatingRecord& r, int k, int effMode, const TExpectedShares& shares) {
  const auto i = static_cast<size_t>(k);
  const double c = r.Count, h = r.Overlaps[i], p = shares.Shares[i];
  switch (effMode) {
    case emExpected:
      // round(c x p) computed on the integer counts, so that halves are exact.
      return StrFormat("%lld", static_cast<long long>(
                                   DivRoundEven(static_cast<int64_t>(r.Count) * shares.Counts[i],
                                                CombCount(NumbersCount, CombSize))));
    case emRelative:
      return StrFormat("%.3f%%", h * 100 / (c * p));
    default:
      return StrFormat("%.3f%%", h * 100 / c - p * 100);
  }
}

std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (char ch : s) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
  return out;
}

}  // namespace

bool RatingIsConsistent(const TRatingRecord& r) {
  uint64_t stakes = 0, matches = 0;
  for (size_t k = 0; k < r.Overlaps.size(); ++k) {
    stakes += r.Overlaps[k];
    matches += k * r.Overlaps[k];
  }
  return stakes == r.Count && matches == r.Overlap;
}

std::string MoneyText2(int64_t money) {
  const bool negative = money < 0;
  // The magnitude as unsigned, so that the most negative amount does not overflow.
  const uint64_t m = negative ? 0 - static_cast<uint64_t>(money) : static_cast<uint64_t>(money);
  uint64_t cents = m / 100;
  const uint64_t rest = m % 100;
  if (rest > 50 || (rest == 50 && cents % 2 != 0)) ++cents;
  return StrFormat("%s%llu.%02llu", negative ? "-" : "",
                   static_cast<unsigned long long>(cents / 100),
                   static_cast<unsigned long long>(cents % 100));
}

int64_t RatingAverageProfit(const TRatingRecord& r) {
  return r.Count == 0 ? 0 : DivRoundEven(r.Profit, r.Count);
}

TRatingRowTexts RatingRowTexts(const TRatingRecord& r, int effMode, const TExpectedShares& shares) {
  TRatingRowTexts t;
  if (!RatingIsConsistent(r)) {
    t[rcName] = RatingBadDataText;
    return t;
  }
  t[rcName] = r.Name;
  t[rcCount] = StrFormat("%u", r.Count);
  t[rcOverlap] = StrFormat("%u", r.Overlap);
  t[rcProfit] = MoneyText2(r.Profit);
  for (int k = 0; k < RatingMatchKinds; ++k)
    t[static_cast<size_t>(rcMatch0 + k)] = StrFormat("%u", r.Overlaps[static_cast<size_t>(k)]);
  if (r.Count == 0) return t;
  t[rcAverage] = StrFormat("%.3f", static_cast<double>(r.Overlap) / r.Count);
  t[rcAverageProfit] = MoneyText2(RatingAverageProfit(r));
  for (int k = 0; k < RatingMatchKinds; ++k)
    t[static_cast<size_t>(rcEff0 + k)] = EffText(r, k, effMode, shares);
  return t;
}

std::string RatingsCsvText(const TRatingsArray& ratings) {
  std::string out;
  for (int c = 0; c < rcColumnCount; ++c) {
    if (c) out += ';';
    out += Quoted(RatingColumns[static_cast<size_t>(c)].Caption);
  }
  out += "\r\n";
  for (const TRatingRecord& r : ratings) {
    out += Quoted(r.Name);
    out += StrFormat(";%u;%u;", r.Count, r.Overlap);
    // A record without stakes has no average; the list leaves these cells empty too.
    if (r.Count != 0) out += StrFormat("%.3f", static_cast<double>(r.Overlap) / r.Count);
    out += ';';
    out += MoneyText2(r.Profit);
    out += ';';
    if (r.Count != 0) out += MoneyText2(RatingAverageProfit(r));
    for (uint32_t h : r.Overlaps) out += StrFormat(";%u", h);
    out += "\r\n";
  }
  return out;
}

void RatingsCsvWriteFile(const std::string& path, const TRatingsArray& ratings) {
  WriteFileAtomic(path, Utf8ToCp1251(RatingsCsvText(ratings)));
}

std::vector<TGraphSeries> RatingsGraphOverlapData(const TRatingsArray& ratings,
                                                  const std::vector<int>& selected,
                                                  const TExpectedShares& shares) {
  std::vector<const TRatingRecord*> rows;
  uint32_t most = 0;
  for (int i : selected) {
    if (i < 0 || static_cast<size_t>(i) >= ratings.size()) continue;
    rows.push_back(&ratings[static_cast<size_t>(i)]);
    most = std::max(most, rows.back()->Count);
  }
  std::vector<TGraphSeries> series;
  if (rows.empty()) return series;
  TGraphSeries normal{RatingsNormalSeriesTitle, {}};
  const double all = static_cast<double>(CombCount(NumbersCount, CombSize));
  for (int k = 0; k < RatingMatchKinds; ++k)
    normal.Points.push_back(
        {static_cast<double>(k),
         static_cast<double>(shares.Counts[static_cast<size_t>(k)]) * most / all});
  series.push_back(std::move(normal));
  for (const TRatingRecord* r : rows) {
    TGraphSeries s{RatingIsConsistent(*r) ? r->Name : RatingBadDataText, {}};
    for (int k = 0; k < RatingMatchKinds; ++k)
      s.Points.push_back(
          {static_cast<double>(k), static_cast<double>(r->Overlaps[static_cast<size_t>(k)])});
    series.push_back(std::move(s));
  }
  return series;
}

}  // namespace kvarn
