#include "scenario/script_log.h"

#include <cerrno>
#include <cstdio>

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
  return LogFilesIn(dataDir, "ScriptLog_", ".txt");
}

TStakesLogsDeleted ScriptLogsDelete(const std::string& dataDir) {
  return LogFilesDelete(ScriptLogFiles(dataDir));
}

}  // namespace kvarn
