#include "core/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

namespace kvarn {

bool EnsureDir(const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return std::filesystem::is_directory(dir, ec);
}

std::string ProgramDir() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  buf[n] = 0;
  return std::filesystem::path(buf).parent_path().string();
}

std::string ResolveDataDir(const std::string& explicitDir, const std::string& programDir) {
  if (!explicitDir.empty()) {
    EnsureDir(explicitDir);
    return explicitDir;
  }
  if (const char* env = std::getenv("KVARN_DATA_DIR"); env && *env) {
    EnsureDir(env);
    return env;
  }
  if (!programDir.empty() && ::access(programDir.c_str(), W_OK) == 0) return programDir;
  std::string base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.local/share";
  } else {
    base = ".";
  }
  std::string dir = base + "/Kvarn_5x36";
  EnsureDir(dir);
  return dir;
}

}  // namespace kvarn
