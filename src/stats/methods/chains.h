// Chain methods: transitions from one draw to the next. They look for earlier draws that
// resemble the latest one — a number, channel or segment of the latest draw (or of the latest
// two) that also stood in an earlier draw — and record what followed in the draw after it.
#pragma once

#include <cstdint>
#include <string>

#include "stats/methods/channels.h"
#include "stats/methods/segments.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int ChainsGroup = 10;  // "mov"

// Naming of the draws around draw[Index]: C = draw[Index], B = draw[Index - 1],
// A = draw[Index - 2]; R = draw[Last] (the latest draw), Q = draw[Last - 1].
class TCustomChainStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static int Group() { return ChainsGroup; }
  static uint8_t Features() { return sfS | sfD; }
  static bool CanParseValue() { return false; }

  // The attribute the transitions are made of: the number itself, its channel or its segment.
  virtual int AttrOf(int number) const { return number; }

 protected:
  // Loads B (and for three draws A) and Q; false when B or A lies outside the archive.
  bool LoadChainDraws(int index, int last, bool sorted, int drawCount);
  // (a(B[j]), a(C[i])) for every C position, for each B number whose attribute R also has.
  void AddWithoutPosition(TStatDrawArray& list);
  // (a(B[i]), a(C[i])) where a(B[i]) = a(R[i]), for the positions from..to (1..5).
  void AddWithPosition2(TStatDrawArray& list, int from, int to);
  // (a(A[i]), a(B[i]), a(C[i])) where also a(A[i]) = a(Q[i]).
  void AddWithPosition3(TStatDrawArray& list, int from, int to);
  // True when the attribute of a candidate number equals component `part` of a selected item.
  bool PartSelected(const TComb& comb, const TStatDrawArray& selected, int part) const;
  // The pass of PartSelected, decided once per number.
  int PartFilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int part,
                     int last, bool sorted, bool exclude);
  // "K1 -> K2" or "K1-K2 -> K3", each part written by fmt ("%d" or "%.2d").
  static std::string TransitionText(const TStatDraw& item, int parts, const char* fmt);

  TDraw A_;
  TDraw B_;
  TDraw Q_;
};

class TCustomChainValues2Stat : public TCustomChainStat {
 public:
  using TCustomChainStat::TCustomChainStat;
  std::string ValueText(const TStatDraw& item) const override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    return PartFilterPass(src, n, dst, selected, 2, last, sorted, exclude);
  }
};

class TCustomChainValues3Stat : public TCustomChainStat {
 public:
  using TCustomChainStat::TCustomChainStat;
  std::string ValueText(const TStatDraw& item) const override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    return PartFilterPass(src, n, dst, selected, 3, last, sorted, exclude);
  }
};

class TCustomChainChannelsStat : public TCustomChainStat {
 public:
  TCustomChainChannelsStat(const TStatList& list, int param);
  int ChannelOf(int n) const { return geometry_.ChannelOf(n); }
  int Width() const { return geometry_.Width; }
  int AttrOf(int number) const override { return geometry_.ChannelOf(number); }

 protected:
  TChannelGeometry geometry_;
};

class TCustomChainChannels2Stat : public TCustomChainChannelsStat {
 public:
  using TCustomChainChannelsStat::TCustomChainChannelsStat;
  std::string ValueText(const TStatDraw& item) const override;
  // A class that changes CombMatches changes FilterPass too.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) override;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    return PartFilterPass(src, n, dst, selected, 2, last, sorted, exclude);
  }
};

class TCustomChainChannels3Stat : public TCustomChainChannelsStat {
 public:
  using TCustomChainChannelsStat::TCustomChainChannelsStat;
  std::string ValueText(const TStatDraw& item) const override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    return PartFilterPass(src, n, dst, selected, 3, last, sorted, exclude);
  }
};

// Numbers of the latest draw that stood in B, followed into C inside their own channel.
// Modes: 0 every continuation and the failures (y -> 0), 1 continuations only, 2 failures only,
// 3 the number of continuations.
class TCustomChainChannels2Inside : public TCustomChainChannels2Stat {
 public:
  TCustomChainChannels2Inside(const TStatList& list, int param, int mode);
  static uint8_t Features() { return sfD; }
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override;
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  // Its own test, not the channel table of the class above.
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    return TCustomStat::FilterPass(src, n, dst, selected, last, sorted, exclude);
  }
  int Mode() const { return mode_; }

 private:
  int mode_;
};

class TCustomChainSegmentsStat : public TCustomChainStat {
 public:
  TCustomChainSegmentsStat(const TStatList& list, int param);
  int SegmentOf(int n, int = 0) const {
    return n >= 1 && n <= NumbersCount ? map_[static_cast<size_t>(n - 1)] : 0;
  }
  int AttrOf(int number) const override { return SegmentOf(number); }

