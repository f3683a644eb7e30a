#include "scenario/rating_script.h"

#include <gtest/gtest.h>

#include "scenario/script_line.h"

namespace kvarn {
namespace {

TEST(RatingScript, ScenarioStakeCaptionBecomesALineWithTheLabelAsComment) {
  auto line = RatingCaptionToScriptLine("03.012: Test @ FULL#EXT + TSD#SUMS:10#LMV:3#SF:1");
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, "FULL#EXT|TSD#SUMS:10#LMV:3#SF:1| | | | | | |03.012: Test");
  // The same line the editor would write.
  TScriptFilterTexts f;
  f[0] = "TSD#SUMS:10#LMV:3#SF:1";
  EXPECT_EQ(*line, ScriptLineMake("03.012: Test", "FULL#EXT", f));
}

TEST(RatingScript, SevenFiltersFillEveryField) {
  std::string caption = "01.001: @ EXCL:5#RAND#NEX";
  for (int i = 1; i <= 7; ++i) caption += " + TSD#SUMS:" + std::to_string(i) + "#LNO:#SF:1";
  auto line = RatingCaptionToScriptLine(caption);
  ASSERT_TRUE(line);
  EXPECT_EQ(ScriptLineField(*line, 1), "EXCL:5#RAND#NEX");
  EXPECT_EQ(ScriptLineField(*line, 8), "TSD#SUMS:7#LNO:#SF:1");
  EXPECT_EQ(ScriptLineField(*line, 9), "01.001:");
}

TEST(RatingScript, CaptionWithoutLabelGetsAnEmptyComment) {
  auto line = RatingCaptionToScriptLine("CURR:0#NONE + TSD#DIGS:5#LNO:#SF:1");
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, "CURR:0#NONE|TSD#DIGS:5#LNO:#SF:1| | | | | | |");
}

TEST(RatingScript, CaptionsWithoutFiltersAreRefused) {
  EXPECT_FALSE(RatingCaptionToScriptLine("Ставка \"вручную\""));
  EXPECT_FALSE(RatingCaptionToScriptLine("01.000: Без фильтров @ FULL#EXT"));
  EXPECT_FALSE(RatingCaptionToScriptLine(""));
  EXPECT_FALSE(RatingCaptionToScriptLine("x @"));
  EXPECT_EQ(RatingCaptionRefusedText("Ставка \"вручную\""),
            "Строку\r\rСтавка \"вручную\"\r\rневозможно добавить в сценарий!");
}

}  // namespace
}  // namespace kvarn
