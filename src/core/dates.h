// Dates and times of draws: the day count with the time as a fraction, its calendar fields, and
// the text form "dd.mm.yyyy hh:nn".
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kvarn {

// Day count since 30.12.1899 with the time as the fraction; 0 means "no date".
using TDateTime = double;

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second = 0);
// False for no such day or time, and for a moment before 30.12.1899.
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       TDateTime& out);
void DecodeDateTime(TDateTime t, int& year, int& month, int& day, int& hour, int& minute,
                    int& second);
TDateTime NowDateTime();
// Day of the week of t, 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime t);

// "dd.mm.yyyy hh:nn"; empty for no date.
std::string DateTimeText(TDateTime t);
// Reads "dd.mm.yyyy hh:nn"; 0 for an empty text; raises for anything else, with its own message
// for a date before 30.12.1899 (its day count would be negative and show as "no date").
TDateTime ParseDateTime(std::string_view text);
constexpr const char* DateBeforeFirstDayMessage = "\"%s\" - дата раньше 30.12.1899 не допускается";
// Whether the text is a date and time in the form above, but before 30.12.1899.
bool DateTextBeforeFirstDay(std::string_view text);

// The date form of the person's locale. The shell may set its own format and parse functions;
// without them the fixed form above holds. The workspace owns one, so that two workspaces in one
// process never share it.
struct TDateFormat {
  std::function<std::string(TDateTime)> Format;
  std::function<TDateTime(std::string_view)> Parse;
  std::string Text(TDateTime t) const;
  TDateTime Read(std::string_view text) const;
};

}  // namespace kvarn
