#include "cli/cli_stat_args.h"

#include "app/stats_state.h"
#include "app/workspace.h"
#include "cli/cli_settings_override.h"

namespace kvarn {

std::string TakeIdent(TCliArgs& args) {
  std::optional<std::string> ident = args.TakePositional();
  if (!ident) throw TCliUsageError{"a method identifier is needed"};
  return *ident;
}

const std::vector<TCliOption>& WindowOptions() {
  static const std::vector<TCliOption> options = {
      {.name = "--len", .value = "N", .help = "draws in the window (1000 when not given)"},
      {.name = "--offset", .value = "K", .help = "the analysis point K draws before the newest"},
      {.name = "--sorted", .help = "each draw's numbers in ascending order"},
  };
  return options;
}

TCliWindow TakeWindow(TCliArgs& args) {
  TCliWindow w;
  w.len = args.TakeInt("--len", StatLenDefault);
  w.offset = args.TakeInt("--offset", 0);
  w.sorted = args.TakeFlag("--sorted");
  if (!StatLenValid(w.len)) throw TCliUsageError{"--len must be at least 1"};
  if (w.offset < 0) throw TCliUsageError{"--offset must not be negative"};
  return w;
}

const std::vector<TCliOption>& StatTableOptions() {
  static const std::vector<TCliOption> options =
      WindowOptions() +
      std::vector<TCliOption>{
          {.name = "--prefetch", .help = "compare with the full set of combinations"}} +
      SettingsOverrideOptions();
  return options;
}

TCliStatTable TakeStatTable(TCliContext& ctx, TCliArgs& args) {
  TakeAndApplySettingsOverride(ctx, args);
  TCliStatTable request;
  request.ident = TakeIdent(args);
  request.window = TakeWindow(args);
  // The full-set comparison for this run only (the file is built when missing).
  if (args.TakeFlag("--prefetch")) ctx.Workspace().WindowState().PrefetchsEnabled = true;
  return request;
}

void ComputeCliStatTable(TCliContext& ctx, const TCliStatTable& request, TStatTable& table) {
  TWorkspace& ws = ctx.Workspace();
  const TCliWindow& w = request.window;
  ws.ComputeStatTableFor(ws.StatEntryOf(request.ident), w.offset, w.len,
                         w.sorted || ws.WindowState().SortedDraws, table);
}

}  // namespace kvarn
