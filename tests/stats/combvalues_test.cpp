#include "stats/methods/combvalues.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "stats/registry.h"

namespace kvarn {
namespace {

TDrawsArray OneDraw(const TComb& values) {
  TDraw d;
  d.Number = 501;
  d.Values = values;
  d.DateText = "01.01.2020 20:00";
  return {d};
}

// The values one draw adds, as "text" joined by blanks, in list order.
std::string DrawValues(TCustomStat& stat, bool sorted) {
  TStatDrawArray list;
  TLastValueArray lastValues;
  TStatContext context;
  stat.ListAllValues(0, list);
  stat.AddDrawValues(0, 0, sorted, list, context, lastValues);
  std::string s;
  for (const TStatDraw& item : list) {
    if (!s.empty()) s += ' ';
    s += stat.ValueText(item);
    if (item.Count != 1) s += "x" + std::to_string(item.Count);
  }
  return s;
}

TStatDrawArray SelectTuple(std::initializer_list<uint16_t> k) {
  TStatDraw item;
  int pos = 1;
  for (uint16_t v : k) item.Key.SetK(pos++, v);
  return {item};
}

TEST(CombValuesMethods, MixAndSeqTuplesOfTheNumbers) {
  TDrawsArray draws = OneDraw({1, 2, 3, 4, 5});
  TStatList reg(draws);
  EXPECT_EQ(DrawValues(*TstCombValMix2_Class().Create(reg, 0), false),
            "1:2 1:3 1:4 1:5 2:3 2:4 2:5 3:4 3:5 4:5");
  EXPECT_EQ(DrawValues(*TstCombValSeq2_Class().Create(reg, 0), false), "1:2 2:3 3:4 4:5");
  EXPECT_EQ(DrawValues(*TstCombValMix3_Class().Create(reg, 0), false),
            "1:2:3 1:2:4 1:2:5 1:3:4 1:3:5 1:4:5 2:3:4 2:3:5 2:4:5 3:4:5");
  EXPECT_EQ(DrawValues(*TstCombValMix4_Class().Create(reg, 0), false),
            "1:2:3:4 1:2:3:5 1:2:4:5 1:3:4:5 2:3:4:5");
  EXPECT_EQ(DrawValues(*TstCombValSeq4_Class().Create(reg, 0), false), "1:2:3:4 2:3:4:5");

  auto mix3 = TstCombValMix3_Class().Create(reg, 0);
  EXPECT_TRUE(mix3->CombMatches({1, 7, 9, 20, 33}, SelectTuple({7, 20, 33}), 0, false, false));
  EXPECT_FALSE(mix3->CombMatches({1, 7, 9, 20, 33}, SelectTuple({7, 20, 34}), 0, false, false));
  auto seq3 = TstCombValSeq3_Class().Create(reg, 0);
  EXPECT_TRUE(seq3->CombMatches({1, 7, 9, 20, 33}, SelectTuple({9, 20, 33}), 0, false, false));
  EXPECT_FALSE(seq3->CombMatches({1, 7, 9, 20, 33}, SelectTuple({7, 20, 33}), 0, false, false));
}

TEST(CombValuesMethods, DrawnOrderAndSortedForms) {
  TDrawsArray draws = OneDraw({30, 3, 17, 8, 21});
  TStatList reg(draws);
  auto seq2 = TstCombValSeq2_Class().Create(reg, 0);
  EXPECT_EQ(DrawValues(*seq2, false), "30:3 3:17 17:8 8:21");
  EXPECT_EQ(DrawValues(*seq2, true), "3:8 8:17 17:21 21:30");
  // An ascending candidate never holds a descending pair.
  const TStatDrawArray descending = SelectTuple({30, 3});
  for (const TComb& c : {TComb{3, 8, 17, 21, 30}, TComb{1, 3, 8, 29, 30}, TComb{2, 3, 4, 5, 30}})
    EXPECT_FALSE(seq2->CombMatches(c, descending, 0, false, false));

  auto sort2 = TstCombValSort2_Class().Create(reg, 0);
  EXPECT_EQ(DrawValues(*sort2, false), "3:8 8:17 17:21 21:30");
  EXPECT_TRUE(sort2->CombMatches({30, 21, 3, 8, 17}, SelectTuple({21, 30}), 0, false, false));
  auto sort3 = TstCombValSort3_Class().Create(reg, 0);
  EXPECT_EQ(DrawValues(*sort3, false), "3:8:17 8:17:21 17:21:30");
}

TEST(CombValuesMethods, PositionTuples) {
  TDrawsArray draws = OneDraw({4, 9, 15, 22, 31});
  TStatList reg(draws);
  auto knp32 = TstCombValPos3_Class().Create(reg, 2);
  EXPECT_EQ(knp32->FullCaption(), "Сочетания из 3-х чисел тиража начиная с 2 позиции");
  EXPECT_EQ(DrawValues(*knp32, false), "9:15:22");
  const TStatDrawArray sel = SelectTuple({9, 15, 22});
  EXPECT_TRUE(knp32->CombMatches({1, 9, 15, 22, 30}, sel, 0, false, false));
  EXPECT_FALSE(knp32->CombMatches({9, 15, 22, 30, 31}, sel, 0, false, false));
  EXPECT_EQ(DrawValues(*TstCombValPos2_Class().Create(reg, 4), false), "22:31");
  EXPECT_EQ(DrawValues(*TstCombValPos4_Class().Create(reg, 1), false), "4:9:15:22");
  // A start position that leaves no room has no tuple and matches nothing.
  auto outside = TstCombValPos4_Class().Create(reg, 3);
  EXPECT_EQ(DrawValues(*outside, false), "");
  EXPECT_FALSE(
      outside->CombMatches({4, 9, 15, 22, 31}, SelectTuple({15, 22, 31}), 0, false, false));
}

TEST(CombValuesMethods, RegistryEntriesAndClassOperations) {
  TDrawsArray draws;
  TStatList reg(draws);
  reg.Register();
  std::string idents;
  for (int i = 0; i < reg.Count(); ++i) {
    const std::string id = reg.Items(i).IdentOf();
    if (id.rfind("KN", 0) == 0) idents += id + " ";
  }
  EXPECT_EQ(idents,
            "KNM2 KNM3 KNM4 KNS2 KNS3 KNS4 KNP21 KNP22 KNP23 KNP24 KNP31 KNP32 KNP33 KNP41 "
            "KNP42 ");

  EXPECT_EQ(TstCombValMix2_Class().CaptionOf(0), "Сочетания из 2 чисел по всем числам тиража");
  EXPECT_EQ(TstCombValSeq4_Class().CaptionOf(0), "Сочетания из 4 соседних чисел тиража");
  EXPECT_EQ(TstCombValSort3_Class().IdentOf(0), "KNO3");
  EXPECT_EQ(TstCombValSort3_Class().CaptionOf(0), "Сочетания из 3 чисел тиража по возрастанию");
  EXPECT_FALSE(TstCombValSort2_Class().IsAvailable());
  EXPECT_EQ(TstCombValSort2_Class().Features(), 0);
  EXPECT_EQ(TstCombValPos2_Class().HelpIdent(), "KNP2");
  EXPECT_EQ(TstCombValMix4_Class().Flags(), sfS);
  EXPECT_EQ(TstCombValMix4_Class().Group(), 0);
  EXPECT_FALSE(TstCombValPos3_Class().CanParseValue());
  EXPECT_FALSE(TstCombValPos3_Class().CanPrefetch());
}

}  // namespace
}  // namespace kvarn
