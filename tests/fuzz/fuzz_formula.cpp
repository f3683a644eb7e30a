// The formula evaluator on any text, and a compiled formula against the text evaluation with the
// numbers put in: the shredding filter relies on both giving the same shredded value. The first
// 15 bytes are the numbers n, p and t, the rest the formula.
#include <cstdint>
#include <string_view>

#include "stats/methods/formula.h"

namespace {

kvarn::TComb Numbers(const uint8_t* in, bool zeros) {
  kvarn::TComb c{};
  for (size_t i = 0; i < c.size(); ++i) {
    const int v = in[i] % 37;
    c[i] = static_cast<uint8_t>(v == 0 && !zeros ? 1 : v);
  }
  return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    kvarn::EvaluateFormula(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const kvarn::FormulaError&) {
  }
  if (size < 15) return 0;
  const kvarn::TComb n = Numbers(data, false), p = Numbers(data + 5, true),
                     t = Numbers(data + 10, true);
  const std::string_view formula(reinterpret_cast<const char*>(data) + 15, size - 15);
  kvarn::TCompiledFormula compiled;
  if (!compiled.Compile(formula)) return 0;
  long double value = 0;
  bool failed = false;
  try {
    value = compiled.Evaluate(n, p, t);
  } catch (const kvarn::FormulaError&) {
    failed = true;
  }
  long double batchValue = 0;
  bool batchFailed = false;
  compiled.EvaluateBatch(&n, 1, p, t, &batchValue, &batchFailed);
  if (batchFailed != failed || (!failed && batchValue != value && value == value)) __builtin_trap();
  for (int digits = 1; digits <= 5; ++digits) {
    const int fromCompiled = failed ? 0 : kvarn::ShredFraction(value, digits);
    if (fromCompiled != kvarn::ShredValue(n, p, t, digits, formula)) __builtin_trap();
    int32_t batchShred = -1;
    compiled.ShredBatch(&n, 1, p, t, digits, &batchShred);
    if (batchShred != fromCompiled) __builtin_trap();
  }
  return 0;
}
