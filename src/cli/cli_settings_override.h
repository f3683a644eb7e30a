// The options that override the data directory's settings for one run of a statistics command:
// --matrix-cols N, --channel-size N and --segments DIGITS. Nothing is written back.
#pragma once

#include <vector>

#include "app/config_input.h"
#include "cli/cli.h"

namespace kvarn {

// The three options, appended to a command's own.
const std::vector<TCliOption>& SettingsOverrideOptions();

// Reads the options; a value out of range is a usage error.
TConfigOverride TakeSettingsOverride(TCliArgs& args);

// Reads them and, when one is given, opens the workspace and puts them in for this run.
void TakeAndApplySettingsOverride(TCliContext& ctx, TCliArgs& args);

}  // namespace kvarn
