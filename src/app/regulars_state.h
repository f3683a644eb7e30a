// The regular stakes of the workspace: the records of Kvarn_5x36.ltb, held only while the tab
// "Регуляры" is shown.
#pragma once

#include <string>

#include "stakes/regulars_file.h"

namespace kvarn {

struct TRegularsState {
  explicit TRegularsState(const std::string& dataDir) : Store(dataDir) {}
  TRegularsStore Store;
  bool Shown = false;  // the tab is shown: the list is loaded and saved
};

}  // namespace kvarn
