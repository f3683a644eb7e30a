// The rules of the filter editor that do not depend on the window: which controls are enabled,
// which keys the value fields take, and the checks made before a filter is accepted.
#pragma once

#include <string>

#include "scenario/filter_item.h"

namespace kvarn {

// The control a failed check points at.
enum class TFilterControl { None, DrawsLen, LevelMode, LevelValue, StopMode };

struct TFilterCheck {
  TFilterControl Control = TFilterControl::None;
  std::string Message;
  explicit operator bool() const { return Control != TFilterControl::None; }
};

// The first failing check, in the order the editor makes them; Control None when all pass.
TFilterCheck FilterItemCheck(const TFilterItem& f);

// Own weight coefficients make sense only for the level modes of the "Вес" column.
bool FilterLevelUsesWeights(int levelMode);

// The lengths and values fields take control characters, digits, ",", "-" and ";".
bool FilterValueKeyAllowed(char32_t c);

}  // namespace kvarn
