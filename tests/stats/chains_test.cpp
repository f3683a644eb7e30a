#include "stats/methods/chains.h"

#include <gtest/gtest.h>

#include "core/config.h"
#include "family_test_util.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using namespace family_test;
using TextList = std::vector<std::string>;

struct TChainFixture : TFamilyFixture {
  explicit TChainFixture(TDrawsArray d) : TFamilyFixture(std::move(d)) { list.SetConfig(&config); }
  // The values one draw adds, as the table's run adds them.
  TextList DrawTexts(TCustomStat& stat, int index, int last, bool sorted = false) {
    TStatDrawArray items;
    TStatContext context;
    TLastValueArray lastValues;
    stat.AddDrawValues(index, last, sorted, items, context, lastValues);
    return Texts(stat, items);
  }
  TConfigData config;
};

TEST(ChainMethods, NumbersWithoutPositionFollowEverySharedNumber) {
  // B = draw[0] shares 1 and 2 with R = draw[2]; C = draw[1].
  TChainFixture f(Archive({{1, 2, 10, 11, 12}, {20, 21, 22, 23, 24}, {1, 2, 30, 31, 32}}));
  auto stat = f.Create(TstChain2DrawsAll_Class());
  EXPECT_EQ(TextList({"1 -> 20=1", "1 -> 21=1", "1 -> 22=1", "1 -> 23=1", "1 -> 24=1", "2 -> 20=1",
                      "2 -> 21=1", "2 -> 22=1", "2 -> 23=1", "2 -> 24=1"}),
            f.DrawTexts(*stat, 1, 2));
  // The oldest draw has no predecessor.
  EXPECT_TRUE(f.DrawTexts(*stat, 0, 2).empty());
  // The filter tests the "to" part.
  const TStatDrawArray selected{WordsItem(12, 30)};
  EXPECT_TRUE(stat->CombMatches({5, 6, 7, 8, 30}, selected, 2, false, false));
  EXPECT_FALSE(stat->CombMatches({5, 6, 7, 8, 12}, selected, 2, false, false));
}

TEST(ChainMethods, NumbersWithPositionAndAtOnePosition) {
  // B, C, R in drawn order.
  TChainFixture f(
      Archive({{3, 9, 17, 22, 30}, {1, 8, 20, 27, 33}, {5, 9, 18, 22, 35}, {1, 2, 3, 4, 5}}));
  auto all = f.Create(TstChain2DrawsPos_Class());
  EXPECT_EQ(TextList({"9 -> 8=1", "22 -> 27=1"}), f.DrawTexts(*all, 1, 2));
  auto second = f.Create(TstChain2Pos_Class(), 2);
  EXPECT_EQ(TextList({"9 -> 8=1"}), f.DrawTexts(*second, 1, 2));
  auto first = f.Create(TstChain2Pos_Class(), 1);
  EXPECT_TRUE(f.DrawTexts(*first, 1, 2).empty());
  // Sorted changes the positions: B = 3 9 17 22 30 and R = 5 9 18 22 35 are already ascending,
  // C stays too, so the same transitions come out.
  EXPECT_EQ(TextList({"9 -> 8=1", "22 -> 27=1"}), f.DrawTexts(*all, 1, 2, true));
  EXPECT_TRUE(second->CombMatches({8, 10, 11, 12, 13}, {WordsItem(9, 8)}, 2, false, false));
}

TEST(ChainMethods, ThreeDrawsNeedBothEarlierPositionsToMatch) {
  // A, B, C, then Q and R: position 1 matches in both pairs (4 = 4, 6 = 6), position 2 only in
  // the newer pair.
  TChainFixture f(Archive({{4, 10, 20, 25, 30},
                           {6, 11, 21, 26, 31},
                           {8, 12, 22, 27, 32},
                           {4, 13, 23, 28, 33},
                           {6, 11, 24, 29, 34}}));
  auto all = f.Create(TstChain3DrawsPos_Class());
  EXPECT_EQ(TextList({"4-6 -> 8=1"}), f.DrawTexts(*all, 2, 4));
  auto atOne = f.Create(TstChain3Pos_Class(), 1);
  EXPECT_EQ(TextList({"4-6 -> 8=1"}), f.DrawTexts(*atOne, 2, 4));
  auto atTwo = f.Create(TstChain3Pos_Class(), 2);
  EXPECT_TRUE(f.DrawTexts(*atTwo, 2, 4).empty());
  // The two oldest draws lack A or B.
  EXPECT_TRUE(f.DrawTexts(*all, 0, 4).empty());
  EXPECT_TRUE(f.DrawTexts(*all, 1, 4).empty());
  // The filter tests the "following" part.
  EXPECT_TRUE(all->CombMatches({1, 2, 3, 8, 9}, {WordsItem(4, 6, 8)}, 4, false, false));
  EXPECT_FALSE(all->CombMatches({1, 2, 3, 6, 9}, {WordsItem(4, 6, 8)}, 4, false, false));
}

