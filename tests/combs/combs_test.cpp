#include "combs/combs.h"

#include <gtest/gtest.h>

#include "common/archives.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

TCombList Generated(int mode, const std::string& mine = "") {
  TCombList list;
  GenerateCombs(list, mode, ParseMyNumbers(mine));
  return list;
}

TEST(Generation, FullSetInLexicographicOrder) {
  TCombList list;
  list.Reserve(FullCombsCount);
  const TComb* before = list.Data();
  GenerateCombs(list, gmFull, TNumberBits());
  ASSERT_EQ(list.Count(), 376992);
  EXPECT_EQ(list.Data(), before) << "the reserved array must not be reallocated";
  EXPECT_EQ(list[0], (TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(list[1], (TComb{1, 2, 3, 4, 6}));
  EXPECT_EQ(list[list.Count() - 1], (TComb{32, 33, 34, 35, 36}));
  for (int i = 1; i < list.Count(); ++i) ASSERT_TRUE(list[i - 1] < list[i]) << "entry " << i;
}

TEST(Generation, MyNumbersModes) {
  EXPECT_EQ(Generated(gmOnlyMine, "1;2;3;4;5;6").Count(), 6);
  EXPECT_EQ(Generated(gmAnyMine, "36").Count(), 52360);
  EXPECT_EQ(Generated(gmNoMine, "36").Count(), 324632);
  // Fewer than five usable numbers: junk words read as 0, values above 255 are ignored.
  EXPECT_EQ(Generated(gmOnlyMine, "1, 2; x ;300;;4").Count(), 0);
  EXPECT_EQ(Generated(gmOnlyMine, " 1 , 2;3 ;4,5").Count(), 1);
  // An empty set keeps nothing for "any" and everything for "none".
  EXPECT_EQ(Generated(gmAnyMine, "").Count(), 0);
  EXPECT_EQ(Generated(gmNoMine, "").Count(), FullCombsCount);
  TCombList only = Generated(gmOnlyMine, "7;1;9;3;5;11");
  EXPECT_EQ(only[0], (TComb{1, 3, 5, 7, 9}));
  EXPECT_EQ(only[5], (TComb{3, 5, 7, 9, 11}));
  // A previous, longer list is replaced, not appended to.
  TCombList list = Generated(gmFull);
  GenerateCombs(list, gmOnlyMine, ParseMyNumbers("1;2;3;4;5"));
  EXPECT_EQ(list.Count(), 1);
}

TEST(Generation, MyNumbersSet) {
  TNumberBits b = ParseMyNumbers("0;255;256;-1;abc;17");
  EXPECT_TRUE(b.test(0));
  EXPECT_TRUE(b.test(255));
  EXPECT_TRUE(b.test(17));
  EXPECT_EQ(b.count(), 3u);
}

TEST(CombList, GrowsAndCopies) {
  TCombList a;
  for (int i = 0; i < 1000; ++i) a.Append(TComb{1, 2, 3, 4, static_cast<uint8_t>(i % 200)});
  EXPECT_EQ(a.Count(), 1000);
  EXPECT_EQ(a[999][4], 999 % 200);
  TCombList b;
  b.CopyFrom(a);
  EXPECT_EQ(b.Count(), 1000);
  EXPECT_GE(b.Capacity(), 1000u);
  b.Clear();
  b.CopyFrom(TCombList());
  EXPECT_EQ(b.Count(), 0);
  EXPECT_GE(b.Capacity(), 1000u) << "capacity only grows";
}

TEST(CombsFile, ReaderSkipsLinesWithoutFiveIntegers) {
  TCombList list;
  AppendCombsText(list,
                  "Номера\r\n\r\n1;2;3;4;5\r\n1;2;3;4\r\n 7 , 8 ,9,10 ,11\n"
                  "1;2;3;4;5;6\r;;1;;2;3;4;5;;\rx;4;30;2;2\nN1;N2;N3;N4;N5\n3;3;3;3;3");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], (TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(list[1], (TComb{7, 8, 9, 10, 11}));
  EXPECT_EQ(list[2], (TComb{1, 2, 3, 4, 5}));
  // No check of order or repeats; a line with a word that is no number is a heading.
  EXPECT_EQ(list[3], (TComb{3, 3, 3, 3, 3}));
}

TEST(CombsFile, ANumberOutsideTheGameIsRefusedNamingItsLine) {
  // 300 would keep its low byte (44) and 66..70 would reach shifts past 64 in the filters.
  for (const char* bad : {"1;2;3;4;300", "66;67;68;69;70", "0;1;2;3;4", "-1;2;3;4;5"}) {
    TCombList list;
    try {
      AppendCombsText(list,
                      std::string("1;2;3;4;5\r\n\r\n6,7,8,9,10\r") + bad + "\n11;12;13;14;15");
      ADD_FAILURE() << bad;
    } catch (const EKvarnError& e) {
      EXPECT_EQ(std::string(e.what()),
                std::string("Строка 4: \"") + bad + "\" - числа комбинации должны быть от 1 до 36")
          << bad;
    }
    EXPECT_EQ(list.Count(), 2) << "the lines before it stay";
  }
}

TEST(CombsFile, WriteAndReadBack) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "kvarn_combs_test_файл.lcv").string();
  TCombList list = Generated(gmOnlyMine, "1;2;3;10;11;12");
  WriteCombsFile(path, list);
  const std::string bytes = ReadWholeFile(path);
  EXPECT_EQ(bytes.substr(0, 22), "1;2;3;10;11\r\n1;2;3;10;");
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  TCombList back;
  back.Append(TComb{9, 9, 9, 9, 9});
  ReadCombsFile(path, back);
  ASSERT_EQ(back.Count(), list.Count());
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(back[i], list[i]);
  std::filesystem::remove(path);
  EXPECT_THROW(ReadCombsFile(path, back), std::runtime_error);
}

