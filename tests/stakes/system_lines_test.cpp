#include <gtest/gtest.h>

#include "stakes/system.h"

namespace kvarn {
namespace {

TEST(SystemLine, EverySeparatorFormReadsTheSame) {
  const TSystemLine expected{1, 2, 3, 4, 5};
  for (const char* text : {"1,2,3,4,5", "01 02 03 04 05", "1\t2\t3\t4\t5", "1*2+3,4-5", "1.2/3:4;5",
                           "1=2\\3_4|5", "~1~~2~3~4~5~", "  1 ;; 2 , 3 -4 5  ", "001 2 3 4 5"}) {
    TSystemLine line{};
    EXPECT_EQ(SystemParseLine(text, line), TSystemLineKind::Five) << text;
    EXPECT_EQ(line, expected) << text;
  }
  TSystemLine line{};
  EXPECT_EQ(SystemParseLine(" \t ;; ", line), TSystemLineKind::Blank);
  for (const char* text : {"1 2 3 4", "1 2 3 4 5 6", "1 2 3 4 x", "1 2 3 4 5a", "1#2 3 4 5"})
    EXPECT_EQ(SystemParseLine(text, line), TSystemLineKind::Other) << text;
}

TEST(SystemNormalise, KeepsLinesOfFiveDifferentPositionsAndCountsNumbers) {
  const TSystemNormalised n = SystemNormalise(
      "3,4,5,6,7\r\n"
      "\r\n"
      "junk line\n"
      "3 4 5 6\n"
      "3;4;5;6;9\r"
      "3 3 4 5 6\n"  // a position twice
      "0 3 4 5 6\n"  // no position 0
      "3 4 5 6 37\n"
      "8-4-5-6-3");
  EXPECT_EQ(SystemLinesText(n.Lines, "|"), "03 04 05 06 07|03 04 05 06 09|08 04 05 06 03");
  EXPECT_EQ(n.NumsCount, 7);  // 9 - 3 + 1
  EXPECT_EQ(n.CombsCount, 3);

  const TSystemNormalised none = SystemNormalise("a\nb\n");
  EXPECT_TRUE(none.Lines.empty());
  EXPECT_EQ(none.NumsCount, 0);
  EXPECT_EQ(none.CombsCount, 0);
}

TEST(SystemReadLines, AFileFailsAtItsFirstBadLineInsteadOfLosingIt) {
  const TSystemNormalised n = SystemReadLines("\r\n1,2,3,4,5\r\n\r\n 2 3 4 5 6\r\n");
  EXPECT_EQ(SystemLinesText(n.Lines, "|"), "01 02 03 04 05|02 03 04 05 06");
  EXPECT_EQ(n.NumsCount, 6);
  try {
    SystemReadLines("1 2 3 4 5\n1 2 3 4 5 6\n");
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Некорректная комбинация: \"1 2 3 4 5 6\"!");
  }
  EXPECT_THROW(SystemReadLines("1 2 3 4 40"), std::runtime_error);
}

TEST(SystemCheck, RefusesInTheDialogsOrder) {
  const TSystemLines lines = SystemNormalise("1 2 3 4 5\n3 4 5 6 7").Lines;
  tSystemInfo info;
  info.Title = "Семь";
  info.NumsCount = 7;
  info.BlockLen = 3;
  info.Author = "я";
  info.Description = "описание";
  EXPECT_EQ(SystemCheck(info, lines).Field, TSystemField::None);

  auto refused = [&](tSystemInfo i, const TSystemLines& l = {}) { return SystemCheck(i, l); };
  tSystemInfo bad = info;
  bad.Title = " ";
  bad.NumsCount = 99;
  EXPECT_EQ(refused(bad).Message, "Название системы должно быть указано обязательно!");
  bad = info;
  bad.NumsCount = 5;
  EXPECT_EQ(refused(bad).Field, TSystemField::Numbers);
  EXPECT_EQ(refused(bad).Message, "Указано недопустмое количество используемых чисел!");
  bad.NumsCount = 37;
  EXPECT_EQ(refused(bad).Field, TSystemField::Numbers);
  bad = info;
  bad.BlockLen = 5;
  EXPECT_EQ(refused(bad).Message, "Указан недопустмый размер блока!");
  bad = info;
  bad.Author = "";
  EXPECT_EQ(refused(bad).Message, "Имя автора должно быть указано обязательно!");
  bad = info;
  bad.Description = "";
  EXPECT_EQ(refused(bad).Message, "Описание системы должно быть указано обязательно!");
  EXPECT_EQ(refused(info).Message, "Содержимое системы должно быть указано обязательно!");
  EXPECT_EQ(refused(info).Field, TSystemField::Combs);

  // Positions above the count could never be played.
  bad = info;
  bad.NumsCount = 6;
  EXPECT_EQ(refused(bad, lines).Field, TSystemField::Numbers);
}

}  // namespace
}  // namespace kvarn
