// The Windows-1251 code page at the file boundary: the files the program shares with its users
// (settings, CSV, logs, combination and scenario files) are cp1251, memory is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace kvarn {

// Characters without a cp1251 form become "?".
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

}  // namespace kvarn
