#include "stakes/regular_input.h"

#include <gtest/gtest.h>

#include "core/lottery_text.h"
#include "stakes/stake_input.h"

namespace kvarn {
namespace {

std::vector<std::string> Comments(const TRegularsArray& list) {
  std::vector<std::string> out;
  for (const TRegular& r : list) out.push_back(r.Comment);
  return out;
}

TRegularInput Input(std::string start, uint8_t base = rbOwnComb, int step = 1) {
  TRegularInput in;
  in.StartText = std::move(start);
  in.Base = base;
  in.Step = step;
  return in;
}

TEST(RegularsCreate, OneRegularFromTheTypedStartSortedWithCountZero) {
  const TRegularsCreation c = RegularsCreate(Input(" 30 ; 5,12;;1;36 "), {}, {});
  ASSERT_EQ(c.Field, TRegularField::None) << c.Message;
  ASSERT_EQ(c.Created.size(), 1u);
  EXPECT_EQ(c.Created[0].Comment, "Регулярная ставка");
  EXPECT_EQ(CombText(c.Created[0].Start), "1;5;12;30;36");
  EXPECT_EQ(c.Created[0].Current, c.Created[0].Start);
  EXPECT_EQ(c.Created[0].Stakes, 0u);
  EXPECT_EQ(c.Created[0].Step, 1);
}

TEST(RegularsCreate, BadStartCombinationsAreRefusedFirst) {
  for (const char* text : {"1;2;3;4", "1;2;3;4;5;6", "1;2;3;4;4", "0;1;2;3;4", "1;2;3;4;37",
                           "1;2;3;4;x", "1 2 3 4 5", ""}) {
    TRegularInput in = Input(text);
    in.Comment = "";  // the start is checked before the comment
    const TRegularsCreation c = RegularsCreate(in, {}, {});
    EXPECT_EQ(c.Field, TRegularField::Start) << text;
    EXPECT_EQ(c.Message, BadStakeNumbersMessage) << text;
    EXPECT_TRUE(c.Created.empty());
  }
}

TEST(RegularsCreate, CommentMustBeGivenAndNewIgnoringCase) {
  TRegularInput in = Input("1;2;3;4;5");
  in.Comment = "  ";
  EXPECT_EQ(RegularsCreate(in, {}, {}).Message, EmptyStakeCommentMessage);

  const TRegularsArray existing = RegularsCreate(Input("1;2;3;4;5"), {}, {}).Created;
  in.Comment = "РЕГУЛЯРНАЯ Ставка";
  const TRegularsCreation c = RegularsCreate(in, {}, existing);
  EXPECT_EQ(c.Field, TRegularField::Comment);
  EXPECT_EQ(c.Message, RegularDuplicateMessage);

  in.Step = 37;
  in.Comment = "другой";
  EXPECT_EQ(RegularsCreate(in, {}, existing).Field, TRegularField::Step);
}

TEST(RegularsCreate, SeveralSelectedRowsMakeOneRegularEach) {
  const std::vector<TSelectedComb> rows{
      {4, {9, 1, 2, 3, 4}}, {9, {5, 6, 7, 8, 10}}, {12, {11, 12, 13, 14, 15}}};
  EXPECT_FALSE(RegularStartEditable(rbOwnComb, rows.size()));
  const TRegularsCreation c = RegularsCreate(Input(RegularSelectedCombsText), rows, {});
  ASSERT_EQ(c.Field, TRegularField::None) << c.Message;
  EXPECT_EQ(Comments(c.Created),
            (std::vector<std::string>{"Регулярная ставка (4)", "Регулярная ставка (9)",
                                      "Регулярная ставка (12)"}));
  EXPECT_EQ(CombText(c.Created[0].Start), "1;2;3;4;9");
  EXPECT_EQ(CombText(c.Created[0].Current), "1;2;3;4;9");
  EXPECT_EQ(CombText(c.Created[2].Start), "11;12;13;14;15");

  // A numbered comment already taken is refused as well.
  TRegularsArray existing{c.Created[1]};
  existing[0].Comment = "регулярная ставка (9)";
  TRegularInput in = Input("");
  EXPECT_EQ(RegularsCreate(in, rows, existing).Message, RegularDuplicateMessage);
}

TEST(RegularsCreate, DrawBaseMakesOneRegularWithoutAStart) {
  const std::vector<TSelectedComb> rows{{4, {9, 1, 2, 3, 4}}, {9, {5, 6, 7, 8, 10}}};
  EXPECT_FALSE(RegularStartEditable(rbLastDraw, 0));
  TRegularsCreation c = RegularsCreate(Input("garbage", rbLastDraw, 0), rows, {});
  ASSERT_EQ(c.Created.size(), 1u);
  EXPECT_EQ(c.Created[0].Base, rbLastDraw);
  EXPECT_EQ(CombText(c.Created[0].Start), "0;0;0;0;0");
  EXPECT_EQ(c.Created[0].Step, 0);

  // One selected row stays its start.
  c = RegularsCreate(Input("", rbLastDraw), {rows[0]}, {});
  EXPECT_EQ(CombText(c.Created[0].Start), "1;2;3;4;9");
  EXPECT_EQ(RegularStartTextFor({rows[0]}), "9;1;2;3;4");
  EXPECT_EQ(RegularStartTextFor(rows), "");
}

}  // namespace
}  // namespace kvarn
