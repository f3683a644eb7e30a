#include "stats/methods/shredding.h"

#include <gtest/gtest.h>

#include <random>

#include "stats/methods/formula.h"

#include "family_test_util.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

using namespace family_test;

struct TShreddingFixture : TFamilyFixture {
  explicit TShreddingFixture(TDrawsArray d = {}) : TFamilyFixture(std::move(d)) {}
  std::unique_ptr<TCustomStat> Formula(const std::string& text, int digits = 2, int k = 1) {
    list.ShreddingFormulas[static_cast<size_t>(k - 1)] = text;
    list.ShreddingDigits[static_cast<size_t>(k - 1)] = digits;
    return Create(TstShreddingStat_Class(), k);
  }
  int32_t CombValue(TCustomStat& stat, const TComb& comb) {
    TStatDrawArray items;
    stat.AddCombValues(comb, items);
    return items.size() == 1 ? items[0].Key.L1() : -1;
  }
};

TEST(ShreddingMethods, DefaultFormulasShredTheirFractions) {
  TShreddingFixture f;
  // The registry starts with the default formulas and two digits.
  auto shr1 = f.Create(TstShreddingStat_Class(), 1);
  auto shr2 = f.Create(TstShreddingStat_Class(), 2);
  auto shr3 = f.Create(TstShreddingStat_Class(), 3);
  EXPECT_EQ(66, f.CombValue(*shr1, {1, 2, 3, 4, 5}));  // 6 / 9
  EXPECT_EQ(50, f.CombValue(*shr2, {1, 2, 3, 4, 5}));  // 9 / 6
  EXPECT_EQ(25, f.CombValue(*shr3, {1, 2, 3, 4, 5}));  // 3 / 12
  // Exact decimals keep their last digit: 6/5 and 13/10.
  EXPECT_EQ(20, f.CombValue(*f.Formula("n1/n2"), {6, 5, 7, 8, 9}));
  EXPECT_EQ(30, f.CombValue(*f.Formula("N1/n2"), {13, 10, 20, 21, 22}));
}

TEST(ShreddingMethods, FaultsAndWholeNumbersGiveZero) {
  TShreddingFixture f;
  EXPECT_EQ(0, f.CombValue(*f.Formula("n1/p1"), {1, 2, 3, 4, 5}));  // p is zero for combinations
  EXPECT_EQ(0, f.CombValue(*f.Formula("(n1+n2"), {1, 2, 3, 4, 7}));
  EXPECT_EQ(0, f.CombValue(*f.Formula("n1+n2"), {1, 2, 3, 4, 7}));
  EXPECT_EQ(0, f.CombValue(*f.Formula("ln(n1-n1)"), {1, 2, 3, 4, 7}));
  EXPECT_EQ(0, f.CombValue(*f.Formula(""), {1, 2, 3, 4, 7}));
}

TEST(ShreddingMethods, FiveDigitsExceedASixteenBitComponent) {
  TShreddingFixture f;
  auto stat = f.Formula("n1/7", 5);
  TStatDrawArray items;
  stat->AddCombValues({6, 10, 11, 12, 13}, items);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(85714, items[0].Key.L1());
  EXPECT_EQ("85714", stat->ValueText(items[0]));
  EXPECT_TRUE(stat->CombMatches({6, 10, 11, 12, 13}, {KeyItem(85714)}, -1, false, false));
  EXPECT_FALSE(stat->CombMatches({5, 10, 11, 12, 13}, {KeyItem(85714)}, -1, false, false));
  // Digit counts outside 1..5 are held to that range.
  EXPECT_EQ(85714, f.CombValue(*f.Formula("n1/7", 9), {6, 10, 11, 12, 13}));
  EXPECT_EQ(8, f.CombValue(*f.Formula("n1/7", 0), {6, 10, 11, 12, 13}));
}

