// kvarn-cli system: the local store of systems - adding a system from a file, listing the store,
// and system play on a combination list.
#include <cstdlib>
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "core/text.h"
#include "stakes/stakes_file.h"

namespace kvarn {

namespace {

int TakeNonNegative(TCliArgs& args, const std::string& name, int def) {
  const std::optional<std::string> v = args.TakeOption(name);
  if (!v) return def;
  int64_t n;
  if (!TryTextToInt(*v, n) || n < 0 || n > 2147483647)
    throw TCliUsageError{"option " + name + " needs an integer of 0 or more"};
  return static_cast<int>(n);
}

std::string LoginName() {
  const char* user = std::getenv("USER");
  return user && *user ? std::string(user) : std::string("Пользователь");
}

int SystemAdd(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> file = args.TakePositional();
  if (!file) throw TCliUsageError{"name the system file"};
  const int numbers = TakeNonNegative(args, "--numbers", 0);
  const int block = TakeNonNegative(args, "--block", 0);
  const std::optional<std::string> id = args.TakeOption("--id");
  const std::optional<std::string> title = args.TakeOption("--title");
  const std::optional<std::string> author = args.TakeOption("--author");
  const std::optional<std::string> description = args.TakeOption("--description");
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  tSystemData data;
  if (!ws.SystemsImport(*file, data)) return 1;
  const std::string name = SystemShortName(*file);
  data.Info.NumsCount = numbers;
  data.Info.BlockLen = block;
  if (id) {
    int64_t v;
    if (!TryTextToInt(*id, v) || v < 0 || v > 2147483647)
      throw TCliUsageError{"option --id needs an integer of 0 or more"};
    data.Info.Id = static_cast<int32_t>(v);
  }
  data.Info.Title = title.value_or(name);
  data.Info.Author = author.value_or(LoginName());
  data.Info.Description =
      description.value_or(StrFormat("Импортирована из файла \"%s\"", name.c_str()));
  const TSystemCheck check = SystemCheck(data.Info, SystemNormalise(data.Combs).Lines);
  if (check.Field != TSystemField::None) Raise(check.Message);
  return ws.SystemsAdd(data) ? 0 : 1;
}

int SystemList(TCliContext& ctx, TCliArgs& args) {
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  ws.SystemsLoad();
  for (const TStoredSystem& s : ws.Systems())
    ctx.out << s.Info.Id << '\t' << s.Info.NumsCount << '\t' << s.Info.BlockLen << '\t'
            << s.Info.CombsCount << '\t' << s.Info.Title << '\t' << SystemShortName(s.FileName)
            << ".dat\n";
  return ctx.host.ErrorShown() ? 1 : 0;
}

int SystemPlay(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> how = args.TakePositional();
  if (!how || (*how != "all" && *how != "filter")) throw TCliUsageError{"say all or filter"};
  const TSystemPlayMode mode = *how == "all" ? TSystemPlayMode::All : TSystemPlayMode::Combs;
  const std::optional<std::string> in = args.TakeOption("--in");
  const std::optional<std::string> drawText = args.TakeOption("--draw");
  const std::optional<std::string> drawsText = args.TakeOption("--draws");
  args.ExpectEnd();
  int64_t draw = 0;
  if (drawText && (!TryTextToInt(*drawText, draw) || draw < 1 || draw > 2147483647))
    throw TCliUsageError{"option --draw needs a value from 1 to 2147483647"};
  int64_t draws = 1;
  if (drawsText && (!TryTextToInt(*drawsText, draws) || draws < 1 || draws > MaxStakeDraws))
    throw TCliUsageError{StrFormat("option --draws needs a value from 1 to %d", MaxStakeDraws)};
  TWorkspace& ws = ctx.Workspace();
  if (!ws.StakesOpen()) return 1;
  if (in) {
    if (!ws.CombsLoadFile(*in)) return 1;
  } else {
    ws.CombsStartup();
  }
  if (ws.Combs().Count() == 0) throw TCliUsageError{"the combination list is empty"};
  TSystemFind found;
  std::string comment;
  if (!ws.SystemStakePrepare(mode, found, comment)) return 1;
  const int32_t first =
      drawText ? static_cast<int32_t>(draw) : ws.DrawsNextNumber(ws.DrawsOffset());
  const size_t done = ws.SystemStakePlay(mode, found, first, static_cast<int>(draws), comment);
  ctx.out << done * static_cast<size_t>(draws) << '\n';
  return ctx.host.ErrorShown() ? 1 : 0;
}

const TCliRegistration SystemCommands[] = {
    TCliRegistration{{
        .name = "system",
        .sub = "add",
        .synopsis = "FILE",
        .help = "Puts the system of a file (one combination of positions a line) into the store, "
                "replacing the store's system for the same count of numbers",
        .options = {{.name = "--numbers",
                     .value = "N",
                     .help = "the count of numbers it is written for, 6..36",
                     .required = true},
                    {.name = "--block", .value = "B", .help = "block length 0..4 (0)"},
                    {.name = "--id", .value = "I", .help = "its number (the next free one)"},
                    {.name = "--title", .value = "TEXT", .help = "name (the file's name)"},
                    {.name = "--author", .value = "TEXT", .help = "author (the login name)"},
                    {.name = "--description", .value = "TEXT", .help = "description"}},
        .run = &SystemAdd,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "system",
        .sub = "list",
        .help = "Prints the systems of the store: id, numbers, block, combinations, title, file "
                "name",
        .run = &SystemList,
    }},
    TCliRegistration{{
        .name = "system",
        .sub = "play",
        .synopsis = "all|filter",
        .help = "Stakes the store's system for the numbers of the list - all its combinations, or "
                "only those in the list - checks the stakes and prints the number appended",
        .options = {{.name = "--in",
                     .value = "FILE.lcv",
                     .help = "the combination list (the one generated at start-up)"},
                    {.name = "--draw", .value = "N", .help = "the first draw (the next one)"},
                    {.name = "--draws", .value = "K", .help = "for K draws from it, 1..65535 (1)"}},
        .run = &SystemPlay,
        .writes = true,
    }},
};

}  // namespace

}  // namespace kvarn