TEST(CombsClipboard, PaddedLinesAndPaste) {
  TCombList list = Generated(gmOnlyMine, "1;2;3;4;5;30");
  EXPECT_EQ(CombsClipboardText(list, {0, 5, 99}), "01 02 03 04 05\r\n02 03 04 05 30");
  EXPECT_EQ(CombsClipboardText(list, {}), "");

  TCombList pasted;
  ParseCombsLines(pasted, "01 02 03 04 05\r\n1,2,3,4,36\n6|7|8|9|10\r\n");
  ASSERT_EQ(pasted.Count(), 3);
  EXPECT_EQ(pasted[1], (TComb{1, 2, 3, 4, 36}));
  EXPECT_EQ(pasted[2], (TComb{6, 7, 8, 9, 10}));

  try {
    ParseCombsLines(pasted, "1 2 3 4 5\r\n1 2 3 4 5 6\r\n");
    FAIL() << "a six-number line must be refused";
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "Некорректная комбинация: \"1 2 3 4 5 6\"!");
  }
  // A pasted number outside the game is refused naming its line, also where its low byte would
  // be one of the game's.
  for (const char* bad : {"1 2 3 4 292", "0 1 2 3 4", "1 2 3 4 37", "-220 1 2 3 4"}) {
    try {
      ParseCombsLines(pasted, std::string("1 2 3 4 5\r\n") + bad);
      ADD_FAILURE() << bad;
    } catch (const EKvarnError& e) {
      EXPECT_NE(std::string(e.what()).find("Строка 2: числа комбинации должны быть от 1 до 36"),
                std::string::npos)
          << e.what();
    }
  }
  EXPECT_EQ(SplitTextLines("a\r\n\r\nb\rc\n").size(), 4u);
  EXPECT_TRUE(SplitTextLines("").empty());
}

using test::MakeDraw;

TEST(Editing, RemoveSelectedKeepsOrder) {
  TCombList snap = Generated(gmOnlyMine, "1;2;3;4;5;6;7");
  TCombList list;
  RemoveSelectedCombs(list, snap, {20, 0, 3, 3, -1, 99});
  ASSERT_EQ(list.Count(), snap.Count() - 3);
  EXPECT_EQ(list[0], snap[1]);
  EXPECT_EQ(list[2], snap[4]);
  EXPECT_EQ(list[list.Count() - 1], snap[19]);
}

