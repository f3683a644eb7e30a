#include "core/drawscsv.h"

#include <unordered_set>

#include "core/dates.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string QuoteField(std::string_view s) {
  std::string r = "\"";
  for (char c : s) {
    if (c == '"') r += '"';
    r += c;
  }
  return r + '"';
}

int FieldInt(const std::string& s) {
  int64_t v = 0;
  if (!TryTextToInt(Trim(s), v) || v < INT32_MIN || v > INT32_MAX) return 0;
  return static_cast<int>(v);
}

// Imported numbers feed statistics that index tables by number; values outside the game are not
// a draw.
bool ValidDraw(const int (&n)[CombSize], int extra) {
  if (extra < 0 || extra > 4) return false;
  for (int i = 0; i < CombSize; ++i) {
    if (n[i] < 1 || n[i] > NumbersCount) return false;
    for (int j = 0; j < i; ++j)
      if (n[j] == n[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitCsvFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t p = 0, n = line.size();
  while (p < n && IsBlank(line[p])) ++p;
  while (p < n) {
    std::string field;
    if (line[p] == '"') {
      ++p;
      while (p < n) {
        if (line[p] == '"') {
          if (p + 1 < n && line[p + 1] == '"') {
            field += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        field += line[p++];
      }
    } else {
      size_t start = p;
      while (p < n && !IsBlank(line[p]) && line[p] != ';') ++p;
      field.assign(line.substr(start, p - start));
    }
    fields.push_back(std::move(field));
    while (p < n && IsBlank(line[p])) ++p;
    if (p < n && line[p] == ';') {
      if (p + 1 == n) fields.emplace_back();
      ++p;
      while (p < n && IsBlank(line[p])) ++p;
    }
  }
  return fields;
}

std::string DrawCsvLine(const TDraw& d) {
  std::string r = std::to_string(d.Number) + ";" + QuoteField(d.DateText);
  for (int i = 0; i < CombSize; ++i) r += ";" + std::to_string(d.Values[i]);
  return r + ";" + std::to_string(d.Extra);
}

std::string DrawsCsvText(const TDrawsArray& draws) {
  std::string r;
  r.reserve(draws.size() * 40);
  for (const TDraw& d : draws) r += DrawCsvLine(d) + "\r\n";
  return r;
}

std::vector<TCsvLine> SplitCsvLines(std::string_view text) {
  // A quoted field longer than this is no exported date: its quote is taken as unclosed.
  constexpr size_t MaxQuotedSpan = 512;
  std::vector<TCsvLine> lines;
  size_t pos = 0;
  int64_t lineNo = 1;
  const auto lineEnd = [&](size_t at) {
    return at + (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1);
  };
  while (pos < text.size()) {
    size_t at = pos, firstBreak = std::string_view::npos, quoteStart = 0;
    int64_t breaks = 0;
    bool inQuotes = false, fieldStart = true;
    while (at < text.size()) {
      const char c = text[at];
      if (inQuotes) {
        if (c == '"') {
          if (at + 1 < text.size() && text[at + 1] == '"') {
            at += 2;
            continue;
          }
          inQuotes = false;
        } else if (c == '\r' || c == '\n') {
          if (firstBreak == std::string_view::npos) firstBreak = at;
          ++breaks;
          if (at - quoteStart > MaxQuotedSpan) break;
          at = lineEnd(at);
          continue;
        } else if (firstBreak != std::string_view::npos && at - quoteStart > MaxQuotedSpan) {
          break;
        }
        ++at;
        continue;
      }
      if (c == '\r' || c == '\n') break;
      if (c == '"' && fieldStart) {
        inQuotes = true;
        quoteStart = at;
      }
      fieldStart = c == ';' || IsBlank(c);
      ++at;
    }
    if (inQuotes && firstBreak != std::string_view::npos) {
      // The quote never closed: the line ends where the text breaks first.
      at = firstBreak;
      breaks = 0;
    }
    lines.push_back({text.substr(pos, at - pos), lineNo});
    lineNo += breaks + 1;
    pos = at < text.size() ? lineEnd(at) : at;
  }
  return lines;
}

TCsvImportResult DrawsCsvImport(std::string_view text, TDrawsArray& draws, size_t setAside) {
  TCsvImportResult result;
  std::unordered_set<int32_t> numbers;
  numbers.reserve(draws.size() * 2 + 64);
  for (const TDraw& d : draws) numbers.insert(d.Number);
  for (const TCsvLine& line : SplitCsvLines(text)) {
    if (Trim(line.Text).empty()) continue;
    std::vector<std::string> f = SplitCsvFields(line.Text);
    size_t at;  // index of the date field
    TDraw d;
    if (f.size() == 7) {
      // Set-aside records keep their numbers in the file: counting them keeps a new draw from
      // taking the number of one of them.
      d.Number = static_cast<int32_t>(draws.size() + setAside + 1);
      at = 0;
    } else if (f.size() == 8) {
      d.Number = FieldInt(f[0]);
      at = 1;
    } else {
      continue;
    }
    if (d.Number <= 0) continue;
    int n[CombSize];
    for (int i = 0; i < CombSize; ++i) n[i] = FieldInt(f[at + 1 + static_cast<size_t>(i)]);
    int extra = FieldInt(f[at + 6]);
    if (!ValidDraw(n, extra)) {
      result.BadLines.push_back(line.LineNo);
      continue;
    }
    // A date before 30.12.1899 would show as no date; any other text is kept as it stands.
    if (DateTextBeforeFirstDay(f[at])) {
      result.EarlyDateLines.push_back(line.LineNo);
      continue;
    }
    if (!numbers.insert(d.Number).second) continue;
    d.DateText = Utf8Left(f[at], 16);
    for (int i = 0; i < CombSize; ++i)
      d.Values[static_cast<size_t>(i)] = static_cast<uint8_t>(n[i]);
    d.Extra = static_cast<uint8_t>(extra);
    draws.push_back(std::move(d));
    ++result.Added;
  }
  return result;
}

namespace {
std::string LinesText(const char* head, const std::vector<int64_t>& lines) {
  constexpr size_t Listed = 20;
  std::string text = StrFormat(head, lines.size());
  for (size_t i = 0; i < lines.size() && i < Listed; ++i)
    text += (i ? ", " : "") + std::to_string(lines[i]);
  if (lines.size() > Listed) text += StrFormat(" и еще %zu", lines.size() - Listed);
  return text;
}
}  // namespace

std::string CsvBadLinesText(const std::vector<int64_t>& lines) {
  return LinesText("Строки с некорректными числами пропущены (всего %zu): ", lines);
}

std::string CsvEarlyDateLinesText(const std::vector<int64_t>& lines) {
  return LinesText("Строки с датой раньше 30.12.1899 пропущены (всего %zu): ", lines);
}

std::string CsvImportProblemsText(const TCsvImportResult& result) {
  std::string text;
  if (!result.BadLines.empty()) text = CsvBadLinesText(result.BadLines);
  if (!result.EarlyDateLines.empty())
    text += (text.empty() ? "" : "\r") + CsvEarlyDateLinesText(result.EarlyDateLines);
  return text;
}

}  // namespace kvarn
