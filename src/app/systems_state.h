// The systems of the workspace: what the local store holds, listed while system play is on.
#pragma once

#include <vector>

#include "stakes/system_store.h"

namespace kvarn {

struct TSystemsState {
  std::vector<TStoredSystem> List;
  bool Shown = false;  // system play is on: the tab and the two stake commands are there
};

}  // namespace kvarn
