#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/lottery_text.h"
#include "core/text.h"
#include "core/utf8.h"
#include "stakes/regular.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

std::string Hex(const uint8_t* b, size_t from, size_t to) {
  std::string s;
  for (size_t i = from; i < to; ++i) s += StrFormat("%s%02x", i == from ? "" : " ", b[i]);
  return s;
}

TRegular Regular(TComb start, int step, uint8_t base = rbOwnComb) {
  TRegular r;
  r.Comment = "Регулярная ставка";
  r.Base = base;
  r.Start = start;
  r.Current = start;
  r.Step = step;
  return r;
}

TEST(RegularRecord, ByteLayout) {
  TRegular r = Regular({1, 2, 3, 4, 5}, -3, rbLastDraw);
  r.Current = {1, 2, 34, 35, 36};
  r.Stakes = 70000;
  uint8_t b[RegularRecordSize];
  std::memset(b, 0xAA, sizeof b);
  RegularToBytes(r, b);
  // "Регулярная ставка" in cp1251 after its length byte 17.
  EXPECT_EQ(Hex(b, 0, 18), "11 d0 e5 e3 f3 eb ff f0 ed e0 ff 20 f1 f2 e0 e2 ea e0");
  for (size_t i = 18; i < 256; ++i) ASSERT_EQ(b[i], 0) << "offset " << i;
  EXPECT_EQ(Hex(b, 256, 276), "01 01 02 03 04 05 01 02 22 23 24 00 fd ff ff ff 70 11 01 00");
  EXPECT_EQ(RegularFromBytes(b), r);
}

TEST(RegularRecord, CommentKeeps255CharactersAndUnknownCharactersBecomeQuestionMarks) {
  TRegular r = Regular({1, 2, 3, 4, 5}, 1);
  std::string cyr;
  for (int i = 0; i < 300; ++i) cyr += "ж";
  r.Comment = cyr;
  uint8_t b[RegularRecordSize];
  RegularToBytes(r, b);
  EXPECT_EQ(b[0], 255);
  EXPECT_EQ(b[256], 0);  // the base after the full comment field is untouched
  EXPECT_EQ(Utf8Length(RegularFromBytes(b).Comment), 255u);

  r.Comment = "a€b✓";
  RegularToBytes(r, b);
  EXPECT_EQ(RegularFromBytes(b).Comment, "a€b?");
}

TEST(RegularAdvance, ShiftsAroundTheCircleAndSorts) {
  TDrawsArray none;
  TRegular r = Regular({30, 31, 32, 33, 34}, 5);
  RegularAdvance(r, none, 0);
  EXPECT_EQ(CombText(r.Current), "1;2;3;35;36");
  EXPECT_EQ(r.Stakes, 1u);
  EXPECT_EQ(CombText(r.Start), "30;31;32;33;34");  // the start stays

  r = Regular({1, 2, 3, 4, 5}, -3);
  RegularAdvance(r, none, 0);
  EXPECT_EQ(CombText(r.Current), "1;2;34;35;36");
  RegularAdvance(r, none, 0);  // goes on from the current combination
  EXPECT_EQ(CombText(r.Current), "31;32;33;34;35");
  EXPECT_EQ(r.Stakes, 2u);

  r = Regular({1, 10, 20, 30, 36}, 36);  // a full turn comes back
  RegularAdvance(r, none, 0);
  EXPECT_EQ(CombText(r.Current), "1;10;20;30;36");
  r.Step = -36;
  RegularAdvance(r, none, 0);
  EXPECT_EQ(CombText(r.Current), "1;10;20;30;36");
}

TEST(RegularAdvance, BasedOnTheDrawAtTheOffset) {
  const TDrawsArray draws{Draw(10, {7, 36, 1, 20, 3}), Draw(11, {30, 2, 14, 9, 25})};
  TRegular r = Regular({}, 0, rbLastDraw);
  RegularAdvance(r, draws, 0);  // step 0 reproduces the last draw, sorted
  EXPECT_EQ(CombText(r.Current), "2;9;14;25;30");
  RegularAdvance(r, draws, 1);
  EXPECT_EQ(CombText(r.Current), "1;3;7;20;36");
  r.Step = 1;
  RegularAdvance(r, draws, 1);
  EXPECT_EQ(CombText(r.Current), "1;2;4;8;21");
  EXPECT_EQ(r.Stakes, 3u);

  // No draw at the offset: zeros, which no stake may be made from.
  r.Step = 0;
  RegularAdvance(r, draws, 2);
  EXPECT_EQ(CombText(r.Current), "0;0;0;0;0");
  EXPECT_FALSE(RegularCombValid(r.Current));
}

}  // namespace
}  // namespace kvarn
