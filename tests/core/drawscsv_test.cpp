#include "core/drawscsv.h"

#include <gtest/gtest.h>

#include "common/archives.h"

namespace kvarn {
namespace {

using test::MakeDraw;

using TFields = std::vector<std::string>;

TEST(CsvFields, QuotesBlanksAndSemicolons) {
  EXPECT_EQ(SplitCsvFields("1;\"01.02.2003 22:00\";5;6"),
            (TFields{"1", "01.02.2003 22:00", "5", "6"}));
  EXPECT_EQ(SplitCsvFields("\"say \"\"hi\"\"\";x"), (TFields{"say \"hi\"", "x"}));
  // Outside quotes a blank separates fields as ";" does, and blanks around ";" vanish.
  EXPECT_EQ(SplitCsvFields("  \t1 ; 2  3;4"), (TFields{"1", "2", "3", "4"}));
  EXPECT_EQ(SplitCsvFields("a;;b;"), (TFields{"a", "", "b", ""}));
  EXPECT_EQ(SplitCsvFields(";"), (TFields{"", ""}));
  EXPECT_EQ(SplitCsvFields("\"\";1"), (TFields{"", "1"}));
  // Text right after a closing quote starts a new field; an unclosed quote runs to the end.
  EXPECT_EQ(SplitCsvFields("\"ab\"cd;e"), (TFields{"ab", "cd", "e"}));
  EXPECT_EQ(SplitCsvFields("1;\"open; end"), (TFields{"1", "open; end"}));
  EXPECT_EQ(SplitCsvFields("   "), TFields{});
}

TEST(CsvExport, LinesQuoteTheDateAndEndWithCrLf) {
  TDrawsArray draws{MakeDraw(7, {5, 1, 3, 2, 4}, 0, ""),
                    MakeDraw(7300, {36, 12, 1, 30, 8}, 3, "Тираж \"особый\"")};
  EXPECT_EQ(DrawsCsvText(draws),
            "7;\"\";5;1;3;2;4;0\r\n"
            "7300;\"Тираж \"\"особый\"\"\";36;12;1;30;8;3\r\n");
  EXPECT_EQ(DrawsCsvText({}), "");
}

TEST(CsvImport, RoundTripAddsEverythingOnceWithCyrillicAndQuotes) {
  TDrawsArray source{MakeDraw(1, {1, 2, 3, 4, 5}, 0, "01.01.2020 22:00"),
                     MakeDraw(2, {36, 35, 34, 33, 32}, 4, "понед. \"вечер\""),
                     MakeDraw(3, {9, 19, 29, 7, 17}, 1, "")};
  std::string text = DrawsCsvText(source);
  TDrawsArray target;
  EXPECT_EQ(DrawsCsvImport(text, target).Added, 3);
  ASSERT_EQ(target.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(target[i].Number, source[i].Number);
    EXPECT_EQ(target[i].Values, source[i].Values);
    EXPECT_EQ(target[i].Extra, source[i].Extra);
    EXPECT_EQ(target[i].DateText, source[i].DateText);
  }
  // The same file again adds nothing.
  EXPECT_EQ(DrawsCsvImport(text, target).Added, 0);
  EXPECT_EQ(target.size(), 3u);
}

TEST(CsvImport, SevenFieldLinesAreNumberedAfterTheArchiveInFileOrder) {
  TDrawsArray draws;
  for (int i = 0; i < 100; ++i) draws.push_back(MakeDraw(1000 + i, {1, 2, 3, 4, 5}, 0, ""));
  draws[50].Number = 103;  // already carries the number the third line would get
  std::string text =
      "\"02.01.2021 22:00\";1;2;3;4;5;1\n"
      "\"03.01.2021 22:00\";6;7;8;9;10;2\r\n"
      "\"04.01.2021 22:00\";6;7;8;9;10;2\r\n"
      "\r\n"
      "04.01.2021 22:00;6;7;8;9;10;2\n";  // unquoted date and time: eight fields, not a number
  EXPECT_EQ(DrawsCsvImport(text, draws).Added, 2);
  ASSERT_EQ(draws.size(), 102u);
  EXPECT_EQ(draws[100].Number, 101);
  EXPECT_EQ(draws[100].DateText, "02.01.2021 22:00");
  EXPECT_EQ(draws[101].Number, 102);
  EXPECT_EQ(draws[101].Values, (TComb{6, 7, 8, 9, 10}));
}

TEST(CsvImport, MalformedLinesAreDroppedAndImpossibleNumbersNamed) {
  TDrawsArray draws;
  std::string text =
      "5;\"d\";1;2;3;4;5\n"      // seven fields, date not first: numbers wrong
      "6;\"d\";1;2;3;4;5;1;9\n"  // nine fields
      "0;\"d\";1;2;3;4;5;1\n"    // number not above 0
      "x;\"d\";1;2;3;4;5;1\n"    // number not an integer
      "7;\"d\";1;2;3;4;37;1\n"   // number outside the game
      "8;\"d\";1;2;3;4;4;1\n"    // repeated number
      "9;\"d\";1;2;3;4;5;5\n"    // extra above 4
      "10;\"d\";1;2;3;4;x;1\n"   // a number that is no integer counts 0
      "11;\"a very long date text\";1;2;3;4;5;1\n"
      "11;\"again\";6;7;8;9;10;1\n";  // duplicate number
  const TCsvImportResult r = DrawsCsvImport(text, draws);
  EXPECT_EQ(r.Added, 1);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].Number, 11);
  EXPECT_EQ(draws[0].DateText, "a very long date");
  // Field counts, numbers below 1 and repeats of the archive go without a word; lines whose
  // numbers are no draw are named.
  EXPECT_EQ(r.BadLines, (std::vector<int64_t>{1, 5, 6, 7, 8}));
  EXPECT_EQ(CsvBadLinesText(r.BadLines),
            "Строки с некорректными числами пропущены (всего 5): 1, 5, 6, 7, 8");
  std::vector<int64_t> many(23);
  for (size_t i = 0; i < many.size(); ++i) many[i] = static_cast<int64_t>(i) + 1;
  EXPECT_NE(CsvBadLinesText(many).find("(всего 23): 1, 2,"), std::string::npos);
  EXPECT_NE(CsvBadLinesText(many).find(", 19, 20 и еще 3"), std::string::npos);
}

