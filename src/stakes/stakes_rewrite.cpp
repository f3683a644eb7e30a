// Deleting stakes: the kept records are copied into Kvarn_5x36.~tmp, which then replaces the
// stakes file in one rename. The temporary file is locked before it is written, so the lock is on
// the new file the moment it takes the stakes file's name, and the old file stays whole until then.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "core/files.h"
#include "core/text.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_io.h"

namespace kvarn {

namespace {

constexpr size_t kBlockRecords = 4096;

const char* const kConditionNames[StakeConditionsCount] = {
    "Равно [ = ]", "Более [ > ]", "Не менее [ >= ]", "Менее [ < ]", "Не более [ <= ]"};

}  // namespace

const char* StakeConditionName(int condition) {
  return condition >= 0 && condition < StakeConditionsCount ? kConditionNames[condition] : "";
}

bool StakeConditionHolds(int condition, int m, int v) {
  switch (condition) {
    case 0:
      return m == v;
    case 1:
      return m > v;
    case 2:
      return m >= v;
    case 3:
      return m < v;
    case 4:
      return m <= v;
    default:
      return false;
  }
}

int64_t TStakesFile::Rewrite(const std::function<bool(const uint8_t*, int64_t)>& keep) {
  RequireWritable();
  const std::string temp = TempPath();
  auto tempError = [&temp](int err) {
    Raise(StrFormat("Ошибка переименования / удаления временного файла ставок %s!\r\r%s",
                    temp.c_str(), SystemErrorText(err).c_str()));
  };
  // A temporary file left by a crash is stale: the stakes file is locked by this instance.
  if (::unlink(temp.c_str()) != 0 && errno != ENOENT) tempError(errno);
  const int fd = OpenLockedFile(temp, O_RDWR | O_CREAT | O_EXCL);
  int64_t dropped = 0;
  int64_t written = 0;
  try {
    std::vector<uint8_t> in(kBlockRecords * StakeRecordSize);
    std::vector<uint8_t> out;
    out.reserve(in.size());
    for (int64_t first = 0;; first += static_cast<int64_t>(kBlockRecords)) {
      const size_t n = ReadBlock(first, kBlockRecords, in.data());
      out.clear();
      for (size_t i = 0; i < n; ++i) {
        const uint8_t* rec = in.data() + i * StakeRecordSize;
        if (keep(rec, first + static_cast<int64_t>(i)))
          out.insert(out.end(), rec, rec + StakeRecordSize);
        else
          ++dropped;
      }
      try {
        PwriteAll(fd, written, out.data(), out.size());
      } catch (const std::exception& e) {
        // A full disk: the message says which file could not be written.
        Raise(StrFormat("%s: %s", temp.c_str(), e.what()));
      }
      written += static_cast<int64_t>(out.size());
      if (n < kBlockRecords) break;
    }
    if (::fsync(fd) != 0) Raise(StrFormat("%s: %s", temp.c_str(), SystemErrorText(errno).c_str()));
    if (BeforeReplaceHook) BeforeReplaceHook();
    if (::rename(temp.c_str(), path_.c_str()) != 0) tempError(errno);
  } catch (...) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  SyncDirectory(dir_);
  // The old file is gone from the directory; closing it lets its lock go.
  ::close(fd_);
  fd_ = fd;
  size_ = written;
  ForgetCache();
  return dropped;
}

int64_t TStakesFile::DeleteRows(int64_t first, int64_t last) {
  try {
    return Rewrite(
        [first, last](const uint8_t*, int64_t index) { return index < first || index > last; });
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка удаления записи из файла ставок!\r\r%s", e.what()));
  }
}

int64_t TStakesFile::DeleteByCondition(int condition, int value) {
  try {
    return Rewrite([condition, value](const uint8_t* rec, int64_t) {
      const uint8_t kind = StakeBytesKind(rec);
      if (kind < skManual || kind > skSystem) return true;
      return !StakeConditionHolds(condition, StakeBytesMatches(rec), value);
    });
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка удаления записи из файла ставок!\r\r%s", e.what()));
  }
}

void TStakesFile::Clear() {
  try {
    RequireWritable();
    ForgetCache();
    if (::ftruncate(fd_, 0) != 0) RaiseSystemError(errno);
    size_ = 0;
    if (::fsync(fd_) != 0) RaiseSystemError(errno);
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка удаления записи из файла ставок!\r\r%s", e.what()));
  }
}

}  // namespace kvarn
