#include "stats/methods/sequences.h"

namespace kvarn {

namespace {

bool Neighbours(int a, int b, bool bidirectional) {
  return b - a == 1 || (bidirectional && a - b == 1);
}

// Lengths of the runs; the graph variants also join descending neighbours.
int Runs(const TComb& values, bool bidirectional, int (&lengths)[CombSize]) {
  int count = 0;
  int len = 1;
  for (int i = 1; i < CombSize; ++i) {
    if (Neighbours(values[i - 1], values[i], bidirectional)) {
      ++len;
    } else {
      lengths[count++] = len;
      len = 1;
    }
  }
  lengths[count++] = len;
  return count;
}

void AddKey(TStatDraw& work, TStatDrawArray& list, int value, bool withIntervals) {
  work.Key.Set(static_cast<uint16_t>(value));
  AddStatItem(list, work, withIntervals);
}

void AddRange(TStatDraw& work, TStatDrawArray& list, int from, int to) {
  for (int v = from; v <= to; ++v) AddKey(work, list, v, false);
}

bool AnySelected(const TComb& comb, const TStatDrawArray& selected) {
  for (uint8_t n : comb)
    if (SelectedHasKey(selected, n, 0, 0, 0)) return true;
  return false;
}

void MarkValues(const TComb& values, TNumberMarks& marks) {
  marks.fill(false);
  for (uint8_t n : values)
    if (n >= 1 && n <= NumbersCount) marks[n] = true;
}

bool InArchive(const TDrawsArray& draws, int index) {
  return index >= 0 && index < static_cast<int>(draws.size());
}

}  // namespace

int SequenceRuns(const TComb& values, int (&lengths)[CombSize]) {
  return Runs(values, false, lengths);
}

int SequenceLongest(const TComb& values, bool bidirectional) {
  int lengths[CombSize];
  const int count = Runs(values, bidirectional, lengths);
  int longest = 0;
  for (int i = 0; i < count; ++i)
    if (lengths[i] > longest) longest = lengths[i];
  return longest;
}

int SequenceCount(const TComb& values, bool bidirectional) {
  int lengths[CombSize];
  const int count = Runs(values, bidirectional, lengths);
  int runs = 0;
  for (int i = 0; i < count; ++i) runs += lengths[i] >= 2 ? 1 : 0;
  return runs;
}

// ---- TstSequenceLen ----

void TstSequenceLen::ListAllValues(int last, TStatDrawArray& list) {
  TCustomNumbersStat::ListAllValues(last, list);
  AddRange(Work, list, 1, CombSize);
}

void TstSequenceLen::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomNumbersStat::AddCombValues(comb, list);
  int lengths[CombSize];
  const int count = SequenceRuns(comb, lengths);
  for (int i = 0; i < count; ++i) AddKey(Work, list, lengths[i], false);
}

void TstSequenceLen::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                   TStatContext& context, TLastValueArray& lastValues) {
  TCustomNumbersStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  int lengths[CombSize];
  const int count = SequenceRuns(Current.Values, lengths);
  for (int i = 0; i < count; ++i) AddKey(Work, list, lengths[i], true);
}

bool TstSequenceLen::CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool,
                                 bool) {
  int lengths[CombSize];
  const int count = SequenceRuns(comb, lengths);
  for (int i = 0; i < count; ++i)
    if (SelectedHasKey(selected, static_cast<uint16_t>(lengths[i]), 0, 0, 0)) return true;
  return false;
}

// ---- one-value sequence methods ----

void TCustomSequenceGraphStat::AddCombValues(const TComb& comb, TStatDrawArray& list) {
  TCustomGraphStat::AddCombValues(comb, list);
  AddKey(Work, list, ValueOf(comb), false);
}

void TCustomSequenceGraphStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                             TStatContext& context, TLastValueArray& lastValues) {
  TCustomGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  AddKey(Work, list, ValueOf(Current.Values), true);
}

bool TCustomSequenceGraphStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                           bool, bool) {
  return SelectedHasKey(selected, static_cast<uint16_t>(ValueOf(comb)), 0, 0, 0);
}

