// kvarn-cli draws: the archive list, a new draw and the status texts.
#include <ostream>

#include "app/draw_input.h"
#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cmd_draws_csv.h"
#include "core/dates.h"
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
int TakeOffset(TCliArgs& args) {
  const int offset = args.TakeInt("--offset", 0);
  if (offset < 0) throw TCliUsageError{"option --offset needs a value of 0 or more"};
  return offset;
}

const TCliOption OffsetOption{
    .name = "--offset", .value = "K", .help = "the analysis point K draws before the newest"};

int DrawsList(TCliContext& ctx, TCliArgs& args) {
  const int offset = TakeOffset(args);
  const bool sorted = args.TakeFlag("--sorted");
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  ws.SetDrawsOffset(offset);
  for (int row = 0; row < ws.DrawsCount(); ++row) PrintRow(ctx.out, ws.DrawsRow(row, sorted));
  return 0;
}

int DrawsAdd(TCliContext& ctx, TCliArgs& args) {
  std::optional<std::string> numbers = args.TakeOption("--numbers");
  std::optional<std::string> numberText = args.TakeOption("--number");
  std::optional<std::string> dateText = args.TakeOption("--date");
  args.ExpectEnd();
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
  draw = DrawInputRead(draw, draw.Number, *numbers, when, ws.DateFormat());
  if (!ws.DrawsAdd(draw)) return 1;
  PrintRow(ctx.out, ws.DrawsRow(0, false));
  return 0;
}

int DrawsStatus(TCliContext& ctx, TCliArgs& args) {
  const int offset = TakeOffset(args);
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  ws.SetDrawsOffset(offset);
  for (const std::string& line : ws.DrawsStatusTexts()) ctx.out << line << '\n';
  return 0;
}

// draws delete --number N ... --yes: the deletion of the selected rows of the list, with the
// rows given by their draw numbers; without --yes the question is answered No.
int DrawsDelete(TCliContext& ctx, TCliArgs& args) {
  std::vector<std::string> numbers = args.TakeAll("--number");
  bool yes = args.TakeFlag("--yes");
  args.ExpectEnd();
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

// The sub-commands in the order the help lists them.
const TCliRegistration DrawsCommands[] = {
    TCliRegistration{{
        .name = "draws",
        .sub = "list",
        .help = "Prints the archive newest first: number, the five numbers, extra, sum, date",
        .options = {OffsetOption, {.name = "--sorted", .help = "numbers in ascending order"}},
        .run = &DrawsList,
    }},
    TCliRegistration{{
        .name = "draws",
        .sub = "add",
        .help = "Appends a draw, saves the archive and prints the new row",
        .options =
            {{.name = "--numbers",
              .value = "\"5,1,3,2,4,4\"",
              .help = "the five numbers in drawn order, then the extra number",
              .required = true},
             {.name = "--number", .value = "N", .help = "its number (the next one when not given)"},
             {.name = "--date",
              .value = "\"dd.mm.yyyy hh:nn\"",
              .help = "its date and time (now when not given)"}},
        .run = &DrawsAdd,
    }},
    TCliRegistration{{
        .name = "draws",
        .sub = "status",
        .help = "Prints the three status texts of the archive",
        .options = {OffsetOption},
        .run = &DrawsStatus,
    }},
    TCliRegistration{{
        .name = "draws",
        .sub = "delete",
        .help = "Deletes draws by number after the question; prints the archive's count",
        .options = {{.name = "--number",
                     .value = "N",
                     .help = "a draw to delete",
                     .required = true,
                     .repeat = true},
                    {.name = "--yes", .help = "answer the question with Yes"}},
        .run = &DrawsDelete,
    }},
    TCliRegistration{{
        .name = "draws",
        .sub = "import",
        .synopsis = "FILE.csv",
        .help = "Appends the draws of a CSV file; prints the number added and the archive's count",
        .run = &CliDrawsImport,
    }},
    TCliRegistration{{
        .name = "draws",
        .sub = "export",
        .synopsis = "FILE.csv",
        .help = "Writes the archive as CSV; prints the number of draws written",
        .run = &CliDrawsExport,
    }},
};

}  // namespace

}  // namespace kvarn
