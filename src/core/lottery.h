// The 5-of-36 lottery: constants, records, counting and the number and combination routines.
// Free functions without state. Text forms and parsing are in lottery_text.h, dates in dates.h,
// random numbers in random.h.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
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
  // The 28 bytes the record had in the draws file, when it was read from there: the fields that
  // did not change are written back exactly as they were (a date byte without a Unicode form,
  // the padding, the bytes after the date).
  std::optional<std::array<uint8_t, 28>> FileRecord;
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
bool ByteArrayHas(const TByteArray& a, uint8_t v);
bool ByteArrayAddUnique(TByteArray& a, uint8_t v);
void ByteArrayAppend(TByteArray& a, uint8_t v);
void AddSimple(TStatSimpleArray& list, int32_t key, int32_t add);
void SortSimple(TStatSimpleArray& list);
int CombSum(const TComb& c);

// ---- sorting (stable insertion sorts, in place) ----
void SortComb(TComb& c);
void SortDrawValues(TDraw& d);
void SortNumberSet(TNumberSet& s);
void SortIntsDesc(TIntArray& a);

}  // namespace kvarn
