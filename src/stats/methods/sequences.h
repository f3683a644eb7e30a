// Runs of consecutive numbers inside one draw, and numbers that come back from earlier draws:
// directly, after one to three draws in between, or shifted by one or two.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/lottery.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int SeqGroup = 6;
constexpr int RepGroup = 7;

// Lengths of the maximal runs in which every number is one more than the one before, in
// position order; returns how many runs were written (the lengths add up to five).
int SequenceRuns(const TComb& values, int (&lengths)[CombSize]);
// The length of the longest run, or of the longest run of neighbours that differ by one in
// either direction (bidirectional), as the graph counts them.
int SequenceLongest(const TComb& values, bool bidirectional);
// The number of runs of length 2 or more.
int SequenceCount(const TComb& values, bool bidirectional);

class TstSequenceLen : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static std::string Ident() { return "SEQL"; }
  static std::string Caption() { return "Длина последовательности в тираже"; }
  static int Group() { return SeqGroup; }
  static uint8_t Features() { return sfS | sfN; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
};

// The one-value sequence methods: the value of the numbers as handed over, and a graph value
// that also accepts descending neighbours.
class TCustomSequenceGraphStat : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static int Group() { return SeqGroup; }
  static uint8_t Features() { return sfS | sfN; }
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  virtual int ValueOf(const TComb& values) const = 0;
};

