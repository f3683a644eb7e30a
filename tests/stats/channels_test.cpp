#include "stats/methods/channels.h"

#include <gtest/gtest.h>

#include "combs/combs.h"
#include "core/config.h"
#include "family_test_util.h"
#include "stats/filter.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using Texts = std::vector<std::string>;
using namespace family_test;

// One registry over a small archive with a channel width of our choice.
struct TChannelsFixture : family_test::TFamilyFixture {
  explicit TChannelsFixture(int width, std::vector<TComb> combs = {})
      : TFamilyFixture(test::ArchiveOf(static_cast<int>(combs.size()), 1,
                                       [&](int i) { return combs[static_cast<size_t>(i)]; })) {
    config.ChannelSize = width;
  }
};

// The table of a run over every draw, values listed in advance included.
Texts RunTexts(TCustomStat& stat, int draws) {
  return family_test::Texts(stat, family_test::RunWindow(stat, 0, draws - 1, false));
}

TEST(ChannelGeometry, CeilingOfTheWidthAndTextsWithUncutBounds) {
  const TChannelGeometry w6{6}, w5{5}, w4{4};
  EXPECT_EQ(w6.ChannelOf(1), 1);
  EXPECT_EQ(w6.ChannelOf(6), 1);
  EXPECT_EQ(w6.ChannelOf(7), 2);
  EXPECT_EQ(w6.ChannelOf(36), 6);
  EXPECT_EQ(w6.ChannelText(1), "01 [1-6]");
  EXPECT_EQ(w5.ChannelCount(), 8);
  EXPECT_EQ(w5.ChannelText(8), "08 [36-40]");
  EXPECT_EQ(w4.ChannelCount(), 9);
  EXPECT_EQ(TChannelGeometry{0}.ChannelOf(5), 0) << "no division by a zero width";
}

TEST(ChannelMethods, WidthSixCombinationWithThreeChannels) {
  TChannelsFixture f(6);
  const TComb comb{1, 2, 13, 14, 36};
  auto chan = f.Create(TstChannels_Class());
  EXPECT_EQ(CombTexts(*chan, comb), (Texts{"01 [1-6]=2", "03 [13-18]=2", "06 [31-36]=1"}));
  auto chnc = f.Create(TstChanCount_Class());
  EXPECT_EQ(CombTexts(*chnc, comb), (Texts{"3=1"}));
  EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*chnc).GraphValueOf(comb, 0, 0, false), 3);
  auto chnv = f.Create(TstChanValues_Class());
  EXPECT_EQ(CombTexts(*chnv, comb),
            (Texts{"01 [1-6] x 2=1", "02 [7-12] x 0=1", "03 [13-18] x 2=1", "04 [19-24] x 0=1",
                   "05 [25-30] x 0=1", "06 [31-36] x 1=1"}));
}

TEST(ChannelMethods, ValuesListedInAdvance) {
  TChannelsFixture f6(6), f4(4), f5(5);
  EXPECT_EQ(Listed(*f6.Create(TstChannels_Class())).size(), 6u);
  EXPECT_EQ(Listed(*f6.Create(TstChanCount_Class())), (Texts{"1=0", "2=0", "3=0", "4=0", "5=0"}));
  EXPECT_EQ(Listed(*f4.Create(TstChanCount_Class())), (Texts{"1=0", "2=0", "3=0", "4=0"}));
  // Five channels with width 4: the value appears once it occurs.
  auto chnc4 = f4.Create(TstChanCount_Class());
  EXPECT_EQ(CombTexts(*chnc4, {1, 5, 9, 13, 17}), (Texts{"5=1"}));
  // Pairs (channel, 0..min(w, 5)) per channel: 8 channels x 6 counts for width 5.
  const Texts chnv5 = Listed(*f5.Create(TstChanValues_Class()));
  ASSERT_EQ(chnv5.size(), 48u);
  EXPECT_EQ(chnv5.front(), "01 [1-5] x 0=0");
  EXPECT_EQ(chnv5.back(), "08 [36-40] x 5=0");
  // The count in one channel lists 1..w, never 0.
  EXPECT_EQ(Listed(*f4.Create(TstChnValCnt_Class(), 2)), (Texts{"1=0", "2=0", "3=0", "4=0"}));
}

