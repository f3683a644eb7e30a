// Filtering a combination list by values of a method's statistics table, and the maintenance
// rebuild of the full-set comparison files.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_settings_override.h"
#include "core/text.h"

namespace kvarn {

namespace {

int MethodEntry(TWorkspace& ws, const std::string& ident) {
  const int entry = ws.StatList().FindByIdent(ident);
  if (entry < 0) Raise(StrFormat("Метод расчета статистики \"%s\" не найден!", ident.c_str()));
  return entry;
}

int GroupOf(const std::string& text) {
  int64_t n = 0;
  if (TryTextToInt(text, n)) {
    if (n >= 0 && n < StatGroupCount) return static_cast<int>(n);
  } else {
    for (int g = 0; g < StatGroupCount; ++g)
      if (SameTextIgnoreCase(text, StatGroupIdent(g))) return g;
  }
  throw TCliUsageError{"unknown group: " + text};
}

}  // namespace

KVARN_CLI_COMMAND(
    filter, "filter",
    "filter IDENT --value TEXT [--value TEXT ...] (--keep|--delete) [--len N] "
    "[--offset K] [--sorted] [--in FILE.lcv] [--out FILE.lcv]" KVARN_CLI_SETTINGS_USAGE) {
  TakeAndApplySettingsOverride(ctx, args);
  const std::optional<std::string> ident = args.TakePositional();
  if (!ident) throw TCliUsageError{"a method identifier is needed"};
  const std::vector<std::string> values = args.TakeAll("--value");
  const bool keep = args.TakeFlag("--keep");
  const bool del = args.TakeFlag("--delete");
  const int len = args.TakeInt("--len", 1000);
  const int offset = args.TakeInt("--offset", 0);
  const bool sortedFlag = args.TakeFlag("--sorted");
  const std::optional<std::string> in = args.TakeOption("--in");
  const std::optional<std::string> out = args.TakeOption("--out");
  args.ExpectEnd();
  if (values.empty()) throw TCliUsageError{"at least one --value is needed"};
  if (keep == del) throw TCliUsageError{"exactly one of --keep and --delete is needed"};
  if (len < 1) throw TCliUsageError{"--len must be at least 1"};
  if (offset < 0) throw TCliUsageError{"--offset must not be negative"};

  TWorkspace& ws = ctx.Workspace();
  const int entry = MethodEntry(ws, *ident);
  if (sortedFlag) ws.WindowState().SortedDraws = true;
  ws.CombsReserve();
  if (in) {
    if (!ws.CombsLoadFile(*in)) return 1;
  } else {
    ws.CombsGenerateStored(false);
    if (ctx.host.ErrorShown()) return 1;
  }

  TStatTable table;
  ws.ComputeStatTableFor(entry, offset, len, ws.WindowState().SortedDraws, table);
  TStatDrawArray selected;
  for (const std::string& v : values) {
    bool found = false;
    for (const TStatRow& row : table.Rows)
      if (row.Cells[0] == v) {
        if (!found) selected.push_back(row.Item);
        found = true;
      }
    if (!found) Raise(StrFormat("Значение \"%s\" отсутствует в таблице статистики!", v.c_str()));
  }

  ws.SetDrawsOffset(offset);
  std::unique_ptr<TCustomStat> stat = ws.StatList().CreateStat(entry);
  ws.CombsSnapshot(false);
  ws.FilterCombs(*stat, selected, ws.StatList().DisplayName(entry, false), del);

  const TCombList& list = ws.Combs();
  ctx.out << list.Count() << '\n';
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Count() > 40 && i == 20) i = list.Count() - 20;
    ctx.out << CombText(list[i]) << '\n';
  }
  if (out && !ws.CombsSaveFile(*out)) return 1;
  return 0;
}

KVARN_CLI_COMMAND(prefetch, "prefetch", "prefetch [--all|--missing] [--group G ...]") {
  const bool all = args.TakeFlag("--all");
  const bool missing = args.TakeFlag("--missing");
  const std::vector<std::string> groups = args.TakeAll("--group");
  args.ExpectEnd();
  if (all && missing) throw TCliUsageError{"--all and --missing exclude each other"};
  if (all && !groups.empty()) throw TCliUsageError{"--all already rebuilds every group"};
  unsigned mask = all ? TWorkspace::AllGroupsMask : 0u;
  for (const std::string& g : groups) mask |= 1u << GroupOf(g);

  TWorkspace& ws = ctx.Workspace();
  ws.OnPrefetchProgress = [&](int done, int total, const std::string& file) {
    if (!file.empty()) ctx.err << done + 1 << '/' << total << '\t' << file << '\n';
  };
  const int built = ws.RefreshPrefetchFiles(true, mask);
  ctx.out << built << '\n';
  return 0;
}

}  // namespace kvarn
