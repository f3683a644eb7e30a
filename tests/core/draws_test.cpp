#include "core/draws.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/archives.h"
#include "core/text.h"
#include "core/utf8.h"

namespace kvarn {
namespace {

// Without a date unless one is given.
TDraw MakeDraw(int number, TComb values, int extra = 0, std::string date = "") {
  return test::MakeDraw(number, values, extra, std::move(date));
}

// An archive of `count` draws numbered from `first` with distinct, recognisable numbers.
TDrawsArray Archive(int count, int first = 1) {
  return test::ArchiveOf(
      count, first, [](int i) { return test::RunOfFive(i); }, 0, "");
}

TEST(DrawRecord, ByteLayoutIsLittleEndianWithLengthPrefixedDate) {
  TDraw d = MakeDraw(0x01020304, TComb{36, 1, 17, 2, 5}, 3, "07.12.2026 22:30");
  uint8_t b[DrawRecordSize];
  DrawToBytes(d, b);
  const uint8_t head[] = {0x04, 0x03, 0x02, 0x01, 36, 1, 17, 2, 5, 3, 16};
  for (size_t i = 0; i < sizeof head; ++i) EXPECT_EQ(b[i], head[i]) << "offset " << i;
  EXPECT_EQ(std::string(reinterpret_cast<char*>(b + 11), 16), "07.12.2026 22:30");
  EXPECT_EQ(b[27], 0);

  TDraw r = DrawFromBytes(b);
  EXPECT_EQ(r.Number, d.Number);
  EXPECT_EQ(r.Values, d.Values);  // drawn order kept
  EXPECT_EQ(r.Extra, 3);
  EXPECT_EQ(r.DateText, d.DateText);

  // Negative numbers are two's complement.
  DrawToBytes(MakeDraw(-2, TComb{1, 2, 3, 4, 5}), b);
  EXPECT_EQ(b[0], 0xFE);
  EXPECT_EQ(b[3], 0xFF);
  EXPECT_EQ(DrawFromBytes(b).Number, -2);
}

TEST(DrawRecord, DateIsCutAndConvertedAndUnusedBytesAreZero) {
  uint8_t b[DrawRecordSize];
  DrawToBytes(MakeDraw(1, TComb{1, 2, 3, 4, 5}, 0, "07.12.2026 22:30:59 extra"), b);
  EXPECT_EQ(b[10], 16);
  EXPECT_EQ(DrawFromBytes(b).DateText, "07.12.2026 22:30");

  // Cyrillic characters are one cp1251 byte each; the limit counts characters.
  DrawToBytes(MakeDraw(1, TComb{1, 2, 3, 4, 5}, 0, "среда"), b);
  EXPECT_EQ(b[10], 5);
  EXPECT_EQ(b[11], 0xF1);  // "с" in cp1251
  for (size_t i = 16; i < DrawRecordSize; ++i) EXPECT_EQ(b[i], 0);
  EXPECT_EQ(DrawFromBytes(b).DateText, "среда");

  // A damaged length byte never reads beyond the field.
  b[10] = 200;
  EXPECT_EQ(Utf8Length(DrawFromBytes(b).DateText), 16u);
}

TEST(DrawsFile, WholeRecordsLoadAndAPartialTailKeepsTheRecordsBeforeIt) {
  TDrawsArray two = {MakeDraw(10, TComb{5, 1, 3, 2, 4}, 4, "01.01.2020 10:00"),
                     MakeDraw(11, TComb{6, 7, 8, 9, 10}, 1, "02.01.2020 10:00")};
  std::string data = DrawsToBytes(two);
  ASSERT_EQ(data.size(), 56u);

  TDrawsArray loaded;
  DrawsFromBytes(data, loaded);
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[1].Number, 11);
  EXPECT_EQ(loaded[0].Values, (TComb{5, 1, 3, 2, 4}));

