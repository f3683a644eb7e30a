// The draws file as bytes: whole records and a cut-off tail, then the records written back.
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "core/draws.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kvarn::TDrawsArray draws;
  try {
    kvarn::DrawsFromBytes(std::string_view(reinterpret_cast<const char*>(data), size), draws);
  } catch (const std::runtime_error&) {
    // A cut-off record: the whole ones before it stay and are checked below.
  }
  // Whatever was read must survive a round trip byte for byte in its record layout.
  const std::string bytes = kvarn::DrawsToBytes(draws);
  kvarn::TDrawsArray again;
  kvarn::DrawsFromBytes(bytes, again);
  if (kvarn::DrawsToBytes(again) != bytes) __builtin_trap();
  for (int row = 0; row < static_cast<int>(draws.size()); ++row) {
    kvarn::DrawsListRow(draws, row, 0, true, true, 6);
  }
  if (!draws.empty()) kvarn::DrawsFindNumber(draws, draws.front().Number);
  return 0;
}
