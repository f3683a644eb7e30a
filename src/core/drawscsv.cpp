#include "core/drawscsv.h"

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

int DrawsCsvImport(std::string_view text, TDrawsArray& draws,
                   const std::function<int(const TDrawsArray&, int32_t)>& find) {
  int added = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eol = text.find_first_of("\r\n", pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view line = text.substr(pos, eol - pos);
    pos = eol + 1;
    if (eol < text.size() && text[eol] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    if (Trim(line).empty()) continue;

    std::vector<std::string> f = SplitCsvFields(line);
    size_t at;  // index of the date field
    TDraw d;
    if (f.size() == 7) {
      d.Number = static_cast<int32_t>(draws.size() + 1);
      at = 0;
    } else if (f.size() == 8) {
      d.Number = FieldInt(f[0]);
      at = 1;
    } else {
      continue;
    }
    int n[CombSize];
    for (int i = 0; i < CombSize; ++i) n[i] = FieldInt(f[at + 1 + i]);
    int extra = FieldInt(f[at + 6]);
    if (d.Number <= 0 || !ValidDraw(n, extra) || find(draws, d.Number) >= 0) continue;
    d.DateText = Utf8Left(f[at], 16);
    for (int i = 0; i < CombSize; ++i) d.Values[i] = static_cast<uint8_t>(n[i]);
    d.Extra = static_cast<uint8_t>(extra);
    draws.push_back(std::move(d));
    ++added;
  }
  return added;
}

}  // namespace kvarn