 protected:
  TSegmentMap map_;
};

class TCustomChainSegments2Stat : public TCustomChainSegmentsStat {
 public:
  using TCustomChainSegmentsStat::TCustomChainSegmentsStat;
  std::string ValueText(const TStatDraw& item) const override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    return PartFilterPass(src, n, dst, selected, 2, last, sorted, exclude);
  }
};

class TCustomChainSegments3Stat : public TCustomChainSegmentsStat {
 public:
  using TCustomChainSegmentsStat::TCustomChainSegmentsStat;
  std::string ValueText(const TStatDraw& item) const override;
  // Final: FilterPass stands for it.
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,
                   bool exclude) final;
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last,
                 bool sorted, bool exclude) override {
    return PartFilterPass(src, n, dst, selected, 3, last, sorted, exclude);
  }
};

// ---- the transition classes ----

enum class TChainKind { WithoutPosition, Positions2, Positions3, AtPosition2, AtPosition3 };

// The transitions of one kind over Base's attribute; the concrete class adds its texts.
template <class Base, TChainKind Kind>
class TChainStat : public Base {
 public:
  using Base::Base;
  static constexpr int DrawCount =
      Kind == TChainKind::Positions3 || Kind == TChainKind::AtPosition3 ? 3 : 2;

  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override {
    Base::AddDrawValues(index, last, sorted, list, context, lastValues);
    if (!this->LoadChainDraws(index, last, sorted, DrawCount)) return;
    switch (Kind) {
      case TChainKind::WithoutPosition:
        this->AddWithoutPosition(list);
        break;
      case TChainKind::Positions2:
        this->AddWithPosition2(list, 1, CombSize);
        break;
      case TChainKind::Positions3:
        this->AddWithPosition3(list, 1, CombSize);
        break;
      case TChainKind::AtPosition2:
        this->AddWithPosition2(list, this->Param, this->Param);
        break;
      case TChainKind::AtPosition3:
        this->AddWithPosition3(list, this->Param, this->Param);
        break;
    }
  }
};

// The caption template formatted with the class's draw count; a "%%d" left for the parameter.
std::string ChainCaption(const char* text, int drawCount);

#define KVARN_CHAIN_CLASS(T, Base, Kind, IdentText, CaptionText, Count, FeatureSet) \
  class T : public TChainStat<Base, Kind> {                                         \
   public:                                                                          \
    using TChainStat<Base, Kind>::TChainStat;                                       \
    static std::string Ident() { return IdentText; }                                \
    static std::string Caption() { return ChainCaption(CaptionText, Count); }       \
    static uint8_t Features() { return FeatureSet; }                                \
  };                                                                                \
  KVARN_STAT_CLASS_DECL(T)

#define KVARN_CHAIN_POS_CLASS(T, Base, Kind, IdentText, HelpText, CaptionText, Count) \
  class T : public TChainStat<Base, Kind> {                                           \
   public:                                                                            \
    using TChainStat<Base, Kind>::TChainStat;                                         \
    static std::string Ident() { return IdentText; }                                  \
    static std::string Caption() { return ChainCaption(CaptionText, Count); }         \
    static std::string HelpIdent() { return HelpText; }                               \
    static bool HasParam() { return true; }                                           \
    static void ParamRange(const TStatList&, int& min, int& max) {                    \
      min = 1;                                                                        \
      max = CombSize;                                                                 \
    }                                                                                 \
  };                                                                                  \
  KVARN_STAT_CLASS_DECL(T)

#define KVARN_CHAIN_TEXT(Subject, Tail) "Переходы " Subject " между %0:d тиражами " Tail

KVARN_CHAIN_CLASS(TstChain2DrawsAll, TCustomChainValues2Stat, TChainKind::WithoutPosition, "SDV2",
                  KVARN_CHAIN_TEXT("чисел", "без учета позиции"), 2, sfD);
KVARN_CHAIN_CLASS(TstChain2DrawsPos, TCustomChainValues2Stat, TChainKind::Positions2, "SDP2",
                  KVARN_CHAIN_TEXT("чисел", "с учетом позиции"), 2, sfS | sfD);
KVARN_CHAIN_CLASS(TstChain3DrawsPos, TCustomChainValues3Stat, TChainKind::Positions3, "SDP3",
                  KVARN_CHAIN_TEXT("чисел", "с учетом позиции"), 3, sfS | sfD);
KVARN_CHAIN_POS_CLASS(TstChain2Pos, TCustomChainValues2Stat, TChainKind::AtPosition2, "SDN%d",
                      "SDNx", KVARN_CHAIN_TEXT("чисел", "в %%d позиции"), 2);
