// The small text readers of typed input: value lists and ranges, one combination, a stake's
// numbers, numbers and reals, and the date of a draw (which must read back from its own text).
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "core/dates.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stake_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kvarn::ParseValueList(text);
  try {
    kvarn::ParseComb(text);
  } catch (const std::runtime_error&) {
  }
  kvarn::TNumberSet numbers;
  if (kvarn::ParseStakeNumbers(text, numbers)) {
    if (numbers.Count < 5 || numbers.Count > 12) __builtin_trap();
    for (int i = 1; i < numbers.Count; ++i)
      if (numbers.Numbers[i - 1] >= numbers.Numbers[i]) __builtin_trap();
  }
  int64_t whole;
  kvarn::TryTextToInt(text, whole);
  long double real;
  kvarn::TryTextToReal(text, real);
  kvarn::TextNumber(text);
  try {
    const kvarn::TDateTime t = kvarn::ParseDateTime(text);
    // Dates before 30.12.1899 read as values at or below 0, which the text form shows as "no
    // date"; they are left out here (see the reader's own tests).
    if (t > 0 && kvarn::ParseDateTime(kvarn::DateTimeText(t)) != t) __builtin_trap();
  } catch (const std::runtime_error&) {
  }
  return 0;
}
