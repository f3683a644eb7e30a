// Draws as CSV text: one draw per line, fields separated by ";", text fields in double quotes.
// Texts here are UTF-8; the callers convert to and from the system code page at the file.
#pragma once

#include <cstdint>
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

// Splits a CSV text into its lines: a line ends at CR, LF or CR LF, except inside a quoted field
// (an exported date holding a line break), as long as the quote closes within a few hundred
// bytes; an unclosed quote ends at the first line break. Each line comes with the number of the
// file line it starts on (from 1).
struct TCsvLine {
  std::string_view Text;
  int64_t LineNo = 0;
};
std::vector<TCsvLine> SplitCsvLines(std::string_view text);

// The largest CSV file imported: millions of draws.
constexpr uint64_t CsvReadLimit = uint64_t{256} << 20;

struct TCsvImportResult {
  int Added = 0;
  // The lines dropped because their numbers are no draw: not five different numbers 1..36, or
  // an extra number other than 0..4.
  std::vector<int64_t> BadLines;
  // The lines dropped because their date reads as a date before 30.12.1899.
  std::vector<int64_t> EarlyDateLines;
};
// Appends the draws of a CSV text to `draws` in file order. Lines of 8 fields carry the draw
// number; lines of 7 fields get the count of every record of the file + 1: the archive and the
// `setAside` records of the file that are no draws. A line is dropped when its field count is
// another, its number is not above 0, its numbers are no draw or its date is before 30.12.1899
// (both reported), or the archive holds a draw with its number. One pass with a set of the
// numbers, however long the file.
TCsvImportResult DrawsCsvImport(std::string_view text, TDrawsArray& draws, size_t setAside = 0);
// "Строки с некорректными числами пропущены (всего 3): 2, 5, 9" naming up to twenty lines.
std::string CsvBadLinesText(const std::vector<int64_t>& lines);
// "Строки с датой раньше 30.12.1899 пропущены (всего 1): 4" in the same way.
std::string CsvEarlyDateLinesText(const std::vector<int64_t>& lines);
// Both texts of what an import dropped, one per line; empty when it dropped nothing it reports.
std::string CsvImportProblemsText(const TCsvImportResult& result);

}  // namespace kvarn
