#include "stats/fixed_text.h"

#include "stats/whole_part.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kvarn {

namespace {

std::string PrintfText(long double v, int decimals) {
  char buf[64];
  const int n = std::snprintf(buf, sizeof buf, "%.*Lf", decimals, v);
  if (n >= 0 && static_cast<size_t>(n) < sizeof buf)
    return std::string(buf, static_cast<size_t>(n));
  std::string s(static_cast<size_t>(n), '\0');
  std::snprintf(s.data(), s.size() + 1, "%.*Lf", decimals, v);
  return s;
}

}  // namespace

std::string FixedText(long double v, int decimals) {
  std::string s;
  FixedTextTo(s, v, decimals);
  return s;
}

void FixedTextTo(std::string& out, long double v, int decimals) {
  static constexpr long double Pow10[] = {1, 10, 100, 1000, 10000, 100000};
  static constexpr uint64_t IPow10[] = {1, 10, 100, 1000, 10000, 100000};
  // Below 1e7 the scaled value (under 1e12) carries an error under 1e-7 in long double, so its
  // distance from the half way point decides the rounding whenever it exceeds 1e-6.
  if (decimals < 0 || decimals > 5 || !std::isfinite(v) || std::fabs(v) >= 1e7L) {
    out = PrintfText(v, decimals);
    return;
  }
  const long double scaled = std::fabs(v) * Pow10[decimals];
  const long double whole = TruncNonNegative(scaled);
  const long double frac = scaled - whole;
  if (std::fabs(frac - 0.5L) <= 1e-6L) {
    out = PrintfText(v, decimals);
    return;
  }
  const auto n = static_cast<uint64_t>(WholeToInt64(whole)) + (frac > 0.5L ? 1 : 0);
  char buf[32];
  char* p = buf + sizeof buf;
  uint64_t fraction = n % IPow10[decimals];
  for (int i = 0; i < decimals; ++i) {
    *--p = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  if (decimals > 0) *--p = '.';
  uint64_t integer = n / IPow10[decimals];
  do {
    *--p = static_cast<char>('0' + integer % 10);
    integer /= 10;
  } while (integer > 0);
  // printf keeps the sign of a negative value that rounds to zero ("-0.00").
  if (std::signbit(v)) *--p = '-';
  out.assign(p, static_cast<size_t>(buf + sizeof buf - p));
}

}  // namespace kvarn
