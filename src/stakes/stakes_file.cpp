#include "stakes/stakes_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "core/files.h"
#include "core/text.h"
#include "stakes/stakes_io.h"

namespace kvarn {

TStakesFile::TStakesFile(std::string dataDir)
    : dir_(std::move(dataDir)), path_(PathJoin(dir_, StakesFileName)) {}

TStakesFile::~TStakesFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::string TStakesFile::TempPath() const {
  return PathJoin(dir_, StakesTempFileName);
}

std::string TStakesFile::BackupPath() const {
  return PathJoin(dir_, StakesBackupFileName);
}

void TStakesFile::Open() {
  if (readOnly_) Close();
  if (fd_ >= 0) return;
  try {
    const int fd = OpenLockedFile(path_, O_RDWR | O_CREAT);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
      const int err = errno;
      ::close(fd);
      RaiseSystemError(err);
    }
    fd_ = fd;
    size_ = st.st_size;
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка чтения файла ставок!\r\r%s", e.what()));
  }
  ForgetCache();
}

void TStakesFile::OpenReadOnly() {
  if (IsOpen()) return;
  try {
    struct stat there {};
    const bool missing = ::stat(path_.c_str(), &there) != 0 && errno == ENOENT;
    const int fd = missing ? -1 : OpenRegularFile(path_, O_RDONLY);
    int64_t size = 0;
    if (fd >= 0) {
      struct stat st {};
      uint8_t version = StakeVersion;
      try {
        if (::fstat(fd, &st) != 0) RaiseSystemError(errno);
        size = st.st_size;
        if (size > 0) PreadAll(fd, 0, &version, 1);
      } catch (...) {
        ::close(fd);
        throw;
      }
      if (version != StakeVersion) {
        ::close(fd);
        Raise("Файл ставок другой версии: его примет программа при следующем запуске.");
      }
    }
    fd_ = fd;
    size_ = size;
    readOnly_ = true;
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка чтения файла ставок!\r\r%s", e.what()));
  }
  ForgetCache();
}

void TStakesFile::Close() {
  readOnly_ = false;
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  rejected_ = false;
  size_ = 0;
  ForgetCache();
  // The descriptor is closed (and the lock released) also when the flush fails.
  int err = ::fsync(fd) != 0 ? errno : 0;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0)
    Raise(StrFormat("Ошибка записи в файл ставок!\r\r%s", SystemErrorText(err).c_str()));
}

void TStakesFile::Reopen() {
  ForgetCache();
  if (fd_ >= 0 && ::fsync(fd_) != 0)
    Raise(StrFormat("Ошибка записи в файл ставок!\r\r%s", SystemErrorText(errno).c_str()));
}

void TStakesFile::RequireOpen() const {
  if (!IsOpen()) Raise("Файл ставок не открыт!");
}

void TStakesFile::RequireWritable() const {
  RequireOpen();
  if (readOnly_) Raise("Файл ставок открыт только для чтения!");
}

int64_t TStakesFile::PositionOf(int64_t index, TStakeOrigin origin) const {
  const int64_t base = origin == TStakeOrigin::Start ? 0 : Count();
  return (base + index) * static_cast<int64_t>(StakeRecordSize);
}

void TStakesFile::ReadAt(int64_t pos, uint8_t* out, size_t size) {
  PreadAll(fd_, pos, out, size);
}

void TStakesFile::WriteAt(int64_t pos, const uint8_t* in, size_t size) {
  PwriteAll(fd_, pos, in, size);
  if (pos + static_cast<int64_t>(size) > size_) size_ = pos + static_cast<int64_t>(size);
}

TStake TStakesFile::ReadRecord(int64_t index, TStakeOrigin origin) {
  if (cacheValid_ && cacheIndex_ == index && cacheOrigin_ == origin && IsOpen()) return cache_;
  try {
    RequireOpen();
    const int64_t pos = PositionOf(index, origin);
    if (pos < 0 || pos + static_cast<int64_t>(StakeRecordSize) > size_)
      Raise(StrFormat("Запись со индексом %lld в файле данных не найдена!",
                      static_cast<long long>(index)));
    uint8_t rec[StakeRecordSize];
    ReadAt(pos, rec, sizeof rec);
    cache_ = StakeFromBytes(rec);
    cacheIndex_ = index;
    cacheOrigin_ = origin;
    cacheValid_ = true;
    return cache_;
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка чтения записи из файла ставок!\r\r%s", e.what()));
  }
}

void TStakesFile::WriteRecord(const TStake& s, int64_t index, TStakeOrigin origin) {
  try {
    RequireWritable();
    const int64_t pos = PositionOf(index, origin);
    const int64_t end = Count() * static_cast<int64_t>(StakeRecordSize);
    if (pos < 0 || pos > end)
      Raise(StrFormat("Запись со индексом %lld в файле данных не найдена!",
                      static_cast<long long>(index)));
    uint8_t rec[StakeRecordSize];
    StakeToBytes(s, rec);
    ForgetCache();
    if (pos == end)
      AppendRaw(rec, 1);
    else
      WriteAt(pos, rec, sizeof rec);
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка добавления записи в файл ставок!\r\r%s", e.what()));
  }
}

void TStakesFile::AppendRaw(const uint8_t* in, size_t count) {
  const int64_t end = Count() * static_cast<int64_t>(StakeRecordSize);
  try {
    WriteAt(end, in, count * StakeRecordSize);
  } catch (const std::exception& e) {
    // A full disk may have taken part of the records: cut back to whole records.
    if (::ftruncate(fd_, end) == 0) size_ = end;
    Raise(StrFormat("%s: %s", path_.c_str(), e.what()));
  }
}

size_t TStakesFile::ReadBlock(int64_t first, size_t count, uint8_t* out) {
  RequireOpen();
  const int64_t total = Count();
  if (first < 0 || first >= total) return 0;
  const size_t n =
      static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), total - first));
  ReadAt(first * static_cast<int64_t>(StakeRecordSize), out, n * StakeRecordSize);
  return n;
}

void TStakesFile::ForEach(int64_t first, const std::function<void(const TStake&)>& visit) {
  const size_t blockRecords = ScanBlockRecords();
  std::vector<uint8_t> block(blockRecords * StakeRecordSize);
  TStakeDecoder decoder;
  for (first = std::max<int64_t>(first, 0);; first += static_cast<int64_t>(blockRecords)) {
    const size_t n = ReadBlock(first, blockRecords, block.data());
    for (size_t i = 0; i < n; ++i) visit(decoder.Decode(block.data() + i * StakeRecordSize));
    if (n < blockRecords) return;
  }
}

void TStakesFile::WriteBlock(int64_t first, size_t count, const uint8_t* in) {
  RequireWritable();
  if (first < 0 || first + static_cast<int64_t>(count) > Count())
    Raise(StrFormat("Запись со индексом %lld в файле данных не найдена!",
                    static_cast<long long>(first + static_cast<int64_t>(count) - 1)));
  ForgetCache();
  WriteAt(first * static_cast<int64_t>(StakeRecordSize), in, count * StakeRecordSize);
}

}  // namespace kvarn
