// Spreadsheet export from the command line: the same .xlsx files the window's export commands
// write.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_stat_args.h"
#include "cli/cli_view_args.h"

namespace kvarn {

namespace {

std::string TakeFile(TCliArgs& args) {
  return args.TakeLastPositional("the .xlsx file to write is needed");
}

int Draws(TCliContext& ctx, TCliArgs& args) {
  TWorkspace& ws = ctx.Workspace();
  ws.SetDrawsOffset(args.TakeInt("--offset", 0));
  return ws.DrawsXlsExport(TakeFile(args)) ? 0 : 1;
}

const TCliRegistration DrawsCommand{{
    .name = "export",
    .sub = "draws",
    .synopsis = "FILE.xlsx",
    .help = "Writes the draws list as a spreadsheet, newest first, coloured as the window shows "
            "it",
    .options = {{.name = "--offset", .value = "N", .help = "the analysis point, marked in colour"}},
    .run = &Draws,
}};

int Combs(TCliContext& ctx, TCliArgs& args) {
  TWorkspace& ws = ctx.Workspace();
  const std::optional<std::string> in = args.TakeOption("--in");
  const std::string file = TakeFile(args);
  if (in) {
    if (!ws.CombsLoadFile(*in)) return 1;
  } else {
    ws.CombsGenerateStored(false);
  }
  if (ctx.host.ErrorShown()) return 1;
  return ws.CombsXlsExport(file) ? 0 : 1;
}

const TCliRegistration CombsCommand{{
    .name = "export",
    .sub = "combs",
    .synopsis = "FILE.xlsx",
    .help = "Writes a combination list as a spreadsheet: a combination file, or else the list the "
            "stored generation parameters give",
    .options = {{.name = "--in", .value = "FILE.lcv", .help = "the combination file to export"}},
    .run = &Combs,
}};

int Stat(TCliContext& ctx, TCliArgs& args) {
  const TCliStatTable request = TakeStatTable(ctx, args);
  const std::string file = TakeFile(args);
  TWorkspace& ws = ctx.Workspace();
  ComputeCliStatTable(ctx, request, ws.StatTable());
  return ws.StatXlsExport(file) ? 0 : 1;
}

const TCliRegistration StatCommand{{
    .name = "export",
    .sub = "stat",
    .synopsis = "IDENT FILE.xlsx",
    .help = "Writes a method's statistics table as a spreadsheet, in the table's order",
    .options = StatTableOptions(),
    .run = &Stat,
}};

int Stakes(TCliContext& ctx, TCliArgs& args) {
  const std::string file = TakeFile(args);
  TWorkspace& ws = ctx.Workspace();
  // Only reads the stakes: it works beside a running window and never mends the file.
  if (!ws.StakesOpenReadOnly()) return 1;
  return ws.StakesXlsExport(file) ? 0 : 1;
}

const TCliRegistration StakesCommand{{
    .name = "export",
    .sub = "stakes",
    .synopsis = "FILE.xlsx",
    .help = "Writes the stakes file as a spreadsheet, in the grid's order and colours",
    .run = &Stakes,
}};

// The exports that take nothing but the file: what they write is what the data directory holds.
template <bool (TWorkspace::*Export)(const std::string&, const TSheetProgress&)>
int FileOnly(TCliContext& ctx, TCliArgs& args) {
  const std::string file = TakeFile(args);
  return (ctx.Workspace().*Export)(file, {}) ? 0 : 1;
}

const TCliRegistration RatingCommand{{
    .name = "export",
    .sub = "rating",
    .synopsis = "FILE.xlsx",
    .help = "Writes the rating as a spreadsheet, in its stored order and efficiency mode",
    .run = &FileOnly<&TWorkspace::RatingsXlsExport>,
}};

const TCliRegistration CardCommand{{
    .name = "export",
    .sub = "card",
    .synopsis = "FILE.xlsx",
    .help = "Writes the draws card as a spreadsheet, every draw newest first, coloured as the "
            "window's switches say",
    .run = &FileOnly<&TWorkspace::CardXlsExport>,
}};

int Layout(TCliContext& ctx, TCliArgs& args) {
  TWorkspace& ws = ctx.Workspace();
  // The window's own length when none is given, as the tab would open with it.
  const int len = TakeViewLen(args, "--len", ws.WindowState().LayoutLen);
  const int offset = TakeViewOffset(args);
  const std::string file = TakeFile(args);
  ws.SetDrawsOffset(offset);
  ws.SetLayoutLen(len);
  ws.LayoutCalc(true);
  return ws.LayoutXlsExport(file) ? 0 : 1;
}

const TCliRegistration LayoutCommand{{
    .name = "export",
    .sub = "layout",
    .synopsis = "FILE.xlsx",
    .help = "Writes the layout scheme as a spreadsheet: counts down, last draws across, coloured "
            "as the window paints it",
    .options = {{.name = "--len",
                 .value = "L",
                 .help = "draws of the scheme (the window's stored length when not given)"},
                ViewOffsetOption()},
    .run = &Layout,
}};

}  // namespace

}  // namespace kvarn
