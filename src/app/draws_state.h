// The draw archive of the workspace: the draws, oldest first, and the analysis point.
#pragma once

#include "core/draws.h"
#include "core/files.h"
#include "core/lottery.h"

namespace kvarn {

struct TDrawsState {
  TDrawsArray Draws;
  // DrawsOffset: how many draws the analysis steps back from the newest one.
  int Offset = 0;
  // The row count the window's list was last given (a change of it resets the list).
  int ListRows = 0;
  // Records of the file that are no draws: written back in their places, out of the archive.
  TSetAsideRecords SetAside;
  // The file could not be read whole at the last load: saving over it needs the person's yes.
  bool LoadFailed = false;
  // The file as the last load or save left it; a change by another program shows as a new one.
  TFileStamp Stamp;
  int Count() const { return static_cast<int>(Draws.size()); }
};

}  // namespace kvarn
