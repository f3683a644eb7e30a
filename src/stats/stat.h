// The statistic method framework: the value key, the statistic item and its merge rule, the
// method base class with its operations, the class descriptors through which the registry calls
// class operations without an instance, and the abstract bases shared by the method families.
//
// Writing a method class:
//   class TstSomething : public TCustomValuesStat {
//    public:
//     using TCustomValuesStat::TCustomValuesStat;            // (list, param) constructor
//     static std::string Ident() { return "SMTH"; }           // class operations are static
//     static std::string Caption() { return "Что-то"; }       // members; the descriptor calls
//     static int Group() { return 0; }                         // the most derived declaration
//     static uint8_t Features() { return sfN; }
//     void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
//     ...
//   };
//   KVARN_STAT_CLASS(TstSomething)   // in the .cpp: defines TstSomething_Class()
// and in the family header: KVARN_STAT_CLASS_DECL(TstSomething). See registry.h for the table.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

class TStatList;
class TCustomStat;
template <class T>
class TStatClassOf;

// ---- value key ----

// Eight bytes read as K1..K4 (unsigned 16-bit, in this order), as L1 (over K1-K2) and L2 (over
// K3-K4) signed 32-bit, or as bytes B1..B8 — all little-endian views of the same memory.
struct TStatKey {
  uint16_t K1 = 0;
  uint16_t K2 = 0;
  uint16_t K3 = 0;
  uint16_t K4 = 0;

  int32_t L1() const { return static_cast<int32_t>(uint32_t{K1} | (uint32_t{K2} << 16)); }
  int32_t L2() const { return static_cast<int32_t>(uint32_t{K3} | (uint32_t{K4} << 16)); }
  void SetL1(int32_t v) {
    K1 = static_cast<uint16_t>(static_cast<uint32_t>(v));
    K2 = static_cast<uint16_t>(static_cast<uint32_t>(v) >> 16);
  }
  void SetL2(int32_t v) {
    K3 = static_cast<uint16_t>(static_cast<uint32_t>(v));
    K4 = static_cast<uint16_t>(static_cast<uint32_t>(v) >> 16);
  }
  // pos 1..4
  uint16_t K(int pos) const;
  void SetK(int pos, uint16_t v);
  // pos 1..2
  int32_t L(int pos) const { return pos == 1 ? L1() : L2(); }
  void SetL(int pos, int32_t v) {
    if (pos == 1)
      SetL1(v);
    else
      SetL2(v);
  }
  // pos 1..8; B1 is the low byte of K1
  uint8_t B(int pos) const;
  void SetB(int pos, uint8_t v);

  void Clear() { K1 = K2 = K3 = K4 = 0; }
  void Set(uint16_t k1, uint16_t k2 = 0, uint16_t k3 = 0, uint16_t k4 = 0) {
    K1 = k1;
    K2 = k2;
    K3 = k3;
    K4 = k4;
  }
  friend bool operator==(const TStatKey&, const TStatKey&) = default;
};
static_assert(sizeof(TStatKey) == 8);

// Key order: K1, then K2, K3, K4, each unsigned.
int CompareStatKeys(const TStatKey& a, const TStatKey& b);

// ---- statistic item ----

struct TStatDraw {
  int32_t LastDraw = 0;    // draw number of the most recent occurrence (0 = none)
  int32_t Depth = 0;       // window position of that occurrence, 1 = last draw; 0 = never
  int32_t PrevDraw = 0;    // draw number of the occurrence merged last
  uint16_t MinPeriod = 0;  // smallest gap between consecutive occurrences (0 = none yet)
  uint16_t MaxPeriod = 0;  // largest such gap
  int32_t Count = 0;
  int32_t Norm = 0;  // expected count from the full-set comparison (table only)
  TStatKey Key;

  void Clear() { *this = TStatDraw{}; }
};
static_assert(sizeof(TStatDraw) == 32);
using TStatDrawArray = std::vector<TStatDraw>;

struct TLastValue {
  int32_t DrawNumber = 0;
  int32_t Reserved = 0;  // keeps the key in the second half of the 16-byte record
  TStatKey Key;
};
static_assert(sizeof(TLastValue) == 16);
using TLastValueArray = std::vector<TLastValue>;

