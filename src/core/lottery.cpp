#include "core/lottery.h"

#include <algorithm>
#include <cmath>

namespace kvarn {

// ---- counting ----

long double Factorial(int n) {
  long double r = 1.0L;
  for (int i = 2; i <= n; ++i) r *= i;
  return r;
}

int64_t CombCount(int n, int k) {
  if (k >= n) return 1;
  if (k < 0) return 0;
  return static_cast<int64_t>(std::llround(Factorial(n) / (Factorial(n - k) * Factorial(k))));
}

namespace {
long double Falling(int a, int j) {
  long double r = 1.0L;
  for (int i = 0; i < j; ++i) r *= (a - i);
  return r;
}
}  // namespace

int64_t MatchCombCount(int n, int k, int m) {
  if (m >= n) return 1;
  if (m > k || m < 0) return 0;
  long double r = Falling(k, m) / Factorial(m) * Falling(n - k, k - m) / Factorial(k - m);
  return static_cast<int64_t>(std::llround(r));
}

int CeilDiv(int a, int b) {
  return (a + b - 1) / b;
}

int PageCount(int first, int last, int size) {
  if (size <= 0) return 0;
  if (first == 0) return CeilDiv(last, size);
  return CeilDiv(last - first + 1, size);
}

uint32_t ChannelColour(int n, int size) {
  static constexpr uint32_t kColours[19] = {0xAAFFAA, 0xAAFFFF, 0xFFFFAA, 0xAAAAFF, 0xFFAAAA,
                                            0xAAD5FF, 0xFFAAD5, 0xD4D4D4, 0xFFD5AA, 0xD5AAFF,
                                            0xD5FFD5, 0xD5FFFF, 0xFFFFD5, 0xD5D5FF, 0xFFD5D5,
                                            0xD5EAFF, 0xFFD5EA, 0xE9E9E9, 0xFFEAD5};
  if (n < 1 || n > NumbersCount || size <= 0) return 255;
  int ch = ChannelOfNumber(n, size);
  while (ch > 19) ch -= 19;
  return kColours[ch - 1];
}

// ---- numbers and combinations ----

int ShiftNumber(int n, int k) {
  // In one step and in 64 bits: a step read from a damaged file may be any int32.
  const int64_t r = (static_cast<int64_t>(n) + k - 1) % NumbersCount;
  return static_cast<int>(r < 0 ? r + NumbersCount : r) + 1;
}

TComb ShiftComb(const TComb& c, int k) {
  TComb r;
  for (int i = 0; i < CombSize; ++i) r[i] = static_cast<uint8_t>(ShiftNumber(c[i], k));
  return r;
}

bool DrawHas(const TDraw& d, int n) {
  return CombHas(d.Values, n);
}

bool DrawHasChannel(const TDraw& d, int ch, int size) {
  for (uint8_t v : d.Values)
    if (ChannelOfNumber(v, size) == ch) return true;
  return false;
}

bool DrawHasMapped(const TDraw& d, int v, const uint8_t* map) {
  for (uint8_t n : d.Values)
    if (n >= 1 && n <= NumbersCount && map[n - 1] == v) return true;
  return false;
}

bool CombHas(const TComb& c, int n) {
  for (uint8_t v : c)
    if (v == n) return true;
  return false;
}

int CombMatches5(const TComb& a, const TComb& b) {
  int r = 0;
  for (uint8_t x : a)
    for (uint8_t y : b)
      if (x == y) ++r;
  return r;
}

int DrawMatches(const TDraw& d, const TComb& c) {
  return CombMatches5(d.Values, c);
}
int DrawsMatches(const TDraw& d1, const TDraw& d2) {
  return CombMatches5(d1.Values, d2.Values);
}

TNumberSet DrawIntersect(const TDraw& d, const TNumberSet& set) {
  TNumberSet r;
  for (uint8_t v : d.Values) {
    for (int i = 0; i < set.Count && i < MaxSetSize; ++i) {
      if (set.Numbers[i] == v) {
        r.Numbers[r.Count++] = v;
        break;
      }
    }
  }
  SortNumberSet(r);
  return r;
}

bool SameNumberSet(const TNumberSet& a, const TNumberSet& b) {
  if (a.Count != b.Count) return false;
  // Sets read from a damaged stake record may claim more numbers than they hold.
  const int count = std::clamp(a.Count, 0, MaxSetSize);
  for (int i = 0; i < count; ++i) {
    bool found = false;
    for (int j = 0; j < count && !found; ++j) found = a.Numbers[i] == b.Numbers[j];
    if (!found) return false;
  }
  return true;
}

TNumberSet DrawNumberSet(const TDraw& d) {
  TNumberSet s;
  s.Count = CombSize;
  for (int i = 0; i < CombSize; ++i) s.Numbers[i] = d.Values[i];
  return s;
}

int DistinctCount(const TCombsArray& combs, size_t n) {
  bool seen[256] = {};
  int count = 0;
  n = std::min(n, combs.size());
  for (size_t i = 0; i < n && count < NumbersCount; ++i)
    for (uint8_t v : combs[i])
      if (!seen[v]) {
        seen[v] = true;
        if (++count >= NumbersCount) break;
      }
  return count;
}

TByteArray DistinctNumbers(const TCombsArray& combs, size_t n) {
  TByteArray r;
  n = std::min(n, combs.size());
  for (size_t i = 0; i < n && r.size() < static_cast<size_t>(NumbersCount); ++i)
    for (uint8_t v : combs[i]) {
      ByteArrayAddUnique(r, v);
      if (r.size() >= static_cast<size_t>(NumbersCount)) break;
    }
  return r;
}

bool ByteArrayHas(const TByteArray& a, uint8_t v) {
  return std::find(a.begin(), a.end(), v) != a.end();
}

bool ByteArrayAddUnique(TByteArray& a, uint8_t v) {
  if (ByteArrayHas(a, v)) return false;
  a.push_back(v);
  return true;
}

void ByteArrayAppend(TByteArray& a, uint8_t v) {
  a.push_back(v);
}

void AddSimple(TStatSimpleArray& list, int32_t key, int32_t add) {
  for (TStatSimple& s : list) {
    if (s.Key == key) {
      if (add > 0) s.Count += add;
      return;
    }
  }
  list.push_back({key, add});
}

void SortSimple(TStatSimpleArray& list) {
  for (size_t i = 1; i < list.size(); ++i) {
    TStatSimple x = list[i];
    size_t j = i;
    while (j > 0 && list[j - 1].Key > x.Key) {
      list[j] = list[j - 1];
      --j;
    }
    list[j] = x;
  }
}

int CombSum(const TComb& c) {
  return c[0] + c[1] + c[2] + c[3] + c[4];
}

// ---- sorting ----

namespace {
template <typename T, typename Less>
void InsertionSort(T* a, int n, Less less) {
  for (int i = 1; i < n; ++i) {
    T x = a[i];
    int j = i;
    while (j > 0 && less(x, a[j - 1])) {
      a[j] = a[j - 1];
      --j;
    }
    a[j] = x;
  }
}
}  // namespace

void SortComb(TComb& c) {
  InsertionSort(c.data(), CombSize, [](uint8_t a, uint8_t b) { return a < b; });
}

void SortDrawValues(TDraw& d) {
  SortComb(d.Values);
}

void SortNumberSet(TNumberSet& s) {
  InsertionSort(s.Numbers.data(), std::clamp(s.Count, 0, MaxSetSize),
                [](uint8_t a, uint8_t b) { return a < b; });
}

void SortIntsDesc(TIntArray& a) {
  InsertionSort(a.data(), static_cast<int>(a.size()), [](int32_t x, int32_t y) { return x > y; });
}

}  // namespace kvarn