void TstSequenceCnt::ListAllValues(int last, TStatDrawArray& list) {
  TCustomSequenceGraphStat::ListAllValues(last, list);
  AddRange(Work, list, 0, 2);
}

int TstSequenceCnt::ValueOf(const TComb& values) const {
  return SequenceCount(values, false);
}

int32_t TstSequenceCnt::GraphValueOf(const TComb& values, int, int, bool) {
  return SequenceCount(values, true);
}

void TstSequenceLenMax::ListAllValues(int last, TStatDrawArray& list) {
  TCustomSequenceGraphStat::ListAllValues(last, list);
  AddRange(Work, list, 1, CombSize);
}

int TstSequenceLenMax::ValueOf(const TComb& values) const {
  return SequenceLongest(values, false);
}

int32_t TstSequenceLenMax::GraphValueOf(const TComb& values, int, int, bool) {
  // The graph shows "no neighbours at all" as 0 rather than a run of one.
  const int longest = SequenceLongest(values, true);
  return longest < 2 ? 0 : longest;
}

// ---- repeat helpers ----

int ShiftedNumber(int n, int k) {
  // A missing number stays missing: shifting the zeros of an empty record would invent numbers.
  if (n == 0 || k == 0) return n;
  return ShiftNumber(n, k);
}

void MarkDrawNumbers(const TDrawsArray& draws, int index, int shift, TNumberMarks& marks) {
  marks.fill(false);
  if (!InArchive(draws, index)) return;
  for (uint8_t n : draws[static_cast<size_t>(index)].Values)
    if (n >= 1 && n <= NumbersCount) marks[ShiftedNumber(n, shift)] = true;
}

const TNumberMarks& TRepeatState::MarksOf(const TDrawsArray& draws, int index) {
  if (!cached_ || cachedIndex_ != index) {
    MarkDrawNumbers(draws, index, shift_, marks_);
    cached_ = true;
    cachedIndex_ = index;
  }
  return marks_;
}

const TNumberMarks& TRepeatState::MarksOf2(const TDrawsArray& draws, int index) {
  if (!cached2_ || cachedIndex2_ != index) {
    MarkDrawNumbers(draws, index, shift_, marks2_);
    cached2_ = true;
    cachedIndex2_ = index;
  }
  return marks2_;
}

// ---- TCustomRepValues2Stat ----

void TCustomRepValues2Stat::ListAllValues(int last, TStatDrawArray& list) {
  TCustomValuesStat::ListAllValues(last, list);
  if (!InArchive(Draws, last)) return;
  for (uint8_t n : Draws[static_cast<size_t>(last)].Values)
    if (n != 0) AddKey(Work, list, ShiftedNumber(n, Shift()), false);
}

void TCustomRepValues2Stat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                          TStatContext& context, TLastValueArray& lastValues) {
  TCustomValuesStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  const TNumberMarks& reference = MarksOf(Draws, last);
  TNumberMarks current;
  MarkValues(Current.Values, current);
  ReadDrawInto(Draws, index - Distance(), sorted, earlier_);
  for (uint8_t n : earlier_.Values) {
    // The marks cover the numbers of the game only.
    if (n < 1 || n > NumbersCount) continue;
    const int x = ShiftedNumber(n, Shift());
    if (reference[x] && current[x]) AddKey(Work, list, x, true);
  }
}

bool TCustomRepValues2Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                        bool, bool) {
  return AnySelected(comb, selected);
}

// ---- TCustomRepCount2Stat ----

void TCustomRepCount2Stat::ListAllValues(int last, TStatDrawArray& list) {
  TCustomNumbersStat::ListAllValues(last, list);
  AddRange(Work, list, 1, CombSize);
}

void TCustomRepCount2Stat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                         TStatContext& context, TLastValueArray& lastValues) {
  TCustomNumbersStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  TNumberMarks earlier;
  MarkDrawNumbers(Draws, index - Distance(), Shift(), earlier);
  int count = 0;
  for (uint8_t n : Current.Values)
    if (n >= 1 && n <= NumbersCount && earlier[n]) ++count;
  AddKey(Work, list, count, true);
}