// The 432-byte scratch area passed unchanged from draw to draw during one run. The framework
// only zeroes it; families that keep per-value state across draws overlay their own record.
struct TStatContext {
  static constexpr size_t Size = 432;
  alignas(8) std::array<uint8_t, Size> Data{};
  void Clear() { Data.fill(0); }
  template <class T>
  T& As() {
    static_assert(sizeof(T) <= Size && std::is_trivially_copyable_v<T> && alignof(T) <= 8);
    return *std::launder(reinterpret_cast<T*>(Data.data()));
  }
};

// ---- features ----

enum : uint8_t {
  sfS = 1,   // value depends on the positions of the numbers as handed over
  sfN = 2,   // value depends on the combination alone; full-set comparison offered
  sfD = 4,   // value depends on a second draw; LoadDraws also loads Previous
  sfP = 8,   // period class
  sfG = 16,  // graph (added by Flags, never declared)
};
// "S", "N", "D", "P", "G" for the bits set, in bit order.
std::string FeatureLetters(uint8_t flags);

// ---- routines ----

// Copy of draws[index], values ascending when sorted; an all-zero draw outside the archive.
TDraw ReadDraw(const TDrawsArray& draws, int index, bool sorted);
// The same into an existing record (reuses its date buffer: no allocation in hot loops).
void ReadDrawInto(const TDrawsArray& draws, int index, bool sorted, TDraw& out);

// A filter pass's selection as lookup tables (selected_keys.h): the one in use for this
// selection on this thread, or null.
class TSelectedKeys;
const TSelectedKeys* ActiveSelectedKeys(const TStatDrawArray& selected);
bool SelectedKeysHasKey(const TSelectedKeys& keys, uint64_t key);
// Selections up to this length are searched directly.
constexpr size_t SelectedScanLimit = 16;

// Inline, with the key compared as one 64-bit word: filters call it for every value of every
// combination of the list.
inline bool SelectedHasKey(const TStatDrawArray& selected, const TStatKey& key) {
  // Built from the fields: keys are usually written field by field just before the call, and
  // one wide load of them would wait for those stores.
  const uint64_t k =
      uint64_t{key.K1} | uint64_t{key.K2} << 16 | uint64_t{key.K3} << 32 | uint64_t{key.K4} << 48;
  if (selected.size() > SelectedScanLimit)
    if (const TSelectedKeys* keys = ActiveSelectedKeys(selected))
      return SelectedKeysHasKey(*keys, k);
  for (const TStatDraw& s : selected) {
    uint64_t v;
    std::memcpy(&v, &s.Key, sizeof v);
    if (v == k) return true;
  }
  return false;
}
inline bool SelectedHasKey(const TStatDrawArray& selected, uint16_t k1, uint16_t k2, uint16_t k3,
                           uint16_t k4) {
  TStatKey key;
  key.Set(k1, k2, k3, k4);
  return SelectedHasKey(selected, key);
}
bool SelectedHasLongs(const TStatDrawArray& selected, int32_t a, int32_t b);
bool SelectedHasByte(const TStatDrawArray& selected, int pos, uint8_t v);   // pos 1..8
bool SelectedHasWord(const TStatDrawArray& selected, int pos, uint16_t v);  // pos 1..4
bool SelectedHasLong(const TStatDrawArray& selected, int pos, int32_t v);   // pos 1..2

// Merges item into the list: an item with an equal key gains the count, the most recent
// occurrence and (withIntervals) the gap to the previous occurrence; otherwise it is appended.
void AddStatItem(TStatDrawArray& list, const TStatDraw& item, bool withIntervals);
// Returns the gap to the stored occurrence of key and stores drawNumber; -1 for a new key. The
// gap is taken in 64 bits: draw numbers may lie anywhere in 32.
int64_t UpdateLastValue(TLastValueArray& lastValues, int32_t drawNumber, const TStatKey& key);
// Stable, ascending by key.
void SortStatDraws(TStatDrawArray& list);

struct TStatTotals {
  int32_t MinCount = 2147483647;
  int32_t MaxCount = 0;
  int32_t MaxDepth = 0;
  int64_t Total = 0;
};
TStatTotals StatTotals(const TStatDrawArray& list);

// Format with indexed arguments ("%0:d", "%1:s", "%d", "%.3d", "%%"), the form
// of the identifier and caption templates.
struct TFormatArg {
  TFormatArg(int64_t v) : isText(false), number(v) {}
  TFormatArg(int v) : isText(false), number(v) {}
  TFormatArg(std::string v) : isText(true), text(std::move(v)) {}
  TFormatArg(const char* v) : isText(true), text(v) {}
  bool isText;
  int64_t number = 0;
  std::string text;
};
std::string FormatIndexed(std::string_view fmt, const std::vector<TFormatArg>& args);

