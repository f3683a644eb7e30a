#include "stats/methods/periods.h"

#include <gtest/gtest.h>

#include "core/config.h"
#include "family_test_util.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using namespace family_test;
using TextList = std::vector<std::string>;

TEST(PeriodMethods, NumbersGiveTheDistanceInDrawNumbers) {
  TDrawsArray draws = Archive(
      {{12, 1, 2, 3, 4}, {5, 6, 7, 8, 9}, {5, 6, 7, 8, 9}, {5, 6, 7, 8, 9}, {12, 20, 21, 22, 23}});
  for (size_t i = 0; i < draws.size(); ++i) draws[i].Number = static_cast<int32_t>(100 + i);
  TFamilyFixture f(std::move(draws));
  auto stat = f.Create(TstNumPeriods_Class());
  const TStatDrawArray items = f.Run(*stat);
  // First occurrences add nothing; 5..9 recur every draw.
  EXPECT_EQ(TextList({"5 x 1=2", "6 x 1=2", "7 x 1=2", "8 x 1=2", "9 x 1=2", "12 x 4=1"}),
            Texts(*stat, items));
  EXPECT_EQ(104, ItemOf(*stat, items, "12 x 4").LastDraw);
  EXPECT_EQ(1, ItemOf(*stat, items, "12 x 4").Depth);
}

TEST(PeriodMethods, OneDrawAddsOnePeriodPerChannelOrSegment) {
  TConfigData config;
  TFamilyFixture f(Archive({{13, 14, 1, 20, 30}, {15, 16, 2, 21, 31}}));
  f.list.SetConfig(&config);
  auto channels = f.Create(TstChnPeriods_Class());
  EXPECT_EQ(TextList({"03 x 1=1", "01 x 1=1", "04 x 1=1"}), Texts(*channels, f.Run(*channels)));

  for (int n = 1; n <= NumbersCount; ++n) config.Segments[n - 1] = n <= 18 ? 1 : 2;
  auto segments = f.Create(TstSgmPeriods_Class());
  EXPECT_EQ(TextList({"1 x 1=1", "2 x 1=1"}), Texts(*segments, f.Run(*segments)));
}

TEST(PeriodMethods, FilterLooksBackThePeriodAndReadsTheDirection) {
  // Six draws, the latest at index 5: the period 4 leads back to draw[2].
  TFamilyFixture f(Archive({{1, 2, 3, 4, 5},
                            {1, 2, 3, 4, 5},
                            {12, 2, 3, 4, 5},
                            {1, 2, 3, 4, 5},
                            {1, 2, 3, 4, 5},
                            {1, 2, 3, 4, 5}}));
  auto stat = f.Create(TstNumPeriods_Class());
  const TStatDrawArray selected{WordsItem(12, 4)};
  const TComb with12{6, 12, 20, 30, 36};
  EXPECT_TRUE(stat->CombMatches(with12, selected, 5, false, false));
  EXPECT_FALSE(stat->CombMatches(with12, selected, 5, false, true));
  // Set back by one draw, the period leads to draw[1], which lacks 12.
  EXPECT_FALSE(stat->CombMatches(with12, selected, 4, false, false));
  EXPECT_TRUE(stat->CombMatches(with12, selected, 4, false, true));
  // A candidate without the value never matches, in either direction.
  const TComb without{6, 13, 20, 30, 36};
  EXPECT_FALSE(stat->CombMatches(without, selected, 5, false, false));
  EXPECT_FALSE(stat->CombMatches(without, selected, 5, false, true));
  // A period reaching before the archive finds nothing there.
  EXPECT_FALSE(stat->CombMatches(with12, {WordsItem(12, 40)}, 5, false, false));
}

TEST(PeriodMethods, ClassTexts) {
  struct {
    const TStatClass& cls;
    const char* ident;
    const char* caption;
  } const rows[] = {
      {TstNumPeriods_Class(), "PRDV", "Периоды повторения чисел"},
      {TstChnPeriods_Class(), "PRDC", "Периоды повторения каналов"},
      {TstSgmPeriods_Class(), "PRDG", "Периоды повторения сегментов"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(r.ident, r.cls.IdentOf(0));
    EXPECT_EQ(r.caption, r.cls.CaptionOf(0));
    EXPECT_EQ("per", StatGroupIdent(r.cls.Group()));
    EXPECT_EQ("P", FeatureLetters(r.cls.Flags()));
    EXPECT_FALSE(r.cls.CanParseValue());
  }
}

}  // namespace
}  // namespace kvarn
