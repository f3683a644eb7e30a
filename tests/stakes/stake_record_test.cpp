#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/lottery_text.h"
#include "core/text.h"
#include "core/utf8.h"
#include "stakes/stake.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

std::string Hex(const uint8_t* b, size_t from, size_t to) {
  std::string s;
  for (size_t i = from; i < to; ++i) s += StrFormat("%s%02x", i == from ? "" : " ", b[i]);
  return s;
}

TStake CheckedExample() {
  TStake s = ManualStake(999, Numbers({1, 2, 3, 4, 5}));
  s.Checked = 1;
  s.DrawValues = {5, 20, 3, 36, 1};
  s.Matched = Numbers({1, 3, 5});
  s.Profit = 400000;
  return s;
}

TEST(StakeRecord, ByteLayoutOfACheckedStake) {
  uint8_t b[StakeRecordSize];
  StakeToBytes(CheckedExample(), b);
  EXPECT_EQ(Hex(b, 0, 16), "02 01 00 00 e7 03 00 00 01 00 00 00 a0 c0 05 00");
  EXPECT_EQ(Hex(b, 16, 32), "05 00 00 00 01 02 03 04 05 00 00 00 00 00 00 00");
  EXPECT_EQ(Hex(b, 32, 48), "05 14 03 24 01 00 00 00 03 00 00 00 01 03 05 00");
  EXPECT_EQ(Hex(b, 48, 64), "00 00 00 00 00 00 00 00 80 1a 06 00 00 00 00 00");
  EXPECT_EQ(Hex(b, 64, 81),
            "10 d1 f2 e0 e2 ea e0 20 22 e2 f0 f3 f7 ed f3 fe 22");  // cp1251, length first
  for (size_t i = 81; i < StakeRecordSize; ++i) ASSERT_EQ(b[i], 0) << "offset " << i;

  const TStake r = StakeFromBytes(b);
  EXPECT_EQ(r.Version, 2);
  EXPECT_EQ(r.Kind, skManual);
  EXPECT_EQ(r.DrawNumber, 999);
  EXPECT_TRUE(r.IsChecked());
  EXPECT_EQ(r.SampleSize, 376992);
  EXPECT_EQ(NumberSetText(r.Numbers, ";"), "1;2;3;4;5");
  EXPECT_EQ(r.DrawValues, (TComb{5, 20, 3, 36, 1}));
  EXPECT_EQ(r.Matches(), 3);
  EXPECT_EQ(NumberSetText(r.Matched, ";"), "1;3;5");
  EXPECT_EQ(r.Profit, 400000);
  EXPECT_EQ(r.Comment, ManualStakeComment);
}

TEST(StakeRecord, SeparatorAndUncheckedStakeCarryMinusOneAndTheNegativeCost) {
  uint8_t b[StakeRecordSize];
  StakeToBytes(StakeBlank(), b);
  EXPECT_EQ(Hex(b, 0, 16), "02 00 00 00 ff ff ff ff 00 00 00 00 00 00 00 00");
  EXPECT_EQ(Hex(b, 40, 44), "ff ff ff ff");
  size_t nonZero = 0;
  for (size_t i = 0; i < StakeRecordSize; ++i) nonZero += b[i] != 0;
  EXPECT_EQ(nonZero, 9u);  // version, four bytes of -1 twice

  // An unchecked 7-number stake: m = -1, profit -210.00 as two's complement.
  StakeToBytes(ManualStake(5, Numbers({1, 2, 3, 4, 5, 6, 7})), b);
  EXPECT_EQ(Hex(b, 40, 44), "ff ff ff ff");
  EXPECT_EQ(Hex(b, 56, 64), "e0 f4 df ff ff ff ff ff");
  EXPECT_EQ(StakeFromBytes(b).Profit, -2100000);
}

