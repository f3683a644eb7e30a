// One stake: the 320-byte record of the stakes file, its profit and the separator record that
// stands between groups of stakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config.h"
#include "core/lottery.h"

namespace kvarn {

constexpr size_t StakeRecordSize = 320;
constexpr uint8_t StakeVersion = 2;
constexpr size_t StakeCommentMaxLen = 255;  // characters of the stored comment

// Where a stake came from; 0 marks a separator record.
enum TStakeKind : uint8_t {
  skSeparator = 0,
  skManual = 1,
  skRegular = 2,
  skScenario = 3,
  skSystem = 4
};

// Byte offsets of the record's fields.
namespace StakeOffset {
constexpr size_t Version = 0;
constexpr size_t Kind = 1;
constexpr size_t DrawNumber = 4;
constexpr size_t Checked = 8;
constexpr size_t SampleSize = 12;
constexpr size_t Count = 16;
constexpr size_t Numbers = 20;
constexpr size_t DrawValues = 32;
constexpr size_t Matched = 40;
constexpr size_t MatchedNumbers = 44;
constexpr size_t Profit = 56;
constexpr size_t Comment = 64;
}  // namespace StakeOffset

struct TStake {
  uint8_t Version = StakeVersion;
  uint8_t Kind = skSeparator;
  int32_t DrawNumber = -1;
  uint8_t Checked = 0;         // 0 not yet checked, 1 checked
  int32_t SampleSize = 0;      // the combination list's count when the stake was made
  TNumberSet Numbers;          // 5..12 numbers, ascending
  TComb DrawValues{};          // after checking: the draw's numbers in drawn order
  TNumberSet Matched{-1, {}};  // Count is the match count m, -1 until checked
  int64_t Profit = 0;          // x 10000; before checking the negative cost
  std::string Comment;         // UTF-8 here, cp1251 in the file

  bool IsChecked() const { return Checked != 0; }
  int Matches() const { return Matched.Count; }
  // A record that stands for a stake (separators and empty rows have no draw number above 0).
  bool HasDraw() const { return DrawNumber > 0; }
};

// Explicit little-endian layout; reserved bytes are written as zero and the comment is cut to
// 255 characters.
void StakeToBytes(const TStake& s, uint8_t* out);
TStake StakeFromBytes(const uint8_t* in);

// Reads the comment of many records quickly: consecutive records mostly share one comment, so
// the last conversion is reused while the stored bytes stay the same.
class TStakeDecoder {
 public:
  TStake Decode(const uint8_t* in);

 private:
  std::string raw_;
  std::string text_;
};

// The separator record: version 2, kind 0, draw number -1, match count -1, all else zero.
TStake StakeBlank();

// Raw fields read straight from a record's bytes, for scans that must not decode every record.
int32_t StakeBytesDrawNumber(const uint8_t* in);
int32_t StakeBytesMatches(const uint8_t* in);
int32_t StakeBytesCount(const uint8_t* in);
TNumberSet StakeBytesNumbers(const uint8_t* in);
int64_t StakeBytesProfit(const uint8_t* in);
inline uint8_t StakeBytesKind(const uint8_t* in) {
  return in[StakeOffset::Kind];
}
inline bool StakeBytesChecked(const uint8_t* in) {
  return in[StakeOffset::Checked] != 0;
}
void StakeBytesSetDrawNumber(uint8_t* in, int32_t drawNumber);
void StakeBytesSetNumbers(uint8_t* in, const TNumberSet& numbers);

// Profit of a stake of n numbers with m matches (m = -1: not yet known) in fixed point: the prize
// of the first table row for m, if any, less C(n,5) times the price. Saturates instead of
// overflowing on absurd prices.
int64_t StakeProfit(int n, int m, int64_t cost, const TProfitsArray& prizes);

// A fresh unchecked stake: match count -1, profit the negative cost.
TStake StakeNew(uint8_t kind, int32_t drawNumber, int32_t sampleSize, const TNumberSet& numbers,
                const std::string& comment, int64_t cost, const TProfitsArray& prizes);

// Checks the record in place against its draw: sets the checked flag, stores the draw's numbers
// in drawn order, the matched numbers ascending, their count m and the profit. The comment bytes
// are not touched.
void StakeBytesApplyDraw(uint8_t* rec, const TDraw& draw, int64_t cost,
                         const TProfitsArray& prizes);

// Money as "%.2f" of the amount.
std::string MoneyText(int64_t money);

// The comment of a manual stake.
extern const char* const ManualStakeComment;

}  // namespace kvarn
