#include "scenario/script_line.h"

#include <gtest/gtest.h>

namespace kvarn {
namespace {

TScriptFilterTexts Filters(std::initializer_list<std::pair<int, std::string>> set) {
  TScriptFilterTexts f;
  for (const auto& [slot, text] : set) f[static_cast<size_t>(slot - 1)] = text;
  return f;
}

TEST(ScriptLine, EmptyCommentEndsTheLineWithTheSeparator) {
  std::string line = ScriptLineMake("", "FULL:0#EXT", Filters({{1, "TSD1#SUMS:10#LNO:#SF:1"}}));
  EXPECT_EQ(line, "FULL:0#EXT|TSD1#SUMS:10#LNO:#SF:1| | | | | | |");
  EXPECT_EQ(ScriptLineField(line, 9), "");
  EXPECT_EQ(ScriptLineField(line, 1), "FULL:0#EXT");
  EXPECT_EQ(ScriptLineField(line, 2), "TSD1#SUMS:10#LNO:#SF:1");
  // A blank comment counts as none.
  EXPECT_EQ(ScriptLineMake("  ", "FULL:0#EXT", {}), "FULL:0#EXT| | | | | | | |");
}

TEST(ScriptLine, OnlyFilterThreeKeepsItsPlace) {
  std::string line = ScriptLineMake("Мой комментарий", "EXCL:5#RAND", Filters({{3, "F3"}}));
  EXPECT_EQ(line, "EXCL:5#RAND| | |F3| | | | |Мой комментарий");
  EXPECT_EQ(ScriptLineField(line, 4), "F3");
  for (int n : {2, 3, 5, 6, 7, 8}) EXPECT_EQ(ScriptLineField(line, n), "") << n;
  EXPECT_EQ(ScriptLineField(line, 9), "Мой комментарий");
}

TEST(ScriptLine, WritesUntrimmedAndReadsTrimmed) {
  std::string line = ScriptLineMake(" note ", " FULL:0#EXT ", Filters({{7, " F7 "}}));
  EXPECT_EQ(line, " FULL:0#EXT | | | | | | | F7 | note ");
  EXPECT_EQ(ScriptLineField(line, 8), "F7");
  EXPECT_EQ(ScriptLineField(line, 9), "note");
  EXPECT_EQ(ScriptLineField(line, 10), "");
  EXPECT_EQ(ScriptLineField(line, 0), "");
}

TEST(ScriptLine, RunsOfSeparatorsCountAsOne) {
  // Hand-made lines without the blank slots lose the places of the filters, as written.
  EXPECT_EQ(ScriptLineField("FULL:0#EXT||F2|||c", 3), "c");
  EXPECT_EQ(ScriptLineField("|FULL:0#EXT", 1), "FULL:0#EXT");
}

TEST(ScriptLine, FieldsThatWouldBreakTheLineAreMended) {
  // Without options filter 1 would be read as the options.
  std::string line = ScriptLineMake("", "", Filters({{1, "F1"}}));
  EXPECT_EQ(ScriptLineField(line, 1), "");
  EXPECT_EQ(ScriptLineField(line, 2), "F1");
  // A line break in the comment would split the line in the file.
  EXPECT_EQ(ScriptLineMake("a\r\nb", "FULL:0#EXT", {}), "FULL:0#EXT| | | | | | | |a  b");
}

TEST(ScriptLine, SeparatorsAreLinesEmptyAfterTrimming) {
  EXPECT_TRUE(ScriptLineIsSeparator(""));
  EXPECT_TRUE(ScriptLineIsSeparator(" \t "));
  EXPECT_FALSE(ScriptLineIsSeparator(" | "));
}

}  // namespace
}  // namespace kvarn
