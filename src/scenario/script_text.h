// Small text rules shared by the scenario's text forms: pieces between separators, integers and
// reals as the scenario files write and read them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvarn {

// Pieces of text between separator characters. A run of separators counts as one and empty
// pieces are not counted; pieces are not trimmed, so a piece of blanks still counts.
std::vector<std::string_view> ScriptPieces(std::string_view text, char separator);
// Piece n (1-based) or an empty view when there is none.
std::string_view ScriptPiece(std::string_view text, char separator, size_t n);

// The trimmed second ":"-piece of text ("SUMS:10:20" gives "10"; "LNO:" gives "").
std::string ScriptColonValue(std::string_view text);

// A trimmed decimal integer (optional sign, 32-bit range), else def.
int ScriptIntOf(std::string_view text, int def);

// The shortest positional decimal text that reads back to the same double: "." as the decimal
// point, never an exponent, "0" for zero and minus zero.
std::string ScriptRealText(long double value);
// Lenient reading: "-" and digits remain, "." and "," become the decimal point, every other
// character is dropped; what still cannot be read gives 0.
long double ScriptRealRead(std::string_view text);

}  // namespace kvarn
