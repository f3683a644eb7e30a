// A single-select walk of a statistics table counted instead of filtered. When every
// combination of the list has exactly one key of the method, keeping or deleting the
// combinations of one value only moves whole groups of equal keys: the groups are counted once,
// each step is answered from the counts, and the list is cut once when the walk needs it or ends.
// The result is the list the row-by-row filtering leaves, in the same order.
#pragma once

#include <cstdint>
#include <vector>

#include "combs/combs.h"
#include "stats/stat.h"

namespace kvarn {

class TKeyedWalk {
 public:
  // Reads the key of every combination of list (the method loaded with the draw at `last` as
  // the previous one, as a filter pass loads it). False when the method's test is not one key
  // per combination; the walk then has to filter row by row.
  bool Start(TCustomStat& stat, const TCombList& list, int last, bool sorted);
  // Combinations left by the steps taken.
  int Count() const { return count_; }
  // Combinations that keeping (exclude false) or deleting (true) those with the key would leave.
  int CountAfter(uint64_t key, bool exclude) const;
  void Apply(uint64_t key, bool exclude);
  // Whether steps took combinations out that the list still holds.
  bool Pending() const { return count_ != size_; }
  // Cuts list (the one Start read, unchanged since) down to the combinations left, in order.
  void Retain(TCombList& list);

 private:
  // The key's group (perhaps an empty one), -1 when no combination has it.
  int32_t Find(uint64_t key) const;
  int32_t Add(uint64_t key);
  void Grow();

  std::vector<uint64_t> keys_;  // per combination while reading; scratch afterwards
  // The group of each of the first size_ combinations of the list; a small key is its own group.
  std::vector<int32_t> groups_;
  std::vector<int> sizes_;          // combinations of each group
  std::vector<uint8_t> alive_;      // whether a group is still in the list
  std::vector<uint64_t> slotKey_;   // open addressing: key -> group
  std::vector<int32_t> slotGroup_;  // -1 when the slot is empty
  int shift_ = 64;
  int size_ = 0;   // combinations of the list
  int count_ = 0;  // of them still in
};

}  // namespace kvarn
