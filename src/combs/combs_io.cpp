// Combination files and the clipboard text of combinations.
#include <cstdio>

#include "combs/combs.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "core/text.h"

namespace kvarn {

namespace {

// Splits a file line on ";" and "," into exactly five numbers; false for any other count.
// Works on the bytes in place: a file of the full set has 376,992 lines.
bool ParseFileLine(std::string_view line, TComb& out) {
  int n = 0;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ';' || line[i] == ',')) ++i;
    const size_t b = i;
    while (i < line.size() && line[i] != ';' && line[i] != ',') ++i;
    if (i == b) continue;
    std::string_view w = Trim(line.substr(b, i - b));
    if (w.empty()) continue;
    if (n == CombSize) return false;
    int64_t v = 0;
    if (!TryTextToInt(w, v)) v = 0;
    out[static_cast<size_t>(n++)] = static_cast<uint8_t>(v);
  }
  return n == CombSize;
}

}  // namespace

void AppendCombsText(TCombList& list, std::string_view text) {
  size_t i = 0;
  TComb c{};
  while (i < text.size()) {
    size_t e = i;
    while (e < text.size() && text[e] != '\r' && text[e] != '\n') ++e;
    if (e > i && ParseFileLine(text.substr(i, e - i), c)) list.Append(c);
    i = e + 1;
  }
}

void ReadCombsFile(const std::string& path, TCombList& list) {
  list.Clear();
  const std::string text = ReadWholeFile(path);
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
  WriteFileAtomic(path, CombsFileText(list));
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
  for (size_t i = 0; i < lines.size(); ++i) list[static_cast<int>(i)] = ParseComb(lines[i]);
}

}  // namespace kvarn
