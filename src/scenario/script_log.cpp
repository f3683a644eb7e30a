#include "scenario/script_log.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {

namespace {

struct TParts {
  int y, mo, d, h, mi, s;
};

TParts PartsOf(TDateTime t) {
  TParts p{};
  DecodeDateTime(t, p.y, p.mo, p.d, p.h, p.mi, p.s);
  return p;
}

}  // namespace

std::string ScriptLogFileName(TDateTime start) {
  const TParts p = PartsOf(start);
  return StrFormat("ScriptLog_%04d-%02d-%02d-%02d-%02d-%02d.txt", p.y, p.mo, p.d, p.h, p.mi, p.s);
}

std::string ScriptLogTimePrefix(TDateTime t) {
  const TParts p = PartsOf(t);
  return StrFormat("[%04d-%02d-%02d %02d:%02d:%02d]: ", p.y, p.mo, p.d, p.h, p.mi, p.s);
}

void TScriptLog::BeginIn(const std::string& dir) {
  path_ = PathJoin(dir, ScriptLogFileName(Clock()));
}

std::string TScriptLog::Write(std::initializer_list<std::string_view> lines) {
  if (!Active()) return {};
  const std::string prefix = ScriptLogTimePrefix(Clock());
  std::string text;
  for (std::string_view l : lines) ((text += prefix) += l) += "\r\n";
  return Append(Utf8ToCp1251(text));
}

std::string TScriptLog::Write(const std::vector<std::string>& lines) {
  if (!Active() || lines.empty()) return {};
  const std::string prefix = ScriptLogTimePrefix(Clock());
  std::string text;
  for (const std::string& l : lines) ((text += prefix) += l) += "\r\n";
  return Append(Utf8ToCp1251(text));
}

std::string TScriptLog::Append(const std::string& bytes) {
  std::FILE* f = std::fopen(path_.c_str(), "ab");
  if (!f) return SystemErrorText(errno);
  std::string error;
  if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) error = SystemErrorText(errno);
  if (std::fclose(f) != 0 && error.empty()) error = SystemErrorText(errno);
  return error;
}

std::vector<std::string> ScriptLogFiles(const std::string& dataDir) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  const std::string_view prefix = "ScriptLog_", suffix = ".txt";
  std::error_code ec;
  for (fs::directory_iterator it(dataDir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() >= prefix.size() + suffix.size() && name.starts_with(prefix) &&
        name.ends_with(suffix) && !it->is_directory(ec))
      files.push_back(it->path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TStakesLogsDeleted ScriptLogsDelete(const std::string& dataDir) {
  TStakesLogsDeleted result;
  for (const std::string& path : ScriptLogFiles(dataDir)) {
    ++result.Found;
    if (::unlink(path.c_str()) == 0)
      ++result.Deleted;
    else
      result.Failures.push_back(path + ": " + SystemErrorText(errno));
  }
  return result;
}

}  // namespace kvarn
