#include "stakes/stakes_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>

#include "core/text.h"
#include "stakes/stakes_io.h"

namespace kvarn {

namespace {

std::string LocalTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y.%m.%d %H:%M:%S", &tm);
  return buf;
}

std::string DrawValuesJoined(const TComb& values) {
  TNumberSet s;
  s.Count = CombSize;
  std::copy(values.begin(), values.end(), s.Numbers.begin());
  return NumberSetText(s, ";");
}

}  // namespace

std::string StakesLogText(const TStake& s) {
  return StrFormat(
      "Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s]. Совпадений: %d. Профит: "
      "%s.",
      NumberText(s.DrawNumber).c_str(), s.Comment.c_str(), NumberSetText(s.Numbers, ";").c_str(),
      s.SampleSize, DrawValuesJoined(s.DrawValues).c_str(), s.Matches(),
      MoneyText(s.Profit).c_str());
}

TStakesLog::TStakesLog(std::string dataDir) : Clock(LocalTimeText), dir_(std::move(dataDir)) {}

TStakesLog::~TStakesLog() {
  for (TFile& f : files_)
    if (f.fd >= 0) ::close(f.fd);
}

std::string TStakesLog::PathOf(int matches) const {
  return PathJoin(dir_, StrFormat(StakesLogPattern, matches));
}

bool TStakesLog::Prepare(int m, const std::function<void(const std::string&)>& showError) {
  TFile& f = files_[static_cast<size_t>(m)];
  if (f.failed) return false;
  const std::string path = PathOf(m);
  if (f.fd < 0) {
    struct stat st {};
    f.size = ::stat(path.c_str(), &st) == 0 ? st.st_size : 0;
  }
  if (f.size > StakesLogMaxSize) {
    if (f.fd >= 0) ::close(f.fd);
    f.fd = -1;
    if (::unlink(path.c_str()) == 0) {
      f.size = 0;
    } else {
      showError(StrFormat("Ошибка удаления файла \"%s\"!\r\r%s", path.c_str(),
                          SystemErrorText(errno).c_str()));
      // Written to anyway; the size rule is not tried again in this run.
      f.size = 0;
    }
  }
  if (f.fd < 0) {
    f.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (f.fd < 0) {
      f.failed = true;
      showError(StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", path.c_str(),
                          SystemErrorText(errno).c_str()));
      return false;
    }
  }
  return true;
}

void TStakesLog::Write(const TStake& s, const std::function<void(const std::string&)>& showError) {
  const int m = s.Matches();
  if (!s.IsChecked() || m < 0 || m > CombSize) return;
  if (!Prepare(m, showError)) return;
  TFile& f = files_[static_cast<size_t>(m)];
  const std::string line = Utf8ToCp1251(Clock() + ": " + StakesLogText(s) + "\r\n");
  try {
    WriteAll(f.fd, reinterpret_cast<const uint8_t*>(line.data()), line.size());
    f.size += static_cast<int64_t>(line.size());
  } catch (const std::exception& e) {
    f.failed = true;
    showError(StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", PathOf(m).c_str(), e.what()));
  }
}

std::vector<std::string> StakesLogFiles(const std::string& dataDir) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  const std::string_view prefix = "Kvarn_5x36-", suffix = ".log";
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

TStakesLogsDeleted StakesLogsDelete(const std::string& dataDir) {
  TStakesLogsDeleted result;
  for (const std::string& path : StakesLogFiles(dataDir)) {
    ++result.Found;
    if (::unlink(path.c_str()) == 0)
      ++result.Deleted;
    else
      result.Failures.push_back(path + ": " + SystemErrorText(errno));
  }
  return result;
}

std::string TStakesLogsDeleted::Text() const {
  if (Found == 0) return {};
  std::string text = StrFormat("Удалено файлов журналов: %d из %d.", Deleted, Found);
  if (!Failures.empty()) {
    text += "\r\rНе удалось удалить:";
    for (const std::string& f : Failures) text += "\r" + f;
  }
  return text;
}

}  // namespace kvarn
