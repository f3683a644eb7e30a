// The analysis views from the command line, each as TAB-separated text: the week table, the sum
// distribution, the repeats list, the draws card, the layout scheme with its compare lists and a
// method's graph.
#include <ostream>

#include "app/views_state.h"
#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_stat_args.h"
#include "cli/cli_view_args.h"
#include "core/text.h"
#include "views/view_text.h"

namespace kvarn {

namespace {

void Print(std::ostream& out, const TTextLines& lines) {
  for (const std::string& line : lines) out << line << '\n';
}

int ViewWeek(TCliContext& ctx, TCliArgs& args) {
  const int len = TakeViewLen(args, "--len", WeekLenDefault);
  const int offset = TakeViewOffset(args);
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  Print(ctx.out, WeekTableText(BuildWeekTable(ws.Draws(), offset, len, ws.DateFormat())));
  return 0;
}

int ViewSums(TCliContext& ctx, TCliArgs& args) {
  args.ExpectEnd();
  Print(ctx.out, SumsText(ctx.Workspace().TotalSumCombs()));
  return 0;
}

int ViewRepeats(TCliContext& ctx, TCliArgs& args) {
  const int len = TakeViewLen(args, "--len", RepeatsLenDefault);
  const int deep = TakeViewLen(args, "--deep", RepeatsDeepDefault);
  args.ExpectEnd();
  Print(ctx.out, RepeatsText(AnalyzeRepeats(ctx.Workspace().Draws(), len, deep)));
  return 0;
}

int ViewCard(TCliContext& ctx, TCliArgs& args) {
  const int offset = TakeViewOffset(args);
  const int len = TakeViewLen(args, "--len", ViewLenMax);
  args.ExpectEnd();
  Print(ctx.out, CardText(ctx.Workspace().Draws(), offset, len));
  return 0;
}

int ViewLayout(TCliContext& ctx, TCliArgs& args) {
  const int len = TakeViewLen(args, "--len", LayoutLenDefault);
  const int offset = TakeViewOffset(args);
  std::vector<int> lens;
  for (int k = 0; k < LayoutCompareCount; ++k)
    lens.push_back(TakeViewLen(args, StrFormat("--cmp%d", k + 1), LayoutCompareDefaults[k]));
  args.ExpectEnd();
  const TDrawsArray& draws = ctx.Workspace().Draws();
  std::vector<TLayoutCompare> compare;
  for (int l : lens) compare.push_back(BuildLayoutCompare(draws, offset, l));
  Print(ctx.out, LayoutText(BuildLayoutScheme(draws, offset, len), compare));
  return 0;
}

int ViewGraph(TCliContext& ctx, TCliArgs& args) {
  const std::string ident = TakeIdent(args);
  const int len = TakeViewLen(args, "--len", GraphLenDefault);
  const int offset = TakeViewOffset(args);
  const bool sortedFlag = args.TakeFlag("--sorted");
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  const int entry = ws.StatEntryOf(ident);
  std::unique_ptr<TCustomStat> stat = ws.StatList().CreateStat(entry);
  auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
  if (!graph) Raise(StrFormat("Метод расчета статистики \"%s\" не строит график!", ident.c_str()));
  const bool sorted = sortedFlag || ws.WindowState().SortedDraws;
  Print(ctx.out, GraphText(BuildGraphSeries(*graph, offset, len, sorted),
                           ws.StatList().DisplayName(entry, true)));
  return 0;
}

std::vector<TCliOption> CompareOptions() {
  std::vector<TCliOption> options;
  for (int k = 0; k < LayoutCompareCount; ++k)
    options.push_back({.name = StrFormat("--cmp%d", k + 1),
                       .value = "N",
                       .help = StrFormat("draws of compare list %d (%d when not given)", k + 1,
                                         LayoutCompareDefaults[k])});
  return options;
}

const TCliRegistration ViewCommands[] = {
    TCliRegistration{{
        .name = "view",
        .sub = "week",
        .help = "Prints per number 1..36 its counts Monday .. Sunday, then \"max\" and the largest",
        .options =
            {{.name = "--len", .value = "L", .help = "draws in the window (1000 when not given)"},
             ViewOffsetOption()},
        .run = &ViewWeek,
    }},
    TCliRegistration{{
        .name = "view",
        .sub = "sums",
        .help = "Prints per sum its count over all combinations and over the draws, then the "
                "thresholds, Tmin, Tmax, Amax and the three bands",
        .run = &ViewSums,
    }},
    TCliRegistration{{
        .name = "view",
        .sub = "repeats",
        .help = "Prints the repeats list: draw, shared numbers, repeats, the earlier draws",
        .options =
            {{.name = "--len", .value = "N", .help = "newest draws analysed (100 when not given)"},
             {.name = "--deep",
              .value = "D",
              .help = "earlier draws each one is compared with (100 when not given)"}},
        .run = &ViewRepeats,
    }},
    TCliRegistration{{
        .name = "view",
        .sub = "card",
        .help = "Prints the draws card newest first: the draw number, columns 1..36, the extra "
                "number",
        .options = {{.name = "--offset", .value = "K", .help = "leave out the K newest draws"},
                    {.name = "--len", .value = "N", .help = "at most N rows (all when not given)"}},
        .run = &ViewCard,
    }},
    TCliRegistration{{
        .name = "view",
        .sub = "layout",
        .help = "Prints the layout scheme (counts against last draws), then the five compare "
                "lists",
        .options =
            std::vector<TCliOption>{
                {.name = "--len", .value = "L", .help = "draws of the scheme (100 when not given)"},
                ViewOffsetOption()} +
            CompareOptions(),
        .run = &ViewLayout,
    }},
    TCliRegistration{{
        .name = "view",
        .sub = "graph",
        .synopsis = "IDENT",
        .help = "Prints a graph method's value per draw with the mean and the most frequent value",
        .options =
            {{.name = "--len", .value = "L", .help = "draws in the window (100 when not given)"},
             ViewOffsetOption(),
             {.name = "--sorted", .help = "each draw's numbers in ascending order"}},
        .run = &ViewGraph,
    }},
};

}  // namespace

}  // namespace kvarn
