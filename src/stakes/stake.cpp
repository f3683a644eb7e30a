#include "stakes/stake.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/codec.h"
#include "core/text.h"

namespace kvarn {

const char* const ManualStakeComment = "Ставка \"вручную\"";

namespace {

void PutU32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetU32(const uint8_t* in) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[i]) << (8 * i);
  return v;
}

void PutI64(uint8_t* out, int64_t v) {
  uint64_t u = static_cast<uint64_t>(v);
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(u >> (8 * i));
}

int64_t GetI64(const uint8_t* in) {
  uint64_t u = 0;
  for (int i = 0; i < 8; ++i) u |= static_cast<uint64_t>(in[i]) << (8 * i);
  return static_cast<int64_t>(u);
}

// A number block: the 32-bit count, then 12 number bytes of which the first `count` are used.
void PutSet(uint8_t* out, const TNumberSet& s) {
  PutU32(out, static_cast<uint32_t>(s.Count));
  const int used = std::clamp(s.Count, 0, MaxSetSize);
  for (int i = 0; i < MaxSetSize; ++i)
    out[4 + i] = i < used ? s.Numbers[static_cast<size_t>(i)] : 0;
}

TNumberSet GetSet(const uint8_t* in) {
  TNumberSet s;
  s.Count = static_cast<int32_t>(GetU32(in));
  for (int i = 0; i < MaxSetSize; ++i) s.Numbers[static_cast<size_t>(i)] = in[4 + i];
  return s;
}

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// cp1251 has one byte per character, so cutting the bytes cuts characters.
std::string CommentBytes(const std::string& comment) {
  std::string raw = IsAscii(comment) ? comment : Utf8ToCp1251(comment);
  if (raw.size() > StakeCommentMaxLen) raw.resize(StakeCommentMaxLen);
  return raw;
}

std::string_view StoredComment(const uint8_t* in) {
  return std::string_view(reinterpret_cast<const char*>(in + StakeOffset::Comment + 1),
                          in[StakeOffset::Comment]);
}

std::string CommentText(std::string_view raw) {
  return IsAscii(raw) ? std::string(raw) : Cp1251ToUtf8(raw);
}

int64_t SaturatedMul(int64_t a, int64_t b) {
  int64_t r;
  if (!__builtin_mul_overflow(a, b, &r)) return r;
  return (a < 0) != (b < 0) ? std::numeric_limits<int64_t>::min()
                            : std::numeric_limits<int64_t>::max();
}

int64_t SaturatedSub(int64_t a, int64_t b) {
  int64_t r;
  if (!__builtin_sub_overflow(a, b, &r)) return r;
  return b < 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

}  // namespace

void StakeToBytes(const TStake& s, uint8_t* out) {
  std::memset(out, 0, StakeRecordSize);
  out[StakeOffset::Version] = s.Version;
  out[StakeOffset::Kind] = s.Kind;
  PutU32(out + StakeOffset::DrawNumber, static_cast<uint32_t>(s.DrawNumber));
  out[StakeOffset::Checked] = s.Checked;
  PutU32(out + StakeOffset::SampleSize, static_cast<uint32_t>(s.SampleSize));
  PutSet(out + StakeOffset::Count, s.Numbers);
  std::memcpy(out + StakeOffset::DrawValues, s.DrawValues.data(), CombSize);
  PutSet(out + StakeOffset::Matched, s.Matched);
  PutI64(out + StakeOffset::Profit, s.Profit);
  const std::string raw = CommentBytes(s.Comment);
  out[StakeOffset::Comment] = static_cast<uint8_t>(raw.size());
  std::memcpy(out + StakeOffset::Comment + 1, raw.data(), raw.size());
}