TEST(ChainMethods, ChannelsAndSegmentsShowTheirOwnTexts) {
  TChainFixture f(Archive({{7, 1, 2, 3, 4}, {20, 5, 6, 13, 14}, {8, 1, 2, 3, 4}}));
  f.config.ChannelSize = 6;
  auto channels = f.Create(TstChain2ChannelsPos_Class());
  // Position 1: channel 2 (7) in B and R (8), channel 4 (20) in C; positions 2-5 start in 1.
  EXPECT_EQ(TextList({"02 -> 04=1", "01 -> 01=2", "01 -> 03=2"}), f.DrawTexts(*channels, 1, 2));
  EXPECT_TRUE(channels->CombMatches({19, 30, 31, 32, 33}, {WordsItem(2, 4)}, 2, false, false));
  EXPECT_FALSE(channels->CombMatches({25, 30, 31, 32, 33}, {WordsItem(2, 4)}, 2, false, false));

  // Nine numbers to a segment: 1-9 -> 1, 10-18 -> 2, 19-27 -> 3, 28-36 -> 4.
  for (int n = 1; n <= NumbersCount; ++n) f.config.Segments[n - 1] = (n - 1) / 9 + 1;
  TChainFixture g(Archive({{10, 1, 2, 3, 4}, {28, 5, 6, 7, 8}, {11, 1, 2, 3, 4}}));
  g.config.Segments = f.config.Segments;
  auto segments = g.Create(TstChain2SegmentsPos_Class());
  EXPECT_EQ(TextList({"2 -> 4=1", "1 -> 1=4"}), g.DrawTexts(*segments, 1, 2));
  auto threeSegments = g.Create(TstChain3SegmentsPos_Class());
  TStatDraw three = WordsItem(1, 2, 3);
  EXPECT_EQ("1-2 -> 3", threeSegments->ValueText(three));
  EXPECT_TRUE(threeSegments->CombMatches({1, 2, 3, 4, 20}, {three}, 2, false, false));
  auto threeChannels = f.Create(TstChain3ChannelsPos_Class());
  EXPECT_EQ("01-02 -> 03", threeChannels->ValueText(three));
  // Without position: B's 7 is in channel 2 like R's 8, and B's 1..4 like R's 1..4.
  auto channelsAll = f.Create(TstChain2ChannelsAll_Class());
  EXPECT_EQ(TextList({"02 -> 04=1", "02 -> 01=2", "02 -> 03=2", "01 -> 04=4", "01 -> 01=8",
                      "01 -> 03=8"}),
            f.DrawTexts(*channelsAll, 1, 2));
  auto segmentsAll = g.Create(TstChain2SegmentsAll_Class());
  EXPECT_EQ(TextList({"2 -> 4=1", "2 -> 1=4", "1 -> 4=4", "1 -> 1=16"}),
            g.DrawTexts(*segmentsAll, 1, 2));
}

TEST(ChainMethods, CountTransitionsListTheLatestCountAndEveryFollower) {
  // Channel 3 (13-18): R and B hold two numbers there, C one.
  TChainFixture f(Archive({{13, 14, 1, 2, 3}, {15, 1, 2, 3, 4}, {16, 17, 5, 6, 7}}));
  f.config.ChannelSize = 6;
  auto stat = f.Create(TstChain2CnlCnt_Class(), 3);
  EXPECT_EQ(TextList({"2 -> 1=1"}), f.DrawTexts(*stat, 1, 2));
  TStatDrawArray listed;
  stat->ListAllValues(2, listed);
  EXPECT_EQ(TextList({"2 -> 0=0", "2 -> 1=0", "2 -> 2=0", "2 -> 3=0", "2 -> 4=0", "2 -> 5=0",
                      "2 -> 6=0"}),
            Texts(*stat, listed));
  EXPECT_TRUE(stat->CombMatches({13, 20, 21, 22, 23}, {WordsItem(2, 1)}, 2, false, false));
  EXPECT_FALSE(stat->CombMatches({13, 14, 21, 22, 23}, {WordsItem(2, 1)}, 2, false, false));

  // Three draws: cnt(A) = 2 must equal cnt(Q) = cnt(draw[1]) = 1 — it does not.
  auto three = f.Create(TstChain3CnlCnt_Class(), 3);
  EXPECT_TRUE(f.DrawTexts(*three, 2, 2).empty());
  TStatDrawArray listed3;
  three->ListAllValues(2, listed3);
  EXPECT_EQ(7u, listed3.size());
  EXPECT_EQ("1-2 -> 0", three->ValueText(listed3.front()));
  EXPECT_TRUE(three->CombMatches({13, 14, 1, 2, 3}, {WordsItem(1, 2, 2)}, 2, false, false));

  // Segments list the latest count with 0 only.
  for (int n = 1; n <= NumbersCount; ++n) f.config.Segments[n - 1] = n <= 18 ? 1 : 2;
  auto segments = f.Create(TstChain2SgmCnt_Class(), 2);
  TStatDrawArray listedSegments;
  segments->ListAllValues(2, listedSegments);
  EXPECT_EQ(TextList({"0 -> 0=0"}), Texts(*segments, listedSegments));
  auto segments3 = f.Create(TstChain3SgmCnt_Class(), 1);
  TStatDrawArray listedSegments3;
  segments3->ListAllValues(2, listedSegments3);
  EXPECT_EQ(TextList({"5-5 -> 0=0"}), Texts(*segments3, listedSegments3));
  // Every number of draw[1] and draw[2] lies in segment 1.
  EXPECT_EQ(TextList({"5 -> 5=1"}), f.DrawTexts(*f.Create(TstChain2SgmCnt_Class(), 1), 2, 2));
}

