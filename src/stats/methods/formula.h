// The arithmetic formula evaluator behind the shredding methods, and the shredding of a value
// into whole decimal digits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// One operation of a compiled formula: operands are earlier operations (A, B), a variable is
// A = set * 5 + position (n, p, t), a constant is Value.
struct TFormulaNode {
  uint8_t Op = 0;
  uint8_t Func = 0;
  bool Whole = false;  // evaluated in int64
  bool Real = true;    // its long double value is read
  int A = 0;
  int B = 0;
  long double Value = 0;
};

// A formula read once and evaluated for many number sets: the filter evaluates it for every
// combination of the list. It gives exactly what EvaluateFormula gives for the text with the
// numbers put in, failures included.
class TCompiledFormula {
 public:
  static constexpr size_t MaxNodes = 64;  // more go to the heap
  // False when putting the numbers into the text could make anything but a plain number of
  // them (a digit, point or exponent beside a variable, a letter before one): such a formula
  // is evaluated as text.
  bool Compile(std::string_view formula);
  bool Valid() const { return valid_; }
  // Throws FormulaError as EvaluateFormula would.
  long double Evaluate(const TComb& n, const TComb& p, const TComb& t) const;
  // The same for up to BatchSize sets of n at once with one p and t: values[k], or failed[k]
  // where Evaluate would throw.
  static constexpr int BatchSize = 256;
  void EvaluateBatch(const TComb* n, int count, const TComb& p, const TComb& t, long double* values,
                     bool* failed) const;
  // ShredFraction of each value (0 where it fails), remembered per tuple of the whole numbers
  // the real operations read when they are few and the numbers lie in 0..36.
  void ShredBatch(const TComb* n, int count, const TComb& p, const TComb& t, int digits,
                  int32_t* out) const;

 private:
  void MarkWholeNumbers();
  void PlanMemo();
  // The whole-number operations of a batch, into wholeScratch_.
  void EvaluateWhole(const TComb* n, int count, const TComb& p, const TComb& t) const;
  struct TFrontier {
    int Node;
    int64_t Low;
    int64_t Stride;
  };
  static constexpr size_t MaxFrontier = 3;
  static constexpr int64_t MaxMemo = 1 << 16;
  static constexpr int32_t kUnknown = -1;  // shredded values are never negative
  std::vector<TFrontier> frontier_;
  size_t memoSize_ = 0;
  mutable std::vector<int32_t> memo_;
  mutable TComb memoP_{};
  mutable TComb memoT_{};
  mutable int memoDigits_ = -1;
  std::vector<TFormulaNode> nodes_;
  bool valid_ = false;
  bool alwaysError_ = false;
  mutable std::vector<long double> realScratch_;  // the batch's values, node by node
  mutable std::vector<int64_t> wholeScratch_;
};

// The first `digits` decimals of the fractional part of |value| as a whole number. Values that
// are exact decimals keep their digits although their binary form is a hair below them.
int ShredFraction(long double value, int digits);

// ShredFraction of values[0..count), 0 where failed.
void ShredFractions(const long double* values, const bool* failed, int count, int digits,
                    int32_t* out);

// Replaces n1..n5, p1..p5 and t1..t5 (any case) by the numbers of the three sets, evaluates the
// formula and shreds the result; 0 on any error.
int ShredValue(const TComb& n, const TComb& p, const TComb& t, int digits,
               std::string_view formula);

}  // namespace kvarn
