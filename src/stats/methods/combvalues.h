// Groups of two, three or four of the drawn numbers themselves: every choice of them, the
// groups of neighbouring numbers, the group from a chosen position, and (unregistered) the
// neighbouring groups of the numbers sorted ascending.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/lottery.h"
#include "stats/methods/grouping.h"
#include "stats/stat.h"

namespace kvarn {

// How the tuples of a combination are taken.
enum class TCombValuesKind {
  Mix,   // every choice of N positions
  Seq,   // N neighbouring positions
  Sort,  // N neighbouring positions of the numbers sorted ascending
  Pos,   // the N positions from Param on
};

// The selected tuples of numbers as a bit table, for selections too long to scan per candidate
// (a table of quadruples has thousands of rows). The table is rebuilt when another selection
// is handed over; one filter pass hands the same unchanged list to every call.
class TSelectedTuples {
 public:
  // Selections up to this length are scanned directly.
  static constexpr size_t ScanLimit = 16;
  bool AnySelected(const TGroupTuples& tuples, const TStatDrawArray& selected);

 private:
  static bool Index(const TStatKey& key, size_t& index);
  bool SameSelection(const TStatDrawArray& selected) const;
  const TStatDraw* data_ = nullptr;
  size_t size_ = 0;
  TStatKey first_, middle_, last_;
  std::vector<uint64_t> bits_;
};

// A value is a tuple of N numbers in K1..KN, in position order, shown joined by ":".
class TCustomCombValuesStat : public TCustomStat {
 public:
  TCustomCombValuesStat(const TStatList& list, int param, TCombValuesKind kind, int size)
      : TCustomStat(list, param), kind_(kind), size_(size) {}
  static int Group() { return 0; }
  static bool CanParseValue() { return false; }

  TCombValuesKind Kind() const { return kind_; }
  int Size() const { return size_; }
  std::string ValueText(const TStatDraw& item) const override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override;
  // The tuples of five numbers as handed over.
  void TuplesOf(const TComb& values, TGroupTuples& out) const;

 private:
  TCombValuesKind kind_;
  int size_;
  TGroupTuples tuples_;
  TSelectedTuples selectedTuples_;
  TTupleBits bits_;
};

#define KVARN_COMBVAL_CLASS(T, kind, n, ident, caption, features, available) \
  class T : public TCustomCombValuesStat {                                   \
   public:                                                                   \
    T(const TStatList& list, int param)                                      \
        : TCustomCombValuesStat(list, param, TCombValuesKind::kind, n) {}    \
    static std::string Ident() { return ident; }                             \
    static std::string Caption() { return caption; }                         \
    static uint8_t Features() { return features; }                           \
    static bool IsAvailable() { return available; }                          \
  };

KVARN_COMBVAL_CLASS(TstCombValMix2, Mix, 2, "KNM2", "Сочетания из 2 чисел по всем числам тиража",
                    sfS, true)
KVARN_COMBVAL_CLASS(TstCombValMix3, Mix, 3, "KNM3", "Сочетания из 3 чисел по всем числам тиража",
                    sfS, true)
KVARN_COMBVAL_CLASS(TstCombValMix4, Mix, 4, "KNM4", "Сочетания из 4 чисел по всем числам тиража",
                    sfS, true)
KVARN_COMBVAL_CLASS(TstCombValSeq2, Seq, 2, "KNS2", "Сочетания из 2 соседних чисел тиража", sfS,
                    true)
KVARN_COMBVAL_CLASS(TstCombValSeq3, Seq, 3, "KNS3", "Сочетания из 3 соседних чисел тиража", sfS,
                    true)
KVARN_COMBVAL_CLASS(TstCombValSeq4, Seq, 4, "KNS4", "Сочетания из 4 соседних чисел тиража", sfS,
                    true)
// Not available, so never registered in a method list.
KVARN_COMBVAL_CLASS(TstCombValSort2, Sort, 2, "KNO2", "Сочетания из 2 чисел тиража по возрастанию",
                    0, false)
KVARN_COMBVAL_CLASS(TstCombValSort3, Sort, 3, "KNO3", "Сочетания из 3 чисел тиража по возрастанию",
                    0, false)
KVARN_COMBVAL_CLASS(TstCombValSort4, Sort, 4, "KNO4", "Сочетания из 4 чисел тиража по возрастанию",
                    0, false)

// One entry per start position 1..(6 - N).
#define KVARN_COMBVAL_POS_CLASS(T, n, ident, helpIdent, caption)         \
  class T : public TCustomCombValuesStat {                               \
   public:                                                               \
    T(const TStatList& list, int param)                                  \
        : TCustomCombValuesStat(list, param, TCombValuesKind::Pos, n) {} \
    static std::string Ident() { return ident; }                         \
    static std::string Caption() { return caption; }                     \
    static std::string HelpIdent() { return helpIdent; }                 \
    static uint8_t Features() { return sfS; }                            \
    static bool HasParam() { return true; }                              \
    static void ParamRange(const TStatList&, int& min, int& max) {       \
      min = 1;                                                           \
      max = CombSize + 1 - n;                                            \
    }                                                                    \
  };

KVARN_COMBVAL_POS_CLASS(TstCombValPos2, 2, "KNP2%d", "KNP2",
                        "Сочетания из 2-х чисел тиража начиная с %0:d позиции")
KVARN_COMBVAL_POS_CLASS(TstCombValPos3, 3, "KNP3%d", "KNP3",
                        "Сочетания из 3-х чисел тиража начиная с %0:d позиции")
KVARN_COMBVAL_POS_CLASS(TstCombValPos4, 4, "KNP4%d", "KNP4",
                        "Сочетания из 4-х чисел тиража начиная с %0:d позиции")

#undef KVARN_COMBVAL_CLASS
#undef KVARN_COMBVAL_POS_CLASS

KVARN_STAT_CLASS_DECL(TstCombValMix2);
KVARN_STAT_CLASS_DECL(TstCombValMix3);
KVARN_STAT_CLASS_DECL(TstCombValMix4);
KVARN_STAT_CLASS_DECL(TstCombValSeq2);
KVARN_STAT_CLASS_DECL(TstCombValSeq3);
KVARN_STAT_CLASS_DECL(TstCombValSeq4);
KVARN_STAT_CLASS_DECL(TstCombValPos2);
KVARN_STAT_CLASS_DECL(TstCombValPos3);
KVARN_STAT_CLASS_DECL(TstCombValPos4);
KVARN_STAT_CLASS_DECL(TstCombValSort2);
KVARN_STAT_CLASS_DECL(TstCombValSort3);
KVARN_STAT_CLASS_DECL(TstCombValSort4);

}  // namespace kvarn