// ---- class descriptors ----

// The class reference of a method class: every class operation without an instance, and the
// virtual constructor. One immutable instance per class (TStatClassOf<T>).
class TStatClass {
 public:
  virtual ~TStatClass() = default;
  virtual const char* ClassName() const = 0;

  virtual std::string Ident() const = 0;
  virtual std::string Caption() const = 0;
  virtual std::string HelpIdent() const = 0;
  virtual std::unique_ptr<TCustomStat> Create(const TStatList& list, int param) const = 0;
  virtual int Group() const = 0;
  virtual uint8_t Features() const = 0;
  uint8_t Flags() const;
  std::string IdentOf(int param) const;
  // Caption formatted with param; a class with further caption arguments formats its own.
  virtual std::string CaptionOf(int param) const;
  // The method's page of the help file `helpFile`; empty without an existing help file.
  std::string HelpTopic(int param, const std::string& helpFile) const;
  virtual bool IsAvailable() const = 0;
  virtual bool IsListed() const = 0;
  virtual bool IsGraph() const = 0;
  bool CanPrefetch() const { return (Features() & sfN) != 0; }
  virtual bool CanParseValue() const = 0;
  virtual bool HasParam() const = 0;
  // Ranges that depend on the settings read them from the list.
  virtual void ParamRange(const TStatList& list, int& min, int& max) const = 0;
};
using TStatClassRef = const TStatClass& (*)();

// ---- the method base ----

class TCustomStat {
 public:
  TCustomStat(const TStatList& list, int param);
  virtual ~TCustomStat() = default;
  TCustomStat(const TCustomStat&) = delete;
  TCustomStat& operator=(const TCustomStat&) = delete;

  // Class operations with their base behaviour; a class redeclares the ones it changes.
  // HelpIdent's empty text means "the same as Ident".
  static std::string HelpIdent() { return {}; }
  static bool IsAvailable() { return true; }
  static bool IsListed() { return true; }
  static bool IsGraph() { return false; }
  static bool CanParseValue() { return true; }
  static bool HasParam() { return false; }
  static void ParamRange(const TStatList&, int& min, int& max) { min = max = 0; }
  // Empty text means "Caption formatted with the parameter".
  static std::string CaptionOf(int) { return {}; }

  const TStatClass& Class() const { return *class_; }
  std::string FullCaption() const;

  virtual std::string ValueText(const TStatDraw& item) const = 0;
  // Decimal value of text, 0 when it is not a number.
  virtual int32_t TextValue(std::string_view text) const;
  virtual int32_t ParseValue(std::string_view text) const;
  // Clears Work; families then add every possible value with Count 0.
  virtual void ListAllValues(int last, TStatDrawArray& list);
  virtual void LoadDraws(int index, int prevIndex, bool sorted);
  // Clears Work and sets Count 1; families add the combination's values without intervals.
  virtual void AddCombValues(const TComb& comb, TStatDrawArray& list);
  // Loads the draw and prepares Work (LastDraw, PrevDraw, Depth, Count 1); families add the
  // draw's values with intervals.
  virtual void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                             TStatContext& context, TLastValueArray& lastValues);
  // Draw number of the first draw from fromIndex on that has item's key; -1 when none.
  virtual int32_t FindValueDraw(const TStatDraw& item, int fromIndex, int last, bool sorted);
  // The same search for several keys from one start, in one pass over the draws: result[i] is
  // FindValueDraw of keys[i]. A class that changes FindValueDraw changes this too.
  virtual void FindValueDraws(std::span<const TStatKey> keys, int fromIndex, int last, bool sorted,
                              std::span<int32_t> result);
  // The search for several keys, each from its own start: result[i] is FindValueDraw of keys[i]
  // from starts[i]. Draws are computed once for all keys when their values do not depend on
  // where the search started (the context area stays clear); otherwise the keys of one start
  // share a FindValueDraws. A class that changes FindValueDraw changes this too.
  virtual void FindValueDrawsFrom(std::span<const TStatKey> keys, std::span<const int> starts,
                                  int last, bool sorted, std::span<int32_t> result);
  // exclude: the filter deletes (true) or keeps (false) the matching combinations.
  virtual bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                           bool exclude) = 0;
  // One filter pass: copies to dst, in order, the combinations of src whose CombMatches differs
  // from exclude and returns how many (dst may be src). The selection stays fixed for the whole
  // pass, so a class may prepare it once instead of searching it for every combination.
  virtual int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected,
                         int last, bool sorted, bool exclude);
  // When this instance's CombMatches is "the combination's one key is among the selected",
  // writes the key (as StatKeyBits) of each of the n combinations to keys and returns true: a
  // caller that filters by one value after another may then count instead of filter. False when
  // the test is another one or a combination has no key or several (keys is then unspecified).
  // The instance must be loaded as for a filter pass.
  virtual bool CombSingleKeys(const TComb* src, int n, uint64_t* keys);

  TDraw ReadDraw(int index, bool sorted) const { return kvarn::ReadDraw(Draws, index, sorted); }
  const TStatList& List() const { return list_; }

  // Instance state.
  int32_t Param;
  const TDrawsArray& Draws;
  TDraw Current;
  TDraw Previous;
  TStatDraw Work;

 private:
  template <class T>
  friend class TStatClassOf;
  const TStatList& list_;
  const TStatClass* class_ = nullptr;
  // FindValueDrawsFrom with one FindValueDraws per distinct start.
  void FindValueDrawsByStart(std::span<const TStatKey> keys, std::span<const int> starts, int last,
                             bool sorted, std::span<int32_t> result);
  // Scratch lists of FindValueDraw, kept so that repeated searches do not allocate.
  TStatDrawArray findList_;
  TLastValueArray findLast_;
};

