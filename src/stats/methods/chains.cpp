#include "stats/methods/chains.h"

#include "stats/methods/grouping.h"

#include "core/config.h"
#include "core/text.h"
#include "stats/registry.h"

namespace kvarn {

namespace {

uint16_t Word(int v) {
  return static_cast<uint16_t>(v);
}

int At(const TDraw& d, int position) {
  return d.Values[static_cast<size_t>(position - 1)];
}

}  // namespace

std::string ChainCaption(const char* text, int drawCount) {
  return FormatIndexed(text, {drawCount});
}

// ---- TCustomChainStat ----

bool TCustomChainStat::LoadChainDraws(int index, int last, bool sorted, int drawCount) {
  ReadDrawInto(Draws, index - 1, sorted, B_);
  if (B_.Number <= 0) return false;
  if (drawCount >= 3) {
    ReadDrawInto(Draws, index - 2, sorted, A_);
    if (A_.Number <= 0) return false;
    ReadDrawInto(Draws, last - 1, sorted, Q_);
  }
  return true;
}

void TCustomChainStat::AddWithoutPosition(TStatDrawArray& list) {
  for (int j = 1; j <= CombSize; ++j) {
    const int from = AttrOf(At(B_, j));
    bool inReference = false;
    for (int k = 1; k <= CombSize && !inReference; ++k)
      inReference = AttrOf(At(Previous, k)) == from;
    if (!inReference) continue;
    for (int i = 1; i <= CombSize; ++i) {
      Work.Key.Set(Word(from), Word(AttrOf(At(Current, i))));
      AddStatItem(list, Work, true);
    }
  }
}

void TCustomChainStat::AddWithPosition2(TStatDrawArray& list, int from, int to) {
  for (int i = from; i <= to; ++i) {
    const int b = AttrOf(At(B_, i));
    if (b != AttrOf(At(Previous, i))) continue;
    Work.Key.Set(Word(b), Word(AttrOf(At(Current, i))));
    AddStatItem(list, Work, true);
  }
}

void TCustomChainStat::AddWithPosition3(TStatDrawArray& list, int from, int to) {
  for (int i = from; i <= to; ++i) {
    const int b = AttrOf(At(B_, i));
    const int a = AttrOf(At(A_, i));
    if (b != AttrOf(At(Previous, i)) || a != AttrOf(At(Q_, i))) continue;
    Work.Key.Set(Word(a), Word(b), Word(AttrOf(At(Current, i))));
    AddStatItem(list, Work, true);
  }
}

bool TCustomChainStat::PartSelected(const TComb& comb, const TStatDrawArray& selected,
                                    int part) const {
  for (uint8_t n : comb)
    if (SelectedHasWord(selected, part, Word(AttrOf(n)))) return true;
  return false;
}

int TCustomChainStat::PartFilterPass(const TComb* src, int n, TComb* dst,
                                     const TStatDrawArray& selected, int part, int last,
                                     bool sorted, bool exclude) {
  return PositionFilterPass(
      src, n, dst, exclude,
      [&](int, int number) { return SelectedHasWord(selected, part, Word(AttrOf(number))); },
      [&](const TComb& c) { return CombMatches(c, selected, last, sorted, exclude); });
}

std::string TCustomChainStat::TransitionText(const TStatDraw& item, int parts, const char* fmt) {
  const std::string k1 = StrFormat(fmt, int{item.Key.K1});
  const std::string k2 = StrFormat(fmt, int{item.Key.K2});
  if (parts == 2) return FormatIndexed("%0:s -> %1:s", {k1, k2});
  return FormatIndexed("%0:s-%1:s -> %2:s", {k1, k2, StrFormat(fmt, int{item.Key.K3})});
}

// ---- numbers ----

std::string TCustomChainValues2Stat::ValueText(const TStatDraw& item) const {
  return TransitionText(item, 2, "%d");
}

bool TCustomChainValues2Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                          bool, bool) {
  return PartSelected(comb, selected, 2);
}

std::string TCustomChainValues3Stat::ValueText(const TStatDraw& item) const {
  return TransitionText(item, 3, "%d");
}

bool TCustomChainValues3Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                          bool, bool) {
  return PartSelected(comb, selected, 3);
}

// ---- channels ----

TCustomChainChannelsStat::TCustomChainChannelsStat(const TStatList& list, int param)
    : TCustomChainStat(list, param), geometry_{list.Config().ChannelSize} {}

std::string TCustomChainChannels2Stat::ValueText(const TStatDraw& item) const {
  return TransitionText(item, 2, "%.2d");
}

bool TCustomChainChannels2Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                            bool, bool) {
  return PartSelected(comb, selected, 2);
}

std::string TCustomChainChannels3Stat::ValueText(const TStatDraw& item) const {
  return TransitionText(item, 3, "%.2d");
}

bool TCustomChainChannels3Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                            bool, bool) {
  return PartSelected(comb, selected, 3);
}

