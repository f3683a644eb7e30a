// Filters tested on history and values searched under a budget, without their widgets: the stop
// request of a run in progress.
#pragma once

namespace kvarn {

struct TFilterTestState {
  bool Running = false;
  bool StopRequested = false;
};

}  // namespace kvarn