TEST(ChannelMethods, CountInOneChannel) {
  TChannelsFixture f5(5), f6(6);
  auto chn8 = f5.Create(TstChnValCnt_Class(), 8);
  EXPECT_EQ(CombTexts(*chn8, {31, 32, 33, 35, 36}), (Texts{"1=1"})) << "only 36 is in 36-40";
  auto chn3 = f6.Create(TstChnValCnt_Class(), 3);
  TStatDrawArray items;
  chn3->ListAllValues(0, items);
  chn3->AddCombValues({1, 2, 3, 4, 5}, items);
  EXPECT_EQ(family_test::Texts(*chn3, items).back(), "0=1") << "0 is added after the listed 1..6";
  EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*chn3).GraphValueOf({13, 14, 18, 19, 20}, 0, 0, false),
            3);
}

TEST(ChannelMethods, MixAndSeqTuples) {
  TChannelsFixture f(6, {{1, 2, 13, 14, 36}});
  auto kcs2 = f.Create(TstCombChnSeq2_Class());
  EXPECT_EQ(RunTexts(*kcs2, 1), (Texts{"1:1=1", "1:3=1", "3:3=1", "3:6=1"}));
  auto kcm2 = f.Create(TstCombChnMix2_Class());
  const Texts mix = RunTexts(*kcm2, 1);
  // Ten pairs 1:1 1:3 1:3 1:6 1:3 1:3 1:6 3:3 3:6 3:6, equal ones merged in first-met order.
  EXPECT_EQ(mix, (Texts{"1:1=1", "1:3=4", "1:6=2", "3:3=1", "3:6=2"}));
  EXPECT_TRUE(CombTexts(*kcm2, {1, 2, 3, 4, 5}).empty()) << "no values for combinations";
  auto kcm4 = f.Create(TstCombChnMix4_Class());
  EXPECT_EQ(RunTexts(*kcm4, 1), (Texts{"1:1:3:3=1", "1:1:3:6=2", "1:3:3:6=2"}));
  auto kcs3 = f.Create(TstCombChnSeq3_Class());
  EXPECT_TRUE(kcs3->CombMatches({2, 7, 14, 30, 31}, {WordsItem(1, 2)}, 0, false, false) == false);
  TStatDraw t;
  t.Key.Set(2, 3, 5);
  EXPECT_TRUE(kcs3->CombMatches({2, 7, 14, 30, 31}, {t}, 0, false, false)) << "7 14 30";
}

TEST(ChannelMethods, DrawOrderMattersForSeqUnlessSorted) {
  TChannelsFixture f(6, {{36, 1, 13, 2, 14}});
  auto kcs2 = f.Create(TstCombChnSeq2_Class());
  TStatDrawArray items;
  TStatContext context;
  TLastValueArray lastValues;
  kcs2->AddDrawValues(0, 0, false, items, context, lastValues);
  EXPECT_EQ(family_test::Texts(*kcs2, items), (Texts{"6:1=1", "1:3=2", "3:1=1"}));
  items.clear();
  kcs2->AddDrawValues(0, 0, true, items, context, lastValues);
  EXPECT_EQ(family_test::Texts(*kcs2, items), (Texts{"1:1=1", "1:3=1", "3:3=1", "3:6=1"}));
}

