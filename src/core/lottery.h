// The 5-of-36 lottery: constants, records, counting, number and combination routines, text
// forms and parsing. Free functions without state.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvarn {

constexpr int NumbersCount = 36;  // numbers are 1..NumbersCount
constexpr int CombSize = 5;       // numbers per draw and per combination
constexpr int FullCombsCount = 376992;
constexpr int MaxSetSize = 12;  // largest extended stake

constexpr int SumFrom(int a, int k) {
  return k * a + k * (k - 1) / 2;
}
constexpr int SumDown(int a, int k) {
  return k * a - k * (k - 1) / 2;
}

constexpr int MinSum = SumFrom(1, CombSize);             // 15
constexpr int MaxSum = SumDown(NumbersCount, CombSize);  // 170
constexpr int SumTolerance = (MaxSum - MinSum) / 10;     // 15

using TComb = std::array<uint8_t, CombSize>;

struct TDraw {
  int32_t Number = 0;
  TComb Values{};        // in the order drawn
  uint8_t Extra = 0;     // 0 = none, else 1..4
  std::string DateText;  // "dd.mm.yyyy hh:nn", at most 16 characters
};

struct TNumberSet {
  int32_t Count = 0;
  std::array<uint8_t, MaxSetSize> Numbers{};
};

struct TStatSimple {
  int32_t Key = 0;
  int32_t Count = 0;
};

// A set of the values 0..255, used for "my numbers" and for marking the numbers of a draw.
using TNumberBits = std::bitset<256>;

using TByteArray = std::vector<uint8_t>;
using TIntArray = std::vector<int32_t>;
using TDrawsArray = std::vector<TDraw>;
using TCombsArray = std::vector<TComb>;
using TStatSimpleArray = std::vector<TStatSimple>;

// Day count since 30.12.1899 with the time as the fraction; 0 means "no date".
using TDateTime = double;

// ---- counting ----
long double Factorial(int n);
int64_t CombCount(int n, int k);
int64_t MatchCombCount(int n, int k, int m);
int PageCount(int first, int last, int size);
int CeilDiv(int a, int b);
constexpr int MatrixColumn(int n, int cols) {
  return ((n - 1) % cols) + 1;
}
constexpr int MatrixRow(int n, int cols) {
  return ((n - 1) / cols) + 1;
}
constexpr int ChannelOfNumber(int n, int size) {
  return (n + size - 1) / size;
}
// Windows colour 0x00BBGGRR of the channel of n; 255 for n outside 1..36.
uint32_t ChannelColour(int n, int size);

// ---- numbers and combinations ----
int ShiftNumber(int n, int k);
TComb ShiftComb(const TComb& c, int k);
bool DrawHas(const TDraw& d, int n);
bool DrawHasChannel(const TDraw& d, int ch, int size);
bool DrawHasMapped(const TDraw& d, int v, const uint8_t* map);
bool CombHas(const TComb& c, int n);
int DrawMatches(const TDraw& d, const TComb& c);
int DrawsMatches(const TDraw& d1, const TDraw& d2);
int CombMatches5(const TComb& a, const TComb& b);
TNumberSet DrawIntersect(const TDraw& d, const TNumberSet& set);
bool SameNumberSet(const TNumberSet& a, const TNumberSet& b);
inline TComb DrawComb(const TDraw& d) {
  return d.Values;
}
TNumberSet DrawNumberSet(const TDraw& d);
int DistinctCount(const TCombsArray& combs, size_t n);
TByteArray DistinctNumbers(const TCombsArray& combs, size_t n);
TNumberSet RandomSubset(const TCombsArray& combs, size_t n, int size);
bool ByteArrayHas(const TByteArray& a, uint8_t v);
bool ByteArrayAddUnique(TByteArray& a, uint8_t v);
void ByteArrayAppend(TByteArray& a, uint8_t v);
void AddSimple(TStatSimpleArray& list, int32_t key, int32_t add);
void SortSimple(TStatSimpleArray& list);
int CombSum(const TComb& c);

// The process-wide random generator; seeded once at start-up, re-seedable for tests.
void RandomSeed(uint64_t seed);
void Randomize();
int RandomInt(int bound);  // 0..bound-1

// ---- sorting (stable insertion sorts, in place) ----
void SortComb(TComb& c);
void SortDrawValues(TDraw& d);
void SortNumberSet(TNumberSet& s);
void SortIntsDesc(TIntArray& a);

// ---- text forms ----
std::string NumberText(int64_t n);
int TextNumber(std::string_view s);
std::string CombText(const TComb& c);
std::string CombTextPadded(const TComb& c);
std::string NumberSetText(const TNumberSet& s, std::string_view sep);
std::string DrawValuesText(const TDraw& d);  // "3;11;19;27;35 e:0"
std::string DrawText(const TDraw& d);
std::string DateTimeText(TDateTime t);
std::string IntListText(const TIntArray& a, std::string_view sep);
std::string StakeSourceName(int kind);

// ---- parsing ----
// Separators of a combination text: TAB, space , - . : ; and the vertical bar.
extern const std::string_view CombSeparators;
TComb ParseComb(std::string_view text);
TDateTime ParseDateTime(std::string_view text);
TIntArray ParseValueList(std::string_view text);

// ---- dates ----
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second = 0);
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       TDateTime& out);
void DecodeDateTime(TDateTime t, int& year, int& month, int& day, int& hour, int& minute,
                    int& second);
TDateTime NowDateTime();
// Day of the week of t, 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime t);

// Optional hooks the shell may set for the locale's date format.
using TDateFormatHook = std::string (*)(TDateTime);
using TDateParseHook = TDateTime (*)(std::string_view);
void SetDateHooks(TDateFormatHook format, TDateParseHook parse);

}  // namespace kvarn
