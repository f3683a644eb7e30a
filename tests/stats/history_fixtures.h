// Archives and registries for the tests of filters on history.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "common/archives.h"
#include "core/lottery.h"
#include "stats/registry.h"

namespace kvarn::history_fixtures {

// Draws numbered from 1000.
inline TDrawsArray Archive(std::initializer_list<TComb> combs) {
  return test::Archive(combs, 1000);
}

inline TDrawsArray RandomArchive(int count, uint64_t seed) {
  return test::RandomArchive(count, 1000, seed);
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
