#include "stakes/rating_stakes.h"

#include <gtest/gtest.h>

#include "stakes/stakes_check.h"
#include "stakes_fixture.h"

namespace kvarn {
namespace {

// The stakes check hands every stake it checks to the rating, as the workspace wires it.
class RatingSink : public IStakesCheckSink {
 public:
  explicit RatingSink(TRatingsArray& r) : ratings(r) {}
  void CheckProgress(const std::string&) override {}
  void StakeChecked(const TStake& stake) override { RatingsAdd(ratings, stake); }
  void CheckError(const std::string&) override {}
  TRatingsArray& ratings;
};

class RatingStakes : public StakesDir {
 protected:
  // Draw 10 is 1 2 3 4 5, draw 11 is 6 7 8 9 10; draw 12 has not come yet.
  const TDrawsArray draws = {Draw(10, {5, 4, 3, 2, 1}), Draw(11, {6, 7, 8, 9, 10})};
  const TConfigData config = PriceTenPrizeFifty();

  void Stake(int draw, TNumberSet numbers, const std::string& comment) {
    file->Append(ManualStake(draw, numbers, config, comment), 1);
  }
};

TEST_F(RatingStakes, CheckFeedsTheRatingAndARebuildGivesTheSameRows) {
  Open();
  Stake(10, Numbers({1, 2, 3, 20, 21}), "Test");         // 3 matches: 50 - 10
  Stake(10, Numbers({1, 2, 20, 21, 22}), "TEST");        // 2 matches: -10
  Stake(11, Numbers({6, 30, 31, 32, 33, 34}), "Шесть");  // 1 match, six numbers: -60
  file->AppendSeparator();
  Stake(12, Numbers({1, 2, 3, 4, 5}), "Test");  // its draw is not in the archive
  TRatingsArray fed;
  RatingSink sink(fed);
  ASSERT_TRUE(StakesCheck(*file, draws, config, sink, nullptr));

  ASSERT_EQ(fed.size(), 2u);
  EXPECT_EQ(fed[0].Name, "Test");
  EXPECT_EQ(fed[0].Count, 2u);
  EXPECT_EQ(fed[0].Overlap, 5u);
  EXPECT_EQ(fed[0].Overlaps, (std::array<uint32_t, 6>{0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(fed[0].Profit, 300000);
  EXPECT_EQ(fed[1].Name, "Шесть");
  EXPECT_EQ(fed[1].Profit, -600000);

  const TRatingsArray rebuilt = RatingsRebuild(*file);
  ASSERT_EQ(rebuilt.size(), fed.size());
  for (size_t i = 0; i < fed.size(); ++i) {
    EXPECT_EQ(rebuilt[i].Name, fed[i].Name);
    EXPECT_EQ(rebuilt[i].Count, fed[i].Count);
    EXPECT_EQ(rebuilt[i].Overlaps, fed[i].Overlaps);
    EXPECT_EQ(rebuilt[i].Profit, fed[i].Profit);
  }
}

TEST_F(RatingStakes, ChanceTestReadsTheRowsStakesAndCountsTheDeletedOnes) {
  Open();
  Stake(10, Numbers({1, 2, 3, 4, 5}), "Test");
  Stake(11, Numbers({1, 2, 3, 4, 5, 6, 7, 8}), "test");
  Stake(11, Numbers({20, 21, 22, 23, 24}), "Other");
  TRatingsArray ratings;
  RatingSink sink(ratings);
  StakesCheck(*file, draws, config, sink, nullptr);
  ratings[0].Count += 3;  // stakes deleted from the file since
  TRatingRecord gone;
  gone.Name = "Gone";
  gone.Count = 4;
  ratings.push_back(gone);

  std::vector<size_t> progress;
  const auto rows = RatingsChance(*file, ratings, {0, 2, 9},
                                  [&](size_t done, size_t) { progress.push_back(done); });
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(progress, (std::vector<size_t>{0, 1}));
  EXPECT_EQ(rows[0].Name, "Test");
  const TChanceResult& t = rows[0].Result;
  EXPECT_EQ(t.Stakes, 2u);
  EXPECT_EQ(t.Matches, 8u);  // five of draw 10, three of draw 11
  EXPECT_NEAR(t.ChanceMean, (25.0 + 40.0) / 36 / 2, 1e-12);
  EXPECT_EQ(t.NotFound, 3u);
  EXPECT_TRUE(t.Exact);
  EXPECT_LT(t.P, 1e-4);

  EXPECT_EQ(rows[1].Name, "Gone");
  EXPECT_EQ(rows[1].Result.Stakes, 0u);
  EXPECT_EQ(rows[1].Result.P, 1.0);
  EXPECT_EQ(rows[1].Result.NotFound, 4u);
}

TEST(ChanceSummary, OneRowSaysItsVerdictSeveralRowsAreWeighedAgainstLuck) {
  TChanceResult good;
  good.Stakes = 10;
  good.P = 0.001;
  TChanceResult plain = good;
  plain.P = 0.5;
  const TChanceResult none;
  EXPECT_EQ(ChanceSummary({{"NUMS", good}}),
            "\"NUMS\": лучше случайного при p < 0.05 (p = 0.001).");
  EXPECT_EQ(ChanceSummary({{"SUM", plain}}), "\"SUM\": не отличается от случайного (p = 0.5).");
  EXPECT_EQ(ChanceSummary({{"Gone", none}}), "\"Gone\": нет проверенных ставок.");
  std::vector<TChanceRow> many(39, {"x", plain});
  many.push_back({"y", good});
  many.push_back({"z", none});
  EXPECT_EQ(ChanceSummary(many),
            "Лучше случайного при p < 0.05: 1 из 40 (при чистой случайности около 2.0).");
}

}  // namespace
}  // namespace kvarn
