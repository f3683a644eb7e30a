#include "stakes/stakes_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>

#include "core/codec.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stakes_io.h"

namespace kvarn {

namespace {

constexpr size_t kFlushSize = 64 * 1024;

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

constexpr const char* kLineFormat =
    "Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s]. Совпадений: %d. Профит: %s.";

std::string LineText(const char* format, const TStake& s, const std::string& comment) {
  return StrFormat(format, NumberText(s.DrawNumber).c_str(), comment.c_str(),
                   NumberSetText(s.Numbers, ";").c_str(), s.SampleSize,
                   DrawValuesJoined(s.DrawValues).c_str(), s.Matches(),
                   MoneyText(s.Profit).c_str());
}

}  // namespace

std::string StakesLogText(const TStake& s) {
  return LineText(kLineFormat, s, s.Comment);
}

// Built in cp1251 directly: one conversion of the format and one per distinct comment, instead of
// one of every line.
std::string TStakesLog::LineOf(const TStake& s) {
  static const std::string format = Utf8ToCp1251(kLineFormat);
  if (s.Comment != lastComment_) {
    lastComment_ = s.Comment;
    lastCommentCp_ = Utf8ToCp1251(s.Comment);
  }
  return Clock() + ": " + LineText(format.c_str(), s, lastCommentCp_) + "\r\n";
}

TStakesLog::TStakesLog(std::string dataDir) : Clock(LocalTimeText), dir_(std::move(dataDir)) {}

TStakesLog::~TStakesLog() {
  Flush([](const std::string&) {});
  for (TFile& f : files_)
    if (f.fd >= 0) ::close(f.fd);
}

void TStakesLog::Flush(const std::function<void(const std::string&)>& showError) {
  for (size_t m = 0; m < files_.size(); ++m) {
    TFile& f = files_[m];
    if (f.pending.empty()) continue;
    try {
      WriteAll(f.fd, reinterpret_cast<const uint8_t*>(f.pending.data()), f.pending.size());
    } catch (const std::exception& e) {
      f.failed = true;
      showError(StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", PathOf(static_cast<int>(m)).c_str(),
                          e.what()));
    }
    f.pending.clear();
  }
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
    if (::unlink(path.c_str()) == 0) {
      // Lines still gathered for the deleted file go with it.
      f.pending.clear();
      if (f.fd >= 0) ::close(f.fd);
      f.fd = -1;
    } else {
      showError(StrFormat("Ошибка удаления файла \"%s\"!\r\r%s", path.c_str(),
                          SystemErrorText(errno).c_str()));
    }
    // After a failed delete the file is written to anyway, and not tried again in this run.
    f.size = 0;
  }
  if (f.fd < 0) {
    // Without O_NONBLOCK a FIFO in place of the log would wait for a reader forever.
    f.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0644);
    std::string problem = f.fd < 0 ? SystemErrorText(errno) : std::string();
    struct stat st {};
    if (f.fd >= 0 && (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode))) {
      ::close(f.fd);
      f.fd = -1;
      problem = "Это не обычный файл.";
    }
    if (f.fd < 0) {
      f.failed = true;
      showError(StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", path.c_str(), problem.c_str()));
      return false;
    }
    ::fcntl(f.fd, F_SETFL, ::fcntl(f.fd, F_GETFL) & ~O_NONBLOCK);
  }
  return true;
}

void TStakesLog::Write(const TStake& s, const std::function<void(const std::string&)>& showError) {
  const int m = s.Matches();
  if (!s.IsChecked() || m < 0 || m > CombSize) return;
  if (!Prepare(m, showError)) return;
  TFile& f = files_[static_cast<size_t>(m)];
  const std::string line = LineOf(s);
  f.pending += line;
  f.size += static_cast<int64_t>(line.size());
  if (f.pending.size() >= kFlushSize) Flush(showError);
}

std::vector<std::string> LogFilesIn(const std::string& dataDir, std::string_view prefix,
                                    std::string_view suffix) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
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

TStakesLogsDeleted LogFilesDelete(const std::vector<std::string>& files) {
  TStakesLogsDeleted result;
  for (const std::string& path : files) {
    ++result.Found;
    if (::unlink(path.c_str()) == 0)
      ++result.Deleted;
    else
      result.Failures.push_back(path + ": " + SystemErrorText(errno));
  }
  return result;
}

std::vector<std::string> StakesLogFiles(const std::string& dataDir) {
  return LogFilesIn(dataDir, "Kvarn_5x36-", ".log");
}

TStakesLogsDeleted StakesLogsDelete(const std::string& dataDir) {
  return LogFilesDelete(StakesLogFiles(dataDir));
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
