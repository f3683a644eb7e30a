// The scenario of the workspace: its lines (kept in Kvarn_5x36.lss after every change) and
// whether a run of it is in progress, which locks every editing command.
#pragma once

#include "scenario/script_file.h"

namespace kvarn {

struct TScenarioState {
  TScriptLines Lines;
  bool Running = false;
  // The current scenario file could not be read at start-up: saving over it needs the person's
  // yes, since its lines are not in memory.
  bool LoadFailed = false;
};

}  // namespace kvarn
