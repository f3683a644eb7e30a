#include "stakes/regular.h"

#include <cstring>

#include "core/codec.h"
#include "core/lottery_text.h"
#include "core/text.h"

namespace kvarn {

namespace {

void PutU32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetU32(const uint8_t* in) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[i]) << (8 * i);
  return v;
}

}  // namespace

void RegularToBytes(const TRegular& r, uint8_t* out) {
  std::memset(out, 0, RegularRecordSize);
  // cp1251 has one byte per character, so cutting the bytes cuts characters.
  std::string raw = Utf8ToCp1251(r.Comment);
  if (raw.size() > RegularCommentMaxLen) raw.resize(RegularCommentMaxLen);
  out[RegularOffset::Comment] = static_cast<uint8_t>(raw.size());
  std::memcpy(out + RegularOffset::Comment + 1, raw.data(), raw.size());
  out[RegularOffset::Base] = r.Base;
  std::memcpy(out + RegularOffset::Start, r.Start.data(), CombSize);
  std::memcpy(out + RegularOffset::Current, r.Current.data(), CombSize);
  PutU32(out + RegularOffset::Step, static_cast<uint32_t>(r.Step));
  PutU32(out + RegularOffset::Stakes, r.Stakes);
}

TRegular RegularFromBytes(const uint8_t* in) {
  TRegular r;
  const size_t len = in[RegularOffset::Comment];  // at most 255: always inside the field
  r.Comment = Cp1251ToUtf8(
      std::string_view(reinterpret_cast<const char*>(in + RegularOffset::Comment + 1), len));
  r.Base = in[RegularOffset::Base];
  std::memcpy(r.Start.data(), in + RegularOffset::Start, CombSize);
  std::memcpy(r.Current.data(), in + RegularOffset::Current, CombSize);
  r.Step = static_cast<int32_t>(GetU32(in + RegularOffset::Step));
  r.Stakes = GetU32(in + RegularOffset::Stakes);
  return r;
}

void RegularAdvance(TRegular& r, const TDrawsArray& draws, int offset) {
  TComb base = r.Current;
  if (r.Base == rbLastDraw) {
    const int64_t index = static_cast<int64_t>(draws.size()) - 1 - offset;
    base = index >= 0 && index < static_cast<int64_t>(draws.size())
               ? draws[static_cast<size_t>(index)].Values
               : TComb{};
  }
  // A step of 0 leaves every number as it is, a missing draw's zeros included.
  TComb next = r.Step == 0 ? base : ShiftComb(base, r.Step);
  SortComb(next);
  r.Current = next;
  ++r.Stakes;
}

bool RegularCombValid(const TComb& c) {
  TNumberBits seen;
  for (uint8_t v : c) {
    if (v < 1 || v > NumbersCount || seen.test(v)) return false;
    seen.set(v);
  }
  return true;
}

std::array<std::string, RegularColumnsCount> RegularRowTexts(const TRegular& r) {
  return {r.Comment, CombText(r.Start), std::to_string(r.Step), CombText(r.Current),
          std::to_string(r.Stakes)};
}

}  // namespace kvarn
