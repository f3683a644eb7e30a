// UTF-8 code points: the decoder and encoder the text helpers and the code-page codec share, and
// character counts (length limits count characters, never bytes).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvarn {

// Decodes the code point at s[i] and moves i past it; an invalid byte is taken as itself.
char32_t DecodeUtf8(std::string_view s, size_t& i);
void EncodeUtf8(char32_t cp, std::string& out);

// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(std::string_view s);
// The first `maxChars` characters of a UTF-8 text.
std::string Utf8Left(std::string_view s, size_t maxChars);

}  // namespace kvarn