bool TCustomRepCount2Stat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int last,
                                       bool, bool) {
  // The candidate follows draw[last]; Distance draws before it lies draw[last - Distance + 1].
  const TNumberMarks& earlier = MarksOf(Draws, last - Distance() + 1);
  int count = 0;
  for (uint8_t n : comb)
    if (n <= NumbersCount && earlier[n]) ++count;
  return SelectedHasKey(selected, static_cast<uint16_t>(count), 0, 0, 0);
}

// ---- three-draw repeats ----

void TCustomRep3ValuesStat::ListAllValues(int last, TStatDrawArray& list) {
  TCustomValuesStat::ListAllValues(last, list);
  if (!InArchive(Draws, last)) return;
  for (uint8_t n : Draws[static_cast<size_t>(last)].Values)
    if (n != 0) AddKey(Work, list, n, false);
}

void TCustomRep3ValuesStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                          TStatContext& context, TLastValueArray& lastValues) {
  TCustomValuesStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  const TNumberMarks& reference = MarksOf(Draws, last);
  TNumberMarks one, two;
  MarkDrawNumbers(Draws, index - 1, 0, one);
  MarkDrawNumbers(Draws, index - 2, 0, two);
  for (uint8_t n : Current.Values) {
    if (n < 1 || n > NumbersCount) continue;
    if (reference[n] && one[n] && two[n] == inThird_) AddKey(Work, list, n, true);
  }
}

bool TCustomRep3ValuesStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int,
                                        bool, bool) {
  return AnySelected(comb, selected);
}

void TCustomRep3CountStat::ListAllValues(int last, TStatDrawArray& list) {
  TCustomNumbersStat::ListAllValues(last, list);
  AddRange(Work, list, 1, CombSize);
}

int TCustomRep3CountStat::CountOf(const TComb& comb, const TNumberMarks& one,
                                  const TNumberMarks& two) const {
  int count = 0;
  for (uint8_t n : comb)
    if (n >= 1 && n <= NumbersCount && one[n] && two[n] == inThird_) ++count;
  return count;
}

void TCustomRep3CountStat::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                                         TStatContext& context, TLastValueArray& lastValues) {
  TCustomNumbersStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  TNumberMarks one, two;
  MarkDrawNumbers(Draws, index - 1, 0, one);
  MarkDrawNumbers(Draws, index - 2, 0, two);
  AddKey(Work, list, CountOf(Current.Values, one, two), true);
}

bool TCustomRep3CountStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int last,
                                       bool, bool) {
  // The two draws just before the candidate: the reference draw and the one before it.
  const TNumberMarks& one = MarksOf(Draws, last);
  const TNumberMarks& two = MarksOf2(Draws, last - 1);
  return SelectedHasKey(selected, static_cast<uint16_t>(CountOf(comb, one, two)), 0, 0, 0);
}

KVARN_STAT_CLASS(TstSequenceLen)
KVARN_STAT_CLASS(TstSequenceCnt)
KVARN_STAT_CLASS(TstSequenceLenMax)
KVARN_STAT_CLASS(TstRepValues2)
KVARN_STAT_CLASS(TstRepValues3)
KVARN_STAT_CLASS(TstRepValues2B3)
KVARN_STAT_CLASS(TstRepValues2over1)
KVARN_STAT_CLASS(TstRepValues2over2)
KVARN_STAT_CLASS(TstRepValues2over3)
KVARN_STAT_CLASS(TstRepValues2P1)
KVARN_STAT_CLASS(TstRepValues2N1)
KVARN_STAT_CLASS(TstRepValues2P2)
KVARN_STAT_CLASS(TstRepValues2N2)
KVARN_STAT_CLASS(TstRepCount2)
KVARN_STAT_CLASS(TstRepCount3)
KVARN_STAT_CLASS(TstRepCount2B3)
KVARN_STAT_CLASS(TstRepCount2over1)
KVARN_STAT_CLASS(TstRepCount2over2)
KVARN_STAT_CLASS(TstRepCount2over3)
KVARN_STAT_CLASS(TstRepCount2P1)
KVARN_STAT_CLASS(TstRepCount2N1)
KVARN_STAT_CLASS(TstRepCount2P2)
KVARN_STAT_CLASS(TstRepCount2N2)

}  // namespace kvarn
