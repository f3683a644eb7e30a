// The draw dialog without its widgets: what it shows for a record and how it reads the typed
// values back, so that the dialog and kvarn-cli validate in exactly the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/dates.h"
#include "core/lottery.h"

namespace kvarn {

// The text of the numbers field: the five numbers, then the extra number, joined by ";".
std::string DrawInputNumbersText(const TDraw& d);
// The date and time the pickers show: now for an empty date text, else the text read in the
// given date form.
TDateTime DrawInputDateTime(const TDraw& d, const TDateFormat& format = {});

// Reads the dialog back into a copy of `original`. The numbers text must split on ";" and ","
// into exactly six words: five pairwise different integers 1..36 and the extra number 1..4 (0 is
// accepted too for the draws of the old game, numbers before the first draw with the extra
// number). Otherwise raises "Введена некорректная комбинация!". Without `dateTime` (the dialog
// without the date row) the date text stays; with it the text is the date in the given form, cut
// to 16 characters; a date before 30.12.1899 raises.
TDraw DrawInputRead(const TDraw& original, int32_t number, std::string_view numbersText,
                    std::optional<TDateTime> dateTime, const TDateFormat& format = {});

// The combined value of the date picker and the time picker.
TDateTime DrawInputJoin(TDateTime date, TDateTime time);

}  // namespace kvarn