KVARN_CHAIN_POS_CLASS(TstChain3Pos, TCustomChainValues3Stat, TChainKind::AtPosition3, "SDM%d",
                      "SDMx", KVARN_CHAIN_TEXT("чисел", "в %%d позиции"), 3);

KVARN_CHAIN_CLASS(TstChain2ChannelsAll, TCustomChainChannels2Stat, TChainKind::WithoutPosition,
                  "SCV2", KVARN_CHAIN_TEXT("каналов", "без учета позиции"), 2, sfD);
KVARN_CHAIN_CLASS(TstChain2ChannelsPos, TCustomChainChannels2Stat, TChainKind::Positions2, "SCP2",
                  KVARN_CHAIN_TEXT("каналов", "с учетом позиции"), 2, sfS | sfD);
KVARN_CHAIN_CLASS(TstChain3ChannelsPos, TCustomChainChannels3Stat, TChainKind::Positions3, "SCP3",
                  KVARN_CHAIN_TEXT("каналов", "с учетом позиции"), 3, sfS | sfD);
KVARN_CHAIN_POS_CLASS(TstChain2Channel, TCustomChainChannels2Stat, TChainKind::AtPosition2, "SCN%d",
                      "SCNx", KVARN_CHAIN_TEXT("каналов", "в %%d позиции"), 2);
KVARN_CHAIN_POS_CLASS(TstChain3Channel, TCustomChainChannels3Stat, TChainKind::AtPosition3, "SCM%d",
                      "SCMx", KVARN_CHAIN_TEXT("каналов", "в %%d позиции"), 3);

KVARN_CHAIN_CLASS(TstChain2SegmentsAll, TCustomChainSegments2Stat, TChainKind::WithoutPosition,
                  "SSV2", KVARN_CHAIN_TEXT("сегментов", "без учета позиции"), 2, sfD);
KVARN_CHAIN_CLASS(TstChain2SegmentsPos, TCustomChainSegments2Stat, TChainKind::Positions2, "SSP2",
                  KVARN_CHAIN_TEXT("сегментов", "с учетом позиции"), 2, sfS | sfD);
KVARN_CHAIN_CLASS(TstChain3SegmentsPos, TCustomChainSegments3Stat, TChainKind::Positions3, "SSP3",
                  KVARN_CHAIN_TEXT("сегментов", "с учетом позиции"), 3, sfS | sfD);
KVARN_CHAIN_POS_CLASS(TstChain2Segment, TCustomChainSegments2Stat, TChainKind::AtPosition2, "SSN%d",
                      "SSNx", KVARN_CHAIN_TEXT("сегментов", "в %%d позиции"), 2);
KVARN_CHAIN_POS_CLASS(TstChain3Segment, TCustomChainSegments3Stat, TChainKind::AtPosition3, "SSM%d",
                      "SSMx", KVARN_CHAIN_TEXT("сегментов", "в %%d позиции"), 3);

#undef KVARN_CHAIN_TEXT
#undef KVARN_CHAIN_POS_CLASS
#undef KVARN_CHAIN_CLASS

// ---- count transitions ----

// How many numbers of each draw lie in the group Param (a channel or a segment): (cnt(B),
// cnt(C)) when cnt(B) = cnt(R); three draws also need cnt(A) = cnt(Q).
template <class Base, int DrawCount>
class TChainCountStat : public Base {
 public:
  using Base::Base;
  static uint8_t Features() { return sfD; }
  static bool HasParam() { return true; }

  std::string ValueText(const TStatDraw& item) const override {
    return TCustomChainStat::TransitionText(item, DrawCount, "%d");
  }

  void ListAllValues(int last, TStatDrawArray& list) override {
    Base::ListAllValues(last, list);
    const int latest = CountIn(this->Draws, last);
    const int before = CountIn(this->Draws, last - 1);
    for (int k = 0; k <= this->ListedMaxCount(); ++k) {
      if (DrawCount == 2)
        this->Work.Key.Set(Word(latest), Word(k));
      else
        this->Work.Key.Set(Word(before), Word(latest), Word(k));
      AddStatItem(list, this->Work, false);
    }
  }

  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list, TStatContext& context,
                     TLastValueArray& lastValues) override {
    Base::AddDrawValues(index, last, sorted, list, context, lastValues);
    // Counts do not depend on the order: the draws are read as drawn.
    if (!this->LoadChainDraws(index, last, false, DrawCount)) return;
    const int b = Count(this->B_.Values);
    if (b != Count(this->Previous.Values)) return;
    if (DrawCount == 2) {
      this->Work.Key.Set(Word(b), Word(Count(this->Current.Values)));
    } else {
      const int a = Count(this->A_.Values);
      if (a != Count(this->Q_.Values)) return;
      this->Work.Key.Set(Word(a), Word(b), Word(Count(this->Current.Values)));
    }
    AddStatItem(list, this->Work, true);
  }

  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override {
    return SelectedHasWord(selected, DrawCount, Word(Count(comb)));
  }

 private:
  static uint16_t Word(int v) { return static_cast<uint16_t>(v); }
  int Count(const TComb& values) const {
    int k = 0;
    for (uint8_t n : values) k += this->AttrOf(n) == this->Param ? 1 : 0;
    return k;
  }
  int CountIn(const TDrawsArray& draws, int index) const {
    if (index < 0 || static_cast<size_t>(index) >= draws.size()) return 0;
    return Count(draws[static_cast<size_t>(index)].Values);
  }
};

