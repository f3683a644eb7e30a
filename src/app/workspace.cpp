#include "app/workspace.h"

#include "core/files.h"

namespace kvarn {

TWorkspace::TWorkspace(IHost& host, std::string dataDir)
    : host_(host), dataDir_(std::move(dataDir)), stakes_(dataDir_), regulars_(dataDir_) {
  StatFullSetSource = [this](int entry) { return OpenPrefetch(entry); };
  // Every checked stake goes to the rating; a check run that checked any sorts and saves it, and
  // deleting every stake offers to rebuild it from the now empty file.
  OnStakeChecked = [this](const TStake& stake) { RatingsAddStake(stake); };
  OnStakesChecked = [this] { RatingsResort(); };
  OnStakesCleared = [this] { RatingsRefresh(); };
}

TWorkspace::~TWorkspace() = default;

std::string TWorkspace::DataPath(const std::string& fileName) const {
  return PathJoin(dataDir_, fileName);
}

void TWorkspace::LockDataDir(TLockOwner owner) {
  lockOwner_ = owner;
  dirLock_.Acquire(dataDir_, owner, lockWaitMs_);
}

void TWorkspace::LockForWrite(TDataDirLock& lock) {
  if (!dirLock_.Held()) lock.Acquire(dataDir_, lockOwner_, lockWaitMs_);
}

bool TWorkspace::TryLockForWrite(TDataDirLock& lock) {
  return dirLock_.Held() || lock.TryAcquire(dataDir_, lockOwner_);
}

void TWorkspace::OpenHeadless() {
  SettingsLoad();
  draws_.Offset = 0;
  DrawsLoad();
  // Loaded before anything can check stakes: a check adds to the rating and saves it.
  RatingsLoad();
}

}  // namespace kvarn