TEST(Editing, DrawRangeEndsAtTheAnalysisPoint) {
  TDrawRange r = LastDrawsRange(10, 2, 3);
  EXPECT_EQ(r.First, 5);
  EXPECT_EQ(r.Last, 7);
  r = LastDrawsRange(10, 2, 1000);  // more than the archive: everything up to the offset draw
  EXPECT_EQ(r.First, 0);
  EXPECT_EQ(r.Last, 7);
  r = LastDrawsRange(10, 0, 0);
  EXPECT_GT(r.First, r.Last);
  r = LastDrawsRange(0, 0, 5);
  EXPECT_GT(r.First, r.Last);
  r = LastDrawsRange(3, 10, 2147483647);  // the widest field value with the point set far back
  EXPECT_GT(r.First, r.Last);
}

TEST(Editing, RemoveDrawsMatchesInAnyOrder) {
  TDrawsArray draws = {MakeDraw(1, {5, 4, 3, 2, 1}), MakeDraw(2, {36, 1, 2, 3, 4}),
                       MakeDraw(3, {10, 11, 12, 13, 14}), MakeDraw(4, {1, 1, 2, 3, 4})};
  TCombList snap = Generated(gmFull);
  // Entries read from a file are not checked, so repeats must follow the pair-counting rule.
  snap.Append(TComb{4, 3, 2, 1, 1});
  snap.Append(TComb{14, 13, 12, 11, 10});
  TCombList list;
  std::vector<int> calls;
  RemoveDrawsCombs(list, snap, draws, LastDrawsRange(4, 1, 1000),
                   [&](int done) { calls.push_back(done); });
  // Draws 1..3 are in range: three full-set entries, the reordered one and the entry whose
  // repeated 1 makes five pairs with draw 1 go.
  EXPECT_EQ(list.Count(), snap.Count() - 5);
  EXPECT_EQ(list[0], (TComb{1, 2, 3, 4, 6}));
  EXPECT_EQ(list[list.Count() - 1], (TComb{32, 33, 34, 35, 36}));
  EXPECT_EQ(calls.size(), 100u);
  EXPECT_EQ(calls.front(), snap.Count() / 100);

  RemoveDrawsCombs(list, snap, draws, LastDrawsRange(4, 0, 1), nullptr);
  // Draw 4 repeats 1, so every entry 1,2,3,4,x makes five pairs with it; 4,3,2,1,1 makes seven.
  EXPECT_EQ(list.Count(), snap.Count() - 32);
  RemoveDrawsCombs(list, snap, draws, LastDrawsRange(4, 0, 0), nullptr);
  EXPECT_EQ(list.Count(), snap.Count());
}

TEST(Editing, FindInDrawsNewestFirstCapped) {
  TDrawsArray draws;
  for (int i = 1; i <= 40; ++i) draws.push_back(MakeDraw(i, {5, 4, 3, 2, 1}));
  draws.push_back(MakeDraw(41, {1, 2, 3, 4, 6}));
  std::vector<std::string> lines = FindCombInDraws(TComb{1, 2, 3, 4, 5}, draws);
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[0], "Тираж № 40 от 01.01.2020 20:00, значения: 5;4;3;2;1 e:0");
  EXPECT_EQ(lines[25].rfind("Тираж № 15 ", 0), 0u);
  EXPECT_TRUE(FindCombInDraws(TComb{1, 2, 3, 4, 7}, draws).empty());
}

TEST(Display, UniqueNumbersCellsAndColours) {
  TCombList list;
  EXPECT_EQ(CountUniqueNumbers(list), 0);
  list.Append(TComb{1, 2, 3, 4, 5});
  list.Append(TComb{5, 4, 3, 2, 36});
  EXPECT_EQ(CountUniqueNumbers(list), 6);
  EXPECT_EQ(CountUniqueNumbers(Generated(gmFull)), 36);
  EXPECT_EQ(CombCellText(list, 1, 0), "2");
  EXPECT_EQ(CombCellText(list, 1, 1), "5");
  EXPECT_EQ(CombCellText(list, 1, 5), "36");
  EXPECT_EQ(CombCellText(list, 1, 6), "50");
  EXPECT_EQ(CombCellText(list, 2, 0), "");
  EXPECT_EQ(CombCellColour(list, 1, 5, true, 6), ChannelColour(36, 6));
  EXPECT_EQ(CombCellColour(list, 1, 5, false, 6), 0xFFFFFFu);
  EXPECT_EQ(CombCellColour(list, 1, 0, true, 6), 0xFFFFFFu);
  EXPECT_EQ(CombCellColour(list, 1, 6, true, 6), 0xFFFFFFu);
}

}  // namespace
}  // namespace kvarn