TEST(ChannelMethods, TextsParseAndClassOperations) {
  TChannelsFixture f(6);
  auto chan = f.Create(TstChannels_Class());
  EXPECT_EQ(chan->TextValue("01 [1-6]"), 1);
  EXPECT_EQ(chan->TextValue("  04 [19-24] x"), 4);
  EXPECT_EQ(chan->TextValue("abc"), 0);
  EXPECT_FALSE(TstChanValues_Class().CanParseValue());
  EXPECT_FALSE(TstCombChnSeq4_Class().CanParseValue());
  EXPECT_TRUE(TstChannels_Class().CanParseValue());
  EXPECT_EQ(TstCombChnMix3_Class().IdentOf(0), "KCM3");
  EXPECT_EQ(TstCombChnSeq2_Class().CaptionOf(0), "Сочетания из 2 каналов по соседним числам");
  EXPECT_EQ(TstCombChnMix2_Class().Flags(), sfS);
  EXPECT_EQ(TstChanCount_Class().Flags(), sfN | sfG);
  EXPECT_EQ(TstChnValCnt_Class().IdentOf(3), "CHN3");
  EXPECT_EQ(TstChnValCnt_Class().CaptionOf(3), "Количество чисел в 3 канале");
  EXPECT_EQ(TstChnValCnt_Class().HelpIdent(), "CHNx");
  EXPECT_EQ(TstChannels_Class().Group(), 3);
}

TEST(ChannelMethods, ParameterRangeFollowsTheWidth) {
  TChannelsFixture f(6);
  int min = 0, max = 0;
  TstChnValCnt_Class().ParamRange(f.list, min, max);
  EXPECT_EQ(min, 1);
  EXPECT_EQ(max, 6);
  f.config.ChannelSize = 4;
  TstChnValCnt_Class().ParamRange(f.list, min, max);
  EXPECT_EQ(max, 9);
  f.config.ChannelSize = 0;
  TstChnValCnt_Class().ParamRange(f.list, min, max);
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, -1);

  // Registration reads the range of the width in force.
  static const TStatTableLine table[] = {{"TstChannels", &TstChannels_Class},
                                         {"TstChnValCnt", &TstChnValCnt_Class}};
  f.list.SetTable(table);
  f.config.ChannelSize = 5;
  f.list.Register();
  ASSERT_EQ(f.list.Count(), 9);
  EXPECT_EQ(f.list.Items(1).IdentOf(), "CHN1");
  EXPECT_EQ(f.list.Items(8).IdentOf(), "CHN8");
  f.config.ChannelSize = 12;
  f.list.Register();
  EXPECT_EQ(f.list.Count(), 4);
}

// Filtering the full list with a method: how many combinations stay.
int KeptCount(TCustomStat& stat, const TStatDrawArray& selected, bool exclude) {
  static const TCombList full = [] {
    TCombList l;
    GenerateCombs(l, gmFull, TNumberBits());
    return l;
  }();
  TCombList out;
  FilterCombList(stat, selected, out, full, -1, false, exclude);
  return out.Count();
}

TEST(ChannelMethods, FilterWithZeroCountPairs) {
  TChannelsFixture f(6);
  auto chnv = f.Create(TstChanValues_Class());
  // 03 [13-18] x 0: the combinations without a number in 13..18.
  EXPECT_EQ(KeptCount(*chnv, {WordsItem(3, 0)}, false), CombCount(30, 5));
  EXPECT_EQ(KeptCount(*chnv, {WordsItem(3, 0)}, true), FullCombsCount - CombCount(30, 5));
  // Either of two pairs.
  EXPECT_EQ(KeptCount(*chnv, {WordsItem(1, 5), WordsItem(6, 5)}, false), 12);
  auto chnc = f.Create(TstChanCount_Class());
  EXPECT_EQ(KeptCount(*chnc, {WordsItem(1)}, false), 6 * 6) << "five numbers of one channel";
  auto chan = f.Create(TstChannels_Class());
  EXPECT_EQ(KeptCount(*chan, {WordsItem(1)}, true), CombCount(30, 5)) << "no number in 1..6";
}

}  // namespace
}  // namespace kvarn
