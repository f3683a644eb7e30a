#include "cli/cli_view_args.h"

#include "app/views_state.h"
#include "core/text.h"

namespace kvarn {

int TakeViewLen(TCliArgs& args, const std::string& name, int def) {
  const std::optional<std::string> text = args.TakeOption(name);
  if (!text) return def;
  int64_t n = 0;
  if (!TryTextToInt(*text, n) || !ViewLenValid(n))
    throw TCliUsageError{"option " + name + " needs an integer from 1 to 2147483647"};
  return static_cast<int>(n);
}

int TakeViewOffset(TCliArgs& args) {
  const int offset = args.TakeInt("--offset", 0);
  if (offset < 0) throw TCliUsageError{"--offset must not be negative"};
  return offset;
}

const TCliOption& ViewOffsetOption() {
  static const TCliOption option{
      .name = "--offset", .value = "K", .help = "the analysis point K draws before the newest"};
  return option;
}

}  // namespace kvarn
