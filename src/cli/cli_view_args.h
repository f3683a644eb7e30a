// Arguments shared by the commands over the analysis views: their window lengths and the
// analysis point.
#pragma once

#include <string>

#include "cli/cli.h"

namespace kvarn {

// A window length, 1..2147483647, as the views' fields take it; `def` when not given.
int TakeViewLen(TCliArgs& args, const std::string& name, int def);
// --offset K, 0 when not given; negative is a usage error.
int TakeViewOffset(TCliArgs& args);
// A function, not a global: the command tables are built during static initialisation.
const TCliOption& ViewOffsetOption();

}  // namespace kvarn
