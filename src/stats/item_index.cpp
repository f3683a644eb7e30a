#include "stats/item_index.h"

namespace kvarn {

namespace {
thread_local TStatItemIndex* activeIndex = nullptr;
}  // namespace

void TStatItemIndex::Grow() {
  const size_t capacity = keys_.empty() ? 64 : keys_.size() * 2;
  keys_.assign(capacity, 0);
  pos_.assign(capacity, -1);
  shift_ = 64;
  for (size_t c = capacity; c > 1; c >>= 1) --shift_;
  used_ = 0;
  // Indexed again from the list, first items first, so that each key keeps its first position.
  const size_t n = indexed_;
  indexed_ = 0;
  for (size_t i = 0; i < n; ++i) {
    Insert(StatKeyBits((*list_)[i].Key), static_cast<int>(i));
    ++indexed_;
  }
}

void TStatItemIndex::Insert(uint64_t key, int pos) {
  const size_t mask = keys_.size() - 1;
  for (size_t s = Slot(key);; s = (s + 1) & mask) {
    if (pos_[s] < 0) {
      keys_[s] = key;
      pos_[s] = pos;
      ++used_;
      return;
    }
    if (keys_[s] == key) return;  // a later duplicate: the first item stays the one found
  }
}

void TStatItemIndex::Sync() {
  if (list_->size() < indexed_) {
    indexed_ = 0;
    keys_.clear();
  }
  if (keys_.empty()) Grow();
  while (indexed_ < list_->size()) {
    if ((used_ + 1) * 2 > keys_.size()) Grow();
    Insert(StatKeyBits((*list_)[indexed_].Key), static_cast<int>(indexed_));
    ++indexed_;
  }
}

int TStatItemIndex::Find(uint64_t key) {
  Sync();
  const size_t mask = keys_.size() - 1;
  for (size_t s = Slot(key);; s = (s + 1) & mask) {
    if (pos_[s] < 0) return -1;
    if (keys_[s] != key) continue;
    const int p = pos_[s];
    // An item whose key was changed in place: the index no longer tells, so it is rebuilt.
    if (StatKeyBits((*list_)[static_cast<size_t>(p)].Key) != key) {
      indexed_ = 0;
      keys_.clear();
      return Find(key);
    }
    return p;
  }
}

TStatItemIndexScope::TStatItemIndexScope(const TStatDrawArray& list)
    : index_(list), outer_(activeIndex) {
  activeIndex = &index_;
}

TStatItemIndexScope::~TStatItemIndexScope() {
  activeIndex = outer_;
}

TStatItemIndex* ActiveStatItemIndex(const TStatDrawArray& list) {
  return activeIndex && activeIndex->List() == &list ? activeIndex : nullptr;
}

}  // namespace kvarn
