#include "stakes/system_store.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "core/config.h"
#include "core/dates.h"
#include "core/files.h"
#include "core/paths.h"
#include "core/text.h"

namespace kvarn {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSection = "System";

std::string PropsFileName(const std::string& systemFile) {
  return fs::path(systemFile).replace_extension(".ini").string();
}

// Line breaks of a multi-line property are kept as "\n" in the INI value, "\" as "\\".
std::string Escape(std::string_view s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\') {
      r += "\\\\";
    } else if (s[i] == '\r' || s[i] == '\n') {
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      r += "\\n";
    } else {
      r += s[i];
    }
  }
  return r;
}

std::string Unescape(std::string_view s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'n' || s[i + 1] == '\\')) {
      r += s[i + 1] == 'n' ? '\n' : '\\';
      ++i;
    } else {
      r += s[i];
    }
  }
  return r;
}

TDateTime FromTimeT(std::time_t t) {
  std::tm lt;
  localtime_r(&t, &lt);
  TDateTime r = 0;
  TryEncodeDateTime(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min, lt.tm_sec,
                    r);
  return r;
}

std::time_t ToTimeT(TDateTime t) {
  int y, mo, d, h, mi, s;
  DecodeDateTime(t, y, mo, d, h, mi, s);
  std::tm lt{};
  lt.tm_year = y - 1900;
  lt.tm_mon = mo - 1;
  lt.tm_mday = d;
  lt.tm_hour = h;
  lt.tm_min = mi;
  lt.tm_sec = s;
  lt.tm_isdst = -1;
  return std::mktime(&lt);
}

// n, block and id from a name "5-NN-B_IIII.dat"; false for any other name.
bool ParseName(const std::string& name, tSystemInfo& info) {
  int len, n, block, id;
  char tail[8] = {};
  if (std::sscanf(name.c_str(), "%d-%d-%d_%d.%7s", &len, &n, &block, &id, tail) != 5) return false;
  if (len != SystemCombLen || std::string(tail) != "dat") return false;
  info.NumsCount = n;
  info.BlockLen = block;
  info.Id = id;
  return true;
}

int CountLines(const std::string& text) {
  int count = 0;
  size_t i = 0;
  while (i < text.size()) {
    size_t e = text.find_first_of("\r\n", i);
    if (e == std::string::npos) e = text.size();
    if (!Trim(std::string_view(text).substr(i, e - i)).empty()) ++count;
    i = e + 1;
  }
  return count;
}

void RemoveSystemFiles(const std::string& systemFile) {
  std::error_code ec;
  if (!fs::remove(systemFile, ec) && ec)
    throw std::runtime_error(StrFormat("%s: %s", systemFile.c_str(), ec.message().c_str()));
  fs::remove(PropsFileName(systemFile), ec);
}

