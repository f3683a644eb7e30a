// The options of a scenario line (field 1): where the starting list comes from, what to stake
// when more than one combination is left, and the two stake flags.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvarn {

struct TScriptOptions {
  int32_t DrawsExclude = 0;     // N latest draws removed from the starting list (EXCL)
  uint8_t StartCombsType = 0;   // ScriptSources
  uint8_t ResultCombsMode = 0;  // ScriptModes
  bool ClearStakes = false;
  bool NewOnly = false;
  friend bool operator==(const TScriptOptions&, const TScriptOptions&) = default;
};

// "EXCL:5#RAND#CLR#NEX": the count is written for every source.
std::string ScriptOptionsToText(const TScriptOptions& o);
// Never fails: unknown codes read as FULL and EXT, a count that is not a number as 0, unknown
// pieces after the mode are ignored.
TScriptOptions ScriptOptionsFromText(std::string_view text);
// "EXCL:5#RAND#NEX": the count only for EXCL, CLR never shown.
std::string ScriptOptionsLogText(const TScriptOptions& o);
// "Исходный список; Случайно; Все создаваемые ставки", as the scenario list shows the options.
std::string ScriptOptionsCaption(const TScriptOptions& o);

}  // namespace kvarn
