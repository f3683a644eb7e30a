// The regulars file as bytes: whole records and a torn tail, each record written back to the same
// bytes' meaning, shown and moved on by a draw.
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "stakes/regular.h"
#include "stakes/regulars_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kvarn::TRegularsArray items;
  try {
    kvarn::RegularsFromBytes(std::string_view(reinterpret_cast<const char*>(data), size), items);
  } catch (const std::runtime_error&) {
    // A torn last record: the whole ones before it stay and are checked below.
  }
  const std::string bytes = kvarn::RegularsToBytes(items);
  kvarn::TRegularsArray again;
  kvarn::RegularsFromBytes(bytes, again);
  if (again != items) __builtin_trap();

  kvarn::TDrawsArray draws(1);
  draws[0].Number = 1;
  draws[0].Values = {3, 11, 19, 27, 35};
  for (kvarn::TRegular& r : items) {
    kvarn::RegularRowTexts(r);
    kvarn::RegularCombValid(r.Start);
    const bool wasValid = kvarn::RegularCombValid(r.Current);
    kvarn::RegularAdvance(r, draws, 0);
    // A valid combination shifted around the circle stays one.
    if (r.Base == kvarn::rbOwnComb && wasValid && !kvarn::RegularCombValid(r.Current))
      __builtin_trap();
  }
  return 0;
}
