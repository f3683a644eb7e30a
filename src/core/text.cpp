#include "core/text.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "core/utf8.h"

namespace kvarn {

std::string StrFormat(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  va_list ap2;
  va_copy(ap2, ap);
  int n = std::vsnprintf(nullptr, 0, fmt, ap);
  va_end(ap);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n));
    std::vsnprintf(out.data(), out.size() + 1, fmt, ap2);
  }
  va_end(ap2);
  return out;
}

void Raise(const std::string& message) {
  throw EKvarnError(message);
}

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

std::string ToLowerAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

namespace {

char32_t UpperCp(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;  // а..я
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;  // ѐ..џ (ё)
  return c;
}

char32_t LowerCp(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

}  // namespace

std::string ToUpperUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) EncodeUtf8(UpperCp(DecodeUtf8(s, i)), out);
  return out;
}

std::string ToLowerUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) EncodeUtf8(LowerCp(DecodeUtf8(s, i)), out);
  return out;
}

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (UpperCp(DecodeUtf8(a, i)) != UpperCp(DecodeUtf8(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

std::vector<std::string> SplitWords(std::string_view text, std::string_view separators) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && separators.find(text[i]) != std::string_view::npos) ++i;
    size_t b = i;
    while (i < text.size() && separators.find(text[i]) == std::string_view::npos) ++i;
    if (i > b) {
      std::string_view w = Trim(text.substr(b, i - b));
      if (!w.empty()) words.emplace_back(w);
    }
  }
  return words;
}

bool TryTextToInt(std::string_view s, int64_t& value) {
  s = Trim(s);
  if (s.empty()) return false;
  size_t i = 0;
  bool neg = false;
  if (s[0] == '+' || s[0] == '-') {
    neg = s[0] == '-';
    i = 1;
  }
  if (i >= s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > 2147483647LL) return false;
  value = v;
  return true;
}

int TextToIntDef(std::string_view s, int def) {
  int64_t v;
  return TryTextToInt(s, v) ? static_cast<int>(v) : def;
}

bool TryTextToReal(std::string_view s, long double& value) {
  s = Trim(s);
  if (s.empty()) return false;
  std::string t(s);
  for (char& c : t)
    if (c == ',') c = '.';
  // Only plain decimal notation with an optional exponent; no hex, inf or nan.
  for (char c : t)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  char* end = nullptr;
  errno = 0;
  long double v = std::strtold(t.c_str(), &end);
  if (end != t.c_str() + t.size() || errno == ERANGE) return false;
  value = v;
  return true;
}

double TextToRealDef(std::string_view s, double def) {
  long double v;
  return TryTextToReal(s, v) ? static_cast<double>(v) : def;
}

std::string RealText(long double value) {
  // Shortest text that reads back to the same double, "." as separator. A plain form is
  // preferred to the exponent ("1000000", not "1e+06") for the magnitudes prices and prizes take.
  std::string shortest;
  for (int prec = 1; prec <= 17; ++prec) {
    std::string t = StrFormat("%.*Lg", prec, value);
    if (std::strtod(t.c_str(), nullptr) != static_cast<double>(value)) continue;
    if (t.find('e') == std::string::npos) return t;
    if (shortest.empty()) shortest = t;
  }
  return shortest.empty() ? StrFormat("%.17Lg", value) : shortest;
}

}  // namespace kvarn
