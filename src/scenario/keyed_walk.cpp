#include "scenario/keyed_walk.h"

#include <algorithm>

namespace kvarn {

namespace {

constexpr uint64_t HashMul = 0x9E3779B97F4A7C15ull;
constexpr uint64_t DirectKeys = 1024;
constexpr int KeysBlock = 2048;

}  // namespace

bool TKeyedWalk::Start(TCustomStat& stat, const TCombList& list, int last, bool sorted) {
  const int n = list.Count();
  count_ = 0;
  size_ = 0;
  // Small keys (a sum, a count) are their own groups; the few methods with larger keys go
  // through the table, whose 1,024 slots grow when needed.
  sizes_.assign(DirectKeys, 0);
  alive_.assign(DirectKeys, 1);
  slotKey_.assign(1024, 0);
  slotGroup_.assign(1024, -1);
  shift_ = 64 - 10;
  if (groups_.size() < static_cast<size_t>(n)) groups_.resize(static_cast<size_t>(n));
  stat.LoadDraws(-1, last, sorted);
  // The keys are read a block at a time: a block stays in the cache while it is grouped.
  keys_.resize(KeysBlock);
  uint64_t prevKey = 0;
  int32_t prevGroup = -1;
  for (int from = 0; from < n; from += KeysBlock) {
    const int m = std::min(n - from, KeysBlock);
    if (!stat.CombSingleKeys(list.Data() + from, m, keys_.data())) return false;
    for (int j = 0; j < m; ++j) {
      const uint64_t k = keys_[static_cast<size_t>(j)];
      int32_t g;
      if (k < DirectKeys) {
        g = static_cast<int32_t>(k);
      } else if (k == prevKey && prevGroup >= 0) {
        g = prevGroup;
      } else {
        g = Find(k);
        if (g < 0) g = Add(k);
        prevKey = k;
        prevGroup = g;
      }
      groups_[static_cast<size_t>(from + j)] = g;
      ++sizes_[static_cast<size_t>(g)];
    }
  }
  count_ = n;
  size_ = n;
  return true;
}

int32_t TKeyedWalk::Find(uint64_t key) const {
  if (key < DirectKeys) return static_cast<int32_t>(key);
  const size_t mask = slotKey_.size() - 1;
  for (size_t i = static_cast<size_t>((key * HashMul) >> shift_);; i = (i + 1) & mask) {
    const int32_t g = slotGroup_[i];
    if (g < 0) return -1;
    if (slotKey_[i] == key) return g;
  }
}

int32_t TKeyedWalk::Add(uint64_t key) {
  if ((sizes_.size() - DirectKeys + 1) * 2 > slotKey_.size()) Grow();
  const auto g = static_cast<int32_t>(sizes_.size());
  sizes_.push_back(0);
  alive_.push_back(1);
  const size_t mask = slotKey_.size() - 1;
  size_t i = static_cast<size_t>((key * HashMul) >> shift_);
  while (slotGroup_[i] >= 0) i = (i + 1) & mask;
  slotKey_[i] = key;
  slotGroup_[i] = g;
  return g;
}

void TKeyedWalk::Grow() {
  std::vector<uint64_t> keys;
  std::vector<int32_t> groups;
  keys.swap(slotKey_);
  groups.swap(slotGroup_);
  slotKey_.assign(keys.size() * 2, 0);
  slotGroup_.assign(keys.size() * 2, -1);
  --shift_;
  const size_t mask = slotKey_.size() - 1;
  for (size_t j = 0; j < keys.size(); ++j) {
    if (groups[j] < 0) continue;
    size_t i = static_cast<size_t>((keys[j] * HashMul) >> shift_);
    while (slotGroup_[i] >= 0) i = (i + 1) & mask;
    slotKey_[i] = keys[j];
    slotGroup_[i] = groups[j];
  }
}

int TKeyedWalk::CountAfter(uint64_t key, bool exclude) const {
  const int32_t g = Find(key);
  const int hit = g >= 0 && alive_[static_cast<size_t>(g)] ? sizes_[static_cast<size_t>(g)] : 0;
  return exclude ? count_ - hit : hit;
}

void TKeyedWalk::Apply(uint64_t key, bool exclude) {
  const int after = CountAfter(key, exclude);
  const int32_t g = Find(key);
  if (exclude) {
    if (g >= 0) alive_[static_cast<size_t>(g)] = 0;
  } else {
    const uint8_t keep = g >= 0 ? alive_[static_cast<size_t>(g)] : 0;
    std::fill(alive_.begin(), alive_.end(), uint8_t{0});
    if (g >= 0) alive_[static_cast<size_t>(g)] = keep;
  }
  count_ = after;
}

void TKeyedWalk::Retain(TCombList& list) {
  if (!Pending()) return;
  TComb* data = list.Data();
  const int n = size_;
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const int32_t g = groups_[static_cast<size_t>(i)];
    if (!alive_[static_cast<size_t>(g)]) continue;
    data[kept] = data[i];
    groups_[static_cast<size_t>(kept++)] = g;
  }
  size_ = kept;
  list.SetCount(kept);
}

}  // namespace kvarn
