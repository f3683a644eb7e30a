// The start-up test of the stakes file. A file that is not a whole number of version-2 records
// is mended, but a crash or a full disk must never cost the person his stakes: what is taken out
// of the file is saved to the backup first, and nothing is cut when the backup cannot be written.
#include <unistd.h>

#include <cerrno>
#include <string>

#include "core/files.h"
#include "core/text.h"
#include "stakes/stakes_file.h"
#include "stakes/stakes_io.h"

namespace kvarn {

namespace {
std::string ReadRange(int fd, int64_t from, int64_t to) {
  std::string data(static_cast<size_t>(to - from), '\0');
  PreadAll(fd, from, reinterpret_cast<uint8_t*>(data.data()), data.size());
  return data;
}
}  // namespace

TStakesAcceptance TStakesFile::AcceptOnStartup() {
  TStakesAcceptance result;
  try {
    RequireWritable();
    if (size_ == 0) return result;
    uint8_t version = 0;
    PreadAll(fd_, 0, &version, 1);
    const int64_t whole = Count();
    const int64_t keep = whole * static_cast<int64_t>(StakeRecordSize);
    const int64_t tail = size_ - keep;
    if (tail == 0 && version == StakeVersion) return result;

    const bool cutTail = version == StakeVersion && whole > 0;
    const int64_t newSize = cutTail ? keep : 0;
    // The backup replaces an older one; it is complete on disk before the file is cut.
    WriteFileAtomic(BackupPath(), ReadRange(fd_, newSize, size_));
    ForgetCache();
    if (::ftruncate(fd_, newSize) != 0 || ::fsync(fd_) != 0) RaiseSystemError(errno);
    size_ = newSize;
    if (cutTail) {
      result.Action = TStakesAcceptance::TailCut;
      result.Message = StrFormat(
          "Файл ставок оканчивается неполной записью (%lld байт из %zu) - она удалена из "
          "файла, целые записи (%lld) сохранены.\r\rОтрезанные байты сохранены в файле "
          "\"%s\".",
          static_cast<long long>(tail), StakeRecordSize, static_cast<long long>(whole),
          BackupPath().c_str());
    } else {
      result.Action = TStakesAcceptance::Emptied;
      result.Message = StrFormat(
          "Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут "
          "удалены!\r\rПрежний файл сохранен как \"%s\".",
          BackupPath().c_str());
    }
  } catch (const std::exception& e) {
    // The file stays as it was and refuses stake operations, while its lock still keeps a second
    // instance out; the person can free the disk and start again.
    rejected_ = true;
    Raise(StrFormat("Ошибка чтения файла ставок!\r\r%s", e.what()));
  }
  return result;
}

}  // namespace kvarn
