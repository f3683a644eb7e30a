// Arguments shared by the statistics commands: the method identifier and the window of draws
// (--len, --offset, --sorted).
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"
#include "stats/table.h"

namespace kvarn {

// The first positional word; a usage error when there is none.
std::string TakeIdent(TCliArgs& args);

struct TCliWindow {
  int len = 0;
  int offset = 0;
  bool sorted = false;  // --sorted was given
};
const std::vector<TCliOption>& WindowOptions();
// Reads the three options; a Len outside the table's range or a negative offset is a usage error.
TCliWindow TakeWindow(TCliArgs& args);

// A method's statistics table as the table commands ask for it: the settings override (applied
// when taken), the identifier, the window and --prefetch (set for this run only).
struct TCliStatTable {
  std::string ident;
  TCliWindow window;
};
const std::vector<TCliOption>& StatTableOptions();
TCliStatTable TakeStatTable(TCliContext& ctx, TCliArgs& args);
// Computes it into `table`; called once the caller has taken the rest of its arguments.
void ComputeCliStatTable(TCliContext& ctx, const TCliStatTable& request, TStatTable& table);

}  // namespace kvarn
