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

// A control character of a damaged date would break the line or move the cursor: it is shown as
// an escape ("\r", "\x01").
std::string Printable(const std::string& s) {
  std::string r;
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F && c != '\\') {
      r += c;
      continue;
    }
    switch (c) {
      case '\\':
        r += "\\\\";
        break;
      case '\t':
        r += "\\t";
        break;
      case '\r':
        r += "\\r";
        break;
      case '\n':
        r += "\\n";
        break;
      default:
        r += StrFormat("\\x%02X", u);
    }
  }
  return r;
}

void PrintRow(std::ostream& out, const TDrawRow& row) {
  for (size_t i = 0; i < row.Cells.size(); ++i) {
    if (i) out << '\t';
    out << Printable(row.Cells[i]);
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
  if (draw.Number < 1) Raise("Номер следующего тиража выходит за пределы 1..2147483647!");
  std::optional<TDateTime> when;
  if (dateText) {
    // The text is stored as typed once it reads as a date: 30.12.1899 00:00 is a date too.
    if (DateTextBeforeFirstDay(*dateText))
      Raise(StrFormat(DateBeforeFirstDayMessage, std::string(Trim(*dateText)).c_str()));
    try {
      if (Trim(*dateText).empty()) throw EKvarnError("");
      ParseDateTime(*dateText);
    } catch (const EKvarnError&) {
      throw TCliUsageError{"option --date needs \"dd.mm.yyyy hh:nn\""};
    }
  } else {
    when = NowDateTime();
  }
  draw = DrawInputRead(draw, draw.Number, *numbers, when, ws.DateFormat());
  if (dateText) draw.DateText = std::string(Trim(*dateText));
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
  // The count is only printed once the deletion is on disk. A damaged file read at the start was
  // reported and its replacement confirmed: the deletion itself succeeded.
  const int errors = ctx.host.ErrorCount();
  if (!ws.DrawsDeleteRows(rows) || ctx.host.ErrorCount() != errors) return 1;
  ctx.host.SettleErrors();
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
        .writes = true,
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
                    {.name = "--yes", .help = "answer the questions with Yes"}},
        .run = &DrawsDelete,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "draws",
        .sub = "import",
        .synopsis = "FILE.csv",
        .help = "Appends the draws of a CSV file; prints the number added and the archive's count",
        .run = &CliDrawsImport,
        .writes = true,
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
