#include "stats/methods/combvalues.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "common/archives.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

TDrawsArray OneDraw(const TComb& values) {
  return {test::MakeDraw(501, values)};
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

TEST(CombValuesMethods, LongSelectionsMatchLikeShortOnes) {
  TDrawsArray draws;
  TStatList reg(draws);
  auto mix3 = TstCombValMix3_Class().Create(reg, 0);
  // Forty triples (k, k+1, k+7), one far outside the numbers, then the same list shortened.
  TStatDrawArray many;
  for (uint16_t k = 1; k <= 29; ++k)
    many.push_back(SelectTuple({k, uint16_t(k + 1), uint16_t(k + 7)})[0]);
  for (uint16_t k = 1; k <= 10; ++k) many.push_back(SelectTuple({k, 20, 30})[0]);
  many.push_back(SelectTuple({900, 1, 2})[0]);
  ASSERT_GT(many.size(), TSelectedTuples::ScanLimit);

  auto matches = [](const TComb& c, const TStatDrawArray& sel) {
    for (int a = 0; a < 5; ++a)
      for (int b = a + 1; b < 5; ++b)
        for (int d = b + 1; d < 5; ++d)
          for (const TStatDraw& s : sel)
            if (s.Key.K1 == c[a] && s.Key.K2 == c[b] && s.Key.K3 == c[d] && s.Key.K4 == 0)
              return true;
    return false;
  };
  int hits = 0;
  for (int x = 1; x <= 32; ++x) {
    const TComb c = {uint8_t(x), uint8_t(x + 1), uint8_t(x + 2), uint8_t(x + 3), uint8_t(x + 4)};
    const TComb d = {1, uint8_t(x), 20, uint8_t(x < 30 ? 30 : 31), uint8_t(x < 30 ? 36 : 32)};
    for (const TComb& comb : {c, d}) {
      if (comb[1] == comb[0] || comb[1] >= comb[2] || comb[2] >= comb[3]) continue;
      EXPECT_EQ(mix3->CombMatches(comb, many, 0, false, false), matches(comb, many));
      hits += matches(comb, many) ? 1 : 0;
    }
  }
  EXPECT_GT(hits, 0);
  // Another selection handed to the same instance is read afresh.
  TStatDrawArray other(many.rbegin(), many.rend());
  other.front() = SelectTuple({3, 4, 5})[0];
  EXPECT_TRUE(mix3->CombMatches({3, 4, 5, 20, 31}, other, 0, false, false));
  EXPECT_FALSE(mix3->CombMatches({3, 4, 5, 20, 31}, many, 0, false, false));
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
