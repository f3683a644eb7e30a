#include "stats/selected_keys.h"

#include <algorithm>

#include "stats/item_index.h"

namespace kvarn {

namespace {
thread_local const TSelectedKeys* activeKeys = nullptr;
}  // namespace

const TSelectedKeys* ActiveSelectedKeys(const TStatDrawArray& selected) {
  return activeKeys && activeKeys->Selected() == &selected ? activeKeys : nullptr;
}

TSelectedKeys::TSelectedKeys(const TStatDrawArray& selected) : selected_(&selected) {
  size_t capacity = 16;
  while (capacity < selected.size() * 2) capacity *= 2;
  for (size_t c = capacity; c > 1; c >>= 1) --shift_;
  // Empty slots hold a key the selection does not hold.
  for (bool taken = true; taken;) {
    taken = false;
    for (const TStatDraw& s : selected) taken = taken || StatKeyBits(s.Key) == emptyKey_;
    if (taken) --emptyKey_;
  }
  keys_.assign(capacity, emptyKey_);
  const size_t mask = capacity - 1;
  for (const TStatDraw& s : selected) {
    const uint64_t k = StatKeyBits(s.Key);
    size_t i = static_cast<size_t>((k * 0x9E3779B97F4A7C15ull) >> shift_);
    while (keys_[i] != emptyKey_ && keys_[i] != k) i = (i + 1) & mask;
    keys_[i] = k;
  }
}

bool SelectedKeysHasKey(const TSelectedKeys& keys, uint64_t key) {
  return keys.HasKey(key);
}

bool TSelectedKeys::HasWord(int pos, uint16_t v) const {
  auto& table = words_[static_cast<size_t>(pos - 1)];
  if (!table) {
    table = std::make_unique<std::vector<uint64_t>>(65536 / 64, 0);
    for (const TStatDraw& s : *selected_) {
      const uint16_t w = s.Key.K(pos);
      (*table)[w / 64] |= uint64_t{1} << (w % 64);
    }
  }
  return ((*table)[v / 64] >> (v % 64) & 1) != 0;
}

bool TSelectedKeys::HasByte(int pos, uint8_t v) const {
  auto& table = bytes_[static_cast<size_t>(pos - 1)];
  const auto bit = static_cast<uint8_t>(1u << (pos - 1));
  if ((bytesMade_ & bit) == 0) {
    for (const TStatDraw& s : *selected_) {
      const uint8_t b = s.Key.B(pos);
      table[b / 64] |= uint64_t{1} << (b % 64);
    }
    bytesMade_ |= bit;
  }
  return (table[v / 64] >> (v % 64) & 1) != 0;
}

bool TSelectedKeys::HasLong(int pos, int32_t v) const {
  TLongTable& table = longs_[static_cast<size_t>(pos - 1)];
  if (!table.Made) {
    for (const TStatDraw& s : *selected_) table.Sorted.push_back(s.Key.L(pos));
    std::sort(table.Sorted.begin(), table.Sorted.end());
    // Values in a narrow range (the usual case) get a bit each.
    if (!table.Sorted.empty() && int64_t{table.Sorted.back()} - table.Sorted.front() < int64_t{1}
                                                                                           << 22) {
      table.Min = table.Sorted.front();
      table.Bits.assign(static_cast<size_t>((int64_t{table.Sorted.back()} - table.Min) / 64 + 1),
                        0);
      for (int32_t x : table.Sorted) {
        const auto i = static_cast<uint64_t>(int64_t{x} - table.Min);
        table.Bits[i / 64] |= uint64_t{1} << (i % 64);
      }
    }
    table.Made = true;
  }
  if (!table.Bits.empty()) {
    const int64_t i = int64_t{v} - table.Min;
    return i >= 0 && static_cast<uint64_t>(i) / 64 < table.Bits.size() &&
           (table.Bits[static_cast<size_t>(i / 64)] >> (i % 64) & 1) != 0;
  }
  return std::binary_search(table.Sorted.begin(), table.Sorted.end(), v);
}

TSelectedKeysScope::TSelectedKeysScope(const TStatDrawArray& selected)
    : keys_(selected), outer_(activeKeys) {
  activeKeys = &keys_;
}

TSelectedKeysScope::~TSelectedKeysScope() {
  activeKeys = outer_;
}

}  // namespace kvarn
