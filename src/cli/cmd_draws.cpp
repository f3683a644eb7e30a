// kvarn-cli draws: the archive list, a new draw and the status texts.
#include <ostream>

#include "app/draw_input.h"
#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cmd_draws_csv.h"
#include "core/text.h"

namespace kvarn {

namespace {

void PrintRow(std::ostream& out, const TDrawRow& row) {
  for (size_t i = 0; i < row.Cells.size(); ++i) {
    if (i) out << '\t';
    out << row.Cells[i];
  }
  out << '\n';
}

// --offset K: any K >= 0; beyond the archive the next draw is -1, as in the window.
void TakeOffset(TWorkspace& ws, TCliArgs& args) {
  int offset = args.TakeInt("--offset", 0);
  if (offset < 0) throw TCliUsageError{"option --offset needs a value of 0 or more"};
  ws.SetDrawsOffset(offset);
}

int DrawsList(TCliContext& ctx, TCliArgs& args) {
  bool sorted = args.TakeFlag("--sorted");
  int offset = args.TakeInt("--offset", 0);
  if (offset < 0) throw TCliUsageError{"option --offset needs a value of 0 or more"};
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  ws.SetDrawsOffset(offset);
  for (int row = 0; row < ws.DrawsCount(); ++row) PrintRow(ctx.out, ws.DrawsRow(row, sorted));
  return 0;
}

int DrawsAddCmd(TCliContext& ctx, TCliArgs& args) {
  std::optional<std::string> numbers = args.TakeOption("--numbers");
  std::optional<std::string> numberText = args.TakeOption("--number");
  std::optional<std::string> dateText = args.TakeOption("--date");
  args.ExpectEnd();
  if (!numbers) throw TCliUsageError{"option --numbers is needed"};
  TWorkspace& ws = ctx.Workspace();
  TDraw draw;
  draw.Number = ws.DrawsNextNumber(0);
  if (numberText) {
    int64_t n;
    if (!TryTextToInt(*numberText, n) || n < 1 || n > 2147483647)
      throw TCliUsageError{"option --number needs a value from 1 to 2147483647"};
    draw.Number = static_cast<int32_t>(n);
  }
  TDateTime when = dateText ? ParseDateTime(*dateText) : NowDateTime();
  if (dateText && when <= 0) throw TCliUsageError{"option --date needs \"dd.mm.yyyy hh:nn\""};
  draw = DrawInputRead(draw, draw.Number, *numbers, when);
  if (!ws.DrawsAdd(draw)) return 1;
  PrintRow(ctx.out, ws.DrawsRow(0, false));
  return 0;
}

int DrawsStatus(TCliContext& ctx, TCliArgs& args) {
  TWorkspace& ws = ctx.Workspace();
  TakeOffset(ws, args);
  args.ExpectEnd();
  for (const std::string& line : ws.DrawsStatusTexts()) ctx.out << line << '\n';
  return 0;
}

// draws delete --number N ... --yes: the deletion of the selected rows of the list, with the
// rows given by their draw numbers; without --yes the question is answered No.
int DrawsDeleteCmd(TCliContext& ctx, TCliArgs& args) {
  std::vector<std::string> numbers = args.TakeAll("--number");
  bool yes = args.TakeFlag("--yes");
  args.ExpectEnd();
  if (numbers.empty()) throw TCliUsageError{"option --number is needed"};
  TWorkspace& ws = ctx.Workspace();
  std::vector<int> rows;
  for (const std::string& text : numbers) {
    int64_t n;
    if (!TryTextToInt(text, n)) throw TCliUsageError{"option --number needs an integer"};
    int index = ws.DrawsFindNumber(static_cast<int>(n));
    if (index < 0) Raise(StrFormat("Тираж № %d не найден!", static_cast<int>(n)));
    rows.push_back(DrawsRowIndex(ws.Draws(), index));
  }
  ctx.host.SetAnswer(yes);
  if (!ws.DrawsDeleteRows(rows)) return 1;
  ctx.out << ws.DrawsCount() << '\n';
  return 0;
}

}  // namespace

KVARN_CLI_COMMAND(
    draws, "draws",
    "draws list [--offset K] [--sorted] | draws add --numbers \"5,1,3,2,4,4\" "
    "[--number N] [--date \"dd.mm.yyyy hh:nn\"] | draws status [--offset K] | "
    "draws delete --number N ... [--yes] | draws import FILE.csv | draws export FILE.csv") {
  std::optional<std::string> sub = args.TakePositional();
  if (!sub) throw TCliUsageError{"a sub-command is needed"};
  if (*sub == "list") return DrawsList(ctx, args);
  if (*sub == "add") return DrawsAddCmd(ctx, args);
  if (*sub == "status") return DrawsStatus(ctx, args);
  if (*sub == "delete") return DrawsDeleteCmd(ctx, args);
  if (*sub == "import") return CliDrawsImport(ctx, args);
  if (*sub == "export") return CliDrawsExport(ctx, args);
  throw TCliUsageError{"unknown sub-command: " + *sub};
}

}  // namespace kvarn
