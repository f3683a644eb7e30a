#include "stakes/regulars_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "core/files.h"
#include "core/text.h"

namespace kvarn {

namespace {
// Anything under the name counts: a directory there must fail to load, not read as no file.
bool Present(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}
}  // namespace

void RegularsFromBytes(std::string_view data, TRegularsArray& out) {
  const size_t count = data.size() / RegularRecordSize;
  out.reserve(out.size() + count);
  for (size_t i = 0; i < count; ++i)
    out.push_back(
        RegularFromBytes(reinterpret_cast<const uint8_t*>(data.data() + i * RegularRecordSize)));
  const size_t rest = data.size() % RegularRecordSize;
  if (rest != 0)
    throw std::runtime_error(
        StrFormat("Неполная запись в конце файла: %zu байт из %zu", rest, RegularRecordSize));
}

std::string RegularsToBytes(const TRegularsArray& items) {
  std::string data(items.size() * RegularRecordSize, '\0');
  for (size_t i = 0; i < items.size(); ++i)
    RegularToBytes(items[i], reinterpret_cast<uint8_t*>(data.data() + i * RegularRecordSize));
  return data;
}

TRegularsStore::TRegularsStore(const std::string& dataDir)
    : dir_(dataDir), path_(PathJoin(dataDir, RegularsFileName)) {}

std::string TRegularsStore::BackupPath() const {
  return PathJoin(dir_, RegularsBackupFileName);
}

void TRegularsStore::Load() {
  if (!Present(path_)) {
    items_.clear();
    keepUnread_ = false;
    return;
  }
  try {
    const std::string data = ReadWholeFile(path_);
    TRegularsArray read;
    try {
      RegularsFromBytes(data, read);
    } catch (...) {
      items_ = std::move(read);
      throw;
    }
    items_ = std::move(read);
    keepUnread_ = false;
  } catch (const std::exception& e) {
    keepUnread_ = true;
    Raise(StrFormat("Ошибка чтения файла регулярных ставок!\r\r%s", e.what()));
  }
}

void TRegularsStore::Save() {
  try {
    if (keepUnread_ && Present(path_)) {
      const std::string backup = BackupPath();
      if (std::rename(path_.c_str(), backup.c_str()) != 0)
        throw std::runtime_error(
            StrFormat("%s: %s", backup.c_str(), SystemErrorText(errno).c_str()));
    }
    keepUnread_ = false;
    WriteFileAtomic(path_, RegularsToBytes(items_));
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка записи в файл регулярных ставок!\r\r%s", e.what()));
  }
}

void TRegularsStore::Delete(int index) {
  if (index < 0 || index >= Count())
    Raise(StrFormat("Запись со индексом %d в файле данных не найдена!", index));
  items_.erase(items_.begin() + index);
}

}  // namespace kvarn