TEST(ChainMethods, NumbersInsideTheirChannel) {
  // B = 7 20 25 30 35, R = 7 20 1 2 3: 7 and 20 recur. C = 9 11 13 14 31: channel 2 (7-12)
  // continues with 9 and 11, channel 4 (19-24) stays empty.
  TChainFixture f(Archive({{7, 20, 25, 30, 35}, {9, 11, 13, 14, 31}, {7, 20, 1, 2, 3}}));
  f.config.ChannelSize = 6;
  auto all = f.Create(TstChainChannels2InsideAll_Class());
  EXPECT_EQ(TextList({"07 -> 09=1", "07 -> 11=1", "20 -> 00=1"}), f.DrawTexts(*all, 1, 2));
  auto good = f.Create(TstChainChannels2InsideSuc_Class());
  EXPECT_EQ(TextList({"07 -> 09=1", "07 -> 11=1"}), f.DrawTexts(*good, 1, 2));
  auto bad = f.Create(TstChainChannels2InsideBad_Class());
  EXPECT_EQ(TextList({"20 -> 00=1"}), f.DrawTexts(*bad, 1, 2));
  auto count = f.Create(TstChainChannels2InsideCnt_Class());
  EXPECT_EQ(TextList({"7 -> 2=1", "20 -> 0=1"}), f.DrawTexts(*count, 1, 2));
  EXPECT_TRUE(f.DrawTexts(*all, 0, 2).empty());

  // Filter: y must be a number of the latest draw.
  EXPECT_TRUE(good->CombMatches({9, 30, 31, 32, 33}, {WordsItem(7, 9)}, 2, false, false));
  EXPECT_FALSE(good->CombMatches({10, 30, 31, 32, 33}, {WordsItem(7, 9)}, 2, false, false));
  EXPECT_FALSE(good->CombMatches({9, 30, 31, 32, 33}, {WordsItem(8, 9)}, 2, false, false));
  // A failure item keeps any number in the channel of y.
  EXPECT_TRUE(bad->CombMatches({22, 30, 31, 32, 33}, {WordsItem(20, 0)}, 2, false, false));
  EXPECT_FALSE(bad->CombMatches({25, 30, 31, 32, 33}, {WordsItem(20, 0)}, 2, false, false));
  // The count mode tests the channel for every item.
  EXPECT_TRUE(count->CombMatches({10, 30, 31, 32, 33}, {WordsItem(7, 2)}, 2, false, false));
  EXPECT_FALSE(count->CombMatches({13, 30, 31, 32, 33}, {WordsItem(7, 2)}, 2, false, false));
}

