#include "cli/cli.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <map>

#include "app/workspace.h"
#include "core/paths.h"
#include "core/text.h"

namespace kvarn {

namespace {

struct TCommandEntry {
  std::string usage;
  TCliCommandFn fn;
};

std::map<std::string, TCommandEntry>& Commands() {
  static std::map<std::string, TCommandEntry> commands;
  return commands;
}

std::string Unescape(const std::string& s) {
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

}  // namespace

TCliCommandRegistrar::TCliCommandRegistrar(const char* name, const char* usage, TCliCommandFn fn) {
  Commands()[name] = {usage, fn};
}

bool TCliArgs::TakeFlag(const std::string& name) {
  auto it = std::find(args_.begin(), args_.end(), name);
  if (it == args_.end()) return false;
  args_.erase(it);
  return true;
}

std::optional<std::string> TCliArgs::TakeOption(const std::string& name) {
  std::optional<std::string> value;
  for (size_t i = 0; i < args_.size();) {
    if (args_[i] == name) {
      if (i + 1 >= args_.size()) throw TCliUsageError{"option " + name + " needs a value"};
      value = args_[i + 1];
      args_.erase(args_.begin() + static_cast<long>(i), args_.begin() + static_cast<long>(i) + 2);
    } else if (args_[i].rfind(name + "=", 0) == 0) {
      value = args_[i].substr(name.size() + 1);
      args_.erase(args_.begin() + static_cast<long>(i));
    } else {
      ++i;
    }
  }
  return value;
}

std::vector<std::string> TCliArgs::TakeAll(const std::string& name) {
  std::vector<std::string> values;
  for (size_t i = 0; i < args_.size();) {
    if (args_[i] == name) {
      if (i + 1 >= args_.size()) throw TCliUsageError{"option " + name + " needs a value"};
      values.push_back(args_[i + 1]);
      args_.erase(args_.begin() + static_cast<long>(i), args_.begin() + static_cast<long>(i) + 2);
    } else if (args_[i].rfind(name + "=", 0) == 0) {
      values.push_back(args_[i].substr(name.size() + 1));
      args_.erase(args_.begin() + static_cast<long>(i));
    } else {
      ++i;
    }
  }
  return values;
}

int TCliArgs::TakeInt(const std::string& name, int def) {
  std::optional<std::string> v = TakeOption(name);
  if (!v) return def;
  int64_t n;
  if (!TryTextToInt(*v, n)) throw TCliUsageError{"option " + name + " needs an integer"};
  return static_cast<int>(n);
}

namespace {
// Options that take the next word as their value, so that a command may read its positional
// words before its options ("stat --len 10 SUMS").
bool TakesValue(const std::string& word) {
  static const char* const kValueOptions[] = {
      "--len",    "--offset",      "--value",        "--in",      "--out",  "--mode",
      "--params", "--numbers",     "--number",       "--date",    "--host", "--cacert",
      "--group",  "--matrix-cols", "--channel-size", "--segments"};
  for (const char* o : kValueOptions)
    if (word == o) return true;
  return false;
}
}  // namespace

std::optional<std::string> TCliArgs::TakePositional() {
  for (size_t i = 0; i < args_.size(); ++i) {
    const std::string& a = args_[i];
    if (a.size() > 2 && a.rfind("--", 0) == 0) {
      if (TakesValue(a)) ++i;
      continue;
    }
    std::string v = a;
    args_.erase(args_.begin() + static_cast<long>(i));
    return v;
  }
  return std::nullopt;
}

void TCliArgs::ExpectEnd() const {
  if (!args_.empty()) throw TCliUsageError{"unexpected argument: " + args_.front()};
}

void TCliHost::ShowMessage(TMsgKind kind, const std::string& caption, const std::string& text) {
  if (kind == TMsgKind::Error) errorShown_ = true;
  err_ << caption << ": " << Unescape(text) << '\n';
}

bool TCliHost::AskYesNo(const std::string& caption, const std::string& text, bool) {
  err_ << caption << ": " << Unescape(text) << " -> " << (answer_ ? "Да" : "Нет") << '\n';
  return answer_;
}

void TCliHost::SetStatusText(int panel, const std::string& text) {
  if (verbose_ && panel == spMessage && !text.empty()) err_ << text << '\n';
}

TWorkspace& TCliContext::Workspace() {
  if (!workspace) {
    workspace = std::make_unique<TWorkspace>(host, dataDir);
    workspace->OpenHeadless();
  }
  return *workspace;
}

TCliContext::~TCliContext() = default;

int CliMain(const std::vector<std::string>& argvIn, std::ostream& out, std::ostream& err) {
  std::vector<std::string> argv = argvIn;
  std::string dir;
  bool verbose = false;
  // Global options come before the command.
  while (!argv.empty() && argv.front().rfind("--", 0) == 0) {
    if (argv.front() == "--dir" && argv.size() >= 2) {
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
  if (argv.empty() || argv.front() == "--help" || argv.front() == "help") {
    out << "usage: kvarn-cli [--dir DIR] [--verbose] COMMAND [ARGS]\n";
    for (const auto& [name, entry] : Commands()) out << "  " << entry.usage << '\n';
    return argv.empty() ? 2 : 0;
  }
  auto it = Commands().find(argv.front());
  if (it == Commands().end()) {
    err << "kvarn-cli: unknown command: " << argv.front() << '\n';
    return 2;
  }
  TCliHost host(err, verbose);
  TCliContext ctx{ResolveDataDir(dir, ProgramDir()), host, out, err, nullptr};
  TCliArgs args(std::vector<std::string>(argv.begin() + 1, argv.end()));
  try {
    int rc = it->second.fn(ctx, args);
    out.flush();
    if (rc == 0 && host.ErrorShown()) rc = 1;
    return rc;
  } catch (const TCliUsageError& e) {
    err << "kvarn-cli: " << e.message << "\nusage: " << it->second.usage << '\n';
    return 2;
  } catch (const std::exception& e) {
    err << e.what() << '\n';
    return 1;
  }
}

}  // namespace kvarn
