// Does a filter work? A selection of a method's values tested on the newest draws, and the
// values chosen under a ticket budget on the older half of the draws and checked on the newer.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_settings_override.h"
#include "cli/cli_stat_args.h"
#include "core/text.h"

namespace kvarn {

namespace {

const TCliOption DrawsOption{
    .name = "--draws", .value = "N", .help = "how many of the newest draws", .required = true};

int TakeDraws(TCliArgs& args) {
  const int n = args.TakeInt("--draws", 0);
  if (n < 1) throw TCliUsageError{"--draws must be at least 1"};
  return n;
}

// The window's settings: the analysis point and the order of the numbers.
TWorkspace& Prepared(TCliContext& ctx, const TCliWindow& w) {
  TWorkspace& ws = ctx.Workspace();
  if (w.sorted) ws.WindowState().SortedDraws = true;
  ws.SetDrawsOffset(w.offset);
  return ws;
}

std::string LiftText(const TSurvivalSummary& s) {
  return s.HasLift ? StrFormat("%.4f", s.Lift) : std::string("-");
}

int FilterTest(TCliContext& ctx, TCliArgs& args) {
  TakeAndApplySettingsOverride(ctx, args);
  const std::string ident = TakeIdent(args);
  const std::vector<std::string> values = args.TakeAll("--value");
  const bool del = args.TakeFlag("--delete");
  const int draws = TakeDraws(args);
  const TCliWindow w = TakeWindow(args);
  args.ExpectEnd();

  TWorkspace& ws = Prepared(ctx, w);
  const TFilterTestResult r = ws.FilterTest(ws.StatEntryOf(ident), values, del, w.len, draws);
  std::ostream& out = ctx.out;
  for (const TFilterTestDraw& d : r.Draws)
    out << d.Number << '\t' << d.Kept << '\t' << (d.Survived ? 1 : 0) << '\n';
  const TSurvivalSummary& s = r.Summary;
  out << "survival\t" << s.Survivals << '/' << s.Trials << '\n'
      << "kept_share\t" << StrFormat("%.6f", s.MeanShare) << '\n'
      << "lift\t" << LiftText(s) << '\n'
      << "interval\t" << StrFormat("%.4f\t%.4f", s.Interval.Low, s.Interval.High) << '\n'
      << "p\t" << StrFormat("%.6g", s.P) << '\n';
  return 0;
}

const TCliRegistration FilterTestCommand{{
    .name = "filter-test",
    .synopsis = "IDENT",
    .help = "Tests the filter of the given rows on each of the newest draws (the table before the "
            "draw picks the rows, the filter runs over the full list); prints per draw its number, "
            "the kept count and 1 when it survived, then survival, kept_share, lift, the 95 % "
            "interval and p",
    .options = std::vector<TCliOption>{{.name = "--value",
                                        .value = "TEXT",
                                        .help = "a row of the table by its \"Значение\" text",
                                        .required = true,
                                        .repeat = true},
                                       {.name = "--keep",
                                        .help = "keep the combinations with these values",
                                        .required = true,
                                        .group = "direction"},
                                       {.name = "--delete",
                                        .help = "delete the combinations with these values",
                                        .group = "direction"},
                                       DrawsOption} +
               WindowOptions() + SettingsOverrideOptions(),
    .run = &FilterTest,
}};

void PrintHalf(std::ostream& out, const char* name, const TSurvivalSummary& s) {
  out << name << '\t' << s.Survivals << '/' << s.Trials << '\t' << StrFormat("%.6f", s.MeanShare)
      << '\t' << LiftText(s) << '\t' << StrFormat("%.6g", s.P) << '\n';
}

int FilterSearch(TCliContext& ctx, TCliArgs& args) {
  TakeAndApplySettingsOverride(ctx, args);
  const std::string ident = TakeIdent(args);
  const int budget = args.TakeInt("--budget", 0);
  if (budget < 1) throw TCliUsageError{"--budget must be at least 1"};
  const int draws = TakeDraws(args);
  const TCliWindow w = TakeWindow(args);
  args.ExpectEnd();

  TWorkspace& ws = Prepared(ctx, w);
  const TValueSearchResult r = ws.ValueSearch(ws.StatEntryOf(ident), w.len, draws, budget);
  for (const std::string& v : r.Values) ctx.out << "value\t" << v << '\n';
  PrintHalf(ctx.out, "in_sample", r.InSample.Summary);
  PrintHalf(ctx.out, "out_of_sample", r.OutOfSample.Summary);
  return 0;
}

const TCliRegistration FilterSearchCommand{{
    .name = "filter-search",
    .synopsis = "IDENT",
    .help = "Chooses the values to keep on the older half of the newest draws: the most "
            "survivals of the real draw with at most the budget of combinations kept on average; "
            "prints a line \"value TEXT\" per chosen value, then \"in_sample\" and "
            "\"out_of_sample\" with survival S/N, kept share, lift and p",
    .options = std::vector<TCliOption>{{.name = "--budget",
                                        .value = "B",
                                        .help = "the most combinations kept on average",
                                        .required = true},
                                       DrawsOption} +
               WindowOptions() + SettingsOverrideOptions(),
    .run = &FilterSearch,
}};

}  // namespace

}  // namespace kvarn
