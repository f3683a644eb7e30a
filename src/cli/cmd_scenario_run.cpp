// kvarn-cli scenario run|test: the forecast and the back-test of a scenario over the data
// directory's archive, combination list, stakes file and rating. Ctrl+C asks the run to stop at
// its next stop check, as "Стоп" does in the window.
#include <csignal>
#include <optional>
#include <ostream>

#include "app/scenario_runner.h"
#include "app/workspace.h"
#include "cli/cli.h"
#include "core/files.h"
#include "core/text.h"
#include "scenario/script_file.h"

namespace kvarn {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
  interrupted = 1;
}

// SIGINT sets the flag while the run lasts; the previous handler comes back after it.
class TInterruptGuard {
 public:
  TInterruptGuard() {
    interrupted = 0;
    struct sigaction sa {};
    sa.sa_handler = &OnInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &old_);
  }
  ~TInterruptGuard() { sigaction(SIGINT, &old_, nullptr); }
  TInterruptGuard(const TInterruptGuard&) = delete;
  TInterruptGuard& operator=(const TInterruptGuard&) = delete;

 private:
  struct sigaction old_ {};
};

const char* StatusName(TScriptRunStatus s) {
  switch (s) {
    case TScriptRunStatus::Completed:
      return "completed";
    case TScriptRunStatus::Stopped:
      return "stopped";
    default:
      return "error";
  }
}

// CR as the two characters "\r", so that a message stays on one line.
std::string OneLine(const std::string& text) {
  std::string r;
  for (char c : text) {
    if (c == '\r')
      r += "\\r";
    else if (c == '\n')
      r += "\\n";
    else
      r += c;
  }
  return r;
}

struct TRunArgs {
  std::optional<std::string> file;
  int offset = 0;
  std::optional<std::string> log;
  int count = 0;
};

TRunArgs TakeRunArgs(TCliArgs& args, bool test) {
  TRunArgs a;
  a.file = args.TakePositional();
  a.offset = args.TakeInt("--offset", 0);
  a.log = args.TakeOption("--log");
  if (test) a.count = args.TakeInt("--count", 0);
  args.ExpectEnd();
  if (a.offset < 0) throw TCliUsageError{"--offset must not be negative"};
  return a;
}

int Run(TCliContext& ctx, TCliArgs& args, bool test) {
  const TRunArgs a = TakeRunArgs(args, test);
  TWorkspace& ws = ctx.Workspace();
  if (!ws.StakesOpen()) return 1;
  ws.CombsStartup();
  if (a.offset > ws.DrawsOffsetMax() && a.offset > 0)
    throw TCliUsageError{StrFormat("--offset must be from 0 to %d", ws.DrawsOffsetMax())};
  if (test && (a.count < 1 || a.count > ws.DrawsCount() - 1))
    throw TCliUsageError{StrFormat("--count must be from 1 to %d", ws.DrawsCount() - 1)};
  TScriptLines lines;
  if (a.file) {
    lines = ScriptFileRead(*a.file);
  } else {
    if (!ws.ScriptStartup()) return 1;
    lines = ws.Script();
  }
  ws.SetDrawsOffset(a.offset);

  TScenarioRunner runner(ws);
  if (a.log) runner.LogPath = *a.log;
  std::ostream& out = ctx.out;
  runner.OnVariant = [&out](const TScriptVariantRun& v) {
    out << "variant\t" << v.Pass << '\t' << v.Offset << '\t' << v.Line << '\t' << v.Variant << '\t'
        << v.StartCount << '\t' << v.BeforeStakes << '\t' << v.StakesAdded << '\t' << v.Text
        << '\n';
  };
  TInterruptGuard guard;
  ctx.host.OnProcessEvents = [&runner] {
    if (interrupted) {
      interrupted = 0;
      runner.RequestStop();
    }
  };
  struct TUnhook {
    TCliHost& host;
    ~TUnhook() { host.OnProcessEvents = nullptr; }
  } unhook{ctx.host};

  const TScriptRunResult r = test ? runner.Test(lines, a.count) : runner.Forecast(lines);
  out << "status\t" << StatusName(r.Status) << '\n'
      << "message\t" << OneLine(r.Message) << '\n'
      << "offset\t" << r.Offset << '\n'
      << "list\t" << r.List << '\n'
      << "stakes_added\t" << r.StakesAdded << '\n'
      << "records\t" << r.Records << '\n';
  return r.Status == TScriptRunStatus::Error ? 1 : 0;
}

int ScenarioRun(TCliContext& ctx, TCliArgs& args) {
  return Run(ctx, args, false);
}

int ScenarioTest(TCliContext& ctx, TCliArgs& args) {
  return Run(ctx, args, true);
}

const std::vector<TCliOption> RunOptions = {
    {.name = "--offset", .value = "V", .help = "the draws offset the run starts from (0)"},
    {.name = "--log", .value = "FILE", .help = "writes the run's log to FILE"}};

const TCliRegistration ScenarioRunCommands[] = {
    TCliRegistration{{
        .name = "scenario",
        .sub = "run",
        .synopsis = "[FILE.lsc]",
        .help = "Forecast: runs every line of the scenario (the current one when no file is "
                "given) once at the offset; prints a line per variant (pass, offset, line, "
                "variant, list after the starting list, list before the stakes, stakes added, "
                "filters), then status, message, offset, list, stakes_added and records",
        .options = RunOptions,
        .run = &ScenarioRun,
    }},
    TCliRegistration{{
        .name = "scenario",
        .sub = "test",
        .synopsis = "[FILE.lsc]",
        .help = "Back-test: runs the scenario once for each offset from K down to 1, restoring "
                "the offset when it completes; prints as \"scenario run\" does",
        .options = std::vector<TCliOption>{{.name = "--count",
                                            .value = "K",
                                            .help = "the number of tests, 1..draws-1",
                                            .required = true}} +
                   RunOptions,
        .run = &ScenarioTest,
    }},
};

}  // namespace

}  // namespace kvarn
