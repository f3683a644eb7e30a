// Text helpers shared by every layer: printf-style formatting, the word-splitting rule, trimming,
// number conversion and the cp1251 boundary codec.
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

// Number of characters (code points) of a UTF-8 text; limits count characters, not bytes.
size_t Utf8Length(std::string_view s);
// The first `maxChars` characters of a UTF-8 text.
std::string Utf8Left(std::string_view s, size_t maxChars);

// cp1251 at the file boundary. Characters without a cp1251 form become "?".
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

// Writes `data` to `path` through a temporary file in the same directory and a rename, so that a
// crash or a full disk never leaves a half-written file. Throws std::runtime_error on failure.
void WriteFileAtomic(const std::string& path, std::string_view data);
// Reads a whole file; throws std::runtime_error with the system's error text on failure.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
std::string SystemErrorText(int err);

// Joins a directory and a file name with one "/".
std::string PathJoin(std::string_view dir, std::string_view name);

}  // namespace kvarn
