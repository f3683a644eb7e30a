// Statistic methods from the command line: the registry, a method's table, the values of one
// combination and a method's graph.
#include <algorithm>
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_settings_override.h"
#include "core/text.h"

namespace kvarn {

namespace {

int EntryOf(TWorkspace& ws, const std::string& ident) {
  const int entry = ws.StatList().FindByIdent(ident);
  if (entry < 0) Raise(StrFormat("Метод расчета статистики \"%s\" не найден!", ident.c_str()));
  return entry;
}

std::string TakeIdent(TCliArgs& args) {
  std::optional<std::string> ident = args.TakePositional();
  if (!ident) throw TCliUsageError{"a method identifier is needed"};
  return *ident;
}

struct TWindowArgs {
  int len, offset;
  bool sorted;
};

TWindowArgs TakeWindow(TWorkspace& ws, TCliArgs& args) {
  TWindowArgs w{};
  w.len = args.TakeInt("--len", 1000);
  w.offset = args.TakeInt("--offset", 0);
  w.sorted = args.TakeFlag("--sorted") || ws.WindowState().SortedDraws;
  if (w.len < 1) throw TCliUsageError{"--len must be at least 1"};
  if (w.offset < 0) throw TCliUsageError{"--offset must not be negative"};
  return w;
}

}  // namespace

KVARN_CLI_COMMAND(methods, "methods", "methods" KVARN_CLI_SETTINGS_USAGE) {
  TakeAndApplySettingsOverride(ctx, args);
  args.ExpectEnd();
  TStatList& list = ctx.Workspace().StatList();
  for (int i = 0; i < list.Count(); ++i) {
    const TStatMethod& m = list.Items(i);
    ctx.out << m.IdentOf() << '\t' << StatGroupIdent(m.StatClass->Group()) << '\t'
            << list.DisplayName(i, true) << '\n';
  }
  return 0;
}

KVARN_CLI_COMMAND(
    stat, "stat",
    "stat IDENT [--len N] [--offset K] [--sorted] [--prefetch]" KVARN_CLI_SETTINGS_USAGE) {
  TakeAndApplySettingsOverride(ctx, args);
  const std::string ident = TakeIdent(args);
  TWorkspace& ws = ctx.Workspace();
  const TWindowArgs w = TakeWindow(ws, args);
  // The full-set comparison for this run only (the file is built when missing).
  if (args.TakeFlag("--prefetch")) ws.WindowState().PrefetchsEnabled = true;
  args.ExpectEnd();
  const int entry = EntryOf(ws, ident);
  TStatTable table;
  ws.ComputeStatTableFor(entry, w.offset, w.len, w.sorted, table);
  for (int c = 0; c < StatColumnCount; ++c)
    ctx.out << (c ? "\t" : "") << StatColumnCaptions[static_cast<size_t>(c)];
  ctx.out << '\n';
  for (const TStatRow& row : table.Rows) {
    for (int c = 0; c < StatColumnCount; ++c)
      ctx.out << (c ? "\t" : "") << row.Cells[static_cast<size_t>(c)];
    ctx.out << '\n';
  }
  return 0;
}

KVARN_CLI_COMMAND(values, "values", "values IDENT n1 n2 n3 n4 n5" KVARN_CLI_SETTINGS_USAGE) {
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
  const int entry = EntryOf(ws, ident);
  std::unique_ptr<TCustomStat> stat = ws.StatList().CreateStat(entry);
  TStatDrawArray list;
  stat->AddCombValues(comb, list);
  for (const TStatDraw& item : list) ctx.out << stat->ValueText(item) << '\t' << item.Count << '\n';
  return 0;
}

KVARN_CLI_COMMAND(graph, "graph",
                  "graph IDENT [--len N] [--offset K] [--sorted]" KVARN_CLI_SETTINGS_USAGE) {
  TakeAndApplySettingsOverride(ctx, args);
  const std::string ident = TakeIdent(args);
  TWorkspace& ws = ctx.Workspace();
  const TWindowArgs w = TakeWindow(ws, args);
  args.ExpectEnd();
  const int entry = EntryOf(ws, ident);
  std::unique_ptr<TCustomStat> stat = ws.StatList().CreateStat(entry);
  auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
  if (!graph) Raise(StrFormat("Метод расчета статистики \"%s\" не строит график!", ident.c_str()));
  const TStatWindow window = StatWindow(ws.DrawsCount(), w.offset, w.len);
  for (int index = window.First; index <= window.Last; ++index)
    ctx.out << ws.Draws()[static_cast<size_t>(index)].Number << '\t'
            << graph->GraphValue(index, window.Last, w.sorted) << '\n';
  return 0;
}

}  // namespace kvarn
