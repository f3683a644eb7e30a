// The arithmetic formula evaluator behind the shredding methods, and the shredding of a value
// into whole decimal digits.
#pragma once

#include <string>
#include <string_view>

#include "core/lottery.h"
#include "core/text.h"

namespace kvarn {

class FormulaError : public EKvarnError {
 public:
  using EKvarnError::EKvarnError;
};

// Value of an arithmetic expression: + - on one level, * / ^ on the level above (all evaluated
// left to right), numbers with fraction and exponent, parentheses and 18 functions. Throws
// FormulaError with the evaluator's message.
long double EvaluateFormula(std::string_view text);

// The first `digits` decimals of the fractional part of |value| as a whole number. Values that
// are exact decimals keep their digits although their binary form is a hair below them.
int ShredFraction(long double value, int digits);

// Replaces n1..n5, p1..p5 and t1..t5 (any case) by the numbers of the three sets, evaluates the
// formula and shreds the result; 0 on any error.
int ShredValue(const TComb& n, const TComb& p, const TComb& t, int digits,
               std::string_view formula);

}  // namespace kvarn
