#include "stats/methods/formula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace kvarn {
namespace {

std::string ErrorOf(std::string_view text) {
  try {
    EvaluateFormula(text);
  } catch (const FormulaError& e) {
    return e.what();
  }
  return "no error";
}

TEST(Formula, PrecedenceAndAssociativity) {
  EXPECT_EQ(EvaluateFormula("2*3^2"), 36);  // * / ^ share one level, left to right
  EXPECT_EQ(EvaluateFormula("2+3*4"), 14);
  EXPECT_EQ(EvaluateFormula("8/4/2"), 1);
  EXPECT_EQ(EvaluateFormula("10-4-3"), 3);
  EXPECT_EQ(EvaluateFormula("2^3^2"), 64);
  EXPECT_EQ(EvaluateFormula("(1+2)*(3+4)"), 21);
  EXPECT_EQ(EvaluateFormula(" 1 + 2\t"), 3);
}

TEST(Formula, LeadingSignNumbersAndExponents) {
  EXPECT_EQ(EvaluateFormula("-5+2"), -3);
  EXPECT_EQ(EvaluateFormula("+5"), 5);
  EXPECT_EQ(EvaluateFormula("1.5*2"), 3);
  EXPECT_EQ(EvaluateFormula("1e3"), 1000);
  EXPECT_EQ(EvaluateFormula("25E-1*2"), 5);
  EXPECT_EQ(ErrorOf("2*-3"), "Синтаксическая ошибка");
}

TEST(Formula, Functions) {
  EXPECT_NEAR(static_cast<double>(EvaluateFormula("arcsin(1)")), std::numbers::pi / 2, 1e-12);
  EXPECT_EQ(EvaluateFormula("arccos(1)"), 0);
  EXPECT_EQ(EvaluateFormula("ARCCOS(0-1)*0"), 0);
  EXPECT_EQ(ErrorOf("arccos(-1)"), "Синтаксическая ошибка");  // a sign leads only the whole text
  EXPECT_EQ(EvaluateFormula("sqr(3)"), 9);
  EXPECT_EQ(EvaluateFormula("sqrt(16)"), 4);
  EXPECT_NEAR(static_cast<double>(EvaluateFormula("log(1000)")), 3, 1e-15);
  EXPECT_NEAR(static_cast<double>(EvaluateFormula("ln(exp(2))")), 2, 1e-12);
  EXPECT_EQ(EvaluateFormula("abs(0-7)"), 7);
  EXPECT_EQ(EvaluateFormula("int(0-2.7)"), -2);
  EXPECT_EQ(EvaluateFormula("trunc(2.7)"), 2);
  EXPECT_NEAR(static_cast<double>(EvaluateFormula("frac(2.75)")), 0.75, 1e-15);
  EXPECT_EQ(EvaluateFormula("round(2.5)"), 2);
  EXPECT_EQ(EvaluateFormula("round(3.5)"), 4);
  EXPECT_EQ(EvaluateFormula("sign(0-3)"), -1);
  EXPECT_EQ(EvaluateFormula("sign(0)"), 0);
  EXPECT_EQ(EvaluateFormula("not(0)"), -1);
  EXPECT_EQ(EvaluateFormula("not(5.9)"), -6);
  EXPECT_NEAR(static_cast<double>(EvaluateFormula("sin(0)+cos(0)+tan(0)+arctan(0)")), 1, 1e-15);
}

TEST(Formula, Faults) {
  EXPECT_EQ(ErrorOf("(1+2"), "Не хватает скобочки");
  EXPECT_EQ(ErrorOf("1+2)"), "Не хватает скобочки");
  EXPECT_EQ(ErrorOf("sin(1"), "Не хватает скобочки");
  EXPECT_EQ(ErrorOf("1/0"), "Деление на нуль");
  EXPECT_EQ(ErrorOf("1/(2-2)"), "Деление на нуль");
  EXPECT_EQ(ErrorOf("ln(0)"), "Выражение под логарифмом меньне нуля");
  EXPECT_EQ(ErrorOf("log(0-1)"), "Выражение под логарифмом меньне нуля");
  EXPECT_EQ(ErrorOf("sqrt(0-1)"), "Выражение под корнем меньне нуля");
  EXPECT_EQ(ErrorOf("arcsin(2)"), "Ошибка в операции с плавающей точкой");
  EXPECT_EQ(ErrorOf("exp(100000)"), "Ошибка в операции с плавающей точкой");
  EXPECT_EQ(ErrorOf("foo(1)"), "Синтаксическая ошибка");
  EXPECT_EQ(ErrorOf("1+"), "Синтаксическая ошибка");
  EXPECT_EQ(ErrorOf(""), "Синтаксическая ошибка");
  EXPECT_EQ(EvaluateFormula("2 3"), 23);  // blanks are dropped first
  EXPECT_EQ(ErrorOf("2(3)"), "Синтаксическая ошибка");
  // A stray closing parenthesis that balances a later opening one must not cut the text short.
  EXPECT_EQ(ErrorOf("(1))+((2)"), "Синтаксическая ошибка");
  EXPECT_EQ(ErrorOf("1,5"), "Синтаксическая ошибка");
}

TEST(Shredding, DefaultFormulasAndDigits) {
  TComb n{1, 2, 3, 4, 5}, zero{};
  EXPECT_EQ(ShredValue(n, zero, zero, 2, "(n1+n2+n3)/(n4+n5)"), 66);
  EXPECT_EQ(ShredValue(n, zero, zero, 2, "(n4+n5)/(n1+n2+n3)"), 50);
  EXPECT_EQ(ShredValue(n, zero, zero, 2, "(n1+n2)/(n3+n4+n5)"), 25);
  EXPECT_EQ(ShredValue(n, zero, zero, 2, "N1+n2"), 0);
  EXPECT_EQ(ShredValue(n, zero, zero, 2, "n1/p1"), 0);
  EXPECT_EQ(ShredValue(n, TComb{3, 0, 0, 0, 0}, zero, 2, "n1/p1"), 33);
  EXPECT_EQ(ShredValue(n, zero, TComb{0, 7, 0, 0, 0}, 3, "t2/n3"), 333);
  EXPECT_EQ(ShredValue(n, zero, zero, 2, "((n1+n2)/n3"), 0);
  EXPECT_EQ(ShredValue(n, zero, zero, 5, "n1/7"), 14285);
}

TEST(Shredding, ExactDecimalsKeepTheirLastDigit) {
  EXPECT_EQ(ShredFraction(EvaluateFormula("6/5"), 2), 20);
  EXPECT_EQ(ShredFraction(EvaluateFormula("13/10"), 2), 30);
  EXPECT_EQ(ShredFraction(EvaluateFormula("0.29*100/100"), 2), 29);
  EXPECT_EQ(ShredFraction(EvaluateFormula("-6/5"), 2), 20);
  EXPECT_EQ(ShredFraction(EvaluateFormula("1/3*3"), 2), 0);
  // Every ratio of two sums that a 5-of-36 formula can produce, against exact integer arithmetic.
  for (int a = 1; a <= 170; ++a)
    for (int b = 1; b <= 170; b += 7) {
      int expected = (a % b) * 100 / b;
      ASSERT_EQ(ShredFraction(EvaluateFormula(std::to_string(a) + "/" + std::to_string(b)), 2),
                expected)
          << a << "/" << b;
    }
}

TEST(Formula, RandomInputOnlyGivesItsOwnMessages) {
  const std::string alphabet = "0123456789+-*/^().,Ee nptSINCOQRTLGABXPUFDV<=>";
  std::mt19937 rng(12345);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    int len = static_cast<int>(rng() % 40);
    for (int k = 0; k < len; ++k) text += alphabet[rng() % alphabet.size()];
    try {
      long double v = EvaluateFormula(text);
      EXPECT_TRUE(std::isfinite(v)) << text;
    } catch (const FormulaError&) {
    }
  }
  // Deep nesting is refused instead of exhausting the stack.
  std::string deep(100000, '(');
  deep += "1" + std::string(100000, ')');
  EXPECT_EQ(ErrorOf(deep), "Синтаксическая ошибка");
}

}  // namespace
}  // namespace kvarn
