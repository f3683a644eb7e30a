// A system: a fixed table of 5-number combinations written over positions 1..n, applied to n
// chosen numbers. Its record, the text of its lines, the normalisation of the properties dialog
// and the checks of its OK.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/dates.h"
#include "core/lottery.h"

namespace kvarn {

constexpr int SystemCombLen = 5;  // numbers per system combination (the dialog's "Длина")
constexpr int SystemMinNumbers = 6;
constexpr int SystemMaxNumbers = NumbersCount;
constexpr int SystemMaxBlock = 4;

struct tSystemInfo {
  int32_t Id = 0;  // catalogue number
  // A byte each in the catalogue; held wider here so that a typed value is checked, not wrapped.
  int NumsCount = 0;       // n, the count of numbers the system is written for
  int BlockLen = 0;        // 0..4
  int32_t CombsCount = 0;  // lines of the system
  std::string Title;
  std::string Author;
  std::string Owner;  // who published it
  std::string Description;
  TDateTime Created = 0;
  int32_t Downloads = 0;
  TDateTime LastDownload = 0;
  std::string URL;
};

struct tSystemData {
  tSystemInfo Info;
  std::string Combs;  // the text of the combination list, one combination a line
};

// A system's times as the properties show them: "yyyy-mm-dd hh:mm:ss"; empty for no time.
std::string SystemDateText(TDateTime t);
// Reads that form back; 0 for any other text and for a time the form cannot show (at or before
// 30.12.1899), which would otherwise turn into no time at the next save.
TDateTime SystemDateFromText(const std::string& text);

// The separators of a system line: blanks and * + , - . / : ; = \ _ | ~
extern const std::string_view SystemLineSeparators;

// One line of a system: its five positions in the order written.
using TSystemLine = std::array<int, SystemCombLen>;
using TSystemLines = std::vector<TSystemLine>;

enum class TSystemLineKind { Blank, Five, Other };
// Reads a line: Blank when it holds no word, Five when it holds exactly five integers (then in
// `out`), Other otherwise.
TSystemLineKind SystemParseLine(std::string_view line, TSystemLine& out);

// A line as the dialog writes it: the five positions as "%.2d" joined by single blanks.
std::string SystemLineText(const TSystemLine& line);
// The lines joined by `eol` (no line end after the last).
std::string SystemLinesText(const TSystemLines& lines, std::string_view eol);

// What leaving the dialog's combination list makes of it: only lines of five numbers stay, each a
// position 1..36 used once in the line; "Числа" is largest - smallest + 1 (0 with no line left)
// and "Комбинаций" the number of lines.
struct TSystemNormalised {
  TSystemLines Lines;
  int NumsCount = 0;
  int CombsCount = 0;
};
TSystemNormalised SystemNormalise(std::string_view text);

// A system file the person has, read strictly: blank lines are passed over, every other line must
// hold five different positions 1..36, or the reading fails with "Некорректная комбинация:
// \"%s\"!" for that line (std::runtime_error), so that no line of it is lost unnoticed.
TSystemNormalised SystemReadLines(std::string_view text);

// Which field a refused OK goes back to.
enum class TSystemField { None, Title, Numbers, Block, Author, Description, Combs };
struct TSystemCheck {
  TSystemField Field = TSystemField::None;
  std::string Message;
};
// The checks of OK in the dialog's order on the normalised lines. Besides the stated ranges a
// system whose lines use a position above "Числа" is refused under the count's message: it could
// never be played.
TSystemCheck SystemCheck(const tSystemInfo& info, const TSystemLines& lines);

}  // namespace kvarn