  TDrawsArray partial;
  EXPECT_THROW(DrawsFromBytes(data + std::string(4, '\x01'), partial), std::runtime_error);
  ASSERT_EQ(partial.size(), 2u);
  EXPECT_EQ(partial[0].DateText, "01.01.2020 10:00");
}

// A record as another program may have left it: a date byte without a Unicode form, bytes after
// the date and a padding byte that are not zero.
std::string ForeignRecord(int32_t number, TComb values, uint8_t extra) {
  std::string r(DrawRecordSize, '\0');
  for (int i = 0; i < 4; ++i) r[static_cast<size_t>(i)] = static_cast<char>(number >> (8 * i));
  for (int i = 0; i < CombSize; ++i) r[4 + static_cast<size_t>(i)] = static_cast<char>(values[i]);
  r[9] = static_cast<char>(extra);
  const std::string date = "01.02.03 \x98 x";
  r[10] = static_cast<char>(date.size());
  r.replace(11, date.size(), date);
  for (size_t i = 11 + date.size(); i < DrawRecordSize; ++i) r[i] = static_cast<char>(0xA0 + i);
  return r;
}

TEST(DrawsFile, UnchangedRecordsComeBackByteForByteAndAChangedDateIsWrittenClean) {
  const std::string file = ForeignRecord(1, {1, 2, 3, 4, 5}, 0) +
                           ForeignRecord(2, {36, 35, 34, 33, 32}, 4) +
                           ForeignRecord(3, {7, 8, 9, 10, 11}, 2);
  TDrawsArray draws;
  DrawsFromBytes(file, draws);
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(DrawsToBytes(draws), file);

  // A change of the numbers keeps the rest of the record; a new date replaces the whole field.
  draws[1].Values = {1, 2, 3, 4, 6};
  draws[2].DateText = "ab";
  const std::string saved = DrawsToBytes(draws);
  EXPECT_EQ(saved.substr(0, DrawRecordSize), file.substr(0, DrawRecordSize));
  std::string expected = ForeignRecord(2, {1, 2, 3, 4, 6}, 4);
  EXPECT_EQ(saved.substr(DrawRecordSize, DrawRecordSize), expected);
  const std::string third = saved.substr(2 * DrawRecordSize);
  EXPECT_EQ(third.substr(10, 3), std::string("\x02"
                                             "ab"));
  EXPECT_EQ(third.substr(13, 14), std::string(14, '\0'));
  EXPECT_EQ(third[27], file[3 * DrawRecordSize - 1]) << "the padding byte is kept";
}

TEST(DrawsFile, RecordsThatAreNoDrawsAreNamedLeftOutAndWrittenBackInTheirPlaces) {
  const std::string file = ForeignRecord(1, {1, 2, 3, 4, 5}, 0) +
                           ForeignRecord(2, {1, 2, 3, 4, 200}, 0) +  // outside 1..36
                           ForeignRecord(3, {6, 7, 8, 9, 10}, 0) +
                           ForeignRecord(0, {6, 7, 8, 9, 11}, 0) +  // no draw number
                           ForeignRecord(4, {6, 7, 7, 9, 10}, 0) +  // a repeat
                           ForeignRecord(5, {6, 7, 8, 9, 10}, 9) +  // extra above 4
                           ForeignRecord(6, {11, 12, 13, 14, 15}, 1);
  TDrawsArray draws;
  DrawsFromBytes(file, draws);
  TSetAsideRecords aside;
  SetAsideBadRecords(draws, aside);
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[1].Number, 3);
  EXPECT_EQ(draws[2].Number, 6);
  ASSERT_EQ(aside.size(), 4u);
  EXPECT_EQ(SetAsideText(aside[0]), "запись 2 (тираж № 2): число 200 вне диапазона 1..36");
  EXPECT_EQ(SetAsideText(aside[1]), "запись 4 (тираж № 0): номер тиража 0 меньше 1");
  EXPECT_EQ(SetAsideText(aside[2]), "запись 5 (тираж № 4): число 7 повторяется");
  EXPECT_EQ(SetAsideText(aside[3]),
            "запись 6 (тираж № 5): дополнительное число 9 вне диапазона 0..4");
  EXPECT_EQ(DrawsFileBytes(draws, aside), file);

  // Deleting the draw before them keeps them after the draw that preceded it; deleting the last
  // leaves them at the end.
  DrawsDelete(draws, 1);
  SetAsideAfterDelete(aside, 1);
  DrawsDelete(draws, 1);
  SetAsideAfterDelete(aside, 1);
  EXPECT_EQ(DrawsFileBytes(draws, aside), file.substr(0, DrawRecordSize) +
                                              file.substr(DrawRecordSize, DrawRecordSize) +
                                              file.substr(3 * DrawRecordSize, 3 * DrawRecordSize));
  EXPECT_EQ(DrawProblem(MakeDraw(1, TComb{36, 1, 2, 3, 4}, 4)), "");
}

TEST(DrawsOffset, NextNumberResultAndNumbers) {
  TDrawsArray none;
  EXPECT_EQ(DrawsNextNumber(none, 0), 1);
  EXPECT_EQ(DrawsOffsetResult(none, 0), "");
  EXPECT_TRUE(DrawsOffsetNumbers(none, 1).none());

  TDrawsArray a = Archive(100, 500);
  EXPECT_EQ(DrawsNextNumber(a, 0), 600);
  EXPECT_EQ(DrawsNextNumber(a, 99), 501);
  EXPECT_EQ(DrawsNextNumber(a, 100), -1);
  EXPECT_EQ(DrawsNextNumber(a, -1), -1);
  TDrawsArray largest = Archive(1, 2147483647);
  EXPECT_EQ(DrawsNextNumber(largest, 0), INT32_MIN);  // wraps, no overflow

  a[97].Values = TComb{30, 2, 17, 9, 1};
  EXPECT_EQ(DrawsOffsetResult(a, 0), "");
  EXPECT_EQ(DrawsOffsetResult(a, 3), "30;2;17;9;1");
  EXPECT_EQ(DrawsOffsetResult(a, 100), "");
  TNumberBits bits = DrawsOffsetNumbers(a, 3);
  EXPECT_EQ(bits.count(), 5u);
  EXPECT_TRUE(bits.test(30) && bits.test(2) && bits.test(17) && bits.test(9) && bits.test(1));
  EXPECT_TRUE(DrawsOffsetNumbers(a, 0).none());
}

