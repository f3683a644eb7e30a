// Small archives for the view tests.
#pragma once

#include <initializer_list>
#include <string>

#include "common/archives.h"
#include "core/lottery.h"

namespace kvarn::views_test {

// Draw numbers from `first` up; every draw dated 01.01.2020 (a Wednesday).
inline TDrawsArray Archive(std::initializer_list<TComb> combs, int first = 1) {
  return test::Archive(combs, first);
}

// `count` draws whose numbers walk through 1..36 so that every number recurs.
inline TDrawsArray Walking(int count, int first = 1) {
  return test::ArchiveOf(count, first, test::SpreadOfFive);
}

}  // namespace kvarn::views_test
