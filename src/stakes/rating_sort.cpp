#include "stakes/rating_sort.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {

namespace {

uint32_t LowerCodePoint(uint32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;  // А..Я
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;  // Ѐ..Џ, Ё among them
  return c;
}

// Primary weight: the lower-case letter, "ё" placed between "е" and "ж".
uint64_t LetterWeight(uint32_t lower) {
  if (lower == 0x451) return (uint64_t{0x435} << 1) | 1;
  return uint64_t{lower} << 1;
}

int Sign(long double v) {
  return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// Sign of the nearest integer of a difference (halves to even, as everywhere in the program).
int RoundedSign(long double difference) {
  return Sign(std::nearbyintl(difference));
}

template <typename T>
int CompareValues(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

long double Average(const TRatingRecord& r) {
  return static_cast<long double>(r.Overlap) / r.Count;
}

// Average profit in money units; the stored profit is the amount x 10000.
long double AverageProfit(const TRatingRecord& r) {
  return static_cast<long double>(r.Profit) / 10000.0L / r.Count;
}

}  // namespace

int CompareRatingNames(std::string_view a, std::string_view b) {
  int caseTie = 0;
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const uint32_t ca = DecodeUtf8(a, i), cb = DecodeUtf8(b, j);
    const uint32_t la = LowerCodePoint(ca), lb = LowerCodePoint(cb);
    if (la != lb) return CompareValues(LetterWeight(la), LetterWeight(lb));
    // The first difference of case decides when the letters are the same; lower case first.
    if (caseTie == 0 && ca != cb) caseTie = ca == la ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return caseTie;
}

int CompareRatings(const TRatingRecord& a, const TRatingRecord& b, int column) {
  if (a.Count == 0 || b.Count == 0) return 0;
  switch (column) {
    case rcName:
      return CompareRatingNames(a.Name, b.Name);
    case rcCount:
      return CompareValues(a.Count, b.Count);
    case rcOverlap:
      return CompareValues(a.Overlap, b.Overlap);
    case rcAverage:
      return RoundedSign((Average(a) - Average(b)) * 100);
    case rcProfit:
      return RoundedSign((static_cast<long double>(a.Profit) - b.Profit) / 100);
    case rcAverageProfit:
      return RoundedSign((AverageProfit(a) - AverageProfit(b)) * 100);
    default:
      if (column >= rcMatch0 && column < rcEff0)
        return CompareValues(a.Overlaps[static_cast<size_t>(column - rcMatch0)],
                             b.Overlaps[static_cast<size_t>(column - rcMatch0)]);
      return 0;
  }
}

namespace {

struct TSorter {
  TRatingsArray& items;
  int column;
  bool descending;

  int Compare(ptrdiff_t x, ptrdiff_t y) const {
    const int r =
        CompareRatings(items[static_cast<size_t>(x)], items[static_cast<size_t>(y)], column);
    return descending ? -r : r;
  }

  // Hoare partitioning around the middle record, whose place is followed through the exchanges.
  // The scans also stop at the range's ends, since records without stakes equal everything and
  // so the comparison is not a strict order.
  void Sort(ptrdiff_t lo, ptrdiff_t hi) {
    while (lo < hi) {
      ptrdiff_t i = lo, j = hi, p = lo + (hi - lo) / 2;
      do {
        while (i < hi && Compare(i, p) < 0) ++i;
        while (j > lo && Compare(j, p) > 0) --j;
        if (i <= j) {
          // Rows equal to the pivot stay where they are; with a strict order these are exactly
          // the pairs that compare equal, and where the hundredths make the order loose, a row
          // above the pivot must still leave the left side.
          if (i != j && (Compare(i, p) != 0 || Compare(j, p) != 0)) {
            std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
            if (p == i)
              p = j;
            else if (p == j)
              p = i;
          }
          ++i;
          --j;
        }
      } while (i <= j);
      // Recurse into the smaller side and loop over the larger one: the depth stays logarithmic
      // whatever the data.
      if (j - lo < hi - i) {
        if (lo < j) Sort(lo, j);
        lo = i;
      } else {
        if (i < hi) Sort(i, hi);
        hi = j;
      }
    }
  }
};

}  // namespace

void RatingsSort(TRatingsArray& ratings, int column, bool descending) {
  if (column >= rcColumnCount)
    Raise(StrFormat("Некорректное занчение номера столбца сортировки (%d)", column));
  if (column < 0 || ratings.size() < 2) return;
  TSorter{ratings, column, descending}.Sort(0, static_cast<ptrdiff_t>(ratings.size()) - 1);
}

}  // namespace kvarn
