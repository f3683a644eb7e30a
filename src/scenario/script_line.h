// A scenario line: nine fields separated by "|" — the options, filters 1 to 7 and the comment.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kvarn {

inline constexpr int ScriptFilterCount = 7;
inline constexpr int ScriptFieldCount = 9;
inline constexpr int ScriptCommentField = 9;
using TScriptFilterTexts = std::array<std::string, ScriptFilterCount>;

// The options, then each filter followed by "|" (a single blank for an empty slot, so that the
// fields keep their places), then the comment when it is not blank. Texts are written untrimmed.
std::string ScriptLineMake(std::string_view comment, std::string_view options,
                           const TScriptFilterTexts& filters);

// Field n (1..9), trimmed; a missing field is empty.
std::string ScriptLineField(std::string_view line, int n);

// A line that is empty after trimming separates groups of lines and is never executed.
bool ScriptLineIsSeparator(std::string_view line);

}  // namespace kvarn
