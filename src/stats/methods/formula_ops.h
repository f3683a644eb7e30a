// The evaluator's arithmetic and its reading of a formula into operations, shared by the text
// evaluation (formula.cpp) and the compiled formula (compiled_formula.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/methods/formula.h"

namespace kvarn {

extern const char* const kFormulaSyntax;

enum class TOp : uint8_t { Const, Var, Add, Sub, Mul, Div, Pow, Func };

enum class TFunc : uint8_t {
  ArcTan,
  Cos,
  Sin,
  Tan,
  Abs,
  Exp,
  Ln,
  Log,
  Sqrt,
  Sqr,
  Int,
  Frac,
  Round,
  ArcSin,
  ArcCos,
  Sign,
  Not
};

// v, or FormulaError when it is not finite.
long double CheckedValue(long double v);
// The arithmetic without exceptions: null, or the failure's message.
const char* FunctionOf(TFunc f, long double x, long double& out);
const char* BinaryOf(TOp op, long double a, long double b, long double& out);
// The same, throwing FormulaError.
long double Function(TFunc f, long double x);
long double Binary(TOp op, long double a, long double b);

// Letters upper case; blanks (below "!") are dropped from formulas.
char FormulaUpper(char ch);
bool FormulaBlank(char ch);

// Reads the text (blanks already dropped, letters upper case; vars[k] >= 0 marks a variable
// standing at k) into operations, operands first. Throws FormulaError as the evaluation would.
void ParseFormulaNodes(std::string text, std::vector<int8_t> vars,
                       std::vector<TFormulaNode>& nodes);

}  // namespace kvarn
