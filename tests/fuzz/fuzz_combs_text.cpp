// Combination files and clipboard text: the file reader (a number outside 1..36 refused with the
// lines before it kept), the clipboard reader (one combination a line, the first bad line
// refused) and the "my numbers" list.
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "combs/combs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kvarn::TCombList list;
  try {
    kvarn::AppendCombsText(list, text);
  } catch (const std::runtime_error&) {
    // A number outside 1..36: the lines before it stay and are written below.
  }
  // What was read writes to a file text that reads back to the same list.
  kvarn::TCombList reread;
  kvarn::AppendCombsText(reread, kvarn::CombsFileText(list));
  if (kvarn::CombsFileText(reread) != kvarn::CombsFileText(list)) __builtin_trap();

  kvarn::TCombList pasted;
  try {
    kvarn::ParseCombsLines(pasted, text);
    // A pasted list copies back to text that pastes to the same list.
    std::vector<int> rows(static_cast<size_t>(pasted.Count()));
    for (int i = 0; i < pasted.Count(); ++i) rows[static_cast<size_t>(i)] = i;
    kvarn::TCombList again;
    kvarn::ParseCombsLines(again, kvarn::CombsClipboardText(pasted, rows));
    if (kvarn::CombsFileText(again) != kvarn::CombsFileText(pasted)) __builtin_trap();
  } catch (const std::runtime_error&) {
  }
  kvarn::ParseMyNumbers(text);
  return 0;
}
