#include "cli/cli_settings_override.h"

#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

namespace {

std::optional<int> TakeRange(TCliArgs& args, const std::string& name, int min, int max) {
  const std::optional<std::string> text = args.TakeOption(name);
  if (!text) return std::nullopt;
  int64_t v = 0;
  if (!TryTextToInt(Trim(*text), v) || v < min || v > max)
    throw TCliUsageError{StrFormat("%s needs an integer %d..%d", name.c_str(), min, max)};
  return static_cast<int>(v);
}

}  // namespace

const std::vector<TCliOption>& SettingsOverrideOptions() {
  static const std::vector<TCliOption> options = {
      {.name = "--matrix-cols", .value = "N", .help = "matrix columns 1..36 for this run"},
      {.name = "--channel-size", .value = "N", .help = "channel width 2..36 for this run"},
      {.name = "--segments",
       .value = "DIGITS",
       .help = "the segment 1..9 of each number 1..36, 36 digits, for this run"},
  };
  return options;
}

TConfigOverride TakeSettingsOverride(TCliArgs& args) {
  TConfigOverride o;
  o.MatrixCols = TakeRange(args, "--matrix-cols", 1, NumbersCount);
  o.ChannelSize = TakeRange(args, "--channel-size", 2, NumbersCount);
  if (const std::optional<std::string> text = args.TakeOption("--segments")) {
    if (text->size() != NumbersCount)
      throw TCliUsageError{"--segments needs 36 digits 1..9, one per number"};
    std::array<uint8_t, NumbersCount> map{};
    for (size_t i = 0; i < map.size(); ++i) {
      const char c = (*text)[i];
      if (c < '1' || c > '9')
        throw TCliUsageError{"--segments needs 36 digits 1..9, one per number"};
      map[i] = static_cast<uint8_t>(c - '0');
    }
    o.Segments = map;
  }
  return o;
}

void TakeAndApplySettingsOverride(TCliContext& ctx, TCliArgs& args) {
  const TConfigOverride o = TakeSettingsOverride(args);
  if (o.Any()) ctx.Workspace().ConfigOverride(o);
}

}  // namespace kvarn
