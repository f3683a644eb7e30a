// The combination list of the workspace: the working list, the undo snapshot a filter step takes
// first, the keyed buffer a scenario restores instead of regenerating, and the applied-filters
// list that records every step.
#pragma once

#include <cstddef>

#include "combs/combs.h"

namespace kvarn {

struct TCombsState {
  TCombList List;
  TCombList Undo;
  TCombBuffer Buffer;
  TAppliedFilters Filters;

  // Room for n entries in the list, the snapshot and the buffer; all three emptied.
  void Reserve(size_t n) {
    List.Reserve(n);
    Undo.Reserve(n);
    Buffer.List.Reserve(n);
    List.Clear();
    Undo.Clear();
    Buffer.Reset();
  }
};

}  // namespace kvarn
