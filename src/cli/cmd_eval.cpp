#include <ostream>

#include "cli/cli.h"
#include "core/text.h"
#include "stats/methods/formula.h"

namespace kvarn {

KVARN_CLI_COMMAND(eval, "eval", "eval \"FORMULA\"") {
  std::optional<std::string> formula = args.TakePositional();
  if (!formula) throw TCliUsageError{"a formula is needed"};
  args.ExpectEnd();
  try {
    ctx.out << RealText(EvaluateFormula(*formula)) << '\n';
    return 0;
  } catch (const FormulaError& e) {
    ctx.out << e.what() << '\n';
    return 1;
  }
}

}  // namespace kvarn
