#include "stakes/regular_stakes.h"

#include <gtest/gtest.h>

#include "core/draws.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stakes_check.h"
#include "stakes/stakes_fixture.h"

namespace kvarn {
namespace {

struct TNullSink : IStakesCheckSink {
  void CheckProgress(const std::string&) override {}
  void StakeChecked(const TStake&) override { ++rated; }
  void CheckError(const std::string&) override {}
  int rated = 0;
};

class RegularStakesTest : public StakesDir {
 protected:
  void SetUp() override {
    StakesDir::SetUp();
    for (int i = 0; i < 8; ++i)
      draws.push_back(Draw(100 + i, {static_cast<uint8_t>(1 + i), static_cast<uint8_t>(10 + i),
                                     static_cast<uint8_t>(20 + i), 30, 36}));
    TRegular own;
    own.Comment = "своя";
    own.Start = own.Current = {1, 2, 3, 4, 5};
    own.Step = 2;
    TRegular drawn;
    drawn.Comment = "по тиражу";
    drawn.Base = rbLastDraw;
    drawn.Step = -1;
    regulars = {own, drawn};
  }
  TDrawsArray draws;
  TConfigData config = PriceTenPrizeFifty();
  TRegularsArray regulars;
};

TEST_F(RegularStakesTest, StakeOfAnAdvancedRegular) {
  TRegular r = regulars[0];
  RegularAdvance(r, draws, 0);
  const TStake s = RegularStake(r, DrawsNextNumber(draws, 0), 1234, config);
  EXPECT_EQ(s.Kind, skRegular);
  EXPECT_EQ(s.DrawNumber, 108);
  EXPECT_EQ(s.SampleSize, 1234);
  EXPECT_EQ(NumberSetText(s.Numbers, ";"), "3;4;5;6;7");
  EXPECT_EQ(s.Comment, "своя");
  EXPECT_EQ(s.Matches(), -1);
  EXPECT_EQ(MoneyText(s.Profit), "-10.00");

  TRegular empty = regulars[1];
  RegularAdvance(empty, TDrawsArray{}, 0);
  try {
    RegularStake(empty, 1, 0, config);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Регуляр \"по тиражу\": нет тиража, от которого строится ставка!");
  }
}

TEST_F(RegularStakesTest, TestOfFiveDrawsWithTwoRegularsStakesTheLastFiveDrawsAllChecked) {
  TStakesFile& f = Open();
  int appended = 0;
  const TRegularsTestResult r =
      RegularsStakeTest(regulars, {0, 1}, 5, draws, 777, config, f, [&] { ++appended; });
  EXPECT_TRUE(r.LastAppendOk);
  EXPECT_EQ(r.Appended, 10);
  EXPECT_EQ(appended, 10);
  EXPECT_EQ(DrawNumbers(), (std::vector<int>{103, 103, 104, 104, 105, 105, 106, 106, 107, 107}));

  // Draw 103 follows draw 102 (offset 5): the draw-based regular shifts 3;12;22;30;36 by -1.
  const TStake first = f.ReadRecord(1, TStakeOrigin::Start);
  EXPECT_EQ(NumberSetText(first.Numbers, ";"), "2;11;21;29;35");
  EXPECT_EQ(NumberSetText(f.ReadRecord(0, TStakeOrigin::Start).Numbers, ";"), "3;4;5;6;7");
  // Each tested regular moves on by five steps.
  EXPECT_EQ(CombText(regulars[0].Current), "11;12;13;14;15");
  EXPECT_EQ(regulars[0].Stakes, 5u);
  EXPECT_EQ(regulars[1].Stakes, 5u);

  TNullSink sink;
  EXPECT_TRUE(StakesCheck(f, draws, config, sink, nullptr));
  EXPECT_EQ(sink.rated, 10);
}

TEST_F(RegularStakesTest, FirstFailedAppendEndsTheTestAndLeavesThatRegularAsItWas) {
  TStakesFile& f = Open();
  f.Close();  // every append now fails
  const TRegular before = regulars[0];
  const TRegularsTestResult r = RegularsStakeTest(regulars, {0, 1}, 3, draws, 1, config, f);
  EXPECT_FALSE(r.LastAppendOk);
  EXPECT_EQ(r.Appended, 0);
  EXPECT_EQ(r.Error, "Ошибка добавления записи в файл ставок!\r\rФайл ставок не открыт!");
  EXPECT_EQ(regulars[0], before);
}

TEST_F(RegularStakesTest, TestCountMustLeaveADrawBeforeTheFirstStakedDraw) {
  TStakesFile& f = Open();
  EXPECT_EQ(RegularsTestMaxCount(draws), 7);
  EXPECT_THROW(RegularsStakeTest(regulars, {0}, 8, draws, 1, config, f), EKvarnError);
  EXPECT_THROW(RegularsStakeTest(regulars, {0}, 0, draws, 1, config, f), EKvarnError);
  EXPECT_THROW(RegularsStakeTest(regulars, {2}, 1, draws, 1, config, f), EKvarnError);
  EXPECT_EQ(f.Count(), 0);
}

}  // namespace
}  // namespace kvarn