TEST(CsvImport, DatesBefore1899AreNamedAndOtherDateTextsKept) {
  TDrawsArray draws;
  const TCsvImportResult r = DrawsCsvImport(
      "1;\"29.12.1899 23:59\";1;2;3;4;5;1\n"
      "2;\"30.12.1899 00:00\";1;2;3;4;5;1\n"
      "3;\"01.01.1800 10:00\";1;2;3;4;5;1\n"
      "4;\"понедельник\";1;2;3;4;5;1\n"
      "\"01.01.1700 10:00\";1;2;3;4;5;1\n",
      draws);
  EXPECT_EQ(r.Added, 2);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].DateText, "30.12.1899 00:00");
  EXPECT_EQ(draws[1].DateText, "понедельник");
  EXPECT_EQ(r.EarlyDateLines, (std::vector<int64_t>{1, 3, 5}));
  EXPECT_TRUE(r.BadLines.empty());
  EXPECT_EQ(CsvImportProblemsText(r),
            "Строки с датой раньше 30.12.1899 пропущены (всего 3): 1, 3, 5");
  TCsvImportResult both = r;
  both.BadLines = {7};
  EXPECT_EQ(CsvImportProblemsText(both),
            "Строки с некорректными числами пропущены (всего 1): 7\r"
            "Строки с датой раньше 30.12.1899 пропущены (всего 3): 1, 3, 5");
}

TEST(CsvImport, ALineWithoutNumberCountsTheSetAsideRecords) {
  // Three draws in the archive and two records of the file set aside as no draws: the file
  // holds five records, so a line without a number is draw 6, the next one 7.
  TDrawsArray draws{MakeDraw(1, {1, 2, 3, 4, 5}, 1, ""), MakeDraw(2, {1, 2, 3, 4, 6}, 1, ""),
                    MakeDraw(3, {1, 2, 3, 4, 7}, 1, "")};
  const TCsvImportResult r = DrawsCsvImport("\"a\";6;7;8;9;10;1\n\"b\";6;7;8;9;11;1\n", draws, 2);
  EXPECT_EQ(r.Added, 2);
  ASSERT_EQ(draws.size(), 5u);
  EXPECT_EQ(draws[3].Number, 6);
  EXPECT_EQ(draws[4].Number, 7);
}

TEST(CsvImport, AQuotedDateWithALineBreakComesBackWhole) {
  TDrawsArray source{MakeDraw(1, {1, 2, 3, 4, 5}, 0, "01.01\r\n2020"),
                     MakeDraw(2, {6, 7, 8, 9, 10}, 1, "a\nb"),
                     MakeDraw(3, {11, 12, 13, 14, 15}, 2, "\r")};
  TDrawsArray target;
  const TCsvImportResult r = DrawsCsvImport(DrawsCsvText(source), target);
  EXPECT_EQ(r.Added, 3);
  ASSERT_EQ(target.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(target[i].DateText, source[i].DateText);

  // Line numbers count the breaks inside quotes; a quote that never closes ends at its line.
  const std::string text = "1;\"a\r\nb\";x\r\n2;\"open\n3;y\n" + std::string(600, 'q') + "\n5";
  const std::vector<TCsvLine> lines = SplitCsvLines(text);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].Text, "1;\"a\r\nb\";x");
  EXPECT_EQ(lines[1].LineNo, 3);
  EXPECT_EQ(lines[1].Text, "2;\"open");
  EXPECT_EQ(lines[2].Text, "3;y");
  EXPECT_EQ(lines[3].Text, std::string(600, 'q'));
  EXPECT_EQ(lines[3].LineNo, 5);
  EXPECT_EQ(lines[4].Text, "5");
  EXPECT_EQ(lines[4].LineNo, 6);
}

}  // namespace
}  // namespace kvarn
