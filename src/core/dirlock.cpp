#include "core/dirlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "core/files.h"

namespace kvarn {

namespace {

// Every data file of the directory begins with it.
constexpr const char* kDataFilePrefix = "Kvarn_5x36.";

const char* OwnerWord(TLockOwner owner) {
  switch (owner) {
    case TLockOwner::Window:
      return "window";
    case TLockOwner::Cli:
      return "kvarn-cli";
    case TLockOwner::Program:
      break;
  }
  return "program";
}

// The holder's line "pid owner"; pid 0 when the line is not (yet) there.
struct THolder {
  long pid = 0;
  std::string owner;
};

THolder ReadHolder(int fd) {
  char buf[128];
  const ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
  THolder h;
  if (n <= 0) return h;
  buf[n] = 0;
  char* end = nullptr;
  h.pid = std::strtol(buf, &end, 10);
  if (end == buf || *end != ' ') return THolder{};
  std::string rest(end + 1);
  h.owner = rest.substr(0, rest.find('\n'));
  return h;
}

std::string BusyText(const std::string& dir, const THolder& h, int waitedMs) {
  const std::string head = StrFormat("Каталог данных \"%s\" занят", dir.c_str());
  if (h.owner == OwnerWord(TLockOwner::Window))
    return head + StrFormat(
                      " работающей программой (процесс %ld)!\r\rПока она открыта, изменять "
                      "данные этого каталога может только она; ничего не изменено.",
                      h.pid);
  const std::string who =
      h.pid > 0 ? StrFormat(" другим процессом (%s, процесс %ld)", h.owner.c_str(), h.pid)
                : std::string(" другим процессом");
  return head + who +
         StrFormat("!\r\rОжидание %.1f с не помогло; ничего не изменено, повторите позже.",
                   waitedMs / 1000.0);
}

int OpenLockFile(const std::string& dir) {
  const std::string path = PathJoin(dir, DataDirLockFileName);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
  const int err = errno;
  struct stat st;
  if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) return fd;
  if (fd >= 0) ::close(fd);
  Raise(StrFormat("Не удалось заблокировать каталог данных \"%s\"!\r\r%s", dir.c_str(),
                  fd >= 0
                      ? StrFormat("Файл \"%s\" не является обычным файлом", path.c_str()).c_str()
                      : SystemErrorText(err).c_str()));
}

// One attempt: true when the lock was taken; the holder is read when it was not.
bool TryLock(int fd, const std::string& dir) {
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return false;
    const int err = errno;
    ::close(fd);
    Raise(StrFormat("Не удалось заблокировать каталог данных \"%s\"!\r\r%s", dir.c_str(),
                    SystemErrorText(err).c_str()));
  }
}

void SignHolder(int fd, TLockOwner owner) {
  // Only a courtesy for the message of a waiting writer: failures do not matter.
  const std::string line = StrFormat("%ld %s\n", static_cast<long>(::getpid()), OwnerWord(owner));
  if (::ftruncate(fd, 0) != 0) return;
  const ssize_t written = ::pwrite(fd, line.data(), line.size(), 0);
  static_cast<void>(written);
}

}  // namespace

TDataDirLock& TDataDirLock::operator=(TDataDirLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void TDataDirLock::Acquire(const std::string& dir, TLockOwner owner, int waitMs) {
  if (Held()) return;
  const int fd = OpenLockFile(dir);
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    if (TryLock(fd, dir)) {
      SignHolder(fd, owner);
      fd_ = fd;
      RemoveLeftTemporaries(dir, kDataFilePrefix);
      return;
    }
    const THolder holder = ReadHolder(fd);
    const int waited = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
    // A window keeps the directory for as long as it runs: waiting would not help.
    if (holder.owner == OwnerWord(TLockOwner::Window) || waited >= waitMs) {
      ::close(fd);
      throw EDataDirBusy(BusyText(dir, holder, waited));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool TDataDirLock::TryAcquire(const std::string& dir, TLockOwner owner) {
  if (Held()) return true;
  const int fd = OpenLockFile(dir);
  if (!TryLock(fd, dir)) {
    ::close(fd);
    return false;
  }
  SignHolder(fd, owner);
  fd_ = fd;
  RemoveLeftTemporaries(dir, kDataFilePrefix);
  return true;
}

void TDataDirLock::Release() {
  if (fd_ < 0) return;
  // The holder's line goes first, so that a reader never names a process that let go.
  const int truncated = ::ftruncate(fd_, 0);
  static_cast<void>(truncated);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace kvarn
