// How many combinations of the full list the filters of a set of values keep at one analysis
// point, for the value search: every value alone, and any union of them.
// When a selection keeps what one of its values keeps, the values are counted in one divided
// pass, a union that never overlaps is the sum of its values, and one that may overlap is
// counted from the combinations each value keeps, or by a real pass of the union when those
// were too many to hold. Otherwise every value and every union gets a real pass.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "stats/stat.h"

namespace kvarn {

// Buffers the counts of one search share, and how many kept combinations they may still hold.
struct TCountScratch {
  std::vector<TComb> Combs;
  std::vector<uint64_t> Bits;
  int64_t ListRoom = 16 << 20;  // 64 MB of combination ranks
};

class TValueCounts {
 public:
  // `values[i]` holds the table items that stand for value i. The instance and the scratch
  // must stay alive while this object is used.
  TValueCounts(TCustomStat& stat, std::vector<TStatDrawArray> values, int last, bool sorted,
               bool unionOfValues, TCountScratch& scratch);
  ~TValueCounts();
  TValueCounts(const TValueCounts&) = delete;
  TValueCounts& operator=(const TValueCounts&) = delete;

  int ValueCount() const { return static_cast<int>(values_.size()); }
  // Combinations value i keeps on its own.
  int Kept(int i) const { return kept_[static_cast<size_t>(i)]; }
  // No combination is kept by two of the values.
  bool Disjoint() const { return disjoint_; }
  // Combinations the union of the values `set` keeps (ascending indexes, no repeats).
  int KeptByUnion(const std::vector<int>& set);
  // The items of the values of `set`, the selection of that union.
  TStatDrawArray ItemsOf(std::span<const int> set) const;

 private:
  void Node(const TComb* src, int n, int lo, int hi, size_t depth);
  void Record(int value, const TComb* combs, int n);
  void DropLists();
  int Pass(std::span<const int> set);

  TCustomStat& stat_;
  std::vector<TStatDrawArray> values_;
  int last_;
  bool sorted_;
  bool unionOfValues_;
  TCountScratch& scratch_;
  std::vector<int> kept_;
  bool disjoint_ = true;
  std::vector<uint64_t> seen_;               // combinations some value kept, by rank
  std::vector<std::vector<TComb>> buffers_;  // one per depth of the division
  bool lists_ = true;                        // ranks_ holds what every value keeps
  std::vector<std::vector<int>> ranks_;
  int64_t listSize_ = 0;
  std::map<std::vector<int>, int> unions_;
};

// The position of a combination of five ascending numbers 1..36 among all of them (colex).
int CombRank(const TComb& comb);

}  // namespace kvarn
