// kvarn-cli: command registry, argument helpers and the display-less host.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/host.h"

namespace kvarn {

class TWorkspace;

// Arguments of one command, taken one by one; whatever is left over is an error.
class TCliArgs {
 public:
  explicit TCliArgs(std::vector<std::string> args) : args_(std::move(args)) {}
  bool TakeFlag(const std::string& name);
  std::optional<std::string> TakeOption(const std::string& name);
  std::vector<std::string> TakeAll(const std::string& name);
  int TakeInt(const std::string& name, int def);
  // The next word that is not an option, or nothing.
  std::optional<std::string> TakePositional();
  // Throws when words remain.
  void ExpectEnd() const;
  const std::vector<std::string>& Rest() const { return args_; }

 private:
  std::vector<std::string> args_;
};

// Messages go to stderr; a question takes the answer set by the command (No by default).
class TCliHost : public IHost {
 public:
  explicit TCliHost(std::ostream& err, bool verbose = false) : err_(err), verbose_(verbose) {}
  void ShowMessage(TMsgKind kind, const std::string& caption, const std::string& text) override;
  bool AskYesNo(const std::string& caption, const std::string& text, bool defaultNo) override;
  void SetStatusText(int panel, const std::string& text) override;
  void BusyChanged(bool) override {}
  void ProcessEvents() override {}

  bool ErrorShown() const { return errorShown_; }
  void SetAnswer(bool yes) { answer_ = yes; }
  void SetVerbose(bool v) { verbose_ = v; }

 private:
  std::ostream& err_;
  bool verbose_;
  bool errorShown_ = false;
  bool answer_ = false;
};

struct TCliContext {
  std::string dataDir;
  TCliHost& host;
  std::ostream& out;
  std::ostream& err;
  // Creates the workspace over the data directory (settings read, draws loaded) on first use.
  TWorkspace& Workspace();
  std::unique_ptr<TWorkspace> workspace;
  ~TCliContext();
};

using TCliCommandFn = int (*)(TCliContext& ctx, TCliArgs& args);

struct TCliCommandRegistrar {
  TCliCommandRegistrar(const char* name, const char* usage, TCliCommandFn fn);
};

// Defines a command in its own source file: KVARN_CLI_COMMAND(draws, "draws list|add|status")
#define KVARN_CLI_COMMAND(ident, name, usage)                                        \
  static int CliCmd_##ident(::kvarn::TCliContext& ctx, ::kvarn::TCliArgs& args);     \
  static ::kvarn::TCliCommandRegistrar CliReg_##ident(name, usage, &CliCmd_##ident); \
  static int CliCmd_##ident(::kvarn::TCliContext& ctx, ::kvarn::TCliArgs& args)

// Runs kvarn-cli with its arguments (without the program name); returns the exit code.
int CliMain(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

// Thrown for wrong command-line words; the message is printed and the exit code is 2.
struct TCliUsageError {
  std::string message;
};

}  // namespace kvarn
