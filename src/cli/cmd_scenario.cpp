// kvarn-cli scenario: a scenario file as the list shows it, a line added to a file, and rating
// rows turned back into lines of the current scenario.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "core/files.h"
#include "scenario/script_file.h"
#include "scenario/script_line.h"
#include "scenario/script_list.h"
#include "stakes/rating.h"

namespace kvarn {

namespace {

int ScenarioShow(TCliContext& ctx, TCliArgs& args) {
  const std::optional<std::string> file = args.TakePositional();
  args.ExpectEnd();
  TWorkspace& ws = ctx.Workspace();
  const std::string path = file ? *file : ScriptAutoPath(ctx.dataDir);
  // Without a current scenario file there is no line to show.
  if (!file && !FileExists(path)) return 0;
  for (const std::string& line : ScriptFileRead(path)) {
    const TScriptListRow row = ScriptListRowOf(line, ws.StatList());
    for (size_t i = 0; i < row.size(); ++i) ctx.out << (i ? "\t" : "") << row[i];
    ctx.out << '\n';
  }
  return 0;
}

// "|" separates the fields of a line: inside one it would cut the line apart.
void CheckField(const std::string& option, const std::string& text) {
  if (text.find('|') != std::string::npos)
    throw TCliUsageError{"option " + option + " must not contain \"|\""};
}

int ScenarioAdd(TCliContext&, TCliArgs& args) {
  const std::optional<std::string> file = args.TakePositional();
  const std::string options = *args.TakeOption("--options");
  const std::vector<std::string> filters = args.TakeAll("--filter");
  const std::string comment = args.TakeOption("--comment").value_or("");
  args.ExpectEnd();
  if (!file) throw TCliUsageError{"a scenario file is needed"};
  if (filters.size() > ScriptFilterCount) throw TCliUsageError{"at most seven filters"};
  CheckField("--options", options);
  CheckField("--comment", comment);
  TScriptFilterTexts texts;
  for (size_t i = 0; i < filters.size(); ++i) {
    CheckField("--filter", filters[i]);
    texts[i] = filters[i];
  }
  ScriptFileAddLine(*file, ScriptLineMake(comment, options, texts));
  return 0;
}

// The rating rows named on the command line (letter case ignored, as the rating names them)
// become lines of the current scenario, in the order given.
int ScenarioFromRating(TCliContext& ctx, TCliArgs& args) {
  std::vector<std::string> captions;
  while (std::optional<std::string> name = args.TakePositional()) captions.push_back(*name);
  args.ExpectEnd();
  if (captions.empty()) throw TCliUsageError{"a rating row name is needed"};
  TWorkspace& ws = ctx.Workspace();
  for (std::string& caption : captions) {
    const int row = RatingsFind(ws.Ratings(), caption);
    if (row < 0) {
      ctx.err << "kvarn-cli: no rating row is named \"" << caption << "\"\n";
      return 1;
    }
    caption = ws.Ratings()[static_cast<size_t>(row)].Name;
  }
  // Lines added to a scenario that could not be read would overwrite it.
  if (!ws.ScriptStartup()) return 1;
  ctx.out << ws.ScriptAddFromRatings(captions) << '\n';
  return 0;
}

const TCliRegistration ScenarioCommands[] = {
    TCliRegistration{{
        .name = "scenario",
        .sub = "show",
        .synopsis = "[FILE.lsc]",
        .help = "Prints each line of a scenario file (the current scenario when none is given) as "
                "the list shows it: comment, options, filters 1-7, TAB-separated",
        .run = &ScenarioShow,
    }},
    TCliRegistration{{
        .name = "scenario",
        .sub = "add",
        .synopsis = "FILE.lsc",
        .help = "Appends a line to a scenario file (created when missing)",
        .options = {{.name = "--options",
                     .value = "TEXT",
                     .help = "the options, e.g. EXCL:5#RAND#NEX",
                     .required = true},
                    {.name = "--filter",
                     .value = "TEXT",
                     .help = "a filter, e.g. TSD1#SUMS:10#LMV:3#SF:1 (at most seven, in order)",
                     .repeat = true},
                    {.name = "--comment", .value = "TEXT", .help = "the line's comment"}},
        .run = &ScenarioAdd,
    }},
    TCliRegistration{{
        .name = "scenario",
        .sub = "from-rating",
        .synopsis = "NAME...",
        .help = "Turns the named rating rows back into lines appended to the current scenario and "
                "prints how many were added (a row without a filter is refused with a message)",
        .run = &ScenarioFromRating,
    }},
};

}  // namespace

}  // namespace kvarn
