// The dialog's number rule, the grid rows and the graph data.
#include <gtest/gtest.h>

#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stake_input.h"
#include "stakes/stakes_fixture.h"
#include "stakes/stakes_graph.h"
#include "stakes/stakes_grid.h"

namespace kvarn {
namespace {

TEST(StakeInput, AcceptsFiveToTwelveDistinctNumbersSeparatedBySemicolonOrComma) {
  TNumberSet s;
  ASSERT_TRUE(ParseStakeNumbers("5,1;3 ,, 2;4", s));
  EXPECT_EQ(NumberSetText(s, ";"), "1;2;3;4;5");
  ASSERT_TRUE(ParseStakeNumbers("36;35;34;33;32;31;30;29;28;27;26;25", s));
  EXPECT_EQ(s.Count, 12);
  EXPECT_EQ(s.Numbers[0], 25);

  for (const char* bad : {"1;2;3;4", "1;2;3;4;5;6;7;8;9;10;11;12;13", "1;2;3;4;4", "0;1;2;3;4",
                          "1;2;3;4;37", "1;2;3;4;x", "1 2 3 4 5", ""}) {
    SCOPED_TRACE(bad);
    TNumberSet untouched = Numbers({9, 9, 9, 9, 9});
    EXPECT_FALSE(ParseStakeNumbers(bad, untouched));
    EXPECT_EQ(untouched.Numbers[0], 9);
  }
}

TEST(StakeInput, ApplyTakesTheTypedFieldsAndPricesTheTypedCount) {
  const TConfigData c = PriceTenPrizeFifty();
  const TStake prepared = ManualStake(77, Numbers({1, 2, 3, 4, 5}));
  const TStake s = StakeInputApply(prepared, 80, "7,6,5,4,3,2,1", "мой", c.StakeCost, c.Profits);
  EXPECT_EQ(s.DrawNumber, 80);
  EXPECT_EQ(NumberSetText(s.Numbers, ";"), "1;2;3;4;5;6;7");
  EXPECT_EQ(s.Comment, "мой");
  EXPECT_EQ(MoneyText(s.Profit), "-210.00");
  EXPECT_EQ(s.SampleSize, prepared.SampleSize);
  EXPECT_EQ(s.Kind, skManual);

  auto message = [&](const char* numbers, const char* comment) {
    try {
      StakeInputApply(prepared, 80, numbers, comment, c.StakeCost, c.Profits);
    } catch (const EKvarnError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  // The numbers are judged first.
  EXPECT_EQ(message("1;2;3;4", ""), "Введена некорректная комбинация!");
  EXPECT_EQ(message("1;2;3;4;5", "  "), "Необходимо ввести комментарий!");
}

TEST(StakeInput, LiveSumCountsWordsThatAreNotNumbersAsZero) {
  EXPECT_EQ(StakeNumbersSum("1;2;3;4;5"), 15);
  EXPECT_EQ(StakeNumbersSum("10, x; 5;"), 15);
  EXPECT_EQ(StakeNumbersSum(""), 0);
}

TEST(StakeGrid, CheckedStakeShowsItsResultAndColours) {
  TStake s = ManualStake(999, Numbers({1, 2, 3, 4, 5}));
  s.Checked = 1;
  s.DrawValues = {5, 20, 3, 36, 1};
  s.Matched = Numbers({1, 3, 5});
  s.Profit = 400000;
  const TStakeRow row = StakeGridRow(s);
  EXPECT_EQ(row.Cells, (std::array<std::string, StakeColumnsCount>{
                           "999", "Вручную", "1;2;3;4;5", "376992", "5;20;3;36;1", "3", "1 3 5",
                           "40.00", ManualStakeComment}));
  EXPECT_EQ(row.Background, 15400938u);
  EXPECT_TRUE(row.HasResult);
  EXPECT_EQ(row.ResultColour, StakeWinColour);
  EXPECT_TRUE(StakeNumberMatched(s, 3));
  EXPECT_FALSE(StakeNumberMatched(s, 2));

  s.Profit = 0;  // no gain is shown as a loss
  EXPECT_EQ(StakeGridRow(s).ResultColour, StakeLossColour);
}

TEST(StakeGrid, UncheckedStakeShowsItsCostAndSeparatorIsEmpty) {
  TStake s = ManualStake(1000, Numbers({1, 2, 3, 4, 5, 6, 7}));
  s.Kind = skSystem;
  const TStakeRow row = StakeGridRow(s);
  EXPECT_EQ(row.Cells[scDrawValues], "");
  EXPECT_EQ(row.Cells[scMatches], "");
  EXPECT_EQ(row.Cells[scProfit], "-210.00");
  EXPECT_FALSE(row.HasResult);
  EXPECT_EQ(row.Background, 14286332u);

  const TStakeRow sep = StakeGridRow(StakeBlank());
  for (const std::string& c : sep.Cells) EXPECT_EQ(c, "");
  EXPECT_EQ(sep.Background, StakeWindowColour);
  EXPECT_FALSE(StakeNumberMatched(StakeBlank(), 0));
}

using StakesGraph = StakesDir;

TEST_F(StakesGraph, ProfitPerDrawInOrderOfFirstAppearanceWithAverageAndRunningTotal) {
  TStakesFile& f = Open();
  EXPECT_TRUE(StakesGraphDraws(f).empty());
  TStake win = ManualStake(12, Numbers({1, 2, 3, 4, 5}));
  win.Checked = 1;
  win.Matched = Numbers({1, 2, 3});
  win.Profit = 400000;
  f.WriteRecord(win, 0, TStakeOrigin::End);                // 12: +40
  f.Append(ManualStake(10, Numbers({1, 2, 3, 4, 5})), 1);  // 10: -10
  f.Append(ManualStake(12, Numbers({1, 2, 3, 4, 6})), 1);  // 12: -10
  f.AppendSeparator();
  const std::vector<TGraphSeries> g = StakesGraphDraws(f);
  ASSERT_EQ(g.size(), 3u);
  EXPECT_EQ(g[0].Title, "Суммарный профит ставок по тиражу");
  EXPECT_EQ(g[1].Title, "Среднее значение");
  EXPECT_EQ(g[2].Title, "Накопленное значение");
  ASSERT_EQ(g[0].Points.size(), 2u);
  EXPECT_EQ(g[0].Points[0].X, 12);
  EXPECT_EQ(g[0].Points[0].Y, 30);
  EXPECT_EQ(g[0].Points[1].X, 10);
  EXPECT_EQ(g[0].Points[1].Y, -10);
  EXPECT_EQ(g[1].Points[0].Y, 10);
  EXPECT_EQ(g[1].Points[1].Y, 10);
  EXPECT_EQ(g[2].Points[1].Y, 20);
}

TEST_F(StakesGraph, ByCommentTakesTheLastHundredDrawsAndIgnoresLetterCase) {
  TStakesFile& f = Open();
  auto checked = [](int draw, const char* comment, int m) {
    TStake s = ManualStake(draw, Numbers({1, 2, 3, 4, 5}), PriceTenPrizeFifty(), comment);
    s.Checked = 1;
    s.Matched.Count = m;
    s.Profit = m * 10000;
    return s;
  };
  f.WriteRecord(checked(1, "Фильтр", 1), 0, TStakeOrigin::End);
  EXPECT_TRUE(StakesGraphByComment(f, {"фильтр"}, false).empty());  // one draw is not enough
  for (int d = 2; d <= 102; ++d) {
    f.WriteRecord(checked(d, "ФИЛЬТР", d % 6), 0, TStakeOrigin::End);
    f.WriteRecord(checked(d, "другой", 0), 0, TStakeOrigin::End);
  }
  const std::vector<TGraphSeries> g = StakesGraphByComment(f, {"фильтр", "нет такого"}, true);
  ASSERT_EQ(g.size(), 2u);
  ASSERT_EQ(g[0].Points.size(), 100u);
  EXPECT_EQ(g[0].Points.front().X, 3);
  EXPECT_EQ(g[0].Points.front().Y, 3 % 6);
  EXPECT_EQ(g[0].Points.back().X, 102);
  EXPECT_TRUE(g[1].Points.empty());
}

}  // namespace
}  // namespace kvarn
