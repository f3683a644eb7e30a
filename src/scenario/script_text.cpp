#include "scenario/script_text.h"

#include <charconv>
#include <cmath>

#include "core/text.h"

namespace kvarn {

std::vector<std::string_view> ScriptPieces(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == separator) ++i;
    size_t b = i;
    while (i < text.size() && text[i] != separator) ++i;
    if (i > b) pieces.push_back(text.substr(b, i - b));
  }
  return pieces;
}

std::string_view ScriptPiece(std::string_view text, char separator, size_t n) {
  std::vector<std::string_view> pieces = ScriptPieces(text, separator);
  return n >= 1 && n <= pieces.size() ? pieces[n - 1] : std::string_view();
}

std::string ScriptColonValue(std::string_view text) {
  return std::string(Trim(ScriptPiece(text, ':', 2)));
}

int ScriptIntOf(std::string_view text, int def) {
  return TextToIntDef(text, def);
}

std::string ScriptRealText(long double value) {
  const double d = static_cast<double>(value);
  if (d == 0 || !std::isfinite(d)) return "0";
  // Fixed notation of the largest double needs 309 digits before the point and the smallest
  // subnormal 1074 after it.
  char buf[1200];
  auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
  return std::string(buf, r.ptr);
}

long double ScriptRealRead(std::string_view text) {
  std::string t;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == '-')
      t += c;
    else if (c == '.' || c == ',')
      t += '.';
  }
  double v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || t.empty()) return 0;
  return v;
}

}  // namespace kvarn
