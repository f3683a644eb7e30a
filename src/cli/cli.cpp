#include "cli/cli.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <map>

#include "app/workspace.h"
#include "core/dirlock.h"
#include "core/paths.h"
#include "core/text.h"

namespace kvarn {

namespace {

constexpr const char* ProgramUsage =
    "usage: kvarn-cli [--dir DIR] [--verbose] [--wait SECONDS] COMMAND [ARGS]\n";
constexpr const char* ProgramNotes =
    "A command that changes the data waits up to --wait seconds (10 unless given) while another "
    "one does.\nExit status: 0 done, 1 failed, 2 wrong words, 3 the data directory is held by "
    "another program (nothing changed).\n";

// Every command by name; a command with sub-commands holds them in their order.
std::map<std::string, std::vector<TCliCommand>>& Commands() {
  static std::map<std::string, std::vector<TCliCommand>> commands;
  return commands;
}

// The usage of a command, its sub-commands joined by " | ".
std::string UsageOf(const std::vector<TCliCommand>& subs) {
  std::string usage;
  for (const TCliCommand& c : subs) usage += (usage.empty() ? "" : " | ") + c.Usage();
  return usage;
}

std::string HelpOf(const std::vector<TCliCommand>& subs) {
  std::string help;
  for (const TCliCommand& c : subs) help += (help.empty() ? "" : "\n") + c.Help();
  return help;
}

}  // namespace

std::string CliText(const std::string& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      r += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      r += s[i];
    }
  }
  return r;
}

namespace {

// The sub-command named by the first positional word; the word is taken out of args. Values of
// the sub-commands' options are skipped, so options may come before the name.
const TCliCommand& ChooseSub(const std::vector<TCliCommand>& subs, std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word.size() > 2 && word.rfind("--", 0) == 0) {
      const bool takesValue =
          word.find('=') == std::string::npos &&
          std::any_of(subs.begin(), subs.end(), [&](const TCliCommand& c) {
            return std::any_of(c.options.begin(), c.options.end(), [&](const TCliOption& o) {
              return o.name == word && !o.value.empty();
            });
          });
      if (takesValue) ++i;
      continue;
    }
    for (const TCliCommand& c : subs)
      if (c.sub == word) {
        args.erase(args.begin() + static_cast<long>(i));
        return c;
      }
    throw TCliUsageError{"unknown sub-command: " + word};
  }
  throw TCliUsageError{"a sub-command is needed"};
}

int ShowProgramHelp(std::ostream& out) {
  out << ProgramUsage;
  for (const auto& [name, subs] : Commands()) out << "  " << UsageOf(subs) << '\n';
  out << "\"kvarn-cli COMMAND --help\" describes a command and its options.\n" << ProgramNotes;
  return 0;
}

}  // namespace

TCliRegistration::TCliRegistration(TCliCommand command) {
  Commands()[command.name].push_back(std::move(command));
}

void TCliHost::ShowMessage(TMsgKind kind, const std::string& caption, const std::string& text) {
  if (kind == TMsgKind::Error) ++errors_;
  err_ << caption << ": " << CliText(text) << '\n';
}

bool TCliHost::AskYesNo(const std::string& caption, const std::string& text, bool) {
  err_ << caption << ": " << CliText(text) << " -> " << (answer_ ? "Да" : "Нет") << '\n';
  return answer_;
}

void TCliHost::SetStatusText(int panel, const std::string& text) {
  if (verbose_ && panel == spMessage && !text.empty()) err_ << text << '\n';
}

TWorkspace& TCliContext::Workspace() {
  if (!workspace) {
    workspace = std::make_unique<TWorkspace>(host, dataDir);
    workspace->SetLockOwner(TLockOwner::Cli);
    workspace->SetLockWaitMs(lockWaitMs);
    if (writes) workspace->LockDataDir(TLockOwner::Cli);
    workspace->OpenHeadless();
  }
  return *workspace;
}

TCliContext::~TCliContext() = default;

int CliMain(const std::vector<std::string>& argvIn, std::ostream& out, std::ostream& err) {
  std::vector<std::string> argv = argvIn;
  std::string dir;
  bool verbose = false;
  int waitMs = DataDirLockWaitMs;
  // Global options come before the command.
  while (!argv.empty() && argv.front().rfind("--", 0) == 0) {
    if (argv.front() == "--wait" || argv.front().rfind("--wait=", 0) == 0) {
      const bool joined = argv.front().size() > 6;
      if (!joined && argv.size() < 2) break;
      const std::string text = joined ? argv.front().substr(7) : argv[1];
      long double seconds = 0;
      if (!TryTextToReal(text, seconds) || seconds < 0 || seconds > 86400) {
        err << "kvarn-cli: --wait needs a number of seconds 0..86400\n" << ProgramUsage;
        return ceUsage;
      }
      waitMs = static_cast<int>(seconds * 1000);
      argv.erase(argv.begin(), argv.begin() + (joined ? 1 : 2));
    } else if (argv.front() == "--dir" && argv.size() >= 2) {
      dir = argv[1];
      argv.erase(argv.begin(), argv.begin() + 2);
    } else if (argv.front().rfind("--dir=", 0) == 0) {
      dir = argv.front().substr(6);
      argv.erase(argv.begin());
    } else if (argv.front() == "--verbose") {
      verbose = true;
      argv.erase(argv.begin());
    } else {
      break;
    }
  }
  if (argv.empty()) {
    ShowProgramHelp(out);
    return 2;
  }
  // "help COMMAND" is "COMMAND --help".
  if (argv.front() == "help" && argv.size() >= 2) argv = {argv[1], "--help"};
  if (argv.front() == "--help" || argv.front() == "help") return ShowProgramHelp(out);
  auto it = Commands().find(argv.front());
  if (it == Commands().end()) {
    err << "kvarn-cli: unknown command: " << argv.front() << '\n';
    return 2;
  }
  const std::vector<TCliCommand>& subs = it->second;
  std::vector<std::string> args(argv.begin() + 1, argv.end());
  // After "--" even "--help" is a word.
  const auto optionsEnd = std::find(args.begin(), args.end(), "--");
  if (std::find(args.begin(), optionsEnd, "--help") != optionsEnd) {
    out << HelpOf(subs);
    return 0;
  }
  std::string usage = UsageOf(subs);
  TCliHost host(err, verbose);
  TCliContext ctx{ResolveDataDir(dir, ProgramDir()), host, out, err, nullptr};
  ctx.lockWaitMs = waitMs;
  try {
    const TCliCommand& command = subs.front().sub.empty() ? subs.front() : ChooseSub(subs, args);
    usage = command.Usage();
    ctx.writes = command.writes;
    TCliArgs parsed(args, command.options);
    int rc = command.run(ctx, parsed);
    out.flush();
    if (rc == ceDone && host.ErrorShown()) rc = ceFailed;
    return rc;
  } catch (const TCliUsageError& e) {
    err << "kvarn-cli: " << e.message << "\nusage: " << usage << '\n';
    return ceUsage;
  } catch (const EDataDirBusy& e) {
    err << CliText(e.what()) << '\n';
    return ceBusy;
  } catch (const std::exception& e) {
    err << CliText(e.what()) << '\n';
    return ceFailed;
  }
}

}  // namespace kvarn