// The files of the store matching a pattern, by name.
std::vector<std::string> StoreFiles(const std::string& dataDir, const std::string& pattern) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(SystemsFolder(dataDir), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (it->is_regular_file(ec) && fnmatch(pattern.c_str(), name.c_str(), 0) == 0)
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void Store(const std::string& dataDir, tSystemData data, const std::string& replaces) {
  const TSystemNormalised norm = SystemNormalise(data.Combs);
  if (norm.CombsCount != data.Info.CombsCount)
    throw std::runtime_error(
        StrFormat("Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )",
                  norm.CombsCount, data.Info.CombsCount));
  const TSystemCheck check = SystemCheck(data.Info, norm.Lines);
  if (check.Field != TSystemField::None) throw std::runtime_error(check.Message);
  if (data.Info.Id < 0)
    throw std::runtime_error(StrFormat("Некорректный номер системы: %d", data.Info.Id));
  if (data.Info.Created <= 0) data.Info.Created = NowDateTime();

  const std::string folder = SystemsFolder(dataDir);
  if (!EnsureDir(folder))
    throw std::runtime_error(StrFormat("%s: %s", folder.c_str(), SystemErrorText(errno).c_str()));
  const std::string path = SystemFileName(dataDir, data.Info);
  std::string text = SystemLinesText(norm.Lines, "\r\n");
  text += "\r\n";
  WriteFileAtomic(path, text);
  WriteFileAtomic(PropsFileName(path), SystemPropsText(data.Info));
  const std::time_t t = ToTimeT(data.Info.Created);
  const struct timespec times[2] = {{t, 0}, {t, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);  // the date only informs; a failure loses nothing

  const std::string written = fs::path(path).filename().string();
  for (const std::string& name : StoreFiles(dataDir, SystemFilePattern(data.Info.NumsCount)))
    if (name != written) RemoveSystemFiles(PathJoin(folder, name));
  if (!replaces.empty() && fs::path(replaces).filename().string() != written &&
      FileExists(replaces))
    RemoveSystemFiles(replaces);
}

}  // namespace

std::string SystemPropsText(const tSystemInfo& info) {
  TIniFile ini;
  ini.WriteInteger(kSection, "Id", info.Id);
  ini.WriteInteger(kSection, "NumsCount", info.NumsCount);
  ini.WriteInteger(kSection, "BlockLen", info.BlockLen);
  ini.WriteInteger(kSection, "CombsCount", info.CombsCount);
  ini.WriteString(kSection, "Title", Escape(info.Title));
  ini.WriteString(kSection, "Author", Escape(info.Author));
  ini.WriteString(kSection, "Owner", Escape(info.Owner));
  ini.WriteString(kSection, "Description", Escape(info.Description));
  ini.WriteString(kSection, "Created", SystemDateText(info.Created));
  ini.WriteInteger(kSection, "Downloads", info.Downloads);
  ini.WriteString(kSection, "LastDownload", SystemDateText(info.LastDownload));
  ini.WriteString(kSection, "URL", Escape(info.URL));
  return ini.SaveText();
}

void SystemPropsRead(const std::string& text, tSystemInfo& info) {
  TIniFile ini;
  ini.LoadText(text);
  info.CombsCount = ini.ReadInteger(kSection, "CombsCount", info.CombsCount);
  // Every text field is written escaped, so every one is unescaped: a "\\" in a title must not
  // double on each save.
  info.Title = Unescape(ini.ReadString(kSection, "Title", Escape(info.Title)));
  info.Author = Unescape(ini.ReadString(kSection, "Author", ""));
  info.Owner = Unescape(ini.ReadString(kSection, "Owner", ""));
  info.Description = Unescape(ini.ReadString(kSection, "Description", ""));
  info.Created = SystemDateFromText(ini.ReadString(kSection, "Created", ""));
  info.Downloads = ini.ReadInteger(kSection, "Downloads", 0);
  info.LastDownload = SystemDateFromText(ini.ReadString(kSection, "LastDownload", ""));
  info.URL = Unescape(ini.ReadString(kSection, "URL", ""));
}

std::string SystemsFolder(const std::string& dataDir) {
  return PathJoin(dataDir, SystemsFolderName);
}

std::string SystemFileName(const std::string& dataDir, const tSystemInfo& info) {
  return PathJoin(SystemsFolder(dataDir), StrFormat("%d-%.2d-%d_%.4d.dat", SystemCombLen,
                                                    info.NumsCount, info.BlockLen, info.Id));
}

std::string SystemFilePattern(int numsCount) {
  return StrFormat("%d-%.2d-*_*.dat", SystemCombLen, numsCount);
}

std::string SystemFindFile(const std::string& dataDir, int numsCount) {
  const std::vector<std::string> names = StoreFiles(dataDir, SystemFilePattern(numsCount));
  return names.empty() ? std::string() : PathJoin(SystemsFolder(dataDir), names.front());
}

std::string SystemShortName(const std::string& path) {
  return fs::path(path).stem().string();
}

std::vector<TStoredSystem> SystemsList(const std::string& dataDir) {
  std::vector<TStoredSystem> list;
  const std::string folder = SystemsFolder(dataDir);
  for (const std::string& name : StoreFiles(dataDir, "*.dat")) {
    TStoredSystem s;
    if (!ParseName(name, s.Info)) continue;
    s.FileName = PathJoin(folder, name);
    s.Info.Title = SystemShortName(name);
    struct stat st;
    if (::stat(s.FileName.c_str(), &st) == 0) s.FileDate = FromTimeT(st.st_mtime);
    try {
      s.Info.CombsCount = CountLines(ReadWholeFile(s.FileName));
    } catch (const std::exception&) {
      s.Info.CombsCount = 0;
    }
    const int lines = s.Info.CombsCount;
    try {
      const std::string props = PropsFileName(s.FileName);
      if (FileExists(props)) SystemPropsRead(ReadWholeFile(props), s.Info);
    } catch (const std::exception&) {
    }
    s.Info.CombsCount = lines;  // what play will read, whatever the properties say
    list.push_back(std::move(s));
  }
  std::stable_sort(list.begin(), list.end(), [](const TStoredSystem& a, const TStoredSystem& b) {
    return a.Info.NumsCount < b.Info.NumsCount;
  });
  return list;
}

tSystemData SystemLoad(const TStoredSystem& stored) {
  tSystemData data;
  data.Info = stored.Info;
  if (data.Info.Created <= 0) data.Info.Created = stored.FileDate;
  data.Combs = ReadWholeFile(stored.FileName);
  return data;
}

int32_t SystemNextId(const std::string& dataDir) {
  int32_t id = 0;
  for (const TStoredSystem& s : SystemsList(dataDir)) id = std::max(id, s.Info.Id);
  return id + 1;
}

void SystemsAdd(const std::string& dataDir, tSystemData data) {
  try {
    Store(dataDir, std::move(data), std::string());
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка добавления системы!\r\r%s", e.what()));
  }
}

void SystemsChange(const std::string& dataDir, tSystemData data, const std::string& replaces) {
  try {
    Store(dataDir, std::move(data), replaces);
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка изменения системы!\r\r%s", e.what()));
  }
}

}  // namespace kvarn
