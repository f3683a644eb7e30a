// The selected values of one filter pass as lookup tables. A pass tests every combination of
// the list against the same selection, and a third of a table of thousands of values makes a
// linear search of the selection the whole cost of the pass.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "stats/stat.h"

namespace kvarn {

class TSelectedKeys {
 public:
  explicit TSelectedKeys(const TStatDrawArray& selected);
  const TStatDrawArray* Selected() const { return selected_; }

  bool HasKey(uint64_t key) const {
    if (key == emptyKey_) return false;
    const size_t mask = keys_.size() - 1;
    for (size_t i = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);;
         i = (i + 1) & mask) {
      if (keys_[i] == key) return true;
      if (keys_[i] == emptyKey_) return false;
    }
  }
  // The same questions as SelectedHasWord, SelectedHasByte and SelectedHasLong; the table of a
  // position is made when it is first asked for.
  bool HasWord(int pos, uint16_t v) const;
  bool HasByte(int pos, uint8_t v) const;
  bool HasLong(int pos, int32_t v) const;

 private:
  const TStatDrawArray* selected_;
  std::vector<uint64_t> keys_;  // open addressing; an empty slot holds emptyKey_
  uint64_t emptyKey_ = 0;
  int shift_ = 64;
  mutable std::array<std::unique_ptr<std::vector<uint64_t>>, 4> words_;  // 65,536 bits each
  mutable std::array<std::array<uint64_t, 4>, 8> bytes_{};               // 256 bits each
  mutable uint8_t bytesMade_ = 0;
  struct TLongTable {
    bool Made = false;
    std::vector<int32_t> Sorted;
    int32_t Min = 0;
    std::vector<uint64_t> Bits;  // bit v - Min, for values in a narrow range
  };
  mutable std::array<TLongTable, 2> longs_;
};

// While it lives, the SelectedHas... routines on this thread answer for this selection from its
// tables. The selection must not change meanwhile.
class TSelectedKeysScope {
 public:
  explicit TSelectedKeysScope(const TStatDrawArray& selected);
  ~TSelectedKeysScope();
  TSelectedKeysScope(const TSelectedKeysScope&) = delete;
  TSelectedKeysScope& operator=(const TSelectedKeysScope&) = delete;

 private:
  TSelectedKeys keys_;
  const TSelectedKeys* outer_;
};

}  // namespace kvarn