class TstSequenceCnt : public TCustomSequenceGraphStat {
 public:
  using TCustomSequenceGraphStat::TCustomSequenceGraphStat;
  static std::string Ident() { return "SEQS"; }
  static std::string Caption() { return "Количество последовательностей в тираже"; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  int ValueOf(const TComb& values) const override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

class TstSequenceLenMax : public TCustomSequenceGraphStat {
 public:
  using TCustomSequenceGraphStat::TCustomSequenceGraphStat;
  static std::string Ident() { return "LENS"; }
  static std::string Caption() { return "Макс. длина последовательности в тираже"; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  int ValueOf(const TComb& values) const override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

// ---- repeats ----

// The numbers of draw[index] as a membership table (index 1..36); empty outside the archive.
// A number is shifted by shift before it is marked; a missing number (0) marks nothing.
using TNumberMarks = std::array<bool, NumbersCount + 1>;
void MarkDrawNumbers(const TDrawsArray& draws, int index, int shift, TNumberMarks& marks);
// n shifted by k into 1..36; 0 (no number) stays 0.
int ShiftedNumber(int n, int k);

// The shared state of the repeat bases: the shift and distance the concrete class declares,
// and the reference numbers the filter test reads once per analysis point.
class TRepeatState {
 public:
  TRepeatState(int shift, int distance) : shift_(shift), distance_(distance) {}
  int Shift() const { return shift_; }
  int Distance() const { return distance_; }

 protected:
  // Marks of draw[index] shifted by the class's shift, read again only when index changes.
  const TNumberMarks& MarksOf(const TDrawsArray& draws, int index);
  // A second cache for the methods that compare with two draws.
  const TNumberMarks& MarksOf2(const TDrawsArray& draws, int index);

 private:
  int shift_;
  int distance_;
  bool cached_ = false;
  int cachedIndex_ = 0;
  TNumberMarks marks_{};
  bool cached2_ = false;
  int cachedIndex2_ = 0;
  TNumberMarks marks2_{};
};

// The numbers of the latest draw that had also been drawn Distance draws before an earlier draw
// and came back in it, shifted by Shift.
class TCustomRepValues2Stat : public TCustomValuesStat, public TRepeatState {
 public:
  TCustomRepValues2Stat(const TStatList& list, int param, int shift, int distance)
      : TCustomValuesStat(list, param), TRepeatState(shift, distance) {}
  static int Group() { return RepGroup; }
  static uint8_t Features() { return sfD; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;

 private:
  TDraw earlier_;
};

// How many numbers of the draw Distance draws before come back, shifted by Shift.
class TCustomRepCount2Stat : public TCustomNumbersStat, public TRepeatState {
 public:
  TCustomRepCount2Stat(const TStatList& list, int param, int shift, int distance)
      : TCustomNumbersStat(list, param), TRepeatState(shift, distance) {}
  static int Group() { return RepGroup; }
  static uint8_t Features() { return sfD; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
};

#define KVARN_REPEAT_CLASS(T, Base, shift, distance, ident, caption)            \
  class T : public Base {                                                       \
   public:                                                                      \
    T(const TStatList& list, int param) : Base(list, param, shift, distance) {} \
    static std::string Ident() { return ident; }                                \
    static std::string Caption() { return caption; }                            \
    static int Shift() { return shift; }                                        \
    static int Distance() { return distance; }                                  \
  };

KVARN_REPEAT_CLASS(TstRepValues2, TCustomRepValues2Stat, 0, 1, "RPV2",
                   "Повторяющиеся числа в 2-х тиражах подряд")
KVARN_REPEAT_CLASS(TstRepValues2over1, TCustomRepValues2Stat, 0, 2, "PRV2O1",
                   "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)")
KVARN_REPEAT_CLASS(TstRepValues2over2, TCustomRepValues2Stat, 0, 3, "PRV2O2",
                   "Повторяющиеся числа в 2-х тиражах через 2 тираж(а)")
KVARN_REPEAT_CLASS(TstRepValues2over3, TCustomRepValues2Stat, 0, 4, "PRV2O3",
                   "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)")
KVARN_REPEAT_CLASS(TstRepValues2P1, TCustomRepValues2Stat, 1, 1, "PRV+1",
                   "Данные предыдущего тиража + 1")
KVARN_REPEAT_CLASS(TstRepValues2N1, TCustomRepValues2Stat, -1, 1, "PRV-1",
                   "Данные предыдущего тиража - 1")
KVARN_REPEAT_CLASS(TstRepValues2P2, TCustomRepValues2Stat, 2, 1, "PRV+2",
                   "Данные предыдущего тиража + 2")
KVARN_REPEAT_CLASS(TstRepValues2N2, TCustomRepValues2Stat, -2, 1, "PRV-2",
                   "Данные предыдущего тиража - 2")
KVARN_REPEAT_CLASS(TstRepCount2, TCustomRepCount2Stat, 0, 1, "RPC2",
                   "Количество повторов в 2-х тиражах подряд")
KVARN_REPEAT_CLASS(TstRepCount2over1, TCustomRepCount2Stat, 0, 2, "RPO1",
                   "Количество повторов в 2-х тиражах через 1 тираж(а)")
KVARN_REPEAT_CLASS(TstRepCount2over2, TCustomRepCount2Stat, 0, 3, "PRC2O2",
                   "Количество повторов в 2-х тиражах через 2 тираж(а)")
KVARN_REPEAT_CLASS(TstRepCount2over3, TCustomRepCount2Stat, 0, 4, "PRC2O3",
                   "Количество повторов в 2-х тиражах через 3 тираж(а)")
KVARN_REPEAT_CLASS(TstRepCount2P1, TCustomRepCount2Stat, 1, 1, "PRC+1",
                   "Количество совпадений \"значений + 1\"")
KVARN_REPEAT_CLASS(TstRepCount2N1, TCustomRepCount2Stat, -1, 1, "PRC-1",
                   "Количество совпадений \"значений - 1\"")
KVARN_REPEAT_CLASS(TstRepCount2P2, TCustomRepCount2Stat, 2, 1, "PRC+2",
                   "Количество совпадений \"значений + 2\"")
KVARN_REPEAT_CLASS(TstRepCount2N2, TCustomRepCount2Stat, -2, 1, "PRC-2",
                   "Количество совпадений \"значений - 2\"")

// Numbers of the latest draw that also came in the two draws before an earlier draw (3-draw
// repeats), or in the one draw before it but not in the one before that (at most 2 draws).
class TCustomRep3ValuesStat : public TCustomValuesStat, public TRepeatState {
 public:
  TCustomRep3ValuesStat(const TStatList& list, int param, bool inThird)
      : TCustomValuesStat(list, param), TRepeatState(0, 1), inThird_(inThird) {}
  static int Group() { return RepGroup; }
  static uint8_t Features() { return sfD; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;

 private:
  bool inThird_;
};

// How many numbers of a draw came in the draw before it and also (or not) in the one before that.
class TCustomRep3CountStat : public TCustomNumbersStat, public TRepeatState {
 public:
  TCustomRep3CountStat(const TStatList& list, int param, bool inThird)
      : TCustomNumbersStat(list, param), TRepeatState(0, 1), inThird_(inThird) {}
  static int Group() { return RepGroup; }
  static uint8_t Features() { return sfD; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  // The count of a combination against the draw before it (one) and the one before that (two).
  int CountOf(const TComb& comb, const TNumberMarks& one, const TNumberMarks& two) const;

 private:
  bool inThird_;
};

#define KVARN_REPEAT3_CLASS(T, Base, inThird, ident, caption)           \
  class T : public Base {                                               \
   public:                                                              \
    T(const TStatList& list, int param) : Base(list, param, inThird) {} \
    static std::string Ident() { return ident; }                        \
    static std::string Caption() { return caption; }                    \
  };

KVARN_REPEAT3_CLASS(TstRepValues3, TCustomRep3ValuesStat, true, "RPV3",
                    "Повторяющиеся числа в 3-х тиражах подряд")
KVARN_REPEAT3_CLASS(TstRepCount3, TCustomRep3CountStat, true, "RPC3",
                    "Количество повторов в 3-х тиражах подряд")
KVARN_REPEAT3_CLASS(TstRepValues2B3, TCustomRep3ValuesStat, false, "PRL2",
                    "Повторяющиеся числа не более чем в 2-х тиражах")
KVARN_REPEAT3_CLASS(TstRepCount2B3, TCustomRep3CountStat, false, "PRB2",
                    "Количество повторов не более чем в 2-х тиражах")

#undef KVARN_REPEAT_CLASS
#undef KVARN_REPEAT3_CLASS

KVARN_STAT_CLASS_DECL(TstSequenceLen);
KVARN_STAT_CLASS_DECL(TstSequenceCnt);
KVARN_STAT_CLASS_DECL(TstSequenceLenMax);
KVARN_STAT_CLASS_DECL(TstRepValues2);
KVARN_STAT_CLASS_DECL(TstRepValues3);
KVARN_STAT_CLASS_DECL(TstRepValues2B3);
KVARN_STAT_CLASS_DECL(TstRepValues2over1);
KVARN_STAT_CLASS_DECL(TstRepValues2over2);
KVARN_STAT_CLASS_DECL(TstRepValues2over3);
KVARN_STAT_CLASS_DECL(TstRepValues2P1);
KVARN_STAT_CLASS_DECL(TstRepValues2N1);
KVARN_STAT_CLASS_DECL(TstRepValues2P2);
KVARN_STAT_CLASS_DECL(TstRepValues2N2);
KVARN_STAT_CLASS_DECL(TstRepCount2);
KVARN_STAT_CLASS_DECL(TstRepCount3);
KVARN_STAT_CLASS_DECL(TstRepCount2B3);
KVARN_STAT_CLASS_DECL(TstRepCount2over1);
KVARN_STAT_CLASS_DECL(TstRepCount2over2);
KVARN_STAT_CLASS_DECL(TstRepCount2over3);
KVARN_STAT_CLASS_DECL(TstRepCount2P1);
KVARN_STAT_CLASS_DECL(TstRepCount2N1);
KVARN_STAT_CLASS_DECL(TstRepCount2P2);
KVARN_STAT_CLASS_DECL(TstRepCount2N2);

}  // namespace kvarn
