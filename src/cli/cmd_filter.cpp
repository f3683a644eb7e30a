// Filtering a combination list by values of a method's statistics table, and the maintenance
// rebuild of the full-set comparison files.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_settings_override.h"
#include "cli/cli_stat_args.h"
#include "core/lottery_text.h"
#include "core/text.h"

namespace kvarn {

namespace {

// The count, then every combination of a short list, or the first and the last 20 of a long one.
void PrintList(std::ostream& out, const TCombList& list) {
  out << list.Count() << '\n';
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Count() > 40 && i == 20) i = list.Count() - 20;
    out << CombText(list[i]) << '\n';
  }
}

int Filter(TCliContext& ctx, TCliArgs& args) {
  TakeAndApplySettingsOverride(ctx, args);
  const std::string ident = TakeIdent(args);
  const std::vector<std::string> values = args.TakeAll("--value");
  const bool del = args.TakeFlag("--delete");
  const TCliWindow w = TakeWindow(args);
  const std::optional<std::string> in = args.TakeOption("--in");
  const std::optional<std::string> out = args.TakeOption("--out");
  args.ExpectEnd();

  TWorkspace& ws = ctx.Workspace();
  const int entry = ws.StatEntryOf(ident);
  if (w.sorted) ws.WindowState().SortedDraws = true;
  ws.CombsReserve();
  if (in) {
    if (!ws.CombsLoadFile(*in)) return 1;
  } else {
    ws.CombsGenerateStored(false);
    if (ctx.host.ErrorShown()) return 1;
  }
  ws.SetDrawsOffset(w.offset);
  ws.StatFilterByValues(entry, w.len, values, del);
  PrintList(ctx.out, ws.Combs());
  if (out && !ws.CombsSaveFile(*out)) return 1;
  return 0;
}

const TCliRegistration FilterCommand{{
    .name = "filter",
    .synopsis = "IDENT",
    .help = "Keeps or deletes the combinations whose values are the given rows of the method's "
            "table; prints the count and the first and last 20 combinations",
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
                                        .group = "direction"}} +
               WindowOptions() +
               std::vector<TCliOption>{
                   {.name = "--in",
                    .value = "FILE.lcv",
                    .help = "start from this list (the stored generation when not given)"},
                   {.name = "--out", .value = "FILE.lcv", .help = "save the result here"}} +
               SettingsOverrideOptions(),
    .run = &Filter,
}};

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

int Prefetch(TCliContext& ctx, TCliArgs& args) {
  const bool all = args.TakeFlag("--all");
  const std::vector<std::string> groups = args.TakeAll("--group");
  args.ExpectEnd();
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

const TCliRegistration PrefetchCommand{{
    .name = "prefetch",
    .help = "Builds the missing full-set comparison files and rebuilds those of the given groups; "
            "prints how many were built",
    .options = {{.name = "--all", .help = "rebuild every file", .group = "which"},
                {.name = "--missing", .help = "only build the missing files", .group = "which"},
                {.name = "--group",
                 .value = "G",
                 .help = "rebuild the files of this group (number or identifier)",
                 .repeat = true}},
    .run = &Prefetch,
    .writes = true,
}};

}  // namespace

}  // namespace kvarn
