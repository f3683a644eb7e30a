// Arguments shared by the statistics commands: the method identifier and the window of draws
// (--len, --offset, --sorted).
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"

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

}  // namespace kvarn