// The descriptor of class T: T's static class operations, most derived declaration first.
template <class T>
class TStatClassOf final : public TStatClass {
 public:
  explicit TStatClassOf(const char* name) : name_(name) {}
  const char* ClassName() const override { return name_; }
  std::string Ident() const override { return T::Ident(); }
  std::string Caption() const override { return T::Caption(); }
  std::string HelpIdent() const override {
    std::string h = T::HelpIdent();
    return h.empty() ? Ident() : h;
  }
  std::unique_ptr<TCustomStat> Create(const TStatList& list, int param) const override {
    auto p = std::make_unique<T>(list, param);
    p->class_ = this;
    return p;
  }
  int Group() const override { return T::Group(); }
  uint8_t Features() const override { return T::Features(); }
  bool IsAvailable() const override { return T::IsAvailable(); }
  bool IsListed() const override { return T::IsListed(); }
  bool IsGraph() const override { return T::IsGraph(); }
  bool CanParseValue() const override { return T::CanParseValue(); }
  bool HasParam() const override { return T::HasParam(); }
  void ParamRange(const TStatList& list, int& min, int& max) const override {
    T::ParamRange(list, min, max);
  }
  std::string CaptionOf(int param) const override {
    std::string c = T::CaptionOf(param);
    return c.empty() ? TStatClass::CaptionOf(param) : c;
  }

 private:
  const char* name_;
};

#define KVARN_STAT_CLASS_DECL(T) const ::kvarn::TStatClass& T##_Class()
#define KVARN_STAT_CLASS(T)                               \
  const ::kvarn::TStatClass& T##_Class() {                \
    static const ::kvarn::TStatClassOf<T> descriptor(#T); \
    return descriptor;                                    \
  }

// ---- abstract bases ----

// A numeric value per draw that can be drawn as a graph; K1 in decimal.
class TCustomGraphStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static bool IsGraph() { return true; }
  std::string ValueText(const TStatDraw& item) const override;
  // The numeric value of five numbers (one draw).
  virtual int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) = 0;
  virtual int32_t GraphValue(int index, int last, bool sorted);
};

// A count k of 0..5 shown as k:(5-k).
class TCustomRatioStat : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  std::string ValueText(const TStatDraw& item) const override;
  int32_t TextValue(std::string_view text) const override;
};

class TCustomValuesStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueText(const TStatDraw& item) const override;
};

class TCustomNumbersStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueText(const TStatDraw& item) const override;
};

// A five-bit position mask in L1, position 1 the most significant bit, shown as letters.
class TCustomMaskStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  virtual std::string ZeroMark() const = 0;
  virtual std::string OneMark() const = 0;
  std::string ValueText(const TStatDraw& item) const override;
  int32_t TextValue(std::string_view text) const override;
  // Adds the 32 masks 0..31.
  void ListAllValues(int last, TStatDrawArray& list) override;
};

}  // namespace kvarn
