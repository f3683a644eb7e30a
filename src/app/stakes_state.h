// The stakes of the workspace: the stakes file, held open and locked for the workspace's life
// (the lock keeps a second instance out of the data directory), and the row count the window's
// grid was last given.
#pragma once

#include <string>

#include "stakes/stakes_file.h"

namespace kvarn {

struct TStakesState {
  explicit TStakesState(const std::string& dataDir) : File(dataDir) {}
  TStakesFile File;
  int GridRows = 0;
};

}  // namespace kvarn
