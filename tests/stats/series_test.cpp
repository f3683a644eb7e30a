#include "stats/methods/series.h"

#include <gtest/gtest.h>

#include "core/config.h"
#include "family_test_util.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using namespace family_test;
using TextList = std::vector<std::string>;

struct TSeriesFixture : TFamilyFixture {
  explicit TSeriesFixture(TDrawsArray d) : TFamilyFixture(std::move(d)) { list.SetConfig(&config); }
  TConfigData config;
};

// The number 7 stands in draws 3, 4, 5 and 7 (the latest); 1 and 2 only in the first two.
TDrawsArray SevenArchive() {
  return Archive({{1, 2, 3, 4, 5},
                  {1, 2, 3, 4, 6},
                  {7, 10, 11, 12, 13},
                  {7, 14, 15, 16, 17},
                  {7, 20, 21, 22, 23},
                  {8, 24, 25, 26, 27},
                  {7, 30, 31, 32, 33}});
}

TEST(SeriesMethods, GroupsRecordFinishedRunsAndTheRunReachingTheLatestDraw) {
  TSeriesFixture f(SevenArchive());
  auto stat = f.Create(TstNumGroups_Class());
  const TStatDrawArray items = f.Run(*stat);
  // Only values of the latest draw; 1..6 never appear although their runs ended.
  EXPECT_EQ(TextList({"7 x 3=1", "7 x 1=1", "30 x 1=1", "31 x 1=1", "32 x 1=1", "33 x 1=1"}),
            Texts(*stat, items));
  // A finished run carries the draw and the depth of its own last draw.
  const TStatDraw run = ItemOf(*stat, items, "7 x 3");
  EXPECT_EQ(5, run.LastDraw);
  EXPECT_EQ(3, run.Depth);
  const TStatDraw latest = ItemOf(*stat, items, "7 x 1");
  EXPECT_EQ(7, latest.LastDraw);
  EXPECT_EQ(1, latest.Depth);

  // The filter keeps candidates holding a selected value, whatever the length.
  const TStatDrawArray selected{WordsItem(7, 3)};
  EXPECT_TRUE(stat->CombMatches({1, 7, 9, 20, 36}, selected, 6, false, false));
  EXPECT_FALSE(stat->CombMatches({1, 8, 9, 20, 36}, selected, 6, false, false));
}

TEST(SeriesMethods, PausesAreRecordedWhenTheValueReturns) {
  TSeriesFixture f(SevenArchive());
  auto stat = f.Create(TstNumPauses_Class());
  const TStatDrawArray items = f.Run(*stat);
  EXPECT_EQ(TextList({"7 x 2=1", "7 x 1=1", "30 x 6=1", "31 x 6=1", "32 x 6=1", "33 x 6=1"}),
            Texts(*stat, items));
  const TStatDraw first = ItemOf(*stat, items, "7 x 2");
  EXPECT_EQ(2, first.LastDraw);
  EXPECT_EQ(6, first.Depth);
  // The gap is measured between the ends of the recorded runs.
  const TStatDraw thirty = ItemOf(*stat, items, "30 x 6");
  EXPECT_EQ(6, thirty.LastDraw);
  EXPECT_EQ(2, thirty.Depth);
}

TEST(SeriesMethods, ARepeatedRunLengthMergesWithItsGap) {
  // 5 is drawn alone in draws 1, 3 and 5: three runs of one, the last one reaching the latest.
  TSeriesFixture f(Archive({{5, 10, 11, 12, 13},
                            {6, 14, 15, 16, 17},
                            {5, 20, 21, 22, 23},
                            {6, 24, 25, 26, 27},
                            {5, 30, 31, 32, 33}}));
  auto stat = f.Create(TstNumGroups_Class());
  const TStatDraw five = ItemOf(*stat, f.Run(*stat), "5 x 1");
  EXPECT_EQ(3, five.Count);
  EXPECT_EQ(2, five.MinPeriod);
  EXPECT_EQ(2, five.MaxPeriod);
  EXPECT_EQ(5, five.LastDraw);
}

