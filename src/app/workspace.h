// TWorkspace: the headless half of the main window. It owns the state the window shows (archive,
// settings, combination list, registry, ...) and implements the window's operations under their
// own names. It talks to the person only through IHost.
//
// Each subsystem keeps its operations in its own source file (workspace_draws.cpp,
// workspace_combs.cpp, ...); this header gathers the state and the declarations.
#pragma once

#include <string>

#include "app/host.h"
#include "core/lottery.h"

namespace kvarn {

class TWorkspace {
 public:
  TWorkspace(IHost& host, std::string dataDir);
  ~TWorkspace();
  TWorkspace(const TWorkspace&) = delete;
  TWorkspace& operator=(const TWorkspace&) = delete;

  IHost& Host() { return host_; }
  const std::string& DataDir() const { return dataDir_; }
  std::string DataPath(const std::string& fileName) const;

  // Start-up without a window (kvarn-cli, tests): settings read, draws loaded.
  void OpenHeadless();

 private:
  IHost& host_;
  std::string dataDir_;
};

}  // namespace kvarn
