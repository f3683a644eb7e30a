// kvarn-cli rating: the rating list, its sort, its CSV export, its rebuild from the stakes and
// the test of its rows against chance.
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
  const std::string file = args.TakeLastPositional("a CSV file name is needed");
  TWorkspace& ws = ctx.Workspace();
  if (!ws.RatingsExport(file)) return 1;
  ctx.out << ws.Ratings().size() << '\n';
  return 0;
}

// The commands that read the stakes open the stakes file as the window does at start-up.
TWorkspace* WithStakes(TCliContext& ctx) {
  TWorkspace& ws = ctx.Workspace();
  return ws.StakesOpen() ? &ws : nullptr;
}

int RatingRefresh(TCliContext& ctx, TCliArgs& args) {
  args.ExpectEnd();
  TWorkspace* ws = WithStakes(ctx);
  if (!ws) return 1;
  ctx.host.SetAnswer(true);
  if (!ws->RatingsRefresh()) return 1;
  ctx.out << ws->Ratings().size() << '\n';
  return 0;
}

int RatingChance(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> comment = args.TakeOption("--comment");
  args.ExpectEnd();
  // Only reads the stakes: it works beside a running window.
  TWorkspace* ws = &ctx.Workspace();
  if (!ws->StakesOpenReadOnly()) return 1;
  std::vector<int> rows;
  if (comment) {
    const int row = RatingsFind(ws->Ratings(), *comment);
    if (row < 0) Raise(StrFormat("Строка рейтинга \"%s\" не найдена!", comment->c_str()));
    rows.push_back(row);
  } else {
    for (int row = 0; row < static_cast<int>(ws->Ratings().size()); ++row) rows.push_back(row);
  }
  if (rows.empty()) return 0;
  const std::vector<TChanceRow> results = ws->RatingsChance(rows);
  if (results.size() != rows.size()) return 1;
  for (const TChanceRow& row : results) {
    const TChanceResult& r = row.Result;
    ctx.out << CliEscapeField(row.Name) << '\t' << r.Stakes << '\t' << r.Matches << '\t'
            << StrFormat("%.4f\t%.4f\t%.4f\t%.6g\t", r.Mean, r.ChanceMean, r.Lift, r.P)
            << (r.Exact ? "exact" : "normal") << '\t' << r.NotFound << '\n';
  }
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
        .writes = true,
    }},
    TCliRegistration{{
        .name = "rating",
        .sub = "export",
        .synopsis = "FILE.csv",
        .help = "Writes the rating as CSV and prints the number of rows written",
        .run = &RatingExport,
    }},
    TCliRegistration{{
        .name = "rating",
        .sub = "refresh",
        .help = "Rebuilds the rating from the checked stakes of the stakes file (the question is "
                "answered Yes) and prints the number of rows",
        .run = &RatingRefresh,
        .writes = true,
    }},
    TCliRegistration{{
        .name = "rating",
        .sub = "chance",
        .help = "Tests rows against chance over the stakes of the file: name, stakes, matches, "
                "mean, mean by chance, lift, p, exact or normal, stakes not found",
        .options = {{.name = "--comment",
                     .value = "TEXT",
                     .help = "only the row of this name, letter case ignored"}},
        .run = &RatingChance,
    }},
};

}  // namespace

}  // namespace kvarn
