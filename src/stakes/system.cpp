#include "stakes/system.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "core/text.h"

namespace kvarn {

std::string SystemDateText(TDateTime t) {
  if (t <= 0) return std::string();
  int y, mo, d, h, mi, s;
  DecodeDateTime(t, y, mo, d, h, mi, s);
  return StrFormat("%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
}

TDateTime SystemDateFromText(const std::string& text) {
  int y, mo, d, h, mi, s;
  TDateTime t = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) == 6 &&
      TryEncodeDateTime(y, mo, d, h, mi, s, t) && t > 0)
    return t;
  return 0;
}

const std::string_view SystemLineSeparators = " \t*+,-./:;=\\_|~";

TSystemLineKind SystemParseLine(std::string_view line, TSystemLine& out) {
  const std::vector<std::string> words = SplitWords(line, SystemLineSeparators);
  if (words.empty()) return TSystemLineKind::Blank;
  if (words.size() != static_cast<size_t>(SystemCombLen)) return TSystemLineKind::Other;
  TSystemLine read{};
  for (size_t i = 0; i < words.size(); ++i) {
    int64_t v = 0;
    if (!TryTextToInt(words[i], v) || v < 0 || v > 9999) return TSystemLineKind::Other;
    read[i] = static_cast<int>(v);
  }
  out = read;
  return TSystemLineKind::Five;
}

std::string SystemLineText(const TSystemLine& line) {
  std::string s;
  for (size_t i = 0; i < line.size(); ++i) {
    if (i) s += ' ';
    s += StrFormat("%.2d", line[i]);
  }
  return s;
}

std::string SystemLinesText(const TSystemLines& lines, std::string_view eol) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) s += eol;
    s += SystemLineText(lines[i]);
  }
  return s;
}

namespace {

// A line can stand in a system only with five different positions 1..36.
bool PlayableLine(const TSystemLine& line) {
  TNumberBits seen;
  for (int p : line) {
    if (p < 1 || p > SystemMaxNumbers || seen.test(static_cast<size_t>(p))) return false;
    seen.set(static_cast<size_t>(p));
  }
  return true;
}

// Splits at CR LF, LF or CR.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t e = i;
    while (e < text.size() && text[e] != '\r' && text[e] != '\n') ++e;
    lines.push_back(text.substr(i, e - i));
    if (e + 1 < text.size() && text[e] == '\r' && text[e + 1] == '\n') ++e;
    i = e + 1;
  }
  return lines;
}

}  // namespace

namespace {

TSystemNormalised ReadLines(std::string_view text, bool strict) {
  TSystemNormalised r;
  int lo = SystemMaxNumbers + 1, hi = 0;
  for (std::string_view raw : Lines(text)) {
    TSystemLine line;
    const TSystemLineKind kind = SystemParseLine(raw, line);
    if (kind != TSystemLineKind::Five || !PlayableLine(line)) {
      if (strict && kind != TSystemLineKind::Blank)
        throw std::runtime_error(
            StrFormat("Некорректная комбинация: \"%s\"!", std::string(raw).c_str()));
      continue;
    }
    r.Lines.push_back(line);
    lo = std::min(lo, *std::min_element(line.begin(), line.end()));
    hi = std::max(hi, *std::max_element(line.begin(), line.end()));
  }
  r.NumsCount = r.Lines.empty() ? 0 : hi - lo + 1;
  r.CombsCount = static_cast<int>(r.Lines.size());
  return r;
}

}  // namespace

TSystemNormalised SystemNormalise(std::string_view text) {
  return ReadLines(text, false);
}

TSystemNormalised SystemReadLines(std::string_view text) {
  return ReadLines(text, true);
}

TSystemCheck SystemCheck(const tSystemInfo& info, const TSystemLines& lines) {
  auto refuse = [](TSystemField f, const char* m) { return TSystemCheck{f, m}; };
  const char* const badNumbers = "Указано недопустмое количество используемых чисел!";
  if (Trim(info.Title).empty())
    return refuse(TSystemField::Title, "Название системы должно быть указано обязательно!");
  if (info.NumsCount < SystemMinNumbers || info.NumsCount > SystemMaxNumbers)
    return refuse(TSystemField::Numbers, badNumbers);
  if (info.BlockLen < 0 || info.BlockLen > SystemMaxBlock)
    return refuse(TSystemField::Block, "Указан недопустмый размер блока!");
  if (Trim(info.Author).empty())
    return refuse(TSystemField::Author, "Имя автора должно быть указано обязательно!");
  if (Trim(info.Description).empty())
    return refuse(TSystemField::Description, "Описание системы должно быть указано обязательно!");
  if (lines.empty())
    return refuse(TSystemField::Combs, "Содержимое системы должно быть указано обязательно!");
  for (const TSystemLine& line : lines)
    for (int p : line)
      if (p > info.NumsCount) return refuse(TSystemField::Numbers, badNumbers);
  return {};
}

}  // namespace kvarn
