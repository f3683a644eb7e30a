#include "stats/stat.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/files.h"
#include "core/text.h"
#include "stats/item_index.h"
#include "stats/registry.h"
#include "stats/selected_keys.h"

namespace kvarn {

// ---- value key ----

uint16_t TStatKey::K(int pos) const {
  switch (pos) {
    case 1:
      return K1;
    case 2:
      return K2;
    case 3:
      return K3;
    default:
      return K4;
  }
}

void TStatKey::SetK(int pos, uint16_t v) {
  switch (pos) {
    case 1:
      K1 = v;
      break;
    case 2:
      K2 = v;
      break;
    case 3:
      K3 = v;
      break;
    default:
      K4 = v;
  }
}

uint8_t TStatKey::B(int pos) const {
  const uint16_t k = K((pos + 1) / 2);
  return static_cast<uint8_t>(pos % 2 == 1 ? k & 0xFF : k >> 8);
}

void TStatKey::SetB(int pos, uint8_t v) {
  const int kp = (pos + 1) / 2;
  const uint16_t k = K(kp);
  SetK(kp, pos % 2 == 1 ? static_cast<uint16_t>((k & 0xFF00) | v)
                        : static_cast<uint16_t>((k & 0x00FF) | (v << 8)));
}

int CompareStatKeys(const TStatKey& a, const TStatKey& b) {
  if (a.K1 != b.K1) return a.K1 < b.K1 ? -1 : 1;
  if (a.K2 != b.K2) return a.K2 < b.K2 ? -1 : 1;
  if (a.K3 != b.K3) return a.K3 < b.K3 ? -1 : 1;
  if (a.K4 != b.K4) return a.K4 < b.K4 ? -1 : 1;
  return 0;
}

std::string FeatureLetters(uint8_t flags) {
  static const char* const letters[] = {"S", "N", "D", "P", "G"};
  std::string s;
  for (int b = 0; b < 5; ++b)
    if (flags & (1u << b)) s += letters[b];
  return s;
}

// ---- routines ----

void ReadDrawInto(const TDrawsArray& draws, int index, bool sorted, TDraw& out) {
  if (index < 0 || static_cast<size_t>(index) >= draws.size()) {
    out.Number = 0;
    out.Values.fill(0);
    out.Extra = 0;
    out.DateText.clear();
    return;
  }
  const TDraw& d = draws[static_cast<size_t>(index)];
  out.Number = d.Number;
  out.Values = d.Values;
  out.Extra = d.Extra;
  out.DateText.assign(d.DateText);
  if (sorted) SortDrawValues(out);
}

TDraw ReadDraw(const TDrawsArray& draws, int index, bool sorted) {
  TDraw d;
  ReadDrawInto(draws, index, sorted, d);
  return d;
}

bool SelectedHasLongs(const TStatDrawArray& selected, int32_t a, int32_t b) {
  if (selected.size() > SelectedScanLimit)
    if (const TSelectedKeys* keys = ActiveSelectedKeys(selected)) {
      TStatKey key;
      key.SetL1(a);
      key.SetL2(b);
      return keys->HasKey(StatKeyBits(key));
    }
  for (const TStatDraw& s : selected)
    if (s.Key.L1() == a && s.Key.L2() == b) return true;
  return false;
}

bool SelectedHasByte(const TStatDrawArray& selected, int pos, uint8_t v) {
  if (selected.size() > SelectedScanLimit)
    if (const TSelectedKeys* keys = ActiveSelectedKeys(selected)) return keys->HasByte(pos, v);
  for (const TStatDraw& s : selected)
    if (s.Key.B(pos) == v) return true;
  return false;
}

bool SelectedHasWord(const TStatDrawArray& selected, int pos, uint16_t v) {
  if (selected.size() > SelectedScanLimit)
    if (const TSelectedKeys* keys = ActiveSelectedKeys(selected)) return keys->HasWord(pos, v);
  for (const TStatDraw& s : selected)
    if (s.Key.K(pos) == v) return true;
  return false;
}

bool SelectedHasLong(const TStatDrawArray& selected, int pos, int32_t v) {
  if (selected.size() > SelectedScanLimit)
    if (const TSelectedKeys* keys = ActiveSelectedKeys(selected)) return keys->HasLong(pos, v);
  for (const TStatDraw& s : selected)
    if (s.Key.L(pos) == v) return true;
  return false;
}

void AddStatItem(TStatDrawArray& list, const TStatDraw& item, bool withIntervals) {
  // Keys are compared as one 64-bit word; a run over a window searches through its index.
  uint64_t key;
  std::memcpy(&key, &item.Key, sizeof key);
  TStatDraw* found = nullptr;
  if (TStatItemIndex* index = ActiveStatItemIndex(list)) {
    const int p = index->Find(key);
    if (p >= 0) found = &list[static_cast<size_t>(p)];
  } else {
    for (TStatDraw& e : list) {
      uint64_t k;
      std::memcpy(&k, &e.Key, sizeof k);
      if (k == key) {
        found = &e;
        break;
      }
    }
  }
  if (!found) {
    list.push_back(item);
    return;
  }
  TStatDraw& e = *found;
  e.Count += item.Count;
  if (e.Depth == 0 || (item.Depth > 0 && e.Depth >= item.Depth)) {
    e.LastDraw = item.LastDraw;
    e.Depth = item.Depth;
  }
  if (withIntervals && item.LastDraw > 0 && e.PrevDraw > 0) {
    // Gaps are stored in 16 bits, as the record holds them.
    // Draw numbers may lie anywhere in 32 bits: their difference is taken in 64.
    const auto d = static_cast<uint16_t>(std::abs(int64_t{e.PrevDraw} - int64_t{item.LastDraw}));
    if (d < e.MinPeriod || e.MinPeriod == 0) e.MinPeriod = d;
    if (d > e.MaxPeriod || e.MaxPeriod == 0) e.MaxPeriod = d;
  }
  e.PrevDraw = item.LastDraw;
}

int64_t UpdateLastValue(TLastValueArray& lastValues, int32_t drawNumber, const TStatKey& key) {
  for (TLastValue& v : lastValues) {
    if (v.Key == key) {
      const int64_t gap = int64_t{drawNumber} - v.DrawNumber;
      v.DrawNumber = drawNumber;
      return gap;
    }
  }
  TLastValue v;
  v.DrawNumber = drawNumber;
  v.Key = key;
  lastValues.push_back(v);
  return -1;
}

void SortStatDraws(TStatDrawArray& list) {
  std::stable_sort(list.begin(), list.end(), [](const TStatDraw& a, const TStatDraw& b) {
    return CompareStatKeys(a.Key, b.Key) < 0;
  });
}

TStatTotals StatTotals(const TStatDrawArray& list) {
  TStatTotals t;
  for (const TStatDraw& s : list) {
    if (s.Count < t.MinCount) t.MinCount = s.Count;
    if (s.Count > t.MaxCount) t.MaxCount = s.Count;
    if (s.Depth > t.MaxDepth) t.MaxDepth = s.Depth;
    t.Total += s.Count;
  }
  return t;
}

std::string FormatIndexed(std::string_view fmt, const std::vector<TFormatArg>& args) {
  std::string out;
  size_t next = 0;  // argument taken by a specifier without an index
  size_t i = 0;
  while (i < fmt.size()) {
    const char c = fmt[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    // %[index:][-][width][.prec]type
    size_t j = i + 1;
    size_t digitsStart = j;
    while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9') ++j;
    size_t argIndex = next;
    std::string conversion = "%";
    if (j < fmt.size() && fmt[j] == ':' && j > digitsStart) {
      argIndex = static_cast<size_t>(
          std::atoi(std::string(fmt.substr(digitsStart, j - digitsStart)).c_str()));
      ++j;
      digitsStart = j;
    } else {
      j = digitsStart;
    }
    while (j < fmt.size() && (fmt[j] == '-' || fmt[j] == '.' || (fmt[j] >= '0' && fmt[j] <= '9')))
      conversion += fmt[j++];
    if (j >= fmt.size()) {
      out.append(fmt.substr(i));
      break;
    }
    const char type = fmt[j];
    if (argIndex >= args.size()) {
      Raise(
          StrFormat("Format '%s' invalid or incompatible with argument", std::string(fmt).c_str()));
    }
    const TFormatArg& a = args[argIndex];
    next = argIndex + 1;
    if (type == 'd' || type == 'u' || type == 'x' || type == 'X') {
      conversion += "ll";
      conversion += type == 'u' ? 'd' : type;
      out += StrFormat(conversion.c_str(), static_cast<long long>(a.isText ? 0 : a.number));
    } else if (type == 's') {
      conversion += 's';
      out += StrFormat(conversion.c_str(),
                       a.isText ? a.text.c_str() : std::to_string(a.number).c_str());
    } else {
      out.append(fmt.substr(i, j + 1 - i));
    }
    i = j + 1;
  }
  return out;
}

// ---- class descriptors ----

uint8_t TStatClass::Flags() const {
  uint8_t f = Features();
  if (IsGraph()) f |= sfG;
  return f;
}

std::string TStatClass::IdentOf(int param) const {
  return FormatIndexed(Ident(), {param});
}

std::string TStatClass::CaptionOf(int param) const {
  return FormatIndexed(Caption(), {param});
}

std::string TStatClass::HelpTopic(int param, const std::string& helpFile) const {
  if (helpFile.empty() || !FileExists(helpFile)) return {};
  return "ms-its:" + helpFile +
         StrFormat("::/Filters_%.4d_%s.htm", 1049, FormatIndexed(HelpIdent(), {param}).c_str());
}

// ---- the method base ----

TCustomStat::TCustomStat(const TStatList& list, int param)
    : Param(param), Draws(list.Draws()), list_(list) {}

std::string TCustomStat::FullCaption() const {
  return Class().CaptionOf(Param);
}

int32_t TCustomStat::TextValue(std::string_view text) const {
  int64_t v = 0;
  if (!TryTextToInt(Trim(text), v)) return 0;
  return static_cast<int32_t>(v);
}

int32_t TCustomStat::ParseValue(std::string_view text) const {
  return Class().CanParseValue() ? TextValue(text) : 0;
}

void TCustomStat::ListAllValues(int, TStatDrawArray&) {
  Work.Clear();
}

void TCustomStat::LoadDraws(int index, int prevIndex, bool sorted) {
  ReadDrawInto(Draws, index, sorted, Current);
  if (Class().Features() & sfD) ReadDrawInto(Draws, prevIndex, sorted, Previous);
}

void TCustomStat::AddCombValues(const TComb&, TStatDrawArray&) {
  Work.Clear();
  Work.Count = 1;
}

void TCustomStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray&, TStatContext&,
                                TLastValueArray&) {
  LoadDraws(index, last, sorted);
  Work.Clear();
  Work.LastDraw = Work.PrevDraw = Current.Number;
  Work.Depth = last - index + 1;
  Work.Count = 1;
}

int32_t TCustomStat::FindValueDraw(const TStatDraw& item, int fromIndex, int last, bool sorted) {
  const int high = static_cast<int>(Draws.size()) - 1;
  if (fromIndex > high) return -1;
  TStatContext context;
  for (int index = fromIndex < 0 ? 0 : fromIndex; index <= high; ++index) {
    findList_.clear();
    findLast_.clear();
    AddDrawValues(index, last, sorted, findList_, context, findLast_);
    for (const TStatDraw& s : findList_)
      if (s.Key == item.Key) return s.LastDraw;
  }
  return -1;
}

void TCustomStat::FindValueDraws(std::span<const TStatKey> keys, int fromIndex, int last,
                                 bool sorted, std::span<int32_t> result) {
  std::fill(result.begin(), result.end(), -1);
  const int high = static_cast<int>(Draws.size()) - 1;
  if (fromIndex > high) return;
  size_t open = keys.size();
  TStatContext context;
  for (int index = fromIndex < 0 ? 0 : fromIndex; index <= high && open > 0; ++index) {
    findList_.clear();
    findLast_.clear();
    AddDrawValues(index, last, sorted, findList_, context, findLast_);
    for (size_t i = 0; i < keys.size(); ++i) {
      if (result[i] != -1) continue;
      for (const TStatDraw& s : findList_) {
        if (s.Key == keys[i]) {
          result[i] = s.LastDraw;
          --open;
          break;
        }
      }
    }
  }
}

namespace {

bool ContextClear(const TStatContext& context) {
  for (uint8_t b : context.Data)
    if (b != 0) return false;
  return true;
}

}  // namespace

void TCustomStat::FindValueDrawsFrom(std::span<const TStatKey> keys, std::span<const int> starts,
                                     int last, bool sorted, std::span<int32_t> result) {
  std::fill(result.begin(), result.end(), -1);
  const int high = static_cast<int>(Draws.size()) - 1;
  int first = high + 1;
  for (int s : starts) first = std::min(first, std::max(s, 0));
  if (first > high) return;
  // Keys to the positions that wait for them (open addressing: the first position of each key,
  // then a chain through next).
  size_t capacity = 16;
  while (capacity < keys.size() * 2) capacity *= 2;
  int shift = 64;
  for (size_t c = capacity; c > 1; c >>= 1) --shift;
  std::vector<uint64_t> slotKey(capacity, 0);
  std::vector<size_t> slotHead(capacity, SIZE_MAX);
  auto slotOf = [&](uint64_t k) {
    size_t i = static_cast<size_t>((k * 0x9E3779B97F4A7C15ull) >> shift);
    while (slotHead[i] != SIZE_MAX && slotKey[i] != k) i = (i + 1) & (capacity - 1);
    return i;
  };
  std::vector<size_t> next(keys.size(), SIZE_MAX);
  size_t open = 0;
  for (size_t i = keys.size(); i-- > 0;) {
    if (starts[i] > high) continue;
    const uint64_t k = StatKeyBits(keys[i]);
    const size_t slot = slotOf(k);
    slotKey[slot] = k;
    next[i] = slotHead[slot];
    slotHead[slot] = i;
    ++open;
  }
  TStatContext context;
  for (int index = first; index <= high && open > 0; ++index) {
    findList_.clear();
    findLast_.clear();
    AddDrawValues(index, last, sorted, findList_, context, findLast_);
    if (!ContextClear(context)) {
      // The draws' values depend on the draws before them in the search: each start needs its
      // own search.
      FindValueDrawsByStart(keys, starts, last, sorted, result);
      return;
    }
    for (const TStatDraw& s : findList_) {
      // Only the first item of the draw with the key answers, as in FindValueDraw: a later
      // item with the same key finds the positions answered.
      for (size_t i = slotHead[slotOf(StatKeyBits(s.Key))]; i != SIZE_MAX; i = next[i]) {
        if (starts[i] <= index && result[i] == -1) {
          result[i] = s.LastDraw;
          --open;
        }
      }
    }
  }
}

void TCustomStat::FindValueDrawsByStart(std::span<const TStatKey> keys, std::span<const int> starts,
                                        int last, bool sorted, std::span<int32_t> result) {
  std::vector<size_t> order(keys.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return starts[a] < starts[b]; });
  std::vector<TStatKey> group;
  std::vector<int32_t> found;
  for (size_t a = 0; a < order.size();) {
    const int start = starts[order[a]];
    size_t b = a;
    group.clear();
    while (b < order.size() && starts[order[b]] == start) group.push_back(keys[order[b++]]);
    found.assign(group.size(), -1);
    FindValueDraws(group, start, last, sorted, found);
    for (size_t j = a; j < b; ++j) result[order[j]] = found[j - a];
    a = b;
  }
}

