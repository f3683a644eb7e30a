#include "app/startup_switches.h"

#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "core/text.h"

namespace kvarn {

bool IsStartSwitch(std::string_view arg, std::string_view name) {
  for (std::string_view prefix : {"--", "-", "/", "\\"}) {
    if (arg.substr(0, prefix.size()) == prefix &&
        SameTextIgnoreCase(arg.substr(prefix.size()), name))
      return true;
  }
  return SameTextIgnoreCase(arg, name);
}

TStartSwitches ParseStartSwitches(const std::vector<std::string>& args) {
  TStartSwitches s;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--dir" && i + 1 < args.size()) {
      s.dir = args[++i];
    } else if (a.rfind("--dir=", 0) == 0) {
      s.dir = a.substr(6);
    } else if (IsStartSwitch(a, "restart")) {
      s.restart = true;
    } else if (IsStartSwitch(a, "loadonly")) {
      s.loadOnly = true;
    } else if (IsStartSwitch(a, "fullrecreate")) {
      s.fullRecreate = true;
    } else if (IsStartSwitch(a, "fullrefresh")) {
      s.fullRefresh = true;
    }
  }
  return s;
}

namespace {

std::string ExeOf(const std::string& pid) {
  char buf[4096];
  std::string link = "/proc/" + pid + "/exe";
  ssize_t n = readlink(link.c_str(), buf, sizeof buf - 1);
  if (n <= 0) return {};
  return std::string(buf, static_cast<size_t>(n));
}

bool OtherInstanceRuns(const std::string& program) {
  std::string self = program.empty() ? ExeOf("self") : program;
  if (self.empty()) return false;
  std::string own = std::to_string(getpid());
  DIR* d = opendir("/proc");
  if (!d) return false;
  bool found = false;
  while (dirent* e = readdir(d)) {
    std::string pid = e->d_name;
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    if (pid == own) continue;
    if (ExeOf(pid) == self) {
      found = true;
      break;
    }
  }
  closedir(d);
  return found;
}

}  // namespace

bool WaitForOtherInstances(int checks, const std::string& program) {
  for (int i = 0; i < checks; ++i) {
    if (!OtherInstanceRuns(program)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return !OtherInstanceRuns(program);
}

}  // namespace kvarn