TEST(StakeRecord, CommentIsCutTo255CharactersAndKeepsCyrillic) {
  TStake s = ManualStake(1, Numbers({1, 2, 3, 4, 5}));
  s.Comment = std::string(300, 'x');
  uint8_t b[StakeRecordSize];
  StakeToBytes(s, b);
  EXPECT_EQ(b[64], 255);
  EXPECT_EQ(StakeFromBytes(b).Comment, std::string(255, 'x'));

  std::string cyr;
  for (int i = 0; i < 260; ++i) cyr += "ж";
  s.Comment = cyr;
  StakeToBytes(s, b);
  EXPECT_EQ(b[64], 255);  // characters, not UTF-8 bytes
  EXPECT_EQ(Utf8Length(StakeFromBytes(b).Comment), 255u);
}

TEST(StakeRecord, DecoderReusesTheCommentOnlyWhileTheBytesAreTheSame) {
  uint8_t a[StakeRecordSize], b[StakeRecordSize];
  StakeToBytes(ManualStake(1, Numbers({1, 2, 3, 4, 5}), PriceTenPrizeFifty(), "Первый"), a);
  StakeToBytes(ManualStake(2, Numbers({1, 2, 3, 4, 6}), PriceTenPrizeFifty(), "Второй"), b);
  TStakeDecoder d;
  EXPECT_EQ(d.Decode(a).Comment, "Первый");
  EXPECT_EQ(d.Decode(a).Comment, "Первый");
  EXPECT_EQ(d.Decode(b).Comment, "Второй");
  EXPECT_EQ(d.Decode(b).DrawNumber, 2);
}

// Price 10, prizes {3 -> 50}.
TEST(StakeProfit, PriceCountsEverySimpleCombinationAndThePrizeOnce) {
  const TConfigData c = PriceTenPrizeFifty();
  EXPECT_EQ(MoneyText(StakeProfit(5, 3, c.StakeCost, c.Profits)), "40.00");
  EXPECT_EQ(MoneyText(StakeProfit(5, 2, c.StakeCost, c.Profits)), "-10.00");
  EXPECT_EQ(MoneyText(StakeProfit(6, 3, c.StakeCost, c.Profits)), "-10.00");
  EXPECT_EQ(MoneyText(StakeProfit(7, -1, c.StakeCost, c.Profits)), "-210.00");
  EXPECT_EQ(StakeProfit(12, -1, c.StakeCost, c.Profits), -792 * 100000);
  // The first row for m counts; later rows for the same m do not.
  EXPECT_EQ(StakeProfit(5, 3, 100000, {{3, 500000}, {3, 900000}}), 400000);
  // No row for m: the profit is the negative cost.
  EXPECT_EQ(StakeProfit(5, 0, 100000, {{3, 500000}}), -100000);
  // Absurd prices saturate instead of wrapping around to a win.
  EXPECT_EQ(StakeProfit(12, -1, INT64_MAX / 10, {}), -INT64_MAX);
}

TEST(StakeApplyDraw, StoresDrawnOrderMatchedNumbersAscendingAndProfit) {
  const TConfigData c = PriceTenPrizeFifty();
  uint8_t b[StakeRecordSize];
  StakeToBytes(ManualStake(999, Numbers({1, 2, 3, 4, 5}), c, "abc"), b);
  StakeBytesApplyDraw(b, Draw(999, {5, 20, 3, 36, 1}), c.StakeCost, c.Profits);
  const TStake s = StakeFromBytes(b);
  EXPECT_TRUE(s.IsChecked());
  EXPECT_EQ(s.DrawValues, (TComb{5, 20, 3, 36, 1}));
  EXPECT_EQ(NumberSetText(s.Matched, ";"), "1;3;5");
  EXPECT_EQ(s.Profit, 400000);
  EXPECT_EQ(s.Comment, "abc");

  // A damaged count never reads past the number bytes.
  StakeToBytes(ManualStake(1, Numbers({1, 2, 3, 4, 5})), b);
  b[StakeOffset::Count] = 200;
  StakeBytesApplyDraw(b, Draw(1, {1, 2, 3, 4, 5}), c.StakeCost, c.Profits);
  EXPECT_EQ(StakeBytesMatches(b), 5);
}

}  // namespace
}  // namespace kvarn
