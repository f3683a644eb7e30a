// The data directory's lock. Every process that changes the files of a data directory holds it
// while it does: the window for its whole run, kvarn-cli from before it reads the data it is
// going to change until it ends, a command that only reads not at all (every file is replaced
// whole by a rename, so a reader sees the old file or the new one). The lock is an flock on the
// file Kvarn_5x36.lck, which says who holds it; the system lets it go when the holder ends, even
// when it crashes.
#pragma once

#include <string>

#include "core/text.h"

namespace kvarn {

constexpr const char* DataDirLockFileName = "Kvarn_5x36.lck";
// How long a writer waits for another one before it gives up, unless told otherwise.
constexpr int DataDirLockWaitMs = 10000;

// Who takes the lock; a running window holds it for good, so nobody waits for it.
enum class TLockOwner { Window, Cli, Program };

// Raised when the lock is held by another process beyond the wait: the change is not made.
class EDataDirBusy : public EKvarnError {
 public:
  using EKvarnError::EKvarnError;
};

class TDataDirLock {
 public:
  TDataDirLock() = default;
  ~TDataDirLock() { Release(); }
  TDataDirLock(TDataDirLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  TDataDirLock& operator=(TDataDirLock&& other) noexcept;
  TDataDirLock(const TDataDirLock&) = delete;
  TDataDirLock& operator=(const TDataDirLock&) = delete;

  // Takes the lock of `dir`, trying again for up to waitMs while another writer holds it (not
  // at all while a window holds it). Raises EDataDirBusy naming the holder when it stays taken,
  // EKvarnError when the lock file cannot be used.
  void Acquire(const std::string& dir, TLockOwner owner, int waitMs);
  // The same without waiting: false when another process holds the lock.
  bool TryAcquire(const std::string& dir, TLockOwner owner);
  void Release();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace kvarn
