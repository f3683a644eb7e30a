// kvarn-cli config: the effective configuration.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"

namespace kvarn {

KVARN_CLI_COMMAND(config, "config", "config show") {
  std::optional<std::string> sub = args.TakePositional();
  if (!sub) throw TCliUsageError{"a sub-command is needed"};
  if (*sub != "show") throw TCliUsageError{"unknown sub-command: " + *sub};
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  for (const auto& [key, value] : ConfigKeyValues(ws.Settings()))
    ctx.out << key << '=' << value << '\n';
  return 0;
}

}  // namespace kvarn
