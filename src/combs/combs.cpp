#include "combs/combs.h"

#include <algorithm>
#include <cstring>

#include "core/lottery_text.h"
#include "core/text.h"

namespace kvarn {

const char* const CombsGenerateModeCaptions[gmCount] = {
    "Полный список (все возможные для данного лото варианты)",
    "Мои числа - должно присутствовать любое из указанных",
    "Мои числа - комбинации только из списка указанных",
    "Мои числа - исключить комбинации с любым из указанных",
    "Загрузить список из заранее подготовленного CSV-файла",
};

void TCombList::Grow() {
  items_.resize(std::max<size_t>(items_.size() * 2, 64));
}

void TCombList::CopyFrom(const TCombList& src) {
  if (&src == this) return;
  Reserve(static_cast<size_t>(src.count_));
  if (src.count_ > 0)
    std::memcpy(items_.data(), src.items_.data(), sizeof(TComb) * static_cast<size_t>(src.count_));
  count_ = src.count_;
}

TNumberBits ParseMyNumbers(std::string_view text) {
  TNumberBits bits;
  for (const std::string& w : SplitWords(text, ";,")) {
    int64_t v = 0;
    if (!TryTextToInt(w, v)) v = 0;
    if (v >= 0 && v <= 255) bits.set(static_cast<size_t>(v));
  }
  return bits;
}

namespace {

// The full enumeration writes straight into the reserved array; the filtered modes test a
// 64-bit mask of the numbers built level by level.
template <typename Keep>
void Enumerate(TCombList& list, Keep keep) {
  for (uint8_t a = 1; a <= NumbersCount; ++a) {
    const uint64_t ma = uint64_t{1} << a;
    for (uint8_t b = a + 1; b <= NumbersCount; ++b) {
      const uint64_t mb = ma | uint64_t{1} << b;
      for (uint8_t c = b + 1; c <= NumbersCount; ++c) {
        const uint64_t mc = mb | uint64_t{1} << c;
        for (uint8_t d = c + 1; d <= NumbersCount; ++d) {
          const uint64_t md = mc | uint64_t{1} << d;
          for (uint8_t e = d + 1; e <= NumbersCount; ++e)
            if (keep(md | uint64_t{1} << e)) list.Append(TComb{a, b, c, d, e});
        }
      }
    }
  }
}

void EnumerateAll(TCombList& list) {
  list.Reserve(FullCombsCount);
  TComb* out = list.Data();
  for (uint8_t a = 1; a <= NumbersCount; ++a)
    for (uint8_t b = a + 1; b <= NumbersCount; ++b)
      for (uint8_t c = b + 1; c <= NumbersCount; ++c)
        for (uint8_t d = c + 1; d <= NumbersCount; ++d)
          for (uint8_t e = d + 1; e <= NumbersCount; ++e) *out++ = TComb{a, b, c, d, e};
  list.SetCount(FullCombsCount);
}

}  // namespace

void GenerateCombs(TCombList& list, int mode, const TNumberBits& mine) {
  list.Clear();
  uint64_t my = 0;
  for (int n = 1; n <= NumbersCount; ++n)
    if (mine.test(static_cast<size_t>(n))) my |= uint64_t{1} << n;
  switch (mode) {
    case gmFull:
      EnumerateAll(list);
      break;
    case gmAnyMine:
      Enumerate(list, [my](uint64_t m) { return (m & my) != 0; });
      break;
    case gmOnlyMine:
      Enumerate(list, [my](uint64_t m) { return (m & ~my) == 0; });
      break;
    case gmNoMine:
      Enumerate(list, [my](uint64_t m) { return (m & my) == 0; });
      break;
    default:
      // A damaged setting must not pass for a list that happens to be empty.
      Raise(StrFormat("Некорректный режим генерации списка комбинаций: %d", mode));
  }
}

void RemoveSelectedCombs(TCombList& list, const TCombList& snapshot,
                         const std::vector<int>& selected) {
  std::vector<bool> drop(static_cast<size_t>(snapshot.Count()), false);
  for (int r : selected)
    if (r >= 0 && r < snapshot.Count()) drop[static_cast<size_t>(r)] = true;
  list.Reserve(static_cast<size_t>(snapshot.Count()));
  list.Clear();
  for (int i = 0; i < snapshot.Count(); ++i)
    if (!drop[static_cast<size_t>(i)]) list.Append(snapshot[i]);
}

TDrawRange LastDrawsRange(int drawsCount, int offset, int n) {
  TDrawRange r;
  r.Last = drawsCount - 1 - offset;
  r.First = static_cast<int>(std::max<int64_t>(0, int64_t{r.Last} - n + 1));
  if (n <= 0 || r.Last < 0) r.First = r.Last + 1;
  return r;
}

namespace {

// Mask of five distinct numbers below 64, or 0 when the entry repeats a number or holds one
// outside that range (such entries take the pair-counting path).
uint64_t DistinctMask(const TComb& c) {
  uint64_t m = 0;
  for (uint8_t v : c) {
    if (v >= 64) return 0;
    const uint64_t bit = uint64_t{1} << v;
    if (m & bit) return 0;
    m |= bit;
  }
  return m;
}

}  // namespace

void RemoveDrawsCombs(TCombList& list, const TCombList& snapshot, const TDrawsArray& draws,
                      TDrawRange range, const std::function<void(int done)>& progress) {
  // Five equal pairs between two sets of five distinct numbers means equal sets, so proper
  // entries are looked up by mask; anything with repeats is compared pair by pair.
  std::vector<uint64_t> masks;
  std::vector<TComb> oddDraws;
  std::vector<TComb> rangeDraws;
  const int first = std::max(0, range.First);
  const int last = std::min(range.Last, static_cast<int>(draws.size()) - 1);
  for (int i = first; i <= last; ++i) {
    const TComb& v = draws[static_cast<size_t>(i)].Values;
    rangeDraws.push_back(v);
    if (uint64_t m = DistinctMask(v))
      masks.push_back(m);
    else
      oddDraws.push_back(v);
  }
  std::sort(masks.begin(), masks.end());

  const int total = snapshot.Count();
  const int step = std::max(1, total / 100);
  list.Reserve(static_cast<size_t>(total));
  list.Clear();
  for (int i = 0; i < total; ++i) {
    const TComb& c = snapshot[i];
    bool found = false;
    if (const uint64_t m = DistinctMask(c)) {
      found = std::binary_search(masks.begin(), masks.end(), m);
      for (size_t k = 0; !found && k < oddDraws.size(); ++k)
        found = CombMatches5(oddDraws[k], c) == CombSize;
    } else {
      for (size_t k = 0; !found && k < rangeDraws.size(); ++k)
        found = CombMatches5(rangeDraws[k], c) == CombSize;
    }
    if (!found) list.Append(c);
    if ((i + 1) % step == 0 && progress) progress(i + 1);
  }
}

std::vector<std::string> FindCombInDraws(const TComb& comb, const TDrawsArray& draws, int limit) {
  std::vector<std::string> lines;
  for (size_t i = draws.size(); i-- > 0;) {
    if (DrawMatches(draws[i], comb) != CombSize) continue;
    lines.push_back(DrawText(draws[i]));
    if (static_cast<int>(lines.size()) > limit) break;
  }
  return lines;
}

int CountUniqueNumbers(const TCombList& list) {
  bool seen[256] = {};
  int count = 0;
  for (int i = 0; i < list.Count() && count < NumbersCount; ++i)
    for (uint8_t v : list[i])
      if (!seen[v]) {
        seen[v] = true;
        if (++count >= NumbersCount) break;
      }
  return count;
}

std::string CombCellText(const TCombList& list, int row, int col) {
  if (row < 0 || row >= list.Count()) return std::string();
  const TComb& c = list[row];
  if (col == 0) return std::to_string(row + 1);
  if (col >= 1 && col <= CombSize) return std::to_string(c[static_cast<size_t>(col - 1)]);
  if (col == CombSize + 1) return std::to_string(CombSum(c));
  return std::string();
}

uint32_t CombCellColour(const TCombList& list, int row, int col, bool colorCombs,
                        int channelWidth) {
  constexpr uint32_t kWhite = 0xFFFFFF;
  if (!colorCombs || row < 0 || row >= list.Count() || col < 1 || col > CombSize) return kWhite;
  return ChannelColour(list[row][static_cast<size_t>(col - 1)], channelWidth);
}

}  // namespace kvarn
