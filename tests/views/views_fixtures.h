// Small archives for the view tests.
#pragma once

#include <initializer_list>
#include <string>

#include "core/lottery.h"

namespace kvarn::views_test {

// Draw numbers from `first` up; every draw dated 01.01.2020 (a Wednesday).
inline TDrawsArray Archive(std::initializer_list<TComb> combs, int first = 1) {
  TDrawsArray draws;
  int number = first;
  for (const TComb& c : combs) {
    TDraw d;
    d.Number = number++;
    d.Values = c;
    d.DateText = "01.01.2020 20:00";
    draws.push_back(d);
  }
  return draws;
}

// `count` draws whose numbers walk through 1..36 so that every number recurs.
inline TDrawsArray Walking(int count, int first = 1) {
  TDrawsArray draws;
  for (int i = 0; i < count; ++i) {
    TDraw d;
    d.Number = first + i;
    for (int k = 0; k < CombSize; ++k)
      d.Values[static_cast<size_t>(k)] = static_cast<uint8_t>((i * 7 + k * 5) % NumbersCount + 1);
    d.DateText = "01.01.2020 20:00";
    draws.push_back(d);
  }
  return draws;
}

}  // namespace kvarn::views_test
