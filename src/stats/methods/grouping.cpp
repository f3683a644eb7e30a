#include "stats/methods/grouping.h"

#include <bit>

namespace kvarn {

int CountInGroup(const TGroupAttrs& a, int group) {
  int k = 0;
  for (int g : a) k += g == group ? 1 : 0;
  return k;
}

int DistinctGroupCount(const TGroupAttrs& a) {
  // Groups 0..63 as bits (every group of the numbers 1..36): the filter counts per combination.
  uint64_t bits = 0;
  bool small = true;
  for (int g : a) {
    small = small && g >= 0 && g < 64;
    if (small) bits |= uint64_t{1} << g;
  }
  if (small) return std::popcount(bits);
  int k = 0;
  for (int i = 0; i < CombSize; ++i) {
    bool seen = false;
    for (int j = 0; j < i && !seen; ++j) seen = a[j] == a[i];
    k += seen ? 0 : 1;
  }
  return k;
}

void TGroupList::AddUnique(int g) {
  for (int i = 0; i < Count; ++i)
    if (Items[i] == g) return;
  Add(g);
}

TGroupList GroupRange(int n) {
  TGroupList groups;
  for (int g = 1; g <= n; ++g) groups.Add(g);
  return groups;
}

void AddGroupCounts(TStatDraw& work, const TGroupAttrs& a, const TGroupList& groups,
                    TStatDrawArray& list, bool withIntervals) {
  for (int i = 0; i < groups.Count; ++i) {
    const int g = groups.Items[i];
    work.Key.Set(static_cast<uint16_t>(g), static_cast<uint16_t>(CountInGroup(a, g)));
    AddStatItem(list, work, withIntervals);
  }
}

bool GroupCountsSelected(const TGroupAttrs& a, const TGroupList& groups,
                         const TStatDrawArray& selected) {
  for (int i = 0; i < groups.Count; ++i) {
    const int g = groups.Items[i];
    if (SelectedHasKey(selected, static_cast<uint16_t>(g),
                       static_cast<uint16_t>(CountInGroup(a, g)), 0, 0))
      return true;
  }
  return false;
}

void ListGroupCounts(TStatDraw& work, const TGroupList& groups, int maxCount,
                     TStatDrawArray& list) {
  for (int i = 0; i < groups.Count; ++i)
    for (int k = 0; k <= maxCount; ++k) {
      work.Key.Set(static_cast<uint16_t>(groups.Items[i]), static_cast<uint16_t>(k));
      AddStatItem(list, work, false);
    }
}

void ListValueRange(TStatDraw& work, int from, int to, TStatDrawArray& list) {
  for (int v = from; v <= to; ++v) {
    work.Key.Set(static_cast<uint16_t>(v));
    AddStatItem(list, work, false);
  }
}

int TupleCount(TTupleKind kind, int size) {
  if (size < MinTupleSize || size > MaxTupleSize) return 0;
  if (kind == TTupleKind::Seq) return CombSize - size + 1;
  return static_cast<int>(CombCount(CombSize, size));
}

void MakeTuples(const TGroupAttrs& a, TTupleKind kind, int size, TGroupTuples& out) {
  out.Size = size;
  out.Count = 0;
  if (size < MinTupleSize || size > MaxTupleSize) return;
  if (kind == TTupleKind::Seq) {
    for (int i = 0; i + size <= CombSize; ++i) {
      TStatKey& t = out.Items[out.Count++];
      t.Clear();
      for (int j = 0; j < size; ++j) t.SetK(j + 1, static_cast<uint16_t>(a[i + j]));
    }
    return;
  }
  // Positions p[0] < ... < p[size-1], advanced like an odometer from the right, which walks the
  // choices in lexicographic order.
  std::array<int, MaxTupleSize> p{};
  for (int j = 0; j < size; ++j) p[j] = j;
  for (;;) {
    TStatKey& t = out.Items[out.Count++];
    t.Clear();
    for (int j = 0; j < size; ++j) t.SetK(j + 1, static_cast<uint16_t>(a[p[j]]));
    int j = size - 1;
    while (j >= 0 && p[j] == CombSize - size + j) --j;
    if (j < 0) break;
    ++p[j];
    for (int m = j + 1; m < size; ++m) p[m] = p[m - 1] + 1;
  }
}

std::string TupleText(const TStatKey& key, int size) {
  std::string s;
  for (int j = 1; j <= size; ++j) {
    if (j > 1) s += ':';
    s += std::to_string(key.K(j));
  }
  return s;
}

void AddTuples(TStatDraw& work, const TGroupTuples& t, TStatDrawArray& list, bool withIntervals) {
  for (int i = 0; i < t.Count; ++i) {
    work.Key = t.Items[i];
    AddStatItem(list, work, withIntervals);
  }
}

bool TuplesSelected(const TGroupTuples& t, const TStatDrawArray& selected) {
  for (int i = 0; i < t.Count; ++i)
    if (SelectedHasKey(selected, t.Items[i])) return true;
  return false;
}

void TTupleBits::Build(const TStatDrawArray& selected, int size) {
  uint32_t space = 1;
  for (int j = 0; j < size; ++j) space *= Base;
  bits_.assign((space + 63) / 64, 0);
  for (const TStatDraw& s : selected) {
    uint32_t index = 0;
    bool fits = true;
    for (int j = 1; j <= MaxTupleSize; ++j) {
      const uint16_t k = s.Key.K(j);
      if (j > size) {
        fits = fits && k == 0;
      } else {
        fits = fits && k < Base;
        index = index * Base + k;
      }
    }
    if (fits) bits_[index >> 6] |= uint64_t{1} << (index & 63);
  }
}

}  // namespace kvarn
