#include "app/workspace.h"

#include "core/files.h"

namespace kvarn {

TWorkspace::TWorkspace(IHost& host, std::string dataDir)
    : host_(host), dataDir_(std::move(dataDir)), stakes_(dataDir_), regulars_(dataDir_) {
  StatFullSetSource = [this](int entry) { return OpenPrefetch(entry); };
}

TWorkspace::~TWorkspace() = default;

std::string TWorkspace::DataPath(const std::string& fileName) const {
  return PathJoin(dataDir_, fileName);
}

void TWorkspace::OpenHeadless() {
  SettingsLoad();
  draws_.Offset = 0;
  DrawsLoad();
}

}  // namespace kvarn