// ---- numbers inside their channel ----

TCustomChainChannels2Inside::TCustomChainChannels2Inside(const TStatList& list, int param, int mode)
    : TCustomChainChannels2Stat(list, param), mode_(mode) {}

void TCustomChainChannels2Inside::AddDrawValues(int index, int last, bool sorted,
                                                TStatDrawArray& list, TStatContext& context,
                                                TLastValueArray& lastValues) {
  TCustomChainChannels2Stat::AddDrawValues(index, last, sorted, list, context, lastValues);
  // B in drawn order: the transitions are listed in the order its numbers were drawn.
  if (!LoadChainDraws(index, last, false, 2)) return;
  for (uint8_t y : B_.Values) {
    bool inReference = false;
    for (uint8_t r : Previous.Values) inReference = inReference || r == y;
    if (!inReference) continue;
    const int channel = ChannelOf(y);
    int k2 = 0;
    bool continued = false;
    for (uint8_t c : Current.Values) {
      if (ChannelOf(c) != channel) continue;
      continued = true;
      if (mode_ == 3) {
        ++k2;
      } else {
        k2 = c;
        if (mode_ != 2) {
          Work.Key.Set(y, Word(k2));
          AddStatItem(list, Work, true);
        }
      }
    }
    if (mode_ == 3 || (!continued && (mode_ == 0 || mode_ == 2))) {
      Work.Key.Set(y, Word(mode_ == 3 ? k2 : 0));
      AddStatItem(list, Work, true);
    }
  }
}

bool TCustomChainChannels2Inside::CombMatches(const TComb& comb, const TStatDrawArray& selected,
                                              int last, bool, bool) {
  if (last < 0 || static_cast<size_t>(last) >= Draws.size()) return false;
  const TComb& reference = Draws[static_cast<size_t>(last)].Values;
  for (const TStatDraw& s : selected) {
    bool inReference = false;
    for (uint8_t y : reference) inReference = inReference || y == s.Key.K1;
    if (!inReference) continue;
    const int channel = ChannelOf(s.Key.K1);
    // The count mode and the failures keep any candidate number in the channel.
    const bool byChannel = mode_ == 3 || s.Key.K2 == 0;
    for (uint8_t z : comb) {
      if (s.Key.K2 == z) return true;
      if (byChannel && ChannelOf(z) == channel) return true;
    }
  }
  return false;
}

std::string TstChainChannels2InsideCnt::ValueText(const TStatDraw& item) const {
  return TransitionText(item, 2, "%d");
}

// ---- segments ----

TCustomChainSegmentsStat::TCustomChainSegmentsStat(const TStatList& list, int param)
    : TCustomChainStat(list, param), map_(list.Config().Segments) {}

std::string TCustomChainSegments2Stat::ValueText(const TStatDraw& item) const {
  return TransitionText(item, 2, "%d");
}

bool TCustomChainSegments2Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                            bool, bool) {
  return PartSelected(comb, selected, 2);
}

std::string TCustomChainSegments3Stat::ValueText(const TStatDraw& item) const {
  return TransitionText(item, 3, "%d");
}

bool TCustomChainSegments3Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                            bool, bool) {
  return PartSelected(comb, selected, 3);
}

void TChainSegmentCountBase::ParamRange(const TStatList& list, int& min, int& max) {
  SegmentParamRange(list.Config().Segments, min, max);
}

KVARN_STAT_CLASS(TstChain2DrawsAll)
KVARN_STAT_CLASS(TstChain2DrawsPos)
KVARN_STAT_CLASS(TstChain2Pos)
KVARN_STAT_CLASS(TstChain3DrawsPos)
KVARN_STAT_CLASS(TstChain3Pos)
KVARN_STAT_CLASS(TstChain2ChannelsAll)
KVARN_STAT_CLASS(TstChain2ChannelsPos)
KVARN_STAT_CLASS(TstChain2Channel)
KVARN_STAT_CLASS(TstChain3ChannelsPos)
KVARN_STAT_CLASS(TstChain3Channel)
KVARN_STAT_CLASS(TstChain2CnlCnt)
KVARN_STAT_CLASS(TstChain3CnlCnt)
KVARN_STAT_CLASS(TstChainChannels2InsideAll)
KVARN_STAT_CLASS(TstChainChannels2InsideSuc)
KVARN_STAT_CLASS(TstChainChannels2InsideBad)
KVARN_STAT_CLASS(TstChainChannels2InsideCnt)
KVARN_STAT_CLASS(TstChain2SegmentsAll)
KVARN_STAT_CLASS(TstChain2SegmentsPos)
KVARN_STAT_CLASS(TstChain2Segment)
KVARN_STAT_CLASS(TstChain3SegmentsPos)
KVARN_STAT_CLASS(TstChain3Segment)
KVARN_STAT_CLASS(TstChain2SgmCnt)
KVARN_STAT_CLASS(TstChain3SgmCnt)

}  // namespace kvarn
