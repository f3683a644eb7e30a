// What the scenario list shows of a line: the comment, the options in words and each filter as
// the writer would produce it, so that letter case and spacing typed by hand do not show.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "scenario/script_line.h"
#include "stats/registry.h"

namespace kvarn {

inline constexpr int ScriptListColumnCount = 2 + ScriptFilterCount;
extern const std::array<const char*, ScriptListColumnCount> ScriptListCaptions;

using TScriptListRow = std::array<std::string, ScriptListColumnCount>;

// Every cell empty for a separator.
TScriptListRow ScriptListRowOf(std::string_view line, const TStatList& registry);

}  // namespace kvarn
