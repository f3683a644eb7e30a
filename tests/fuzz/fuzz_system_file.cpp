// A system file and the dialog's combination list: the strict reader keeps only lines of five
// different positions 1..36 (or fails), its lines write back to a text that reads to the same
// lines, and the dialog's normalisation and checks never fail on their own.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "stakes/system.h"

namespace {

bool ValidLine(const kvarn::TSystemLine& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] < 1 || line[i] > 36) return false;
    for (size_t j = 0; j < i; ++j)
      if (line[i] == line[j]) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kvarn::TSystemNormalised normalised = kvarn::SystemNormalise(text);
  for (const kvarn::TSystemLine& line : normalised.Lines)
    if (!ValidLine(line)) __builtin_trap();
  kvarn::tSystemInfo info;
  info.NumsCount = normalised.NumsCount;
  info.CombsCount = normalised.CombsCount;
  info.Title = std::string(text.substr(0, 40));
  kvarn::SystemCheck(info, normalised.Lines);

  try {
    const kvarn::TSystemNormalised read = kvarn::SystemReadLines(text);
    for (const kvarn::TSystemLine& line : read.Lines)
      if (!ValidLine(line)) __builtin_trap();
    const kvarn::TSystemNormalised again =
        kvarn::SystemReadLines(kvarn::SystemLinesText(read.Lines, "\r\n"));
    if (again.Lines != read.Lines) __builtin_trap();
  } catch (const std::runtime_error&) {
  }

  const kvarn::TDateTime t = kvarn::SystemDateFromText(std::string(text));
  if (t > 0 && kvarn::SystemDateFromText(kvarn::SystemDateText(t)) != t) __builtin_trap();
  return 0;
}
