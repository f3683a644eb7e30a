// Reads an exported .xlsx back through the standard library's zip and XML readers (a script in
// tests/data), so the tests check what a spreadsheet program would open, not what we meant to
// write.
#pragma once

#include <array>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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

}  // namespace kvarn::test