// ---- abstract bases ----

std::string TCustomGraphStat::ValueText(const TStatDraw& item) const {
  return std::to_string(item.Key.K1);
}

int32_t TCustomGraphStat::GraphValue(int index, int last, bool sorted) {
  const TDraw d = ReadDraw(index, sorted);
  return GraphValueOf(d.Values, index, last, sorted);
}

std::string TCustomRatioStat::ValueText(const TStatDraw& item) const {
  return StrFormat("%d:%d", int{item.Key.K1}, 5 - int{item.Key.K1});
}

int32_t TCustomRatioStat::TextValue(std::string_view text) const {
  const size_t colon = text.find(':');
  return TCustomStat::TextValue(colon == std::string_view::npos ? text : text.substr(0, colon));
}

std::string TCustomValuesStat::ValueText(const TStatDraw& item) const {
  return std::to_string(item.Key.K1);
}

std::string TCustomNumbersStat::ValueText(const TStatDraw& item) const {
  return std::to_string(item.Key.K1);
}

std::string TCustomMaskStat::ValueText(const TStatDraw& item) const {
  const int32_t mask = item.Key.L1();
  const std::string zero = ZeroMark();
  const std::string one = OneMark();
  std::string letters;
  for (int bit = 4; bit >= 0; --bit) letters += (mask & (1 << bit)) ? one : zero;
  return StrFormat("%s (%.3d)", letters.c_str(), mask);
}

