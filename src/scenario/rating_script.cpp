#include "scenario/rating_script.h"

#include "core/text.h"
#include "scenario/script_line.h"
#include "scenario/script_text.h"

namespace kvarn {

namespace {

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  for (size_t i = s.find(from); i != std::string::npos; i = s.find(from, i + to.size()))
    s.replace(i, from.size(), to);
}

}  // namespace

std::optional<std::string> RatingCaptionToScriptLine(std::string_view caption) {
  std::string_view trailer;
  std::string_view body = caption;
  if (size_t at = caption.find('@'); at != std::string_view::npos) {
    trailer = Trim(caption.substr(0, at));
    body = Trim(caption.substr(at + 1));
  }
  std::string line(body);
  ReplaceAll(line, " + ", "|");
  // Blank slots up to the filter count keep the comment in its own field.
  while (ScriptPieces(line, '|').size() <= ScriptFilterCount) line += "| ";
  (line += '|') += trailer;

  for (int n = 2; n <= ScriptFilterCount + 1; ++n)
    if (!ScriptLineField(line, n).empty()) return line;
  return std::nullopt;
}

std::string RatingCaptionRefusedText(std::string_view caption) {
  return StrFormat("Строку\r\r%s\r\rневозможно добавить в сценарий!", std::string(caption).c_str());
}

}  // namespace kvarn
