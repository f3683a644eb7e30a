// Finding items of a statistics list by key without searching the list: a run over a window
// merges every value of every draw into one list, and lists of tuples grow to thousands of
// items, so a linear search per value made the run quadratic.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "stats/stat.h"

namespace kvarn {

inline uint64_t StatKeyBits(const TStatKey& key) {
  uint64_t k;
  std::memcpy(&k, &key, sizeof k);
  return k;
}

// Open-addressing map from a key to the position of its first item in one list. It follows the
// list on its own: items appended by any means are indexed at the next lookup, a list that
// shrank is indexed again. The list's order is never touched.
class TStatItemIndex {
 public:
  explicit TStatItemIndex(const TStatDrawArray& list) : list_(&list) {}
  // Position of the first item with this key; -1 when none.
  int Find(uint64_t key);
  const TStatDrawArray* List() const { return list_; }

 private:
  void Sync();
  void Insert(uint64_t key, int pos);
  void Grow();
  size_t Slot(uint64_t key) const {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
  }
  const TStatDrawArray* list_;
  size_t indexed_ = 0;
  size_t used_ = 0;
  int shift_ = 64;
  std::vector<uint64_t> keys_;
  std::vector<int32_t> pos_;  // -1 = empty slot
};

// While it lives, AddStatItem on this thread finds the items of `list` through an index.
class TStatItemIndexScope {
 public:
  explicit TStatItemIndexScope(const TStatDrawArray& list);
  ~TStatItemIndexScope();
  TStatItemIndexScope(const TStatItemIndexScope&) = delete;
  TStatItemIndexScope& operator=(const TStatItemIndexScope&) = delete;

 private:
  TStatItemIndex index_;
  TStatItemIndex* outer_;
};

// The index in use for this list on this thread, or null.
TStatItemIndex* ActiveStatItemIndex(const TStatDrawArray& list);

}  // namespace kvarn