TEST(DrawsFind, InterpolationWalkAndFallbackScan) {
  TDrawsArray none;
  EXPECT_EQ(DrawsFindNumber(none, 1), -1);

  TDrawsArray a = Archive(50, 1000);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(DrawsFindNumber(a, 1000 + i), i);
  EXPECT_EQ(DrawsFindNumber(a, 999), -1);
  EXPECT_EQ(DrawsFindNumber(a, 1050), -1);

  // Gaps: the guess lands far from the entry and the walk has to go a long way.
  TDrawsArray gaps;
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 900, 1000})
    gaps.push_back(MakeDraw(n, TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(DrawsFindNumber(gaps, 8), 7);
  EXPECT_EQ(DrawsFindNumber(gaps, 900), 8);
  EXPECT_EQ(DrawsFindNumber(gaps, 500), -1);

  // Disorder: the walk goes the wrong way and leaves the archive; the scan finds it.
  TDrawsArray mixed;
  for (int n : {10, 30, 20, 50, 40, 15, 60}) mixed.push_back(MakeDraw(n, TComb{1, 2, 3, 4, 5}));
  for (size_t i = 0; i < mixed.size(); ++i)
    EXPECT_EQ(DrawsFindNumber(mixed, mixed[i].Number), static_cast<int>(i));
  EXPECT_EQ(DrawsFindNumber(mixed, 35), -1);

  // Last number just below the first: the interpolation span is zero.
  TDrawsArray wrap;
  for (int n : {5, 7, 6, 4}) wrap.push_back(MakeDraw(n, TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(DrawsFindNumber(wrap, 7), 1);
  EXPECT_EQ(DrawsFindNumber(wrap, 6), 2);
  EXPECT_EQ(DrawsFindNumber(wrap, 8), -1);

  // Duplicates: the first number and the last number win by position.
  TDrawsArray dup;
  for (int n : {3, 3, 3}) dup.push_back(MakeDraw(n, TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(DrawsFindNumber(dup, 3), 0);
}

TEST(DrawsEdit, DeleteShiftsAndRejectsABadIndex) {
  TDrawsArray a = Archive(3, 1);
  DrawsDelete(a, 1);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[1].Number, 3);
  try {
    DrawsDelete(a, 2);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Запись со индексом 2 в файле данных не найдена!");
  }
  EXPECT_THROW(DrawsDelete(a, -1), EKvarnError);
}

TEST(DrawsList, RowsAreNewestFirstWithSumAndColours) {
  TDrawsArray a = {MakeDraw(7, TComb{1, 2, 3, 4, 5}, 0, "a"),
                   MakeDraw(8, TComb{36, 1, 13, 7, 25}, 2, "08.12.2026 21:00")};
  TDrawRow r = DrawsListRow(a, 0, 1, false, false, 6);
  EXPECT_EQ(r.Cells[0], "8");
  EXPECT_EQ(r.Cells[1], "36");
  EXPECT_EQ(r.Cells[5], "25");
  EXPECT_EQ(r.Cells[6], "2");
  EXPECT_EQ(r.Cells[7], "82");
  EXPECT_EQ(r.Cells[8], "08.12.2026 21:00");
  EXPECT_FALSE(r.OffsetRow);
  EXPECT_EQ(r.Colours[1], DefaultColour);

  TDrawRow s = DrawsListRow(a, 0, 0, true, false, 6);
  EXPECT_EQ(s.Cells[1] + s.Cells[2] + s.Cells[3] + s.Cells[4] + s.Cells[5], "17132536");
  EXPECT_TRUE(s.OffsetRow);
  EXPECT_EQ(s.Colours[0], OffsetRowColour);
  EXPECT_EQ(s.Colours[3], OffsetRowColour);
  EXPECT_EQ(a[1].Values[0], 36);  // the stored order never changes

  TDrawRow c = DrawsListRow(a, 1, 0, false, true, 6);
  EXPECT_EQ(c.Cells[0], "7");
  EXPECT_EQ(c.Colours[0], WhiteColour);
  EXPECT_EQ(c.Colours[8], WhiteColour);
  EXPECT_EQ(c.Colours[1], ChannelColour(1, 6));
  EXPECT_EQ(c.Colours[5], ChannelColour(5, 6));
  TDrawRow co = DrawsListRow(a, 0, 0, false, true, 6);
  EXPECT_EQ(co.Colours[6], OffsetRowColour);
  EXPECT_EQ(co.Colours[1], ChannelColour(36, 6));
}

}  // namespace
}  // namespace kvarn
