#include "scenario/filter_item.h"

#include <gtest/gtest.h>

#include "scenario/script_codes.h"
#include "scenario/script_line.h"

namespace kvarn {
namespace {

class FilterItemTest : public ::testing::Test {
 protected:
  void SetUp() override { registry.Register(); }
  TFilterItem Read(std::string_view text) { return FilterItemFromText(text, registry); }
  std::string Normalised(std::string_view text) { return FilterItemToText(Read(text)); }
  const TStatMethod* Method(const char* ident) {
    return &registry.Items(registry.FindByIdent(ident));
  }

  TDrawsArray draws;
  TStatList registry{draws};
};

TEST_F(FilterItemTest, ReadsTheCompleteExample) {
  TFilterItem f = Read("TSD1#SUMS:10#LMV:3#SF:1");
  EXPECT_TRUE(f.Active);
  EXPECT_EQ(f.Method, Method("SUMS"));
  EXPECT_EQ(f.IdentText, "SUMS:10");
  EXPECT_EQ(f.DrawsLen, "10");
  EXPECT_EQ(f.SortColumn, 1);
  EXPECT_FALSE(f.BottomUp || f.MultiSelect || f.KeepSelected);
  EXPECT_EQ(f.LevelMode, 1);
  EXPECT_EQ(f.LevelValue, "3");
  EXPECT_EQ(f.StopMode, fsAll);
  EXPECT_EQ(f.StopValue, 1);
  EXPECT_FALSE(f.CDLOverride);
  // Without a fifth piece none is written.
  EXPECT_EQ(FilterItemToText(f), "TSD1#SUMS:10#LMV:3#SF:1");
}

TEST_F(FilterItemTest, HeaderLettersAndSortColumn) {
  TFilterItem f = Read("BMF12#DIGS:5#LNO:#ST:4");
  EXPECT_TRUE(f.BottomUp && f.MultiSelect && f.KeepSelected);
  EXPECT_EQ(f.SortColumn, 12);
  EXPECT_EQ(FilterItemToText(f), "BMF12#DIGS:5#LNO:#ST:4");
  // No number, or not one: column 1. The letters are case-sensitive.
  EXPECT_EQ(Read("TSD#SUMS:10").SortColumn, 1);
  EXPECT_EQ(Read("TSDx#SUMS:10").SortColumn, 1);
  EXPECT_EQ(Read("TSD 7 #SUMS:10").SortColumn, 7);
  EXPECT_FALSE(Read("bmf1#SUMS:10").BottomUp);
}

TEST_F(FilterItemTest, EmptyTextIsAnInactiveFilterWrittenAsNothing) {
  EXPECT_EQ(Read(""), TFilterItem{});
  EXPECT_EQ(Read("  "), TFilterItem{});
  EXPECT_EQ(FilterItemToText(TFilterItem{}), "");
}

TEST_F(FilterItemTest, MissingPiecesReadAsAClearedRecord) {
  TFilterItem f = Read("TSD2#SUMS:10");
  EXPECT_EQ(f.LevelMode, 0);
  EXPECT_EQ(f.StopMode, 0);
  EXPECT_EQ(f.StopValue, 0);
  EXPECT_EQ(FilterItemToText(f), "TSD2#SUMS:10#LNO:#SF:0");
}

TEST_F(FilterItemTest, LengthsAreTheSecondColonPiece) {
  EXPECT_EQ(Read("TSD1#SUMS:10:20#LNO:#SF:1").DrawsLen, "10");
  EXPECT_EQ(Read("TSD1#SUMS::10, 20 #LNO:#SF:1").DrawsLen, "10, 20");
  EXPECT_EQ(Read("TSD1#SUMS#LNO:#SF:1").DrawsLen, "");
  EXPECT_EQ(Read("TSD1#SUMS:1-10;2#LNO:#SF:1").DrawsLen, "1-10;2");
}

TEST_F(FilterItemTest, HandTypedLowerCaseIsNormalised) {
  EXPECT_EQ(Normalised("bsf3#sums:10#lmv:3#sc:2#0,5:-1:1:0:1"),
            "TSD3#SUMS:10#LMV:3#SC:2#0.5:-1:1:0:1");
  EXPECT_EQ(Normalised("TSD1#digs:7#ddp:1;2#sv:x"), "TSD1#DIGS:7#DDP:1;2#SV:1");
}

TEST_F(FilterItemTest, UnknownIdentifierIsKeptAsTyped) {
  TFilterItem f = Read("TSD1#ZZZ9:10#LMV:3#SF:1");
  EXPECT_EQ(f.Method, nullptr);
  EXPECT_EQ(f.IdentText, "ZZZ9:10");
  EXPECT_EQ(f.DrawsLen, "");
  EXPECT_EQ(FilterItemToText(f), "TSD1#ZZZ9:10#LMV:3#SF:1");
  // Editing another field keeps it.
  f.StopMode = fsSteps;
  f.StopValue = 3;
  EXPECT_EQ(FilterItemToText(f), "TSD1#ZZZ9:10#LMV:3#ST:3");
}

TEST_F(FilterItemTest, AFilterWithoutMethodTextKeepsItsFieldsThroughText) {
  TFilterItem f;
  f.Active = true;
  f.BottomUp = true;
  f.SortColumn = 4;
  f.LevelMode = 1;
  f.LevelValue = "3";
  f.StopMode = fsSteps;
  f.StopValue = 2;
  f.SetWeights({0.5, -1, 1, false, true});
  f.CDLOverride = true;
  const std::string text = FilterItemToText(f);
  EXPECT_EQ(text, "BSD4# #LMV:3#ST:2#0.5:-1:1:0:1");
  EXPECT_EQ(Read(text), f);
  // As the third field of a scenario line, between its neighbours.
  const std::string line = ScriptLineMake("c", "", {"", text, "TSD1#SUMS:10#LNO:#SF:0"});
  EXPECT_EQ(Read(ScriptLineField(line, 3)), f);
  EXPECT_EQ(Read(ScriptLineField(line, 4)).Method, Method("SUMS"));
  f.IdentText = "   ";
  EXPECT_EQ(FilterItemToText(f), text);

  // Texts written before with an empty piece read with every field in its place.
  EXPECT_EQ(Read("BSD4##LMV:3#ST:2#0.5:-1:1:0:1"), Read(text));
  TFilterItem old = Read("TSD1##LNO:#SF:0");
  EXPECT_EQ(old.IdentText, "");
  EXPECT_EQ(old.LevelMode, 0);
  EXPECT_EQ(old.StopMode, fsAll);
  EXPECT_EQ(FilterItemToText(old), "TSD1# #LNO:#SF:0");
  // A doubled separator before a method or an unknown identifier reads as it always did.
  EXPECT_EQ(Read("TSD1##SUMS:10#LMV:3#SF:1"), Read("TSD1#SUMS:10#LMV:3#SF:1"));
  EXPECT_EQ(Read("TSD1##ZZZ9:10#LMV:3#SF:1").IdentText, "ZZZ9:10");
}

TEST_F(FilterItemTest, PiecesAreNotTrimmed) {
  TFilterItem f = Read("TSD1# SUMS:10#LMV:3#SF:1");
  EXPECT_EQ(f.Method, nullptr);
  EXPECT_EQ(f.IdentText, " SUMS:10");
  EXPECT_EQ(Read("TSD1#SUMS:10# LMV:3#SF:1").LevelMode, 0);
}

TEST_F(FilterItemTest, UnknownLevelKeepsItsValueUnknownStopLeavesBoth) {
  TFilterItem f = Read("TSD1#SUMS:10#XYZ:4#QQ:9");
  EXPECT_EQ(f.LevelMode, 0);
  EXPECT_EQ(f.LevelValue, "4");
  EXPECT_EQ(f.StopMode, 0);
  EXPECT_EQ(f.StopValue, 0);
  EXPECT_EQ(FilterItemToText(f), "TSD1#SUMS:10#LNO:4#SF:0");
  // A stop value that is not a number reads as 1.
  EXPECT_EQ(Read("TSD1#SUMS:10#LNO:#SC:").StopValue, 1);
  EXPECT_EQ(Read("TSD1#SUMS:10#LNO:#SC:-2").StopValue, -2);
}

TEST_F(FilterItemTest, WeightsPiece) {
  TFilterItem f = Read("TSD1#SUMS:10#WMV:3#SF:1#0.5:-1:1:0:1");
  EXPECT_TRUE(f.CDLOverride);
  EXPECT_EQ(f.Weights(), (TStatWeights{0.5, -1, 1, false, true}));
  EXPECT_EQ(FilterItemToText(f), "TSD1#SUMS:10#WMV:3#SF:1#0.5:-1:1:0:1");
  // Lenient numbers: commas, stray characters dropped, unreadable as 0; flags only "1".
  f = Read("TSD1#SUMS:10#WMV:3#SF:1#1,25:x:1.2.3:yes:1");
  EXPECT_EQ(f.Weights(), (TStatWeights{1.25, 0, 0, false, true}));
  f = Read("TSD1#SUMS:10#WMV:3#SF:1#~0.333 ");
  EXPECT_EQ(f.Weights(), (TStatWeights{0.333, 0, 0}));
  EXPECT_EQ(FilterItemToText(f), "TSD1#SUMS:10#WMV:3#SF:1#0.333:0:0:0:0");
}

// Two classes of which the first's identifier is a prefix of the second's.
class TstScShort : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  static std::string Ident() { return "SCX"; }
  static std::string Caption() { return "Короткий"; }
  static int Group() { return 0; }
  static uint8_t Features() { return 0; }
  bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};
KVARN_STAT_CLASS(TstScShort)
class TstScLong : public TstScShort {
 public:
  using TstScShort::TstScShort;
  static std::string Ident() { return "SCX%d"; }
  static std::string Caption() { return "Длинный %0:d"; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList&, int& min, int& max) { min = max = 2; }
};
KVARN_STAT_CLASS(TstScLong)

TEST_F(FilterItemTest, TheFirstRegistryEntryWhoseIdentifierIsAPrefixWins) {
  const TStatTableLine shortFirst[] = {{"TstScShort", &TstScShort_Class},
                                       {"TstScLong", &TstScLong_Class}};
  const TStatTableLine longFirst[] = {{"TstScLong", &TstScLong_Class},
                                      {"TstScShort", &TstScShort_Class}};
  TStatList reg(draws);
  reg.SetTable(shortFirst);
  reg.Register();
  TFilterItem f = FilterItemFromText("TSD1#scx2:10#LNO:#SF:1", reg);
  EXPECT_EQ(f.Method->IdentOf(), "SCX");
  // The rest of the identifier is not part of the lengths; written back, "2" is gone.
  EXPECT_EQ(f.DrawsLen, "10");
  EXPECT_EQ(FilterItemToText(f), "TSD1#SCX:10#LNO:#SF:1");

  reg.SetTable(longFirst);
  reg.Register();
  f = FilterItemFromText("TSD1#scx2:10#LNO:#SF:1", reg);
  EXPECT_EQ(f.Method->IdentOf(), "SCX2");
  EXPECT_EQ(FilterItemToText(f), "TSD1#SCX2:10#LNO:#SF:1");
}

}  // namespace
}  // namespace kvarn
