// Reads an exported .xlsx back through the standard library's zip and XML readers (a script in
// tests/data), so the tests check what a spreadsheet program would open, not what we meant to
// write.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/sheet.h"

namespace kvarn::test {

struct TReadCell {
  std::string Type;  // "n" or "s"
  std::string Value;
  bool Bold = false;
  std::string Fill, Font, Format;  // RRGGBB or "-"; the number format code or "-"
};

struct TReadSheet {
  bool Ok = false;
  std::string Output;  // the script's whole output, for failure messages
  std::string Name;
  int Freeze = 0;
  int Rows = -1;                 // rows with cells, header included; -1 when read with a row limit
  std::string Dimension;         // the sheet's record of its used range, "A1:G376993"
  std::map<int, double> Widths;  // 1-based column
  std::map<std::string, TReadCell> Cells;  // by reference, "A1"
};

inline TReadSheet ReadXlsx(const std::string& file, int maxRows = -1) {
  TReadSheet sheet;
  std::string cmd = "python3 '" KVARN_TEST_DATA "/xlsx_read.py' ";
  if (maxRows >= 0) cmd += "--max-rows " + std::to_string(maxRows) + " ";
  cmd += "'" + file + "' 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return sheet;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) sheet.Output.append(buf.data(), n);
  sheet.Ok = pclose(p) == 0;
  std::istringstream in(sheet.Output);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::istringstream fields(line);
    std::string x;
    while (std::getline(fields, x, '\t')) f.push_back(x);
    if (line.size() && line.back() == '\t') f.push_back("");
    if (f.empty()) continue;
    if (f[0] == "sheet" && f.size() > 1) sheet.Name = f[1];
    if (f[0] == "freeze" && f.size() > 1) sheet.Freeze = std::stoi(f[1]);
    if (f[0] == "rows" && f.size() > 1) sheet.Rows = std::stoi(f[1]);
    if (f[0] == "dim" && f.size() > 1) sheet.Dimension = f[1];
    if (f[0] == "width" && f.size() > 2) sheet.Widths[std::stoi(f[1])] = std::stod(f[2]);
    if (f[0] == "cell" && f.size() >= 8)
      sheet.Cells[f[1]] = TReadCell{f[2], f[3], f[4] == "1", f[5], f[6], f[7]};
  }
  return sheet;
}

// The reference of a cell: column from 0 ("A"), row from 1.
inline std::string CellRef(int col, int row) {
  std::string letters;
  for (int c = col + 1; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + std::to_string(row);
}

// A colour of the window (0x00BBGGRR) as the reader prints a cell's fill or font.
inline std::string SheetColourText(uint32_t bgr) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", SheetColourOfBgr(bgr) & 0xFFFFFFu);
  return text;
}

struct TExpectedCell {
  const char* Ref;
  std::string Value;
  const char* Type = nullptr;  // "n" or "s"; not checked when null
};

// Each cell holds its value, and its type when given; a missing cell fails by its reference.
inline void ExpectCells(const TReadSheet& sheet, std::initializer_list<TExpectedCell> cells) {
  for (const TExpectedCell& c : cells) {
    const auto it = sheet.Cells.find(c.Ref);
    if (it == sheet.Cells.end()) {
      ADD_FAILURE() << c.Ref << " is not in the sheet";
      continue;
    }
    EXPECT_EQ(it->second.Value, c.Value) << c.Ref;
    if (c.Type) {
      EXPECT_EQ(it->second.Type, c.Type) << c.Ref;
    }
  }
}

// Writes the sheet and reads the file back.
inline TReadSheet WriteAndRead(const std::string& file, const TSheet& sheet) {
  if (WriteXlsx(file, sheet)) return ReadXlsx(file);
  TReadSheet failed;
  failed.Output = "the sheet was not written";
  return failed;
}

}  // namespace kvarn::test
