// Segment methods: every number 1..36 belongs to the segment the settings' segment map gives it;
// the methods count and combine the segments of the five numbers as the channel methods do with
// channels.
#pragma once

#include <array>
#include <string>

#include "stats/methods/grouping.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int SegmentsGroup = 5;  // "sgm"

using TSegmentMap = std::array<uint8_t, NumbersCount>;

// The segments the map uses, in the order of their first occurrence from number 1 to 36.
TGroupList SegmentGroups(const TSegmentMap& map);

class TCustomSegmentsStat : public TCustomNumbersStat {
 public:
  TCustomSegmentsStat(const TStatList& list, int param);
  static int Group() { return SegmentsGroup; }
  // The map entry of n (the position is accepted and ignored); 0 outside 1..36.
  int SegmentOf(int n, int pos = 0) const;
  const TSegmentMap& Map() const { return map_; }

 protected:
  TGroupAttrs SegmentsOf(const TComb& values) const;
  TSegmentMap map_;
};

class TCustomSegmentsGraphStat : public TCustomGraphStat {
 public:
  TCustomSegmentsGraphStat(const TStatList& list, int param);
  static int Group() { return SegmentsGroup; }
  int SegmentOf(int n, int pos = 0) const;
  const TSegmentMap& Map() const { return map_; }

 protected:
  TGroupAttrs SegmentsOf(const TComb& values) const;
  TSegmentMap map_;
};

class TstSegments : public TCustomSegmentsStat {
 public:
  using TCustomSegmentsStat::TCustomSegmentsStat;
  static std::string Ident() { return "SGMS"; }
  static std::string Caption() { return "Сегменты матрицы"; }
  static uint8_t Features() { return sfN; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
};

class TstSegmValues : public TCustomSegmentsStat {
 public:
  TstSegmValues(const TStatList& list, int param);
  static std::string Ident() { return "SGMV"; }
  static std::string Caption() { return "Количество чисел в сегменте матрицы"; }
  static uint8_t Features() { return sfN; }
  static bool CanParseValue() { return false; }
  std::string ValueText(const TStatDraw& item) const override;
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;

 private:
  TGroupList segments_;
};

class TstSegmCount : public TCustomSegmentsGraphStat {
 public:
  using TCustomSegmentsGraphStat::TCustomSegmentsGraphStat;
  static std::string Ident() { return "SGMC"; }
  static std::string Caption() { return "Количество не пустых сегментов в матрице"; }
  static uint8_t Features() { return sfN; }
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

struct TSegmentAttr {
  static int Of(const TCustomSegmentsStat& s, int n) { return s.SegmentOf(n); }
};

#define KVARN_SEGMENT_TUPLES(T, Kind, N, IdentText, CaptionText)                  \
  class T : public TGroupTuplesStat<TCustomSegmentsStat, TSegmentAttr, Kind, N> { \
   public:                                                                        \
    using Base = TGroupTuplesStat<TCustomSegmentsStat, TSegmentAttr, Kind, N>;    \
    using Base::Base;                                                             \
    static std::string Ident() { return IdentText; }                              \
    static std::string Caption() { return CaptionText; }                          \
  }

KVARN_SEGMENT_TUPLES(TstCombSegmMix2, TTupleKind::Mix, 2, "KGM2",
                     "Сочетания из 2 сегментов по всем числам тиража");
KVARN_SEGMENT_TUPLES(TstCombSegmMix3, TTupleKind::Mix, 3, "KGM3",
                     "Сочетания из 3 сегментов по всем числам тиража");
KVARN_SEGMENT_TUPLES(TstCombSegmMix4, TTupleKind::Mix, 4, "KGM4",
                     "Сочетания из 4 сегментов по всем числам тиража");
KVARN_SEGMENT_TUPLES(TstCombSegmSeq2, TTupleKind::Seq, 2, "KGS2",
                     "Сочетания из 2 сегментов по соседним числам");
KVARN_SEGMENT_TUPLES(TstCombSegmSeq3, TTupleKind::Seq, 3, "KGS3",
                     "Сочетания из 3 сегментов по соседним числам");
KVARN_SEGMENT_TUPLES(TstCombSegmSeq4, TTupleKind::Seq, 4, "KGS4",
                     "Сочетания из 4 сегментов по соседним числам");
#undef KVARN_SEGMENT_TUPLES

// The segment range of a map: from min(9, smallest entry) to max(1, largest entry).
void SegmentParamRange(const TSegmentMap& map, int& min, int& max);

class TstSgmValCnt : public TCustomSegmentsGraphStat {
 public:
  using TCustomSegmentsGraphStat::TCustomSegmentsGraphStat;
  static std::string Ident() { return "SGM%d"; }
  static std::string Caption() { return "Количество чисел в %0:d сегменте матрицы"; }
  static std::string HelpIdent() { return "SGMx"; }
  static uint8_t Features() { return sfN; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList& list, int& min, int& max);
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

KVARN_STAT_CLASS_DECL(TstSegments);
KVARN_STAT_CLASS_DECL(TstSegmValues);
KVARN_STAT_CLASS_DECL(TstSegmCount);
KVARN_STAT_CLASS_DECL(TstCombSegmMix2);
KVARN_STAT_CLASS_DECL(TstCombSegmMix3);
KVARN_STAT_CLASS_DECL(TstCombSegmMix4);
KVARN_STAT_CLASS_DECL(TstCombSegmSeq2);
KVARN_STAT_CLASS_DECL(TstCombSegmSeq3);
KVARN_STAT_CLASS_DECL(TstCombSegmSeq4);
KVARN_STAT_CLASS_DECL(TstSgmValCnt);

}  // namespace kvarn
