#include "cli/cmd_draws_csv.h"

#include <ostream>

#include "app/workspace.h"

namespace kvarn {

namespace {

std::string TakeFileName(TCliArgs& args) {
  return args.TakeLastPositional("a CSV file name is needed");
}

}  // namespace

int CliDrawsImport(TCliContext& ctx, TCliArgs& args) {
  std::string file = TakeFileName(args);
  TWorkspace& ws = ctx.Workspace();
  int added = ws.DrawsImport(file);
  // The counts are only printed once the archive is on disk.
  if (ctx.host.ErrorShown()) return 1;
  ctx.out << added << '\t' << ws.DrawsCount() << '\n';
  return 0;
}

int CliDrawsExport(TCliContext& ctx, TCliArgs& args) {
  std::string file = TakeFileName(args);
  ctx.out << ctx.Workspace().DrawsExport(file) << '\n';
  return 0;
}

}  // namespace kvarn