// The channel count classes list (cnt, 0) .. (cnt, w); the segment ones only (cnt, 0).
class TChainChannelCountBase : public TCustomChainChannelsStat {
 public:
  using TCustomChainChannelsStat::TCustomChainChannelsStat;
  static void ParamRange(const TStatList& list, int& min, int& max) {
    ChannelParamRange(list, min, max);
  }
  int ListedMaxCount() const { return Width(); }
};

class TChainSegmentCountBase : public TCustomChainSegmentsStat {
 public:
  using TCustomChainSegmentsStat::TCustomChainSegmentsStat;
  static void ParamRange(const TStatList& list, int& min, int& max);
  int ListedMaxCount() const { return 0; }
};

#define KVARN_CHAIN_COUNT_CLASS(T, Base, Count, IdentText, HelpText, CaptionText) \
  class T : public TChainCountStat<Base, Count> {                                 \
   public:                                                                        \
    using TChainCountStat<Base, Count>::TChainCountStat;                          \
    static std::string Ident() { return IdentText; }                              \
    static std::string Caption() { return ChainCaption(CaptionText, Count); }     \
    static std::string HelpIdent() { return HelpText; }                           \
  };                                                                              \
  KVARN_STAT_CLASS_DECL(T)

KVARN_CHAIN_COUNT_CLASS(TstChain2CnlCnt, TChainChannelCountBase, 2, "SC2C%d", "SC2Cx",
                        "Переходы кол-ва чисел в %%d канале между %0:d тиражами");
KVARN_CHAIN_COUNT_CLASS(TstChain3CnlCnt, TChainChannelCountBase, 3, "SC3C%d", "SC3Cx",
                        "Переходы кол-ва чисел в %%d канале между %0:d тиражами");
KVARN_CHAIN_COUNT_CLASS(TstChain2SgmCnt, TChainSegmentCountBase, 2, "SS2C%d", "SS2Cx",
                        "Переходы кол-ва чисел в %%d сегменте между %0:d тиражами");
KVARN_CHAIN_COUNT_CLASS(TstChain3SgmCnt, TChainSegmentCountBase, 3, "SS3C%d", "SS3Cx",
                        "Переходы кол-ва чисел в %%d сегменте между %0:d тиражами");
#undef KVARN_CHAIN_COUNT_CLASS

// ---- numbers inside their channel ----

#define KVARN_CHAIN_INSIDE_CLASS(T, ModeValue, IdentText, CaptionText) \
  class T : public TCustomChainChannels2Inside {                       \
   public:                                                             \
    T(const TStatList& list, int param)                                \
        : TCustomChainChannels2Inside(list, param, InsideMode()) {}    \
    static std::string Ident() { return IdentText; }                   \
    static std::string Caption() { return CaptionText; }               \
    static int InsideMode() { return ModeValue; }                      \
  };                                                                   \
  KVARN_STAT_CLASS_DECL(T)

KVARN_CHAIN_INSIDE_CLASS(TstChainChannels2InsideAll, 0, "SDA2",
                         "Переходы чисел в пределах каналов (все)");
KVARN_CHAIN_INSIDE_CLASS(TstChainChannels2InsideSuc, 1, "SDG2",
                         "Переходы чисел в пределах каналов (N-M, удачные)");
KVARN_CHAIN_INSIDE_CLASS(TstChainChannels2InsideBad, 2, "SDZ2",
                         "Переходы чисел в пределах каналов (N-0, не удачные)");
#undef KVARN_CHAIN_INSIDE_CLASS

class TstChainChannels2InsideCnt : public TCustomChainChannels2Inside {
 public:
  TstChainChannels2InsideCnt(const TStatList& list, int param)
      : TCustomChainChannels2Inside(list, param, InsideMode()) {}
  static std::string Ident() { return "SDC2"; }
  static std::string Caption() { return "Переходы чисел в пределах каналов (количество)"; }
  static int InsideMode() { return 3; }
  // The count is written plainly (5 -> 2).
  std::string ValueText(const TStatDraw& item) const override;
};
KVARN_STAT_CLASS_DECL(TstChainChannels2InsideCnt);

}  // namespace kvarn
