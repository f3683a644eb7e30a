// Archives of draws for tests and benchmarks: listed draws, draws made by a rule, random draws,
// and the archive written as the data directory's draws file.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "core/draws.h"
#include "core/files.h"
#include "core/lottery.h"
#include "core/random.h"

namespace kvarn::test {

// The date every built draw carries unless told otherwise.
inline constexpr const char* ArchiveDate = "01.01.2020 20:00";

// One draw; the numbers stay in the order given (the drawn order).
inline TDraw MakeDraw(int32_t number, const TComb& values, int extra = 0,
                      std::string date = ArchiveDate) {
  TDraw d;
  d.Number = number;
  d.Values = values;
  d.Extra = static_cast<uint8_t>(extra);
  d.DateText = std::move(date);
  return d;
}

// Draws numbered from `first` with the given numbers; extra numbers, when given, go to the draws
// in order.
inline TDrawsArray Archive(std::initializer_list<TComb> combs, int32_t first = 1,
                           std::initializer_list<uint8_t> extras = {}) {
  TDrawsArray draws;
  auto extra = extras.begin();
  for (const TComb& c : combs)
    draws.push_back(MakeDraw(first + static_cast<int32_t>(draws.size()), c,
                             extra != extras.end() ? *extra++ : 0));
  return draws;
}

// `count` draws numbered from `first`; draw i has the numbers numbersOf(i).
inline TDrawsArray ArchiveOf(int count, int32_t first, const std::function<TComb(int)>& numbersOf,
                             int extra = 0, const std::string& date = ArchiveDate) {
  TDrawsArray draws;
  for (int i = 0; i < count; ++i) draws.push_back(MakeDraw(first + i, numbersOf(i), extra, date));
  return draws;
}

// Five consecutive numbers from i % 30 + 1: neighbouring draws share four of them.
inline TComb RunOfFive(int i) {
  const auto b = static_cast<uint8_t>(i % 30 + 1);
  return {b, static_cast<uint8_t>(b + 1), static_cast<uint8_t>(b + 2),
          static_cast<uint8_t>(b + 3), static_cast<uint8_t>(b + 4)};
}

// Numbers spread over the whole range: (7i + 5k) mod 36 + 1 for k = 0..4.
inline TComb SpreadOfFive(int i) {
  TComb c{};
  for (int k = 0; k < CombSize; ++k)
    c[static_cast<size_t>(k)] = static_cast<uint8_t>((i * 7 + k * 5) % NumbersCount + 1);
  return c;
}

// `count` draws numbered from `first`, each of five different random numbers in drawn order and
// a random extra number 1..4, from a generator seeded with `seed`.
inline TDrawsArray RandomArchive(int count, int32_t first, uint64_t seed) {
  TRandom random(seed);
  TDrawsArray draws;
  for (int i = 0; i < count; ++i) {
    TDraw d = MakeDraw(first + i, {});
    for (int k = 0; k < CombSize;) {
      const auto n = static_cast<uint8_t>(random.Int(NumbersCount) + 1);
      bool seen = false;
      for (int j = 0; j < k; ++j) seen = seen || d.Values[static_cast<size_t>(j)] == n;
      if (!seen) d.Values[static_cast<size_t>(k++)] = n;
    }
    d.Extra = static_cast<uint8_t>(random.Int(4) + 1);
    draws.push_back(d);
  }
  return draws;
}

// The archive as the draws file of a data directory.
inline void WriteArchive(const std::string& dir, const TDrawsArray& draws) {
  DrawsWriteFile(PathJoin(dir, DrawsFileName), draws);
}

}  // namespace kvarn::test
