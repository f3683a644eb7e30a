#include <xlsxwriter.h>

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unordered_map>

#include "core/files.h"
#include "core/sheet.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {

namespace {

constexpr size_t ProgressStep = 4096;
constexpr double MaxColumnWidth = 80;
constexpr size_t MaxSheetRows = 1048575;  // below the header row
constexpr size_t MaxSheetColumns = 16384;

// Black is 0 to us but "unset" to the library, which has its own code for it.
lxw_color_t LxwColour(uint32_t rgb) {
  rgb &= 0xFFFFFF;
  return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

std::string NumberFormat(const TSheetColumn& c) {
  switch (c.Type) {
    case TSheetType::Integer:
      return "0";
    case TSheetType::Real: {
      const int d = std::clamp(c.Decimals, 0, 15);
      return d == 0 ? std::string("0") : "0." + std::string(static_cast<size_t>(d), '0');
    }
    case TSheetType::Date:
      return "dd.mm.yyyy hh:mm";
    case TSheetType::Text:
      break;
  }
  return {};
}

// Characters a number takes when shown with the column's format; counted without printing it,
// since every numeric cell of a long list passes here.
size_t NumberWidth(const TSheetColumn& c, double v) {
  if (c.Type == TSheetType::Date) return 16;
  const int decimals = c.Type == TSheetType::Real ? std::clamp(c.Decimals, 0, 15) : 0;
  size_t width = v < 0 ? 2 : 1;
  double a = std::fabs(v) + (decimals == 0 ? 0.5 : 0.5 * std::pow(10.0, -decimals));
  if (!std::isfinite(a)) return 8;
  for (; a >= 10; a /= 10) ++width;
  return decimals > 0 ? width + 1 + static_cast<size_t>(decimals) : width;
}

// The writer's state; the workbook is closed (and its memory freed) on every path.
class TXlsxWriter {
 public:
  TXlsxWriter(const std::string& tmpFile, const TSheet& sheet) : sheet_(sheet) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to disk as written: flat memory for any size
    book_ = workbook_new_opt(tmpFile.c_str(), &options);
    if (!book_) Raise(SystemErrorText(errno ? errno : ENOMEM));
    const std::string name = SheetSafeName(sheet.Name);
    sheet_ws_ = workbook_add_worksheet(book_, name.c_str());
    if (!sheet_ws_) Raise("Некорректное имя листа: " + name);
  }
  ~TXlsxWriter() {
    if (book_) workbook_close(book_);
  }

  bool Write(const TSheetProgress& progress) {
    const size_t cols = sheet_.Columns.size();
    widths_.assign(cols, 0);
    plain_.assign(cols, nullptr);
    lxw_format* header = workbook_add_format(book_);
    format_set_bold(header);
    for (size_t c = 0; c < cols; ++c) {
      const TSheetColumn& col = sheet_.Columns[c];
      Check(worksheet_write_string(sheet_ws_, 0, Col(c), col.Header.c_str(), header));
      // Bold text is wider than the columns' plain digits.
      widths_[c] = Utf8Length(col.Header) * 1.1;
      plain_[c] = Format(c, SheetNoColour, SheetNoColour);
    }
    worksheet_freeze_panes(sheet_ws_, 1, 0);
    if (cols > 0)
      worksheet_autofilter(sheet_ws_, 0, 0, static_cast<lxw_row_t>(sheet_.RowCount), Col(cols - 1));

    std::vector<TSheetCell> cells(cols);
    for (size_t r = 0; r < sheet_.RowCount; ++r) {
      if (progress && r % ProgressStep == 0 && !progress(r, sheet_.RowCount)) return false;
      for (TSheetCell& cell : cells) {
        cell.Empty = true;
        cell.IsText = false;
        cell.Text.clear();
        cell.Fill = cell.Font = SheetNoColour;
      }
      if (sheet_.Row) sheet_.Row(r, cells);
      const auto row = static_cast<lxw_row_t>(r + 1);
      for (size_t c = 0; c < cols; ++c) WriteCell(row, c, cells[c]);
    }
    if (progress && !progress(sheet_.RowCount, sheet_.RowCount)) return false;

    for (size_t c = 0; c < cols; ++c)
      worksheet_set_column(sheet_ws_, Col(c), Col(c), std::min(widths_[c] + 2, MaxColumnWidth),
                           nullptr);
    const lxw_error err = workbook_close(book_);
    book_ = nullptr;
    Check(err);
    return true;
  }

 private:
  static lxw_col_t Col(size_t c) { return static_cast<lxw_col_t>(c); }

  static void Check(lxw_error err) {
    if (err == LXW_NO_ERROR) return;
    const int sys = errno;
    if (err == LXW_ERROR_CREATING_XLSX_FILE || err == LXW_ERROR_CREATING_TMPFILE)
      Raise(SystemErrorText(sys ? sys : EIO));
    // A full disk shows up as a failed zip operation; its cause is the clearer text.
    const bool zip = err == LXW_ERROR_ZIP_FILE_OPERATION || err == LXW_ERROR_ZIP_FILE_ADD ||
                     err == LXW_ERROR_ZIP_CLOSE;
    if (zip && (sys == ENOSPC || sys == EFBIG || sys == EDQUOT || sys == EIO))
      Raise(SystemErrorText(sys));
    Raise(lxw_strerror(err));
  }

  void WriteCell(lxw_row_t row, size_t c, const TSheetCell& cell) {
    const bool coloured = cell.Fill != SheetNoColour || cell.Font != SheetNoColour;
    if (cell.Empty) {
      // A coloured empty cell keeps its colour, as in the list.
      if (coloured) Check(worksheet_write_blank(sheet_ws_, row, Col(c), Format(c, cell)));
      return;
    }
    lxw_format* fmt = coloured ? Format(c, cell) : plain_[c];
    const TSheetColumn& col = sheet_.Columns[c];
    if (col.Type == TSheetType::Text || cell.IsText) {
      Check(worksheet_write_string(sheet_ws_, row, Col(c), cell.Text.c_str(), fmt));
      widths_[c] = std::max(widths_[c], static_cast<double>(Utf8Length(cell.Text)));
    } else {
      Check(worksheet_write_number(sheet_ws_, row, Col(c), cell.Number, fmt));
      widths_[c] = std::max(widths_[c], static_cast<double>(NumberWidth(col, cell.Number)));
    }
  }

  lxw_format* Format(size_t c, const TSheetCell& cell) { return Format(c, cell.Fill, cell.Font); }

  // One format per column, fill and font colour; the library shares equal ones in the file.
  lxw_format* Format(size_t c, uint32_t fill, uint32_t font) {
    const uint64_t key =
        (uint64_t{c} << 50) ^ (uint64_t{fill & 0x1FFFFFF} << 25) ^ uint64_t { font & 0x1FFFFFF };
    auto it = formats_.find(key);
    if (it != formats_.end()) return it->second;
    lxw_format* f = workbook_add_format(book_);
    const std::string num = NumberFormat(sheet_.Columns[c]);
    if (!num.empty()) format_set_num_format(f, num.c_str());
    if (fill != SheetNoColour) format_set_bg_color(f, LxwColour(fill));
    if (font != SheetNoColour) format_set_font_color(f, LxwColour(font));
    formats_.emplace(key, f);
    return f;
  }

  const TSheet& sheet_;
  lxw_workbook* book_ = nullptr;
  lxw_worksheet* sheet_ws_ = nullptr;
  std::vector<double> widths_;
  std::vector<lxw_format*> plain_;
  std::unordered_map<uint64_t, lxw_format*> formats_;
};

// A file of our own in the system's temporary directory, removed on every path.
class TTempFile {
 public:
  TTempFile() {
    std::error_code ec;
    std::string dir = std::filesystem::temp_directory_path(ec).string();
    if (ec || dir.empty()) dir = "/tmp";
    std::string tmpl = PathJoin(dir, "kvarn-xlsx-XXXXXX");
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) Raise(SystemErrorText(errno));
    ::close(fd);
    path_ = tmpl;
  }
  ~TTempFile() { ::unlink(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

void TSheetCell::SetNumberOrText(std::string_view v) {
  v = Trim(v);
  long double n = 0;
  if (TryTextToReal(v, n))
    SetNumber(static_cast<double>(n));
  else if (!v.empty())
    SetText(v);
}

std::string SheetSafeName(std::string_view name) {
  std::string out;
  size_t chars = 0;
  for (size_t i = 0; i < name.size() && chars < 31;) {
    const auto lead = static_cast<unsigned char>(name[i]);
    const size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::string_view ch = name.substr(i, len);
    i += len;
    if (ch.size() == 1 && (std::string_view("[]:*?/\\").find(ch[0]) != std::string_view::npos ||
                           static_cast<unsigned char>(ch[0]) < 0x20))
      out += '_';
    else
      out += ch;
    ++chars;
  }
  // A name may not begin or end with an apostrophe.
  if (!out.empty() && out.front() == '\'') out.front() = '_';
  if (!out.empty() && out.back() == '\'') out.back() = '_';
  if (Trim(out).empty()) return "Лист1";
  return out;
}

bool WriteXlsx(const std::string& file, const TSheet& sheet, const TSheetProgress& progress) {
  if (sheet.Columns.size() > MaxSheetColumns)
    Raise(StrFormat("Слишком много столбцов для листа Excel (%zu, не более %zu)!",
                    sheet.Columns.size(), MaxSheetColumns));
  if (sheet.RowCount > MaxSheetRows)
    Raise(StrFormat("Слишком много строк для листа Excel (%zu, не более %zu)!", sheet.RowCount,
                    MaxSheetRows));
  TTempFile tmp;
  try {
    TXlsxWriter writer(tmp.Path(), sheet);
    if (!writer.Write(progress)) return false;
  } catch (const EKvarnError& e) {
    // The workbook is built in a temporary file; the person knows the file he named.
    Raise(StrFormat("%s: %s", file.c_str(), e.what()));
  }
  // The finished workbook replaces the target in one step.
  WriteFileAtomic(file, ReadWholeFile(tmp.Path()));
  return true;
}

}  // namespace kvarn