int32_t TCustomMaskStat::TextValue(std::string_view text) const {
  const std::string one = OneMark();
  int32_t mask = 0;
  size_t pos = 0;
  // Characters, not bytes: the marks are letters of any script.
  for (int bit = 4; bit >= 0 && pos < text.size(); --bit) {
    size_t len = 1;
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead >= 0xF0)
      len = 4;
    else if (lead >= 0xE0)
      len = 3;
    else if (lead >= 0xC0)
      len = 2;
    if (text.substr(pos, len) == one) mask |= 1 << bit;
    pos += len;
  }
  return mask;
}

void TCustomMaskStat::ListAllValues(int last, TStatDrawArray& list) {
  TCustomStat::ListAllValues(last, list);
  for (int32_t m = 0; m < 32; ++m) {
    Work.Key.SetL1(m);
    AddStatItem(list, Work, false);
  }
}

int TCustomStat::FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected,
                            int last, bool sorted, bool exclude) {
  int kept = 0;
  for (int i = 0; i < n; ++i)
    if (CombMatches(src[i], selected, last, sorted, exclude) != exclude) dst[kept++] = src[i];
  return kept;
}

bool TCustomStat::CombSingleKeys(const TComb*, int, uint64_t*) {
  return false;
}

}  // namespace kvarn
