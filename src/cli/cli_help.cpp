// The usage line and the help of a command, made from its declarations.
#include <algorithm>

#include "cli/cli.h"

namespace kvarn {

namespace {

std::string OptionWords(const TCliOption& o) {
  return o.value.empty() ? o.name : o.name + " " + o.value;
}

}  // namespace

std::string TCliCommand::Usage() const {
  std::string usage = name;
  if (!sub.empty()) usage += " " + sub;
  if (!synopsis.empty()) usage += " " + synopsis;
  for (size_t i = 0; i < options.size();) {
    const TCliOption& o = options[i];
    size_t j = i + 1;
    while (!o.group.empty() && j < options.size() && options[j].group == o.group) ++j;
    usage += ' ';
    if (j - i > 1) {
      std::string alternatives;
      for (size_t k = i; k < j; ++k) alternatives += (k > i ? "|" : "") + OptionWords(options[k]);
      usage += o.required ? "(" + alternatives + ")" : "[" + alternatives + "]";
    } else if (o.repeat) {
      usage += o.required ? OptionWords(o) + " [" + OptionWords(o) + " ...]"
                          : "[" + OptionWords(o) + " ...]";
    } else {
      usage += o.required ? OptionWords(o) : "[" + OptionWords(o) + "]";
    }
    i = j;
  }
  return usage;
}

std::string TCliCommand::Help() const {
  std::string text = "usage: " + Usage() + "\n";
  if (!help.empty()) text += help + "\n";
  size_t width = 0;
  for (const TCliOption& o : options) width = std::max(width, OptionWords(o).size());
  for (const TCliOption& o : options) {
    const std::string words = OptionWords(o);
    text += "  " + words + std::string(width - words.size() + 2, ' ') + o.help + "\n";
  }
  return text;
}

}  // namespace kvarn
