#include "stats/methods/numbers.h"

namespace kvarn {

bool IsPrimeSetNumber(int n) {
  switch (n) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 7:
    case 11:
    case 13:
    case 17:
    case 19:
    case 23:
    case 29:
    case 31:
      return true;
    default:
      return false;
  }
}

// ---- TstValues ----

void TstValues::ListAllValues(int last, TStatDrawArray& list) {
  TCustomStat::ListAllValues(last, list);
  ListRange(list, 1, NumbersCount);
}

int TstValues::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  for (int i = 0; i < CombSize; ++i) keys[static_cast<size_t>(i)].Set(values[i]);
  return CombSize;
}

int TstValues::FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected,
                          int last, bool sorted, bool exclude) {
  if (typeid(*this) != typeid(TstValues))
    return TRuleStat::FilterPass(src, n, dst, selected, last, sorted, exclude);
  uint64_t mask = 0;
  for (const TStatDraw& s : selected) {
    const TStatKey& k = s.Key;
    // A key that is not a plain number 0..63 cannot be a bit: take the general path.
    if (k.K2 || k.K3 || k.K4 || k.K1 > 63)
      return TRuleStat::FilterPass(src, n, dst, selected, last, sorted, exclude);
    mask |= uint64_t{1} << k.K1;
  }
  // A shift by 64 or more is undefined: numbers above 63 (never in a list of this game) hit
  // nothing.
  const auto bit = [mask](uint8_t v) { return v < 64 ? mask >> v : uint64_t{0}; };
  int kept = 0;
  for (int i = 0; i < n; ++i) {
    const TComb& c = src[i];
    const uint64_t hits = bit(c[0]) | bit(c[1]) | bit(c[2]) | bit(c[3]) | bit(c[4]);
    if (((hits & 1) != 0) != exclude) dst[kept++] = c;
  }
  return kept;
}

// ---- TstDigits ----

int TstDigits::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  int n = 0;
  for (int i = 0; i < CombSize; ++i) {
    const int v = values[i];
    // The decimal text without leading zeros, digit by digit.
    if (v >= 10) keys[static_cast<size_t>(n++)].Set(static_cast<uint16_t>(v / 10));
    keys[static_cast<size_t>(n++)].Set(static_cast<uint16_t>(v % 10));
  }
  return n;
}

// ---- TstSmallValues ----

void TstSmallValues::ListAllValues(int last, TStatDrawArray& list) {
  TCustomStat::ListAllValues(last, list);
}

// ---- TstPosVal ----

std::string TstPosVal::ValueText(const TStatDraw& item) const {
  return std::to_string(item.Key.K1);
}

void TstPosVal::ListAllValues(int last, TStatDrawArray& list) {
  TCustomStat::ListAllValues(last, list);
  ListRange(list, 1, NumbersCount);
}

int32_t TstPosVal::GraphValueOf(const TComb& values, int, int, bool) {
  return FirstValue(values.data());
}

int TstPosVal::KeysOf(const uint8_t* values, TRuleKeys& keys) const {
  // A parameter outside 1..5 has no number at its position.
  keys[0].Set(Param >= 1 && Param <= CombSize ? values[Param - 1] : 0);
  return 1;
}

// ---- TstPosExt ----

std::string TstPosExt::ValueText(const TStatDraw& item) const {
  return std::to_string(item.Key.K1);
}

void TstPosExt::AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,
                              TStatContext& context, TLastValueArray& lastValues) {
  TCustomGraphStat::AddDrawValues(index, last, sorted, list, context, lastValues);
  // A draw holds a single extra number; further parameters would have none.
  Work.Key.Set(Param == 1 ? Current.Extra : 0);
  AddStatItem(list, Work, true);
}

bool TstPosExt::CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) {
  return false;
}

int32_t TstPosExt::GraphValueOf(const TComb&, int index, int last, bool sorted) {
  LoadDraws(index, last, sorted);
  return Param == 1 ? Current.Extra : 0;
}

KVARN_STAT_CLASS(TstValues)
KVARN_STAT_CLASS(TstDigits)
KVARN_STAT_CLASS(TstEvenCount)
KVARN_STAT_CLASS(TstEvenValues)
KVARN_STAT_CLASS(TstSmallCount)
KVARN_STAT_CLASS(TstSmallValues)
KVARN_STAT_CLASS(TstPrimeCount)
KVARN_STAT_CLASS(TstPrimeValues)
KVARN_STAT_CLASS(TstPosVal)
KVARN_STAT_CLASS(TstPosExt)

}  // namespace kvarn
