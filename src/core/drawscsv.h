// Draws as CSV text: one draw per line, fields separated by ";", text fields in double quotes.
// Texts here are UTF-8; the callers convert to and from the system code page at the file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

// Splits one line into fields: blanks and control characters before a field are skipped; a field
// starting with a double quote runs to its closing quote (a doubled quote stands for one); any
// other field ends at ";", a blank or a control character; blanks after a field and one ";" with
// the blanks after it are skipped. Adjacent ";" give an empty field, a final ";" an empty last
// field.
std::vector<std::string> SplitCsvFields(std::string_view line);

// Number;"date";n1;n2;n3;n4;n5;extra — the export form of one draw, without the line end.
std::string DrawCsvLine(const TDraw& draw);
// Every draw from the oldest, each line ending with CR LF.
std::string DrawsCsvText(const TDrawsArray& draws);

// Appends the draws of a CSV text to `draws` in file order and returns how many were added.
// Lines of 8 fields carry the draw number; lines of 7 fields get the archive count + 1. A line is
// dropped when its field count is another, its number is not above 0, `find` reports a draw with
// that number, or its numbers are not five different numbers 1..36 with an extra number 0..4.
int DrawsCsvImport(std::string_view text, TDrawsArray& draws,
                   const std::function<int(const TDrawsArray&, int32_t)>& find);

}  // namespace kvarn
