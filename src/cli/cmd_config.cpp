// kvarn-cli config: the effective configuration.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"

namespace kvarn {

namespace {

int ConfigShow(TCliContext& ctx, TCliArgs& args) {
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  for (const auto& [key, value] : ConfigKeyValues(ws.Settings()))
    ctx.out << key << '=' << value << '\n';
  return 0;
}

const TCliRegistration ConfigShowCommand{{
    .name = "config",
    .sub = "show",
    .help = "Prints every setting in use as SECTION.Key=value",
    .run = &ConfigShow,
}};

}  // namespace

}  // namespace kvarn
