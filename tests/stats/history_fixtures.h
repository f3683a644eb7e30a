// Archives and registries for the tests of filters on history.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/lottery.h"
#include "stats/registry.h"

namespace kvarn::history_fixtures {

inline TDrawsArray Archive(std::initializer_list<TComb> combs) {
  TDrawsArray draws;
  for (const TComb& c : combs) {
    TDraw d;
    d.Number = 1000 + static_cast<int32_t>(draws.size());
    d.Values = c;
    d.Extra = 1;
    d.DateText = "01.01.2020 20:00";
    draws.push_back(d);
  }
  return draws;
}

// Five different numbers per draw, in drawn (unsorted) order, from a fixed seed.
inline TDrawsArray RandomArchive(int count, uint64_t seed) {
  RandomSeed(seed);
  TDrawsArray draws;
  for (int i = 0; i < count; ++i) {
    TDraw d;
    d.Number = 1000 + i;
    int n = 0;
    while (n < CombSize) {
      const auto v = static_cast<uint8_t>(RandomInt(NumbersCount) + 1);
      bool seen = false;
      for (int j = 0; j < n; ++j) seen = seen || d.Values[static_cast<size_t>(j)] == v;
      if (!seen) d.Values[static_cast<size_t>(n++)] = v;
    }
    d.Extra = static_cast<uint8_t>(RandomInt(4) + 1);
    d.DateText = "01.01.2020 20:00";
    draws.push_back(d);
  }
  return draws;
}

// The registry of every method over the archive (which must outlive it).
inline std::unique_ptr<TStatList> Registry(const TDrawsArray& draws) {
  auto list = std::make_unique<TStatList>(draws);
  list->Register();
  return list;
}

inline std::vector<std::string> Texts(int from, int to) {
  std::vector<std::string> t;
  for (int i = from; i <= to; ++i) t.push_back(std::to_string(i));
  return t;
}

}  // namespace kvarn::history_fixtures
