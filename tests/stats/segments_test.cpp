#include "stats/methods/segments.h"

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

// 1-18 in segment 1, 19-36 in segment 2.
TSegmentMap HalvesMap() {
  TSegmentMap m{};
  for (int n = 1; n <= NumbersCount; ++n) m[static_cast<size_t>(n - 1)] = n <= 18 ? 1 : 2;
  return m;
}

struct TSegmentsFixture : family_test::TFamilyFixture {
  explicit TSegmentsFixture(const TSegmentMap& map) { config.Segments = map; }
};

TEST(SegmentMethods, TwoHalvesMap) {
  TSegmentsFixture f(HalvesMap());
  const TComb comb{1, 2, 3, 4, 5};
  EXPECT_EQ(CombTexts(*f.Create(TstSegmValues_Class()), comb), (Texts{"1 x 5=1", "2 x 0=1"}));
  auto sgmc = f.Create(TstSegmCount_Class());
  EXPECT_EQ(CombTexts(*sgmc, comb), (Texts{"1=1"}));
  EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*sgmc).GraphValueOf({1, 2, 3, 20, 30}, 0, 0, false), 2);
  TDraw d;
  d.Number = 1;
  d.Values = comb;
  f.draws.push_back(d);
  auto kgs2 = f.Create(TstCombSegmSeq2_Class());
  TStatDrawArray items;
  TStatContext context;
  TLastValueArray lastValues;
  kgs2->AddDrawValues(0, 0, false, items, context, lastValues);
  EXPECT_EQ(family_test::Texts(*kgs2, items), (Texts{"1:1=4"}));
  int min = 0, max = 0;
  TstSgmValCnt_Class().ParamRange(f.list, min, max);
  EXPECT_EQ(min, 1);
  EXPECT_EQ(max, 2);
  auto sgm2 = f.Create(TstSgmValCnt_Class(), 2);
  EXPECT_EQ(CombTexts(*sgm2, {1, 2, 19, 20, 36}), (Texts{"3=1"}));
  EXPECT_TRUE(Listed(*sgm2).empty());
}

TEST(SegmentMethods, ParameterRangeScansTheMap) {
  TSegmentMap m{};
  for (int i = 0; i < NumbersCount; ++i)
    m[static_cast<size_t>(i)] = static_cast<uint8_t>(3 + i % 3);
  int min = 0, max = 0;
  SegmentParamRange(m, min, max);
  EXPECT_EQ(min, 3);
  EXPECT_EQ(max, 5);
  m.fill(12);
  SegmentParamRange(m, min, max);
  EXPECT_EQ(min, 9);
  EXPECT_EQ(max, 12);
  m.fill(1);
  SegmentParamRange(m, min, max);
  EXPECT_EQ(min, 1);
  EXPECT_EQ(max, 1);

  // Registration follows the map in force.
  TSegmentsFixture f(HalvesMap());
  static const TStatTableLine table[] = {{"TstSgmValCnt", &TstSgmValCnt_Class}};
  f.list.SetTable(table);
  f.list.Register();
  ASSERT_EQ(f.list.Count(), 2);
  EXPECT_EQ(f.list.Items(1).IdentOf(), "SGM2");
  f.config.Segments[35] = 7;
  f.list.Register();
  EXPECT_EQ(f.list.Count(), 7);
  EXPECT_EQ(f.list.Items(6).CaptionOf(), "Количество чисел в 7 сегменте матрицы");
}

TEST(SegmentMethods, ListedValuesAndGroupOrder) {
  // Segments met from number 1 on: 3, 1, 2.
  TSegmentMap m{};
  for (int n = 1; n <= NumbersCount; ++n)
    m[static_cast<size_t>(n - 1)] = n <= 10 ? 3 : (n <= 20 ? 1 : 2);
  TSegmentsFixture f(m);
  EXPECT_EQ(Listed(*f.Create(TstSegments_Class())), (Texts{"3=0", "1=0", "2=0"}));
  EXPECT_TRUE(Listed(*f.Create(TstSegmValues_Class())).empty());
  EXPECT_TRUE(Listed(*f.Create(TstSegmCount_Class())).empty());
  EXPECT_EQ(CombTexts(*f.Create(TstSegmValues_Class()), {1, 11, 12, 13, 36}),
            (Texts{"3 x 1=1", "1 x 3=1", "2 x 1=1"}));
  EXPECT_EQ(CombTexts(*f.Create(TstSegments_Class()), {1, 11, 12, 13, 36}),
            (Texts{"3=1", "1=3", "2=1"}));
  EXPECT_EQ(f.Create(TstSegments_Class())->ValueText(WordsItem(3)), "3");
}

TEST(SegmentMethods, ClassOperations) {
  EXPECT_EQ(TstSegments_Class().Group(), 5);
  EXPECT_EQ(TstSegments_Class().IdentOf(0), "SGMS");
  EXPECT_EQ(TstSegmCount_Class().Flags(), sfN | sfG);
  EXPECT_FALSE(TstSegmValues_Class().CanParseValue());
  EXPECT_FALSE(TstCombSegmMix2_Class().CanParseValue());
  EXPECT_EQ(TstCombSegmMix4_Class().IdentOf(0), "KGM4");
  EXPECT_EQ(TstCombSegmSeq3_Class().CaptionOf(0), "Сочетания из 3 сегментов по соседним числам");
  EXPECT_EQ(TstSgmValCnt_Class().HelpIdent(), "SGMx");
  EXPECT_EQ(TstSgmValCnt_Class().IdentOf(4), "SGM4");
}

TEST(SegmentMethods, FilterByZeroCountAndTuples) {
  TSegmentsFixture f(HalvesMap());
  TCombList full, out;
  GenerateCombs(full, gmFull, TNumberBits());
  auto sgmv = f.Create(TstSegmValues_Class());
  FilterCombList(*sgmv, {WordsItem(2, 0)}, out, full, -1, false, false);
  EXPECT_EQ(out.Count(), CombCount(18, 5)) << "nothing from 19..36";
  auto kgm2 = f.Create(TstCombSegmMix2_Class());
  FilterCombList(*kgm2, {WordsItem(2, 1)}, out, full, -1, false, false);
  EXPECT_EQ(out.Count(), 0) << "a combination is ascending, so a pair 2:1 never occurs";
  FilterCombList(*kgm2, {WordsItem(1, 2)}, out, full, -1, false, true);
  EXPECT_EQ(out.Count(), 2 * CombCount(18, 5)) << "all in one half";
}

}  // namespace
}  // namespace kvarn