TEST(ShreddingMethods, DrawsReadTheTwoDrawsBeforeThem) {
  TShreddingFixture f(Archive({{2, 10, 11, 12, 13}, {4, 14, 15, 16, 17}, {7, 20, 21, 22, 23}}));
  // n1 / p1 + t1 / 100: the oldest draw has neither p nor t, the second no t.
  auto stat = f.Formula("n1/p1+t1/1000", 3);
  const TStatDrawArray items = f.Run(*stat);
  // draw 1: division by zero -> 0; draw 2: 4/2 = 2 -> 0; draw 3: 7/4 + 0.002 = 1.752 -> 752.
  EXPECT_EQ(std::vector<std::string>({"0=2", "752=1"}), Texts(*stat, items));
  EXPECT_EQ(3, ItemOf(*stat, items, "752").LastDraw);
  auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
  ASSERT_NE(nullptr, graph);
  EXPECT_EQ(752, graph->GraphValue(2, 2, false));
  EXPECT_EQ(0, graph->GraphValue(1, 2, false));
  // A candidate follows the latest draw: p = draw[Last], t = draw[Last - 1].
  // 14 / 7 + 4 / 1000 = 2.004.
  EXPECT_TRUE(stat->CombMatches({14, 30, 31, 32, 33}, {KeyItem(4)}, 2, false, false));
  EXPECT_FALSE(stat->CombMatches({14, 30, 31, 32, 33}, {KeyItem(4)}, 1, false, false));
}

TEST(ShreddingMethods, SortedOrderChangesThePositions) {
  TShreddingFixture f(Archive({{9, 1, 2, 3, 4}, {8, 5, 6, 7, 10}}));
  auto stat = f.Formula("n1/p1", 2);
  // Drawn: 8 / 9; sorted: 5 / 1, a whole number.
  EXPECT_EQ(std::vector<std::string>({"0=1", "88=1"}), Texts(*stat, f.Run(*stat, false)));
  EXPECT_EQ(std::vector<std::string>({"0=2"}), Texts(*stat, f.Run(*stat, true)));
}

TEST(ShreddingMethods, AgreeWithShredValueOnArbitraryFormulas) {
  // The method substitutes in its own buffers; the result must be ShredValue's, including the
  // odd texts that one replacement makes up for a later one ("nn12" with n1 = 2 reads n2).
  TShreddingFixture f(Archive({{2, 10, 11, 12, 13}, {4, 14, 15, 16, 17}, {7, 20, 21, 22, 23}}));
  const char* const tokens[] = {"n1",   "n2",   "n3",    "n4",  "n5",  "P1", "p2",   "t3", "T5",
                                "nn12", "pt21", "+",     "-",   "*",   "/",  "^",    "(",  ")",
                                "7",    "0.5",  "sqrt(", "ln(", "1E2", " ",  "abs(", "x"};
  EXPECT_EQ(1, f.CombValue(*f.Formula("1/nn12"), {2, 5, 6, 7, 8}));  // 1 / 52
  std::mt19937 rng(20261208);
  const TComb zeros{};
  for (int round = 0; round < 300; ++round) {
    std::string formula;
    const int length = static_cast<int>(rng() % 9) + 1;
    for (int k = 0; k < length; ++k) formula += tokens[rng() % std::size(tokens)];
    const int digits = static_cast<int>(rng() % 5) + 1;
    auto stat = f.Formula(formula, digits);
    auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
    for (int k = 0; k < 5; ++k) {
      TComb n;
      for (uint8_t& x : n) x = static_cast<uint8_t>(rng() % 36 + 1);
      SCOPED_TRACE(formula);
      EXPECT_EQ(ShredValue(n, zeros, zeros, digits, formula), f.CombValue(*stat, n));
      EXPECT_EQ(ShredValue(n, f.draws[1].Values, f.draws[0].Values, digits, formula),
                graph->GraphValueOf(n, 2, 2, false));
    }
  }
}

TEST(ShreddingMethods, RegistryEntriesCarryTheirFormulas) {
  TShreddingFixture f;
  f.list.ShreddingFormulas[1] = "n5/n1";
  f.list.Register();
  std::vector<std::string> names;
  for (int i = 0; i < f.list.Count(); ++i)
    if (f.list.Items(i).StatClass == &TstShreddingStat_Class())
      names.push_back(f.list.Items(i).IdentOf() + " " + f.list.Items(i).FullName());
  EXPECT_EQ(std::vector<std::string>({"SHR1 Метод шинковки 1: (n1+n2+n3)/(n4+n5)",
                                      "SHR2 Метод шинковки 2: n5/n1",
                                      "SHR3 Метод шинковки 3: (n1+n2)/(n3+n4+n5)"}),
            names);
  const TStatClass& cls = TstShreddingStat_Class();
  EXPECT_EQ("Метод шинковки 2: %s", cls.CaptionOf(2));
  EXPECT_EQ("SHRx", cls.HelpIdent());
  EXPECT_EQ("shr", StatGroupIdent(cls.Group()));
  EXPECT_EQ("SNG", FeatureLetters(cls.Flags()));
  EXPECT_TRUE(cls.CanPrefetch());
}

}  // namespace
}  // namespace kvarn
