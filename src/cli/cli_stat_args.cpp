#include "cli/cli_stat_args.h"

#include "app/stats_state.h"

namespace kvarn {

std::string TakeIdent(TCliArgs& args) {
  std::optional<std::string> ident = args.TakePositional();
  if (!ident) throw TCliUsageError{"a method identifier is needed"};
  return *ident;
}

const std::vector<TCliOption>& WindowOptions() {
  static const std::vector<TCliOption> options = {
      {.name = "--len", .value = "N", .help = "draws in the window (1000 when not given)"},
      {.name = "--offset", .value = "K", .help = "the analysis point K draws before the newest"},
      {.name = "--sorted", .help = "each draw's numbers in ascending order"},
  };
  return options;
}

TCliWindow TakeWindow(TCliArgs& args) {
  TCliWindow w;
  w.len = args.TakeInt("--len", StatLenDefault);
  w.offset = args.TakeInt("--offset", 0);
  w.sorted = args.TakeFlag("--sorted");
  if (!StatLenValid(w.len)) throw TCliUsageError{"--len must be at least 1"};
  if (w.offset < 0) throw TCliUsageError{"--offset must not be negative"};
  return w;
}

}  // namespace kvarn
