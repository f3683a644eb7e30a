// kvarn-cli regular: the regular stakes of the tab "Регуляры" - adding, deleting, listing, the
// next stake of one and the test of several.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stake_input.h"
#include "stakes/stakes_file.h"

namespace kvarn {

namespace {

// The regulars are worked on as the shown tab does, whatever the window's switch says.
TWorkspace& RegularsWorkspace(TCliContext& ctx) {
  TWorkspace& ws = ctx.Workspace();
  ws.TabTables(true);
  if (ctx.host.ErrorShown()) throw TCliUsageError{"the regulars file cannot be read"};
  return ws;
}

// The index of the regular whose comment is `name` (letter case ignored).
int RegularIndex(const TWorkspace& ws, const std::string& name) {
  for (int i = 0; i < ws.RegularsCount(); ++i)
    if (SameTextIgnoreCase(ws.Regulars()[static_cast<size_t>(i)].Comment, name)) return i;
  Raise(StrFormat("Регуляр \"%s\" не найден!", name.c_str()));
}

std::vector<int> RegularIndexes(TCliContext& ctx, TCliArgs& args) {
  std::vector<int> indexes;
  while (std::optional<std::string> name = args.TakePositional())
    indexes.push_back(RegularIndex(ctx.Workspace(), *name));
  if (indexes.empty()) throw TCliUsageError{"name at least one regular"};
  return indexes;
}

int RegularAdd(TCliContext& ctx, TCliArgs& args) {
  TRegularInput input;
  input.Comment = *args.TakeOption("--comment");
  const std::optional<std::string> numbers = args.TakeOption("--numbers");
  const std::string base = args.TakeOption("--base").value_or("own");
  const std::optional<std::string> step = args.TakeOption("--step");
  args.ExpectEnd();
  if (base != "own" && base != "draw") throw TCliUsageError{"option --base needs own or draw"};
  input.Base = base == "draw" ? rbLastDraw : rbOwnComb;
  if (step) {
    int64_t v;
    if (!TryTextToInt(*step, v) || v < -1000 || v > 1000)
      throw TCliUsageError{"option --step needs an integer"};
    input.Step = static_cast<int>(v);
  }
  TWorkspace& ws = RegularsWorkspace(ctx);
  // The typed numbers are the start field; with the draws as the base they stand for the one
  // selected combination the dialog would take its start from.
  std::vector<TSelectedComb> selected;
  if (input.Base == rbOwnComb) {
    input.StartText = numbers.value_or("");
  } else if (numbers) {
    TComb c;
    if (!ParseRegularComb(*numbers, c)) Raise(BadStakeNumbersMessage);
    selected.push_back({1, c});
  }
  const TRegularsCreation created = ws.RegularsCheck(input, selected);
  if (created.Field != TRegularField::None) Raise(created.Message);
  return ws.TablesAdd(created.Created) ? 0 : 1;
}

int RegularDelete(TCliContext& ctx, TCliArgs& args) {
  TWorkspace& ws = RegularsWorkspace(ctx);
  const std::vector<int> indexes = RegularIndexes(ctx, args);
  ctx.host.SetAnswer(true);
  return ws.TablesDel(indexes) && !ctx.host.ErrorShown() ? 0 : 1;
}

// An integer option within lo..hi, or `def` when not given.
int TakeRanged(TCliArgs& args, const std::string& name, int lo, int hi, int def) {
  const std::optional<std::string> text = args.TakeOption(name);
  if (!text) return def;
  int64_t v = 0;
  if (!TryTextToInt(*text, v) || v < lo || v > hi)
    throw TCliUsageError{StrFormat("option %s needs a value from %d to %d", name.c_str(), lo, hi)};
  return static_cast<int>(v);
}

// The regulars with the stakes file open and the combination list generated as at start-up (its
// count is the stakes' sample size).
TWorkspace* RegularsWithStakes(TCliContext& ctx) {
  TWorkspace& ws = RegularsWorkspace(ctx);
  if (!ws.StakesOpen()) return nullptr;
  ws.CombsStartup();
  return &ws;
}

int RegularStakeCmd(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> name = args.TakePositional();
  if (!name) throw TCliUsageError{"name the regular"};
  const int draws = TakeRanged(args, "--draws", 1, MaxStakeDraws, 1);
  args.ExpectEnd();
  TWorkspace* ws = RegularsWithStakes(ctx);
  if (!ws) return 1;
  const int index = RegularIndex(*ws, *name);
  TRegular advanced;
  TStake stake;
  if (!ws->TablesStakePrepare(index, advanced, stake)) return 1;
  const int before = ws->StakesCount();
  if (!ws->TablesStakeAdd(index, advanced, stake, draws)) return 1;
  ctx.out << ws->StakesCount() - before << '\n';
  return ctx.host.ErrorShown() ? 1 : 0;
}

int RegularTestCmd(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> countText = args.TakeOption("--count");
  TWorkspace* ws = RegularsWithStakes(ctx);
  if (!ws) return 1;
  const std::vector<int> indexes = RegularIndexes(ctx, args);
  const int max = ws->RegularsTestMaxCount();
  int64_t count = 0;
  if (!TryTextToInt(*countText, count) || count < 1 || count > max)
    throw TCliUsageError{StrFormat("option --count needs a value from 1 to %d", max)};
  const int appended = ws->TablesStakeTest(indexes, static_cast<int>(count));
  ctx.out << appended << '\n';
  return ctx.host.ErrorShown() ? 1 : 0;
}

int RegularList(TCliContext& ctx, TCliArgs& args) {
  args.ExpectEnd();
  TWorkspace& ws = RegularsWorkspace(ctx);
  for (const TRegular& r : ws.Regulars())
    ctx.out << r.Comment << '\t' << CombText(r.Start) << '\t' << r.Step << '\t'
            << CombText(r.Current) << '\t' << r.Stakes << '\t'
            << (r.Base == rbLastDraw ? "draw" : "own") << '\n';
  return 0;
}

const TCliRegistration RegularCommands[] = {
    TCliRegistration{{
        .name = "regular",
        .sub = "add",
        .help = "Adds a regular stake as the dialog does (own combination and step 1 unless given)",
        .options =
            {{.name = "--comment", .value = "TEXT", .help = "its comment", .required = true},
             {.name = "--numbers", .value = "\"1;2;3;4;5\"", .help = "the start combination"},
             {.name = "--base",
              .value = "own|draw",
              .help = "shift its own combination or the last draw's numbers"},
             {.name = "--step", .value = "S", .help = "the shift per draw, -36..36"}},
        .run = &RegularAdd,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "regular",
        .sub = "delete",
        .synopsis = "NAME...",
        .help = "Deletes the regulars with these comments",
        .run = &RegularDelete,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "regular",
        .sub = "stake",
        .synopsis = "NAME",
        .help = "Makes the next stake of the regular for the next draw, checks the stakes and "
                "prints the number of records appended",
        .options = {{.name = "--draws", .value = "K", .help = "for K draws, 1..65535 (1)"}},
        .run = &RegularStakeCmd,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "regular",
        .sub = "test",
        .synopsis = "NAME...",
        .help = "Stakes the regulars over the last T draws of the archive, checks the stakes and "
                "prints the number of stakes made",
        .options = {{.name = "--count",
                     .value = "T",
                     .help = "the draws tested, 1 .. archive count - 1",
                     .required = true}},
        .run = &RegularTestCmd,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "regular",
        .sub = "list",
        .help = "Prints the regulars in file order: comment, start, step, current combination, "
                "stakes made, base",
        .run = &RegularList,
    }},
};

}  // namespace

}  // namespace kvarn
