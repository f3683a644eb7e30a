// Text helpers shared by every layer: the error type, printf-style formatting, the word-splitting
// rule, trimming, case and number conversion. The code page is in codec.h, files in files.h,
// UTF-8 character counts in utf8.h.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kvarn {

// Every failure of the engine carries the Russian message that the user sees.
class EKvarnError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string StrFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

[[noreturn]] void Raise(const std::string& message);

std::string_view Trim(std::string_view s);
std::string ToLowerAscii(std::string_view s);
// Case-insensitive comparison for Latin and Cyrillic UTF-8 text.
bool SameTextIgnoreCase(std::string_view a, std::string_view b);
std::string ToUpperUtf8(std::string_view s);
std::string ToLowerUtf8(std::string_view s);

// A word is a maximal run of characters that are not separators; empty fields between adjacent
// separators do not count and each word is trimmed of blanks.
std::vector<std::string> SplitWords(std::string_view text, std::string_view separators);

// Decimal value of the text, or `def` when the text is not an integer (optional sign, digits).
bool TryTextToInt(std::string_view s, int64_t& value);
int TextToIntDef(std::string_view s, int def);
// Reals accept "." and "," as the decimal separator.
bool TryTextToReal(std::string_view s, long double& value);
double TextToRealDef(std::string_view s, double def);
// Reals are always written with "." as the decimal separator; `%g`-like shortest form.
std::string RealText(long double value);

}  // namespace kvarn
