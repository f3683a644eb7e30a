// A compiled formula must give what the text evaluation gives after the numbers are put in,
// failures included, or refuse to compile; whatever it refuses, the shredding still evaluates.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "stats/methods/formula.h"
#include "stats/methods/shredding.h"
#include "stats/registry.h"

namespace kvarn {
namespace {

TComb RandomSet(std::mt19937& rng, bool zeros) {
  TComb c{};
  for (auto& v : c) v = static_cast<uint8_t>(zeros && rng() % 4 == 0 ? 0 : rng() % 36 + 1);
  return c;
}

// Shredded with every digit count, so that a value off by a hair anywhere shows.
void ExpectSameAsText(const std::string& formula, bool compiles) {
  TCompiledFormula f;
  ASSERT_EQ(f.Compile(formula), compiles) << formula;
  if (!compiles) return;
  std::mt19937 rng(static_cast<unsigned>(formula.size()) * 7919u);
  for (int i = 0; i < 300; ++i) {
    const TComb n = RandomSet(rng, false), p = RandomSet(rng, true), t = RandomSet(rng, true);
    int compiled = 0;
    bool failed = false;
    long double v = 0;
    try {
      v = f.Evaluate(n, p, t);
    } catch (const FormulaError&) {
      failed = true;
    }
    for (int digits = 1; digits <= 5; ++digits) {
      compiled = failed ? 0 : ShredFraction(v, digits);
      ASSERT_EQ(compiled, ShredValue(n, p, t, digits, formula)) << formula << " digits " << digits;
    }
  }
  // Many n with one p and t at once, as the filter evaluates them.
  const TComb p = RandomSet(rng, true), t = RandomSet(rng, true);
  std::vector<TComb> ns(300);
  for (TComb& n : ns) n = RandomSet(rng, false);
  long double values[TCompiledFormula::BatchSize];
  bool failed[TCompiledFormula::BatchSize];
  for (size_t from = 0; from < ns.size(); from += TCompiledFormula::BatchSize) {
    const int count = static_cast<int>(
        std::min(ns.size() - from, static_cast<size_t>(TCompiledFormula::BatchSize)));
    f.EvaluateBatch(ns.data() + from, count, p, t, values, failed);
    for (int k = 0; k < count; ++k)
      ASSERT_EQ(failed[k] ? 0 : ShredFraction(values[k], 3),
                ShredValue(ns[from + static_cast<size_t>(k)], p, t, 3, formula))
          << formula << " in a batch";
  }
  // Shredded per batch, twice (the second time from what the first remembered), with numbers
  // past 36 among them and then in p, which take the full evaluation.
  int32_t shredded[TCompiledFormula::BatchSize];
  ns[7][2] = 200;
  for (const TComb& pp : {p, TComb{1, 2, 90, 4, 5}})
    for (int round = 0; round < 2; ++round)
      for (size_t from = 0; from < ns.size(); from += TCompiledFormula::BatchSize) {
        const int count = static_cast<int>(
            std::min(ns.size() - from, static_cast<size_t>(TCompiledFormula::BatchSize)));
        f.ShredBatch(ns.data() + from, count, pp, t, 4, shredded);
        for (int k = 0; k < count; ++k)
          ASSERT_EQ(shredded[k], ShredValue(ns[from + static_cast<size_t>(k)], pp, t, 4, formula))
              << formula << " shredded in a batch";
      }
}

TEST(CompiledFormula, AgreesWithTheTextForPlainFormulas) {
  for (const char* formula : {"(n1+n2+n3)/(n4+n5)",
                              "(n4+n5)/(n1+n2+n3)",
                              "(n1+n2)/(n3+n4+n5)",
                              " N1 * n2 / ( P3 - t4 ) ",
                              "-n1+n2/7",
                              "+n3*2.5/n4",
                              "n1/p1",
                              "t2/n3",
                              "n1^-1",
                              "n1^0.5/n2",
                              "2^n1/n2^3",
                              "SQRT(n1)/LN(n2)",
                              "LOG(t1)+EXP(n1/36)",
                              "ROUND(n1/3)/7",
                              "NOT(n1)/n2",
                              "SIN(n1)*COS(n2)",
                              "TAN(n1)",
                              "ARCSIN(n1/36)+ARCCOS(n2/37)",
                              "ARCTAN(n1)/SIGN(n2-n3)",
                              "ABS(n1-n2)/FRAC(n3/7)",
                              "INT(n1/7)/TRUNC(n2/3)+SQR(n5)/99",
                              "n1,n2",
                              "n1<n2",
                              "n1=n2",
                              "n5>n1/3",
                              "1E2/n1",
                              "(((n1)))/((n2))"})
    ExpectSameAsText(formula, true);
}

TEST(CompiledFormula, FormulasThatFailEverywhereFailEverywhere) {
  for (const char* formula : {"", "((n1+n2)/n3", "n1)", "n1 n2", "FOO(n1)", "n1+", "1E99999*n1",
                              "(n1+n2", "n6/7", "n0+1", "n1/0", "SQRT(-n1)"})
    ExpectSameAsText(formula, std::string(formula) != "n1 n2");
}

TEST(CompiledFormula, TextsWhoseNumbersWouldJoinOtherCharactersAreLeftToTheText) {
  for (const char* formula : {"nn1/7", "2n1/7", "n1.5/n2", "n1E2/n3", "2E-n1", "2e+n1", "n12/7",
                              "n1 2/7", "SIN1(n1)", "(1)n1", "Nn1/3", "n1(2)", "p1p2/9"})
    ExpectSameAsText(formula, false);
}

TEST(CompiledFormula, ShreddingFilterUsesTheCompiledFormulaOrTheText) {
  // Through the class: a formula the compiler refuses keeps its text values.
  TDrawsArray draws;
  for (int i = 0; i < 3; ++i) {
    TDraw d;
    d.Number = i + 1;
    d.Values = {static_cast<uint8_t>(3 + i), 9, 14, 22, 31};
    draws.push_back(d);
  }
  TStatList reg(draws);
  reg.ShreddingFormulas = {"(n1+n2+n3)/(n4+n5)", "n12/p1", "t1/n5"};
  reg.ShreddingDigits = {2, 3, 4};
  for (int param = 1; param <= 3; ++param) {
    auto stat = TstShreddingStat_Class().Create(reg, param);
    const TComb c{1, 2, 3, 4, 5};
    TStatDrawArray values;
    stat->AddCombValues(c, values);
    ASSERT_EQ(values.size(), 1u);
    const TComb zero{};
    EXPECT_EQ(values[0].Key.L1(),
              ShredValue(c, zero, zero, reg.ShreddingDigits[static_cast<size_t>(param - 1)],
                         reg.ShreddingFormulas[static_cast<size_t>(param - 1)]))
        << param;
    // The filter's value: p and t are the newest draw and the one before it.
    TStatDraw want;
    want.Key.SetL1(ShredValue(c, draws[2].Values, draws[1].Values,
                              reg.ShreddingDigits[static_cast<size_t>(param - 1)],
                              reg.ShreddingFormulas[static_cast<size_t>(param - 1)]));
    TComb out[1];
    stat->LoadDraws(-1, 2, false);
    EXPECT_EQ(stat->FilterPass(&c, 1, out, {want}, 2, false, false), 1) << param;
    EXPECT_EQ(stat->FilterPass(&c, 1, out, {want}, 2, false, true), 0) << param;
  }
}

}  // namespace
}  // namespace kvarn
