// The draw archive of the workspace: the draws, oldest first, and the analysis point.
#pragma once

#include "core/lottery.h"

namespace kvarn {

struct TDrawsState {
  TDrawsArray Draws;
  // DrawsOffset: how many draws the analysis steps back from the newest one.
  int Offset = 0;
  // The row count the window's list was last given (a change of it resets the list).
  int ListRows = 0;
  int Count() const { return static_cast<int>(Draws.size()); }
};

}  // namespace kvarn
