#include "scenario/script_line.h"

#include "core/text.h"
#include "scenario/script_text.h"

namespace kvarn {

std::string ScriptLineMake(std::string_view comment, std::string_view options,
                           const TScriptFilterTexts& filters) {
  std::string line;
  // An empty options field would let filter 1 take its place when the line is read.
  line += Trim(options).empty() ? std::string_view(" ") : options;
  line += '|';
  for (const std::string& f : filters) {
    line += Trim(f).empty() ? std::string_view(" ") : std::string_view(f);
    line += '|';
  }
  if (!Trim(comment).empty()) line += comment;
  // A line break inside a field would split the line in two when the file is read back.
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

std::string ScriptLineField(std::string_view line, int n) {
  if (n < 1) return {};
  return std::string(Trim(ScriptPiece(line, '|', static_cast<size_t>(n))));
}

bool ScriptLineIsSeparator(std::string_view line) {
  return Trim(line).empty();
}

}  // namespace kvarn
