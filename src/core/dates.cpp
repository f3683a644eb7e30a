#include "core/dates.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "core/text.h"

namespace kvarn {

namespace {
// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

constexpr int64_t kEpochOffset = 25569;  // days from 30.12.1899 to 01.01.1970

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
}  // namespace

namespace {
// The day count of any calendar date and time from year 1 to 9999, before 30.12.1899 included.
bool EncodeCalendar(int year, int month, int day, int hour, int minute, int second,
                    TDateTime& out) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  int dim = kDays[month - 1] + ((month == 2 && IsLeap(year)) ? 1 : 0);
  if (day > dim || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return false;
  int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochOffset;
  out = static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
  return true;
}

// The fixed form "dd.mm.yyyy hh:nn" read as a calendar date, whatever its day count.
bool ReadCalendarText(std::string_view text, TDateTime& out) {
  auto field = [&](size_t pos, size_t len, int& value) {
    if (pos + len > text.size()) return false;
    int v = 0;
    for (size_t i = pos; i < pos + len; ++i) {
      char c = text[i];
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    value = v;
    return true;
  };
  // The separators may be any other characters; nothing may follow the minutes.
  const auto separator = [&](size_t pos) { return text[pos] < '0' || text[pos] > '9'; };
  int d, m, y, h, n;
  return text.size() == 16 && separator(2) && separator(5) && separator(10) && separator(13) &&
         field(0, 2, d) && field(3, 2, m) && field(6, 4, y) && field(11, 2, h) && field(14, 2, n) &&
         EncodeCalendar(y, m, d, h, n, 0, out);
}
}  // namespace

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       TDateTime& out) {
  TDateTime t;
  // A negative day count would read as "no date" everywhere a date is shown.
  if (!EncodeCalendar(year, month, day, hour, minute, second, t) || t < 0) return false;
  out = t;
  return true;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  TDateTime t;
  if (!TryEncodeDateTime(year, month, day, hour, minute, second, t))
    Raise("Некорректное значение даты и времени");
  return t;
}

void DecodeDateTime(TDateTime t, int& year, int& month, int& day, int& hour, int& minute,
                    int& second) {
  double days = std::floor(t);
  int64_t secs = std::llround((t - days) * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    days += 1;
  }
  CivilFromDays(static_cast<int64_t>(days) - kEpochOffset, year, month, day);
  hour = static_cast<int>(secs / 3600);
  minute = static_cast<int>(secs / 60 % 60);
  second = static_cast<int>(secs % 60);
}

TDateTime NowDateTime() {
  std::time_t now = std::time(nullptr);
  std::tm lt;
  localtime_r(&now, &lt);
  return EncodeDateTime(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min,
                        lt.tm_sec);
}

int DayOfWeek(TDateTime t) {
  // 30.12.1899 was a Saturday (7).
  int64_t days = static_cast<int64_t>(std::floor(t));
  int64_t r = ((days % 7) + 7 + 6) % 7;  // 0 = Sunday
  return static_cast<int>(r) + 1;
}

std::string DateTimeText(TDateTime t) {
  if (t <= 0) return {};
  int y, mo, d, h, mi, s;
  DecodeDateTime(t, y, mo, d, h, mi, s);
  return StrFormat("%02d.%02d.%04d %02d:%02d", d, mo, y, h, mi);
}

bool DateTextBeforeFirstDay(std::string_view text) {
  TDateTime t;
  return ReadCalendarText(Trim(text), t) && t < 0;
}

TDateTime ParseDateTime(std::string_view whole) {
  const std::string_view text = Trim(whole);
  if (text.empty()) return 0;
  TDateTime t;
  if (!ReadCalendarText(text, t))
    Raise(StrFormat("\"%s\" - некорректное значение даты и времени", std::string(whole).c_str()));
  if (t < 0) Raise(StrFormat(DateBeforeFirstDayMessage, std::string(whole).c_str()));
  return t;
}

std::string TDateFormat::Text(TDateTime t) const {
  if (t <= 0) return {};
  return Format ? Format(t) : DateTimeText(t);
}

TDateTime TDateFormat::Read(std::string_view text) const {
  if (Trim(text).empty()) return 0;
  if (!Parse) return ParseDateTime(text);
  const TDateTime t = Parse(text);
  if (t < 0) Raise(StrFormat(DateBeforeFirstDayMessage, std::string(text).c_str()));
  return t;
}

}  // namespace kvarn
