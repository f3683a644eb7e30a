#include "app/draw_input.h"

#include <cmath>

#include "core/dates.h"
#include "core/draws.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {

std::string DrawInputNumbersText(const TDraw& d) {
  return CombText(d.Values) + ";" + std::to_string(d.Extra);
}

TDateTime DrawInputDateTime(const TDraw& d, const TDateFormat& format) {
  if (Trim(d.DateText).empty()) return NowDateTime();
  // A damaged stored date must not keep the record from being edited.
  try {
    return format.Read(d.DateText);
  } catch (const EKvarnError&) {
    return NowDateTime();
  }
}

TDateTime DrawInputJoin(TDateTime date, TDateTime time) {
  return std::floor(date) + (time - std::floor(time));
}

TDraw DrawInputRead(const TDraw& original, int32_t number, std::string_view numbersText,
                    std::optional<TDateTime> dateTime, const TDateFormat& format) {
  const char* const bad = "Введена некорректная комбинация!";
  std::vector<std::string> words = SplitWords(numbersText, ";,");
  if (words.size() != CombSize + 1) Raise(bad);
  int values[CombSize + 1];
  for (size_t i = 0; i < words.size(); ++i) {
    int64_t v;
    // Checked before it is narrowed: 4294967297 is no 1.
    if (!TryTextToInt(words[i], v) || v < 0 || v > NumbersCount) Raise(bad);
    values[i] = static_cast<int>(v);
  }
  TNumberBits seen;
  for (int i = 0; i < CombSize; ++i) {
    if (values[i] < 1 || values[i] > NumbersCount) Raise(bad);
    seen.set(static_cast<size_t>(values[i]));
  }
  if (seen.count() != CombSize) Raise(bad);
  int extra = values[CombSize];
  bool oldGame = number < FirstExtraDraw;
  if (!(extra >= 1 && extra <= 4) && !(oldGame && extra == 0)) Raise(bad);

  TDraw d = original;
  d.Number = number;
  for (int i = 0; i < CombSize; ++i)
    d.Values[static_cast<size_t>(i)] = static_cast<uint8_t>(values[i]);
  d.Extra = static_cast<uint8_t>(extra);
  if (dateTime) {
    // A negative day count is no date at all, and 0 would be written as an empty text.
    if (*dateTime < 0) Raise("Дата тиража не может быть раньше 30.12.1899!");
    d.DateText = *dateTime == 0 && !format.Format
                     ? "30.12.1899 00:00"
                     : Utf8Left(format.Text(*dateTime), DrawDateMaxLen);
  }
  return d;
}

}  // namespace kvarn
