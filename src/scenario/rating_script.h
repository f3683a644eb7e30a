// A rating row's caption turned back into a scenario line. Stakes made by a scenario carry
// "03.012: comment @ options + filter + filter" as their comment, and the rating row takes it
// as its caption; the line rebuilt from it keeps the text before "@" as its comment.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvarn {

// The scenario line, or nothing when the caption holds no filter (manual stakes, regular
// stakes, systems).
std::optional<std::string> RatingCaptionToScriptLine(std::string_view caption);

// "Строку\r\r%s\r\rневозможно добавить в сценарий!"
std::string RatingCaptionRefusedText(std::string_view caption);

}  // namespace kvarn
