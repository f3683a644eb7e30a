// Combination files and the clipboard text of combinations.
#include <cstdio>

#include "combs/combs.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "core/text.h"

namespace kvarn {

namespace {

enum class TLineKind { Other, Comb, OutOfRange };

// Splits a file line on ";" and "," into exactly five numbers. Any other count of words, or a
// word that is no integer (a heading), makes it another line; five integers of which one lies
// outside 1..36 are no combination of this game. Works on the bytes in place: a file of the full
// set has 376,992 lines.
TLineKind ParseFileLine(std::string_view line, TComb& out) {
  int n = 0;
  bool inRange = true;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ';' || line[i] == ',')) ++i;
    const size_t b = i;
    while (i < line.size() && line[i] != ';' && line[i] != ',') ++i;
    if (i == b) continue;
    std::string_view w = Trim(line.substr(b, i - b));
    if (w.empty()) continue;
    if (n == CombSize) return TLineKind::Other;
    int64_t v = 0;
    if (!TryTextToInt(w, v)) return TLineKind::Other;
    if (v < 1 || v > NumbersCount) inRange = false;
    out[static_cast<size_t>(n++)] = static_cast<uint8_t>(inRange ? v : 0);
  }
  if (n != CombSize) return TLineKind::Other;
  return inRange ? TLineKind::Comb : TLineKind::OutOfRange;
}

}  // namespace

void AppendCombsText(TCombList& list, std::string_view text) {
  size_t i = 0;
  int64_t lineNo = 1;
  TComb c{};
  while (i < text.size()) {
    size_t e = i;
    while (e < text.size() && text[e] != '\r' && text[e] != '\n') ++e;
    const std::string_view line = text.substr(i, e - i);
    switch (e > i ? ParseFileLine(line, c) : TLineKind::Other) {
      case TLineKind::Comb:
        list.Append(c);
        break;
      case TLineKind::OutOfRange:
        Raise(StrFormat("Строка %lld: \"%s\" - числа комбинации должны быть от 1 до %d",
                        static_cast<long long>(lineNo), std::string(line.substr(0, 200)).c_str(),
                        NumbersCount));
      case TLineKind::Other:
        break;
    }
    if (e + 1 < text.size() && text[e] == '\r' && text[e + 1] == '\n') ++e;
    i = e + 1;
    ++lineNo;
  }
}

void ReadCombsFile(const std::string& path, TCombList& list) {
  list.Clear();
  const std::string text = ReadWholeFile(path, CombsFileReadLimit);
  // The shortest line that counts is "1;2;3;4;5" plus a line end.
  list.Reserve(text.size() / 10 + 1);
  AppendCombsText(list, text);
}

std::string CombsFileText(const TCombList& list) {
  std::string out;
  out.reserve(static_cast<size_t>(list.Count()) * 16);
  char buf[32];
  for (int i = 0; i < list.Count(); ++i) {
    const TComb& c = list[i];
    const int len =
        std::snprintf(buf, sizeof buf, "%d;%d;%d;%d;%d\r\n", c[0], c[1], c[2], c[3], c[4]);
    out.append(buf, static_cast<size_t>(len));
  }
  return out;
}

void WriteCombsFile(const std::string& path, const TCombList& list) {
  WriteOutputFile(path, CombsFileText(list));
}

std::string CombsClipboardText(const TCombList& list, const std::vector<int>& rows) {
  std::string out;
  bool first = true;
  for (int r : rows) {
    if (r < 0 || r >= list.Count()) continue;
    if (!first) out += "\r\n";
    first = false;
    out += CombTextPadded(list[r]);
  }
  return out;
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t e = i;
    while (e < text.size() && text[e] != '\r' && text[e] != '\n') ++e;
    lines.push_back(text.substr(i, e - i));
    if (e < text.size() && text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') ++e;
    i = e + 1;
  }
  return lines;
}

void ParseCombsLines(TCombList& list, std::string_view text) {
  const std::vector<std::string_view> lines = SplitTextLines(text);
  list.SetCount(static_cast<int>(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i) {
    const TComb c = ParseComb(lines[i]);
    for (uint8_t n : c)
      if (n < 1 || n > NumbersCount)
        Raise(
            StrFormat("Некорректная комбинация: \"%s\"!\r\rСтрока %zu: числа комбинации должны "
                      "быть от 1 до %d.",
                      std::string(lines[i]).c_str(), i + 1, NumbersCount));
    list[static_cast<int>(i)] = c;
  }
}

}  // namespace kvarn
