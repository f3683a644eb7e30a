#include "stats/value_counts.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "stats/filter_history.h"

namespace kvarn {

namespace {

constexpr auto Binomials = [] {
  std::array<std::array<int, CombSize + 1>, NumbersCount + 1> c{};
  for (size_t n = 0; n <= NumbersCount; ++n) {
    c[n][0] = 1;
    for (size_t k = 1; k <= CombSize && k <= n; ++k)
      c[n][k] = c[n - 1][k - 1] + (k + 1 <= n ? c[n - 1][k] : 0);
  }
  return c;
}();

constexpr size_t BitWords = (FullCombsCount + 63) / 64;

}  // namespace

int CombRank(const TComb& comb) {
  int r = 0;
  for (size_t i = 0; i < CombSize; ++i) r += Binomials[comb[i] - 1u][i + 1];
  return r;
}

TValueCounts::TValueCounts(TCustomStat& stat, std::vector<TStatDrawArray> values, int last,
                           bool sorted, bool unionOfValues, TCountScratch& scratch)
    : stat_(stat),
      values_(std::move(values)),
      last_(last),
      sorted_(sorted),
      unionOfValues_(unionOfValues),
      scratch_(scratch) {
  const size_t n = values_.size();
  kept_.assign(n, 0);
  if (!unionOfValues_) {
    disjoint_ = false;
    lists_ = false;
    for (int i = 0; i < static_cast<int>(n); ++i) kept_[static_cast<size_t>(i)] = Pass({&i, 1});
    return;
  }
  ranks_.resize(n);
  seen_.assign(BitWords, 0);
  // Deeper levels must not move the buffers their callers still read.
  buffers_.reserve(64);
  // The halves of the values split the full list: each combination reaches the values that
  // keep it after about 2·log2(values) filter calls instead of one call per value.
  std::vector<int> all(n);
  std::iota(all.begin(), all.end(), 0);
  const TCombList& full = FullCombList();
  const int count = static_cast<int>(n);
  if (count == 1) {
    Node(full.Data(), full.Count(), 0, 1, 0);
  } else if (count > 1) {
    Node(full.Data(), full.Count(), 0, count / 2, 0);
    Node(full.Data(), full.Count(), count / 2, count, 0);
  }
  // Values that never share a combination are summed; their lists are not needed.
  if (disjoint_) DropLists();
  seen_ = {};
  buffers_ = {};
}

TValueCounts::~TValueCounts() {
  DropLists();
}

void TValueCounts::DropLists() {
  lists_ = false;
  ranks_ = {};
  scratch_.ListRoom += listSize_;
  listSize_ = 0;
}

TStatDrawArray TValueCounts::ItemsOf(std::span<const int> set) const {
  TStatDrawArray items;
  for (int i : set) {
    const TStatDrawArray& v = values_[static_cast<size_t>(i)];
    items.insert(items.end(), v.begin(), v.end());
  }
  return items;
}

void TValueCounts::Node(const TComb* src, int n, int lo, int hi, size_t depth) {
  if (buffers_.size() <= depth) buffers_.resize(depth + 1);
  std::vector<TComb>& buffer = buffers_[depth];
  if (buffer.size() < static_cast<size_t>(n)) buffer.resize(static_cast<size_t>(n));
  TComb* out = buffer.data();
  std::vector<int> range(static_cast<size_t>(hi - lo));
  std::iota(range.begin(), range.end(), lo);
  stat_.LoadDraws(-1, last_, sorted_);
  const int kept = stat_.FilterPass(src, n, out, ItemsOf(range), last_, sorted_, false);
  if (kept == 0) return;
  if (hi - lo == 1) {
    Record(lo, out, kept);
    return;
  }
  const int mid = lo + (hi - lo) / 2;
  Node(out, kept, lo, mid, depth + 1);
  Node(out, kept, mid, hi, depth + 1);
}

void TValueCounts::Record(int value, const TComb* combs, int n) {
  kept_[static_cast<size_t>(value)] = n;
  if (lists_ && scratch_.ListRoom < n) DropLists();
  std::vector<int>* list = nullptr;
  if (lists_) {
    list = &ranks_[static_cast<size_t>(value)];
    list->reserve(static_cast<size_t>(n));
    scratch_.ListRoom -= n;
    listSize_ += n;
  }
  for (int i = 0; i < n; ++i) {
    const int r = CombRank(combs[i]);
    uint64_t& word = seen_[static_cast<size_t>(r) / 64];
    const uint64_t bit = uint64_t{1} << (r % 64);
    if (word & bit) disjoint_ = false;
    word |= bit;
    if (list) list->push_back(r);
  }
}

int TValueCounts::Pass(std::span<const int> set) {
  const TCombList& full = FullCombList();
  std::vector<TComb>& out = scratch_.Combs;
  if (out.size() < static_cast<size_t>(full.Count())) out.resize(static_cast<size_t>(full.Count()));
  stat_.LoadDraws(-1, last_, sorted_);
  return stat_.FilterPass(full.Data(), full.Count(), out.data(), ItemsOf(set), last_, sorted_,
                          false);
}

int TValueCounts::KeptByUnion(const std::vector<int>& set) {
  if (set.empty()) return 0;
  if (set.size() == 1 || disjoint_) {
    int sum = 0;
    for (int i : set) sum += Kept(i);
    return sum;
  }
  auto it = unions_.find(set);
  if (it != unions_.end()) return it->second;
  int kept = 0;
  if (lists_) {
    std::vector<uint64_t>& bits = scratch_.Bits;
    bits.assign(BitWords, 0);
    for (int i : set)
      for (int r : ranks_[static_cast<size_t>(i)]) {
        uint64_t& word = bits[static_cast<size_t>(r) / 64];
        const uint64_t bit = uint64_t{1} << (r % 64);
        kept += (word & bit) == 0;
        word |= bit;
      }
  } else {
    kept = Pass(set);
  }
  unions_.emplace(set, kept);
  return kept;
}

}  // namespace kvarn
