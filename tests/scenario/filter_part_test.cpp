#include "scenario/filter_part.h"

#include <gtest/gtest.h>

#include "scenario/script_codes.h"
#include "scenario/script_options.h"

namespace kvarn {
namespace {

class FilterPartTest : public ::testing::Test {
 protected:
  void SetUp() override { registry.Register(); }
  TFilterPart Part(const char* ident, int len, int level, const char* text, int stop, int value) {
    TFilterPart p;
    p.Active = true;
    p.Method = &registry.Items(registry.FindByIdent(ident));
    p.DrawsLen = len;
    p.SortColumn = 4;
    p.LevelMode = static_cast<uint8_t>(level);
    p.LevelText = text;
    p.LevelTest = text;
    p.StopMode = static_cast<uint8_t>(stop);
    p.StopValue = value;
    return p;
  }
  TDrawsArray draws;
  TStatList registry{draws};
};

TEST_F(FilterPartTest, TextCarriesNoSortColumn) {
  TFilterPart p = Part("SUMS", 10, 1, "3", fsAll, 1);
  EXPECT_EQ(FilterPartToText(p), "TSD#SUMS:10#LMV:3#SF:1");
  p.BottomUp = p.MultiSelect = p.KeepSelected = true;
  p.CDLOverride = true;
  p.CoefCount = 0.5;
  p.CoefDeviation = -1;
  p.CoefLevel = 1;
  p.CoefAbs = true;
  EXPECT_EQ(FilterPartToText(p), "BMF#SUMS:10#LMV:3#SF:1#0.5:-1:1:0:1");
  p.Active = false;
  EXPECT_EQ(FilterPartToText(p), "");
}

TEST_F(FilterPartTest, UnknownMethodIsNamedByTheIdentifierAsRead) {
  TFilterPart p = Part("SUMS", 20, 5, "1, 2", fsSteps, 3);
  p.Method = nullptr;
  p.IdentText = "ZZZ9";
  EXPECT_EQ(FilterPartToText(p), "TSD#ZZZ9:20#LDV:1, 2#ST:3");
}

TEST_F(FilterPartTest, RecordJoinsActivePartsInSlotOrder) {
  TFilterRec rec;
  EXPECT_EQ(FilterRecToText(rec), "");
  rec[1] = Part("SUMS", 10, 1, "3", fsAll, 1);
  rec[4] = Part("DIGS", 5, 0, "", fsCombs, 7);
  EXPECT_EQ(FilterRecToText(rec), "TSD#SUMS:10#LMV:3#SF:1 + TSD#DIGS:5#LNO:#SC:7");
}

TEST_F(FilterPartTest, StepLabel) {
  TFilterRec rec;
  rec[0] = Part("SUMS", 10, 1, "3", fsAll, 1);
  std::string text = ScriptOptionsLogText({}) + " + " + FilterRecToText(rec);
  EXPECT_EQ(ScriptStepLabel(3, 12, "Test", text),
            "03.012: Test @ FULL#EXT + TSD#SUMS:10#LMV:3#SF:1");
  EXPECT_EQ(ScriptStepLabel(1, 0, "", "FULL#EXT"), "01.000: @ FULL#EXT");
  EXPECT_EQ(ScriptStepLabel(123, 4567, "Ц", "x"), "123.4567: Ц @ x");
}

}  // namespace
}  // namespace kvarn
