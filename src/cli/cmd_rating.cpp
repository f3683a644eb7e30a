// kvarn-cli rating: the rating list, its sort, its CSV export.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "cli/cli_text.h"
#include "core/text.h"

namespace kvarn {

namespace {

void PrintRow(std::ostream& out, const TRatingRowTexts& cells) {
  out << CliEscapeField(cells[rcName]);
  for (size_t i = 1; i < cells.size(); ++i) out << '\t' << cells[i];
  out << '\n';
}

int RatingList(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> modeText = args.TakeOption("--mode");
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  int mode = ws.RatingsEffMode();
  if (modeText) {
    int64_t m = -1;
    if (!TryTextToInt(*modeText, m) || m < emExpected || m > emRelative)
      throw TCliUsageError{"option --mode needs 0, 1 or 2"};
    mode = static_cast<int>(m);
  }
  for (int row = 0; row < static_cast<int>(ws.Ratings().size()); ++row)
    PrintRow(ctx.out, ws.RatingsRow(row, mode));
  return 0;
}

int RatingSort(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> columnText = args.TakePositional();
  const bool ascending = args.TakeFlag("--ascending");
  args.ExpectEnd();
  int64_t column = -1;
  if (!columnText || !TryTextToInt(*columnText, column) || column < 0 || column >= rcColumnCount)
    throw TCliUsageError{StrFormat("a column index from 0 to %d is needed", rcColumnCount - 1)};
  ctx.Workspace().RatingsSort(static_cast<int>(column), !ascending);
  return 0;
}

int RatingExport(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> file = args.TakePositional();
  if (!file) throw TCliUsageError{"a CSV file name is needed"};
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  if (!ws.RatingsExport(*file)) return 1;
  ctx.out << ws.Ratings().size() << '\n';
  return 0;
}

const TCliRegistration RatingCommands[] = {
    TCliRegistration{{
        .name = "rating",
        .sub = "list",
        .help = "Prints the rating in its order, the texts of the list's eighteen columns",
        .options = {{.name = "--mode",
                     .value = "0|1|2",
                     .help = "efficiency columns: expected stakes, share difference, share ratio "
                             "(default: the stored mode)"}},
        .run = &RatingList,
    }},
    TCliRegistration{{
        .name = "rating",
        .sub = "sort",
        .synopsis = "COLUMN",
        .help = "Sorts the rating by a column (0..17) as a header click does and stores it",
        .options = {{.name = "--ascending", .help = "smallest first (default: largest first)"}},
        .run = &RatingSort,
    }},
    TCliRegistration{{
        .name = "rating",
        .sub = "export",
        .synopsis = "FILE.csv",
        .help = "Writes the rating as CSV and prints the number of rows written",
        .run = &RatingExport,
    }},
};

}  // namespace

}  // namespace kvarn