namespace {
TStake DecodeFixed(const uint8_t* in) {
  TStake s;
  s.Version = in[StakeOffset::Version];
  s.Kind = in[StakeOffset::Kind];
  s.DrawNumber = StakeBytesDrawNumber(in);
  s.Checked = in[StakeOffset::Checked];
  s.SampleSize = static_cast<int32_t>(GetU32(in + StakeOffset::SampleSize));
  s.Numbers = GetSet(in + StakeOffset::Count);
  std::memcpy(s.DrawValues.data(), in + StakeOffset::DrawValues, CombSize);
  s.Matched = GetSet(in + StakeOffset::Matched);
  s.Profit = GetI64(in + StakeOffset::Profit);
  return s;
}
}  // namespace

TStake StakeFromBytes(const uint8_t* in) {
  TStake s = DecodeFixed(in);
  s.Comment = CommentText(StoredComment(in));
  return s;
}

TStake TStakeDecoder::Decode(const uint8_t* in) {
  TStake s = DecodeFixed(in);
  const std::string_view raw = StoredComment(in);
  if (raw != raw_) {
    raw_.assign(raw);
    text_ = CommentText(raw);
  }
  s.Comment = text_;
  return s;
}

TStake StakeBlank() {
  return TStake{};
}

int32_t StakeBytesDrawNumber(const uint8_t* in) {
  return static_cast<int32_t>(GetU32(in + StakeOffset::DrawNumber));
}

int32_t StakeBytesMatches(const uint8_t* in) {
  return static_cast<int32_t>(GetU32(in + StakeOffset::Matched));
}

int32_t StakeBytesCount(const uint8_t* in) {
  return static_cast<int32_t>(GetU32(in + StakeOffset::Count));
}

TNumberSet StakeBytesNumbers(const uint8_t* in) {
  return GetSet(in + StakeOffset::Count);
}

int64_t StakeBytesProfit(const uint8_t* in) {
  return GetI64(in + StakeOffset::Profit);
}

void StakeBytesSetDrawNumber(uint8_t* in, int32_t drawNumber) {
  PutU32(in + StakeOffset::DrawNumber, static_cast<uint32_t>(drawNumber));
}

void StakeBytesSetNumbers(uint8_t* in, const TNumberSet& numbers) {
  PutSet(in + StakeOffset::Count, numbers);
}

int64_t StakeProfit(int n, int m, int64_t cost, const TProfitsArray& prizes) {
  const int64_t total = SaturatedMul(CombCount(n, CombSize), cost);
  if (m >= 0) {
    for (const TProfit& p : prizes)
      if (p.Overlap == m) return SaturatedSub(p.Profit, total);
  }
  return SaturatedSub(0, total);
}

TStake StakeNew(uint8_t kind, int32_t drawNumber, int32_t sampleSize, const TNumberSet& numbers,
                const std::string& comment, int64_t cost, const TProfitsArray& prizes) {
  TStake s;
  s.Kind = kind;
  s.DrawNumber = drawNumber;
  s.SampleSize = sampleSize;
  s.Numbers = numbers;
  s.Comment = comment;
  s.Profit = StakeProfit(numbers.Count, -1, cost, prizes);
  return s;
}

void StakeBytesApplyDraw(uint8_t* rec, const TDraw& draw, int64_t cost,
                         const TProfitsArray& prizes) {
  TNumberSet numbers = GetSet(rec + StakeOffset::Count);
  numbers.Count = std::clamp(numbers.Count, 0, MaxSetSize);  // a damaged count stays in bounds
  const TNumberSet matched = DrawIntersect(draw, numbers);
  rec[StakeOffset::Checked] = 1;
  std::memcpy(rec + StakeOffset::DrawValues, draw.Values.data(), CombSize);
  PutSet(rec + StakeOffset::Matched, matched);
  PutI64(rec + StakeOffset::Profit, StakeProfit(numbers.Count, matched.Count, cost, prizes));
}

std::string MoneyText(int64_t money) {
  return StrFormat("%.2Lf", MoneyToReal(money));
}

}  // namespace kvarn
