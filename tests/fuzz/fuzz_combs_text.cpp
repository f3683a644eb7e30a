// Combination files and clipboard text: the file reader, the clipboard reader (one combination a
// line, the first bad line refused) and the "my numbers" list.
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "combs/combs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kvarn::TCombList list;
  kvarn::AppendCombsText(list, text);
  kvarn::CombsFileText(list);

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
