// kvarn-cli: the commands with their declared options, the argument parser, the generated help
// and the display-less host.
//
// A command lives in its own source file and registers itself with one declaration:
//
//   int Stat(TCliContext& ctx, TCliArgs& args) { ... }
//   const TCliRegistration StatCommand{{
//       .name = "stat",
//       .synopsis = "IDENT",
//       .help = "prints the statistics table of a method",
//       .options = {{.name = "--len", .value = "N", .help = "draws in the window"}},
//       .run = &Stat}};
//
// The parser accepts exactly the declared options ("--name VALUE" or "--name=VALUE" for an option
// with a value); an unknown option, a missing value, a missing required option or two options of
// one group of alternatives is a usage error (exit 2). `kvarn-cli help` and
// `kvarn-cli COMMAND --help` are generated from the declarations. A command only parses, calls
// the workspace and formats: engine logic belongs in the workspace.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/host.h"

namespace kvarn {

class TWorkspace;
class TCliArgs;
struct TCliContext;

struct TCliOption {
  std::string name;   // "--len"
  std::string value;  // what its value is ("N", "FILE.lcv"); empty for a flag
  std::string help;   // one line for `COMMAND --help`
  bool required = false;
  bool repeat = false;  // may be given more than once
  // Options of one group are alternatives: at most one of them, exactly one when the group's
  // first option is required. They show together as "[--a|--b]" or "(--a|--b)".
  std::string group;
};

using TCliCommandFn = int (*)(TCliContext& ctx, TCliArgs& args);

struct TCliCommand {
  std::string name;      // "draws"
  std::string sub;       // the sub-command ("list"); empty for a command without
  std::string synopsis;  // the positional words ("IDENT", "FILE.csv")
  std::string help;      // what it does, one line
  std::vector<TCliOption> options;
  TCliCommandFn run = nullptr;
  // The command changes the data directory: it takes the directory's lock before the data is
  // read and holds it until it ends, so that no other writer changes the data in between.
  bool writes = false;

  // "draws add --numbers TEXT [--number N]": the words and every option as declared.
  std::string Usage() const;
  // The usage, the help line and one line per option.
  std::string Help() const;
};

// Adds a command to kvarn-cli; one static object per command.
struct TCliRegistration {
  explicit TCliRegistration(TCliCommand command);
};

// Two option lists one after the other (a command's own and a shared set).
std::vector<TCliOption> operator+(std::vector<TCliOption> a, const std::vector<TCliOption>& b);

// Thrown for wrong command-line words; the message is printed with the usage and the exit code
// is 2.
struct TCliUsageError {
  std::string message;
};

// The arguments of one command, read against its declared options.
class TCliArgs {
 public:
  // Raises TCliUsageError for an unknown option, a missing value, a missing required option and
  // a second option of one group.
  TCliArgs(const std::vector<std::string>& args, const std::vector<TCliOption>& options);
  bool TakeFlag(const std::string& name);
  // The value of the option; the last one when it was given several times.
  std::optional<std::string> TakeOption(const std::string& name);
  std::vector<std::string> TakeAll(const std::string& name);
  int TakeInt(const std::string& name, int def);
  // The next positional word, or nothing.
  std::optional<std::string> TakePositional();
  // Raises when positional words remain.
  void ExpectEnd() const;
  // The one remaining positional word (a file name, mostly); `missing` is the usage error
  // without it, and words after it are an error too.
  std::string TakeLastPositional(const char* missing);

 private:
  // The option's declaration; a name the command did not declare is a programming error.
  const TCliOption& Declared(const std::string& name) const;

  const std::vector<TCliOption>& options_;
  std::vector<std::pair<std::string, std::string>> given_;  // option name, value
  std::vector<std::string> positional_;
};

// Messages go to stderr; a question takes the answer set by the command (No by default).
class TCliHost : public IHost {
 public:
  explicit TCliHost(std::ostream& err, bool verbose = false) : err_(err), verbose_(verbose) {}
  void ShowMessage(TMsgKind kind, const std::string& caption, const std::string& text) override;
  bool AskYesNo(const std::string& caption, const std::string& text, bool defaultNo) override;
  void SetStatusText(int panel, const std::string& text) override;
  void BusyChanged(bool) override {}
  void ProcessEvents() override {
    if (OnProcessEvents) OnProcessEvents();
  }
  // Called at every ProcessEvents: a scenario run sees Ctrl+C there.
  std::function<void()> OnProcessEvents;

  // An error was shown that no later success settled.
  bool ErrorShown() const { return errors_ > settled_; }
  int ErrorCount() const { return errors_; }
  // The errors shown so far are answered: the person confirmed the change they warned of (a
  // damaged draws file replaced with --yes) and it is on disk.
  void SettleErrors() { settled_ = errors_; }
  void SetAnswer(bool yes) { answer_ = yes; }
  void SetVerbose(bool v) { verbose_ = v; }

 private:
  std::ostream& err_;
  bool verbose_;
  int errors_ = 0;
  int settled_ = 0;
  bool answer_ = false;
};

struct TCliContext {
  std::string dataDir;
  TCliHost& host;
  std::ostream& out;
  std::ostream& err;
  // Creates the workspace over the data directory (settings read, draws loaded) on first use;
  // for a command that writes, after it took the directory's lock.
  TWorkspace& Workspace();
  std::unique_ptr<TWorkspace> workspace;
  bool writes = false;
  int lockWaitMs = 0;
  ~TCliContext();
};

// Exit statuses: done, failed (the message says what is on disk), wrong words, and the data
// directory held by another program beyond the wait (nothing changed).
enum TCliExit : int { ceDone = 0, ceFailed = 1, ceUsage = 2, ceBusy = 3 };

// Runs kvarn-cli with its arguments (without the program name); returns the exit code.
int CliMain(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);
// A message for a terminal: "\r" line breaks become "\n".
std::string CliText(const std::string& s);

}  // namespace kvarn