TEST(SeriesMethods, ChannelsCountOncePerDrawWhateverTheNumbersInThem) {
  TSeriesFixture f(Archive({{1, 2, 13, 20, 30}, {3, 4, 14, 21, 31}}));
  f.config.ChannelSize = 6;
  auto groups = f.Create(TstChnGroups_Class());
  EXPECT_EQ(TextList({"01 x 2=1", "03 x 2=1", "04 x 2=1", "06 x 1=1"}),
            Texts(*groups, f.Run(*groups)));
  // Channel 6 was absent from the first draw; channel 5 left, but is not in the latest draw.
  auto pauses = f.Create(TstChnPauses_Class());
  EXPECT_EQ(TextList({"06 x 1=1"}), Texts(*pauses, f.Run(*pauses)));
  // A candidate number in 13-18 continues a selected run of channel 3.
  const TStatDrawArray selected{WordsItem(3, 2)};
  EXPECT_TRUE(groups->CombMatches({1, 2, 15, 30, 36}, selected, 1, false, false));
  EXPECT_FALSE(groups->CombMatches({1, 2, 19, 30, 36}, selected, 1, false, false));
}

TEST(SeriesMethods, SegmentsFollowTheMapCopiedAtCreation) {
  TSeriesFixture f(Archive({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 20}}));
  for (int n = 1; n <= NumbersCount; ++n) f.config.Segments[n - 1] = n <= 18 ? 1 : 2;
  auto groups = f.Create(TstSgmGroups_Class());
  auto pauses = f.Create(TstSgmPauses_Class());
  f.config.Segments.fill(3);  // later changes do not reach the instances
  EXPECT_EQ(TextList({"1 x 2=1", "2 x 1=1"}), Texts(*groups, f.Run(*groups)));
  EXPECT_EQ(TextList({"2 x 1=1"}), Texts(*pauses, f.Run(*pauses)));
  EXPECT_TRUE(groups->CombMatches({1, 2, 3, 4, 5}, {WordsItem(1, 2)}, 1, false, false));
  EXPECT_FALSE(groups->CombMatches({19, 20, 21, 22, 23}, {WordsItem(1, 2)}, 1, false, false));
}

TEST(SeriesMethods, ClassTexts) {
  TStatList list(TDrawsArray{});
  struct {
    const TStatClass& cls;
    const char* ident;
    const char* caption;
  } const rows[] = {
      {TstNumGroups_Class(), "GRPV", "Повторы чисел в нескольких тиражах подряд"},
      {TstNumPauses_Class(), "GRPP", "Интервалы между повторениями чисел"},
      {TstChnGroups_Class(), "GRCV", "Повторы каналов в нескольких тиражах подряд"},
      {TstChnPauses_Class(), "GRCP", "Интервалы между повторениями каналов"},
      {TstSgmGroups_Class(), "GRSV", "Повторы сегментов в нескольких тиражах подряд"},
      {TstSgmPauses_Class(), "GRSP", "Интервалы между повторениями сегментов"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(r.ident, r.cls.IdentOf(0));
    EXPECT_EQ(r.caption, r.cls.CaptionOf(0));
    EXPECT_EQ("ser", StatGroupIdent(r.cls.Group()));
    EXPECT_EQ("D", FeatureLetters(r.cls.Flags()));
    EXPECT_FALSE(r.cls.CanParseValue());
    EXPECT_FALSE(r.cls.HasParam());
  }
  EXPECT_EQ(1,
            dynamic_cast<TCustomSerialStat&>(*TstNumGroups_Class().Create(list, 0)).SerialPresence);
  EXPECT_EQ(0,
            dynamic_cast<TCustomSerialStat&>(*TstChnPauses_Class().Create(list, 0)).SerialPresence);
}

}  // namespace
}  // namespace kvarn
