// Statistic methods from the command line: the registry, a method's table, the values of one
// combination and a method's graph.
#include <algorithm>
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_settings_override.h"
#include "cli/cli_stat_args.h"
#include "core/text.h"

namespace kvarn {

namespace {

// One TAB-separated line.
template <class Cells>
void PrintCells(std::ostream& out, const Cells& cells) {
  for (size_t c = 0; c < cells.size(); ++c) out << (c ? "\t" : "") << cells[c];
  out << '\n';
}

int Methods(TCliContext& ctx, TCliArgs& args) {
  TakeAndApplySettingsOverride(ctx, args);
  const bool favourites = args.TakeFlag("--favourites");
  args.ExpectEnd();
  TStatList& list = ctx.Workspace().StatList();
  for (int i = 0; i < list.Count(); ++i) {
    if (favourites && !list.IsFavourite(i)) continue;
    const TStatMethod& m = list.Items(i);
    ctx.out << m.IdentOf() << '\t' << StatGroupIdent(m.StatClass->Group()) << '\t'
            << list.DisplayName(i, true) << '\n';
  }
  return 0;
}

const TCliRegistration MethodsCommand{{
    .name = "methods",
    .help = "Lists every registered method: identifier, group and name",
    .options = std::vector<TCliOption>{{.name = "--favourites",
                                        .help = "only the methods ticked in the favourites"}} +
               SettingsOverrideOptions(),
    .run = &Methods,
}};

int Stat(TCliContext& ctx, TCliArgs& args) {
  const TCliStatTable request = TakeStatTable(ctx, args);
  args.ExpectEnd();
  TStatTable table;
  ComputeCliStatTable(ctx, request, table);
  PrintCells(ctx.out, StatColumnCaptions);
  for (const TStatRow& row : table.Rows) PrintCells(ctx.out, row.Cells);
  return 0;
}

const TCliRegistration StatCommand{{
    .name = "stat",
    .synopsis = "IDENT",
    .help = "Prints the statistics table of a method, the header first, rows in result order",
    .options = StatTableOptions(),
    .run = &Stat,
}};

int Values(TCliContext& ctx, TCliArgs& args) {
  TakeAndApplySettingsOverride(ctx, args);
  const std::string ident = TakeIdent(args);
  TComb comb{};
  for (int i = 0; i < CombSize; ++i) {
    std::optional<std::string> word = args.TakePositional();
    int64_t n = 0;
    if (!word || !TryTextToInt(*word, n) || n < 1 || n > NumbersCount)
      throw TCliUsageError{"five numbers 1..36 are needed"};
    comb[static_cast<size_t>(i)] = static_cast<uint8_t>(n);
  }
  args.ExpectEnd();
  // Methods receive combinations as the system makes them: five different numbers, ascending.
  SortComb(comb);
  if (std::adjacent_find(comb.begin(), comb.end()) != comb.end())
    throw TCliUsageError{"the five numbers must be different"};
  TWorkspace& ws = ctx.Workspace();
  std::unique_ptr<TCustomStat> stat = ws.StatList().CreateStat(ws.StatEntryOf(ident));
  TStatDrawArray list;
  stat->AddCombValues(comb, list);
  for (const TStatDraw& item : list) ctx.out << stat->ValueText(item) << '\t' << item.Count << '\n';
  return 0;
}

const TCliRegistration ValuesCommand{{
    .name = "values",
    .synopsis = "IDENT n1 n2 n3 n4 n5",
    .help = "Prints the values a method gives one combination, with their counts",
    .options = SettingsOverrideOptions(),
    .run = &Values,
}};

int Graph(TCliContext& ctx, TCliArgs& args) {
  TakeAndApplySettingsOverride(ctx, args);
  const std::string ident = TakeIdent(args);
  TWorkspace& ws = ctx.Workspace();
  const TCliWindow w = TakeWindow(args);
  args.ExpectEnd();
  std::unique_ptr<TCustomStat> stat = ws.StatList().CreateStat(ws.StatEntryOf(ident));
  auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
  if (!graph) Raise(StrFormat("Метод расчета статистики \"%s\" не строит график!", ident.c_str()));
  const bool sorted = w.sorted || ws.WindowState().SortedDraws;
  const TStatWindow window = StatWindow(ws.DrawsCount(), w.offset, w.len);
  for (int index = window.First; index <= window.Last; ++index)
    ctx.out << ws.Draws()[static_cast<size_t>(index)].Number << '\t'
            << graph->GraphValue(index, window.Last, sorted) << '\n';
  return 0;
}

const TCliRegistration GraphCommand{{
    .name = "graph",
    .synopsis = "IDENT",
    .help = "Prints a graph method's value for each draw of the window: draw number, value",
    .options = WindowOptions() + SettingsOverrideOptions(),
    .run = &Graph,
}};

}  // namespace

}  // namespace kvarn
