// The options that override the data directory's settings for one run of a statistics command:
// --matrix-cols N, --channel-size N and --segments DIGITS. Nothing is written back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/lottery.h"

// Appended to the usage text of every command that takes the options.
#define KVARN_CLI_SETTINGS_USAGE " [--matrix-cols N] [--channel-size N] [--segments DIGITS]"

namespace kvarn {

class TCliArgs;
struct TCliContext;
class TWorkspace;

struct TSettingsOverride {
  std::optional<int> MatrixCols;                              // 1..36
  std::optional<int> ChannelSize;                             // 2..36
  std::optional<std::array<uint8_t, NumbersCount>> Segments;  // 36 digits 1..9
  bool Any() const { return MatrixCols || ChannelSize || Segments; }
};

// Takes the options from args; a value out of range is a usage error.
TSettingsOverride TakeSettingsOverride(TCliArgs& args);

// Puts the values into the workspace's settings and registers the methods again, so parameter
// ranges follow them. The full-set comparison of the groups whose geometry changed is computed
// in memory for the run: the stored files belong to the saved settings and stay untouched.
void ApplySettingsOverride(TWorkspace& ws, const TSettingsOverride& o);

// Both steps; the workspace is only opened when an option is given.
void TakeAndApplySettingsOverride(TCliContext& ctx, TCliArgs& args);

}  // namespace kvarn