TEST(ChainMethods, ClassTexts) {
  TConfigData config;
  TStatList list(TDrawsArray{});
  list.SetConfig(&config);
  struct {
    const TStatClass& cls;
    int param;
    const char* ident;
    const char* help;
    const char* caption;
    const char* flags;
  } const rows[] = {
      {TstChain2DrawsAll_Class(), 0, "SDV2", "SDV2",
       "Переходы чисел между 2 тиражами без учета позиции", "D"},
      {TstChain2DrawsPos_Class(), 0, "SDP2", "SDP2",
       "Переходы чисел между 2 тиражами с учетом позиции", "SD"},
      {TstChain3DrawsPos_Class(), 0, "SDP3", "SDP3",
       "Переходы чисел между 3 тиражами с учетом позиции", "SD"},
      {TstChain2Pos_Class(), 4, "SDN4", "SDNx", "Переходы чисел между 2 тиражами в 4 позиции",
       "SD"},
      {TstChain3Pos_Class(), 1, "SDM1", "SDMx", "Переходы чисел между 3 тиражами в 1 позиции",
       "SD"},
      {TstChain2ChannelsAll_Class(), 0, "SCV2", "SCV2",
       "Переходы каналов между 2 тиражами без учета позиции", "D"},
      {TstChain2ChannelsPos_Class(), 0, "SCP2", "SCP2",
       "Переходы каналов между 2 тиражами с учетом позиции", "SD"},
      {TstChain3ChannelsPos_Class(), 0, "SCP3", "SCP3",
       "Переходы каналов между 3 тиражами с учетом позиции", "SD"},
      {TstChain2Channel_Class(), 2, "SCN2", "SCNx", "Переходы каналов между 2 тиражами в 2 позиции",
       "SD"},
      {TstChain3Channel_Class(), 5, "SCM5", "SCMx", "Переходы каналов между 3 тиражами в 5 позиции",
       "SD"},
      {TstChain2CnlCnt_Class(), 3, "SC2C3", "SC2Cx",
       "Переходы кол-ва чисел в 3 канале между 2 тиражами", "D"},
      {TstChain3CnlCnt_Class(), 6, "SC3C6", "SC3Cx",
       "Переходы кол-ва чисел в 6 канале между 3 тиражами", "D"},
      {TstChainChannels2InsideAll_Class(), 0, "SDA2", "SDA2",
       "Переходы чисел в пределах каналов (все)", "D"},
      {TstChainChannels2InsideSuc_Class(), 0, "SDG2", "SDG2",
       "Переходы чисел в пределах каналов (N-M, удачные)", "D"},
      {TstChainChannels2InsideBad_Class(), 0, "SDZ2", "SDZ2",
       "Переходы чисел в пределах каналов (N-0, не удачные)", "D"},
      {TstChainChannels2InsideCnt_Class(), 0, "SDC2", "SDC2",
       "Переходы чисел в пределах каналов (количество)", "D"},
      {TstChain2SegmentsAll_Class(), 0, "SSV2", "SSV2",
       "Переходы сегментов между 2 тиражами без учета позиции", "D"},
      {TstChain2SegmentsPos_Class(), 0, "SSP2", "SSP2",
       "Переходы сегментов между 2 тиражами с учетом позиции", "SD"},
      {TstChain3SegmentsPos_Class(), 0, "SSP3", "SSP3",
       "Переходы сегментов между 3 тиражами с учетом позиции", "SD"},
      {TstChain2Segment_Class(), 3, "SSN3", "SSNx",
       "Переходы сегментов между 2 тиражами в 3 позиции", "SD"},
      {TstChain3Segment_Class(), 3, "SSM3", "SSMx",
       "Переходы сегментов между 3 тиражами в 3 позиции", "SD"},
      {TstChain2SgmCnt_Class(), 2, "SS2C2", "SS2Cx",
       "Переходы кол-ва чисел в 2 сегменте между 2 тиражами", "D"},
      {TstChain3SgmCnt_Class(), 2, "SS3C2", "SS3Cx",
       "Переходы кол-ва чисел в 2 сегменте между 3 тиражами", "D"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.ident);
    EXPECT_EQ(r.ident, r.cls.IdentOf(r.param));
    EXPECT_EQ(r.help, r.cls.HelpIdent());
    EXPECT_EQ(r.caption, r.cls.CaptionOf(r.param));
    EXPECT_EQ(r.flags, FeatureLetters(r.cls.Flags()));
    EXPECT_EQ("mov", StatGroupIdent(r.cls.Group()));
    EXPECT_FALSE(r.cls.CanParseValue());
    EXPECT_EQ(r.param != 0, r.cls.HasParam());
  }
  int min = 0, max = 0;
  TstChain3Pos_Class().ParamRange(list, min, max);
  EXPECT_EQ(1, min);
  EXPECT_EQ(5, max);
  config.ChannelSize = 5;
  TstChain2CnlCnt_Class().ParamRange(list, min, max);
  EXPECT_EQ(1, min);
  EXPECT_EQ(8, max);
  config.ChannelSize = 0;
  TstChain3CnlCnt_Class().ParamRange(list, min, max);
  EXPECT_EQ(0, min);
  EXPECT_EQ(-1, max);
  config.Segments.fill(4);
  config.Segments[0] = 3;
  TstChain3SgmCnt_Class().ParamRange(list, min, max);
  EXPECT_EQ(3, min);
  EXPECT_EQ(4, max);
  EXPECT_EQ(2, dynamic_cast<TCustomChainChannels2Inside&>(
                   *TstChainChannels2InsideBad_Class().Create(list, 0))
                   .Mode());
}

}  // namespace
}  // namespace kvarn
