// kvarn-cli eval: the formula evaluator of the shredding methods.
#include <ostream>

#include "cli/cli.h"
#include "core/text.h"
#include "stats/methods/formula.h"

namespace kvarn {

namespace {

int Eval(TCliContext& ctx, TCliArgs& args) {
  const std::string formula = args.TakeLastPositional("a formula is needed");
  try {
    ctx.out << RealText(EvaluateFormula(formula)) << '\n';
    return 0;
  } catch (const FormulaError& e) {
    ctx.out << e.what() << '\n';
    return 1;
  }
}

const TCliRegistration EvalCommand{{
    .name = "eval",
    .synopsis = "\"FORMULA\"",
    .help = "Prints the value of a formula, or the evaluator's message",
    .run = &Eval,
}};

}  // namespace

}  // namespace kvarn
