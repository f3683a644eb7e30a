// The combination list from the command line: generation into a combination file.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "core/text.h"

namespace kvarn {

namespace {

int Gen(TCliContext& ctx, TCliArgs& args) {
  TWorkspace& ws = ctx.Workspace();
  const std::optional<std::string> mode = args.TakeOption("--mode");
  const std::optional<std::string> params = args.TakeOption("--params");
  const std::optional<std::string> out = args.TakeOption("--out");
  args.ExpectEnd();
  // Without options the stored generation parameters apply, as at start-up.
  int m = ws.Settings().Generate.Mode;
  std::string text = ws.Settings().Generate.Parameters;
  if (mode) {
    int64_t v = 0;
    if (!TryTextToInt(*mode, v) || v < 0 || v >= gmCount)
      throw TCliUsageError{"--mode must be 0..4"};
    m = static_cast<int>(v);
    text.clear();
  }
  if (params) text = *params;
  ws.CombsGenerate(m, text, false);
  if (ctx.host.ErrorShown()) return 1;
  if (!ws.CombsSaveFile(*out)) return 1;
  ctx.out << ws.Combs().Count() << '\n';
  return 0;
}

const TCliRegistration GenCommand{{
    .name = "gen",
    .help = "Generates a combination list into a file and prints its count; without --mode the "
            "stored generation parameters apply",
    .options =
        {{.name = "--mode", .value = "M", .help = "generation mode 0..4"},
         {.name = "--params", .value = "TEXT", .help = "my numbers, or the file to load"},
         {.name = "--out", .value = "FILE.lcv", .help = "the file written", .required = true}},
    .run = &Gen,
}};

}  // namespace

}  // namespace kvarn
