#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_dir.h"
#include "common/xlsx_read.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/sheet.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {
namespace {

using test::ReadXlsx;

class XlsxTest : public ::testing::Test {
 protected:
  std::string File(const char* name) const { return dir_.File(name); }

  test::TTempDir dir_;
};

// Three rows of every column type, with colours on some cells and an empty one.
TSheet SampleSheet() {
  TSheet s;
  s.Name = "Архив тиражей";
  s.Columns = {{"Тираж", TSheetType::Integer},
               {"Доля", TSheetType::Real, 3},
               {"Комментарий", TSheetType::Text},
               {"Дата тиража", TSheetType::Date}};
  s.RowCount = 3;
  s.Row = [](size_t r, std::span<TSheetCell> c) {
    c[0].SetNumber(static_cast<double>(7269 + r));
    if (r != 1) c[1].SetNumber(0.25 * static_cast<double>(r) + 0.0004);
    c[2].SetText(r == 2 ? "длинный комментарий <&> \"в кавычках\"" : "да");
    c[3].SetNumber(45000.5 + static_cast<double>(r));  // 15.03.2023 12:00 and on
    if (r == 0) c[0].Fill = 0xFFCC00;
    if (r == 1) {
      c[1].Fill = 0x00FF00;  // coloured and empty: the colour stays
      c[2].Font = 0x000000;  // black is a colour, not "none"
    }
  };
  return s;
}

TEST_F(XlsxTest, CellsComeBackWithTheirTypesFormatsAndColours) {
  const std::string file = File("draws.xlsx");
  ASSERT_TRUE(WriteXlsx(file, SampleSheet()));
  const auto read = ReadXlsx(file);
  ASSERT_TRUE(read.Ok) << read.Output;
  EXPECT_EQ(read.Name, "Архив тиражей");
  EXPECT_EQ(read.Freeze, 1);
  EXPECT_EQ(read.Rows, 4);

  // Header: bold text.
  EXPECT_EQ(read.Cells.at("A1").Value, "Тираж");
  EXPECT_EQ(read.Cells.at("A1").Type, "s");
  EXPECT_TRUE(read.Cells.at("A1").Bold);
  EXPECT_EQ(read.Cells.at("D1").Value, "Дата тиража");

  // Numbers are numbers, with the column's display format.
  EXPECT_EQ(read.Cells.at("A2").Type, "n");
  EXPECT_EQ(read.Cells.at("A2").Value, "7269");
  EXPECT_EQ(read.Cells.at("A2").Format, "0");
  EXPECT_FALSE(read.Cells.at("A2").Bold);
  EXPECT_EQ(read.Cells.at("B4").Type, "n");
  EXPECT_DOUBLE_EQ(std::stod(read.Cells.at("B4").Value), 0.5004);
  EXPECT_EQ(read.Cells.at("B4").Format, "0.000");
  // Dates are day numbers shown as dates.
  EXPECT_EQ(read.Cells.at("D2").Type, "n");
  EXPECT_DOUBLE_EQ(std::stod(read.Cells.at("D2").Value), 45000.5);
  EXPECT_EQ(read.Cells.at("D2").Format, "dd.mm.yyyy hh:mm");
  // Text is kept exactly, markup characters included.
  EXPECT_EQ(read.Cells.at("C4").Value, "длинный комментарий <&> \"в кавычках\"");

  // Colours.
  EXPECT_EQ(read.Cells.at("A2").Fill, "FFCC00");
  EXPECT_EQ(read.Cells.at("A3").Fill, "-");
  EXPECT_EQ(read.Cells.at("B3").Fill, "00FF00");
  EXPECT_EQ(read.Cells.at("B3").Value, "");
  EXPECT_EQ(read.Cells.at("C3").Font, "000000");
  // An empty cell without colour is not written at all.
  EXPECT_EQ(read.Cells.count("B3"), 1u);
  TSheet plain = SampleSheet();
  plain.Row = [](size_t, std::span<TSheetCell> c) { c[0].SetNumber(1); };
  ASSERT_TRUE(WriteXlsx(file, plain));
  EXPECT_EQ(ReadXlsx(file).Cells.count("B2"), 0u);
}

TEST_F(XlsxTest, ColumnsAreWideEnoughForTheirLongestText) {
  const std::string file = File("w.xlsx");
  ASSERT_TRUE(WriteXlsx(file, SampleSheet()));
  const auto read = ReadXlsx(file);
  ASSERT_TRUE(read.Ok) << read.Output;
  // Characters, not UTF-8 bytes, count: the comment has 36 characters and 62 bytes.
  EXPECT_GE(read.Widths.at(3), 36);
  EXPECT_LT(read.Widths.at(3), 45);
  EXPECT_GE(read.Widths.at(1), 5);  // the header "Тираж" is wider than the numbers
  EXPECT_GE(read.Widths.at(4), 16);
}

TEST_F(XlsxTest, StopLeavesTheTargetAsItWas) {
  const std::string file = File("keep.xlsx");
  WriteFileAtomic(file, "old content");
  TSheet s = SampleSheet();
  s.RowCount = 10000;
  std::vector<size_t> calls;
  const bool done = WriteXlsx(file, s, [&](size_t d, size_t total) {
    EXPECT_EQ(total, 10000u);
    calls.push_back(d);
    return d < 4096;
  });
  EXPECT_FALSE(done);
  EXPECT_EQ(calls, (std::vector<size_t>{0, 4096}));
  EXPECT_EQ(ReadWholeFile(file), "old content");
}

TEST_F(XlsxTest, ProgressEndsWithTheTotalAndTheFileReplacesAnOldOne) {
  const std::string file = File("new.xlsx");
  WriteFileAtomic(file, "old content");
  size_t last = 0;
  ASSERT_TRUE(WriteXlsx(file, SampleSheet(), [&](size_t d, size_t) {
    last = d;
    return true;
  }));
  EXPECT_EQ(last, 3u);
  EXPECT_TRUE(ReadXlsx(file).Ok);
  // No temporary file is left next to the target.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);
}

TEST_F(XlsxTest, FailuresRaiseAndWriteNothing) {
  const std::string file = File("missing-dir/x.xlsx");
  EXPECT_THROW(WriteXlsx(file, SampleSheet()), std::exception);
  EXPECT_FALSE(FileExists(file));

  TSheet tooLong = SampleSheet();
  tooLong.RowCount = 1048576;  // one more than fits below the header
  try {
    WriteXlsx(File("big.xlsx"), tooLong);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Слишком много строк для листа Excel (1048576, не более 1048575)!");
  }
  EXPECT_FALSE(FileExists(File("big.xlsx")));
}

TEST(XlsxSheetName, IsCutAndCleanedToWhatSpreadsheetsAccept) {
  EXPECT_EQ(SheetSafeName("Статистика"), "Статистика");
  EXPECT_EQ(SheetSafeName("a/b\\c[d]e:f*g?h"), "a_b_c_d_e_f_g_h");
  // 31 characters, counted as characters.
  EXPECT_EQ(SheetSafeName(std::string(40 * 2, 'x')), std::string(31, 'x'));
  EXPECT_EQ(Utf8Length(SheetSafeName("Распределение сумм тиражей и всех комбинаций")), 31u);
  EXPECT_EQ(SheetSafeName(""), "Лист1");
  EXPECT_EQ(SheetSafeName("'Ставки'"), "_Ставки_");
}

}  // namespace
}  // namespace kvarn
