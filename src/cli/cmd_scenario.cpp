// kvarn-cli scenario: a scenario file as the list shows it, and a line added to a file.
#include <ostream>

#include "app/workspace.h"
#include "cli/cli.h"
#include "core/files.h"
#include "scenario/script_file.h"
#include "scenario/script_line.h"
#include "scenario/script_list.h"

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
};

}  // namespace

}  // namespace kvarn
