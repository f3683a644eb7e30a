#include "core/lottery.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <random>

#include "core/text.h"

namespace kvarn {

const std::string_view CombSeparators = "\t ,-.:;|";

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
  int r = n + k;
  while (r > NumbersCount) r -= NumbersCount;
  while (r <= 0) r += NumbersCount;
  return r;
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
    for (int i = 0; i < set.Count; ++i) {
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
  for (int i = 0; i < a.Count; ++i) {
    bool found = false;
    for (int j = 0; j < b.Count && !found; ++j) found = a.Numbers[i] == b.Numbers[j];
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

namespace {
std::mt19937_64& Rng() {
  static std::mt19937_64 rng(std::random_device{}());
  return rng;
}
}  // namespace

void RandomSeed(uint64_t seed) {
  Rng().seed(seed);
}
void Randomize() {
  Rng().seed(std::random_device{}());
}
int RandomInt(int bound) {
  if (bound <= 1) return 0;
  return static_cast<int>(std::uniform_int_distribution<int>(0, bound - 1)(Rng()));
}

TNumberSet RandomSubset(const TCombsArray& combs, size_t n, int size) {
  TByteArray nums = DistinctNumbers(combs, n);
  while (static_cast<int>(nums.size()) > size) {
    nums.erase(nums.begin() + RandomInt(static_cast<int>(nums.size())));
  }
  TNumberSet s;
  for (uint8_t v : nums)
    if (s.Count < MaxSetSize) s.Numbers[s.Count++] = v;
  return s;
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

// ---- text forms ----

std::string NumberText(int64_t n) {
  return std::to_string(n);
}

int TextNumber(std::string_view s) {
  return TextToIntDef(s, 0);
}

std::string CombText(const TComb& c) {
  return StrFormat("%d;%d;%d;%d;%d", c[0], c[1], c[2], c[3], c[4]);
}

std::string CombTextPadded(const TComb& c) {
  return StrFormat("%02d %02d %02d %02d %02d", c[0], c[1], c[2], c[3], c[4]);
}

std::string NumberSetText(const TNumberSet& s, std::string_view sep) {
  std::string r;
  for (int i = 0; i < s.Count && i < MaxSetSize; ++i) {
    if (i) r += sep;
    r += std::to_string(s.Numbers[i]);
  }
  return r;
}

std::string DrawValuesText(const TDraw& d) {
  return CombText(d.Values) + " e:" + std::to_string(d.Extra);
}

std::string DrawText(const TDraw& d) {
  return StrFormat("Тираж № %d от %s, значения: %s", d.Number, d.DateText.c_str(),
                   DrawValuesText(d).c_str());
}

namespace {
TDateFormatHook gFormatHook = nullptr;
TDateParseHook gParseHook = nullptr;
}  // namespace

void SetDateHooks(TDateFormatHook format, TDateParseHook parse) {
  gFormatHook = format;
  gParseHook = parse;
}

std::string DateTimeText(TDateTime t) {
  if (t <= 0) return {};
  if (gFormatHook) return gFormatHook(t);
  int y, mo, d, h, mi, s;
  DecodeDateTime(t, y, mo, d, h, mi, s);
  return StrFormat("%02d.%02d.%04d %02d:%02d", d, mo, y, h, mi);
}

std::string IntListText(const TIntArray& a, std::string_view sep) {
  std::string r;
  for (size_t i = 0; i < a.size(); ++i) {
    if (i) r += sep;
    r += std::to_string(a[i]);
  }
  return r;
}

std::string StakeSourceName(int kind) {
  switch (kind) {
    case 1:
      return "Вручную";
    case 2:
      return "Регуляр";
    case 3:
      return "Сценарий";
    case 4:
      return "Система";
    default:
      return {};
  }
}

// ---- parsing ----

TComb ParseComb(std::string_view text) {
  std::vector<std::string> words = SplitWords(text, CombSeparators);
  if (words.size() != static_cast<size_t>(CombSize))
    Raise(StrFormat("Некорректная комбинация: \"%s\"!", std::string(text).c_str()));
  TComb c;
  for (int i = 0; i < CombSize; ++i) c[i] = static_cast<uint8_t>(TextNumber(words[i]));
  return c;
}

TDateTime ParseDateTime(std::string_view text) {
  if (Trim(text).empty()) return 0;
  if (gParseHook) return gParseHook(text);
  auto field = [&](size_t pos, size_t len, int& out) {
    if (pos + len > text.size()) return false;
    int v = 0;
    for (size_t i = pos; i < pos + len; ++i) {
      char c = text[i];
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    out = v;
    return true;
  };
  int d, m, y, h, n;
  TDateTime t;
  if (!field(0, 2, d) || !field(3, 2, m) || !field(6, 4, y) || !field(11, 2, h) ||
      !field(14, 2, n) || !TryEncodeDateTime(y, m, d, h, n, 0, t))
    Raise(StrFormat("\"%s\" - некорректное значение даты и времени", std::string(text).c_str()));
  return t;
}

TIntArray ParseValueList(std::string_view text) {
  TIntArray list;
  // First as a list of integers separated by "," or ";".
  {
    std::vector<std::string> words = SplitWords(text, ",;");
    bool ok = !words.empty();
    for (const std::string& w : words) {
      int64_t v;
      if (!TryTextToInt(w, v)) {
        ok = false;
        break;
      }
      list.push_back(static_cast<int32_t>(v));
    }
    if (ok) return list;
    list.clear();
  }
  // Then as a range a-b;s or a-b,s.
  size_t dash = text.find('-', 1);
  if (dash == std::string_view::npos || text.empty()) return {};
  std::string_view a = text.substr(0, dash);
  std::string_view rest = text.substr(dash + 1);
  size_t sep = rest.find_first_of(";,");
  if (sep == std::string_view::npos) return {};
  std::string_view b = rest.substr(0, sep);
  std::string_view s = rest.substr(sep + 1);
  int64_t va, vb, vs;
  if (!TryTextToInt(a, va) || !TryTextToInt(b, vb) || !TryTextToInt(s, vs) || vs == 0) return {};
  int64_t count = (vb - va) / vs + 1;
  if (count <= 0 || count > 1000000) return {};
  for (int64_t i = 0; i < count; ++i) list.push_back(static_cast<int32_t>(va + i * vs));
  return list;
}

// ---- dates ----

namespace {
// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

constexpr int64_t kEpochOffset = 25569;  // days from 30.12.1899 to 01.01.1970

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
}  // namespace

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       TDateTime& out) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  int dim = kDays[month - 1] + ((month == 2 && IsLeap(year)) ? 1 : 0);
  if (day > dim || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return false;
  int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochOffset;
  out = static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
  return true;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  TDateTime t;
  if (!TryEncodeDateTime(year, month, day, hour, minute, second, t))
    Raise("Некорректное значение даты и времени");
  return t;
}

void DecodeDateTime(TDateTime t, int& year, int& month, int& day, int& hour, int& minute,
                    int& second) {
  double days = std::floor(t);
  int64_t secs = std::llround((t - days) * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    days += 1;
  }
  CivilFromDays(static_cast<int64_t>(days) - kEpochOffset, year, month, day);
  hour = static_cast<int>(secs / 3600);
  minute = static_cast<int>(secs / 60 % 60);
  second = static_cast<int>(secs % 60);
}

TDateTime NowDateTime() {
  std::time_t now = std::time(nullptr);
  std::tm lt;
  localtime_r(&now, &lt);
  return EncodeDateTime(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min,
                        lt.tm_sec);
}

int DayOfWeek(TDateTime t) {
  // 30.12.1899 was a Saturday (7).
  int64_t days = static_cast<int64_t>(std::floor(t));
  int64_t r = ((days % 7) + 7 + 6) % 7;  // 0 = Sunday
  return static_cast<int>(r) + 1;
}

}  // namespace kvarn
