#include "scenario/script_options.h"

#include <gtest/gtest.h>

#include "scenario/script_codes.h"

namespace kvarn {
namespace {

TEST(ScriptOptions, WritesTheCountForEverySourceAndFlagsInFixedOrder) {
  EXPECT_EQ(ScriptOptionsToText({}), "FULL:0#EXT");
  EXPECT_EQ(ScriptOptionsToText({5, ssExcl, smRand, true, true}), "EXCL:5#RAND#CLR#NEX");
  EXPECT_EQ(ScriptOptionsToText({3, ssCurr, smNone, false, true}), "CURR:3#NONE#NEX");
}

TEST(ScriptOptions, ReadsTheCountStoredWithASourceThatDoesNotUseIt) {
  TScriptOptions o = ScriptOptionsFromText("FULL:7#EXT");
  EXPECT_EQ(o.DrawsExclude, 7);
  EXPECT_EQ(o.StartCombsType, ssFull);
  EXPECT_EQ(ScriptOptionsToText(o), "FULL:7#EXT");
}

TEST(ScriptOptions, FlagsComeInAnyOrderAfterTheMode) {
  EXPECT_EQ(ScriptOptionsFromText("EXCL:2#ALL#NEX#CLR"),
            (TScriptOptions{2, ssExcl, smAll, true, true}));
  // Unknown pieces are ignored, runs of "#" count as one, pieces are trimmed, case ignored.
  EXPECT_EQ(ScriptOptionsFromText(" excl : 4 ##sysa# XYZ # clr "),
            (TScriptOptions{4, ssExcl, smSysA, true, false}));
  // A flag in the mode's place is not a mode and not a flag.
  EXPECT_EQ(ScriptOptionsFromText("CURR:1#CLR"), (TScriptOptions{1, ssCurr, smExt, false, false}));
}

TEST(ScriptOptions, UnreadableTextsGiveTheDefaults) {
  EXPECT_EQ(ScriptOptionsFromText(""), TScriptOptions{});
  EXPECT_EQ(ScriptOptionsFromText("PART:x#MAYBE"), TScriptOptions{});
  // The source is a prefix match, the mode an exact one.
  EXPECT_EQ(ScriptOptionsFromText("FULLX:9#RANDOM"), (TScriptOptions{9, ssFull, smExt}));
  EXPECT_EQ(ScriptOptionsFromText("EXCL:99999999999#LAST").DrawsExclude, 0);
  EXPECT_EQ(ScriptOptionsFromText("EXCL#LAST").DrawsExclude, 0);
  EXPECT_EQ(ScriptOptionsFromText("EXCL:-3#LAST").DrawsExclude, -3);
}

TEST(ScriptOptions, LogTextShowsTheCountOnlyForExclAndNeverClr) {
  EXPECT_EQ(ScriptOptionsLogText({5, ssExcl, smRand, true, true}), "EXCL:5#RAND#NEX");
  EXPECT_EQ(ScriptOptionsLogText({5, ssFull, smExt, true, false}), "FULL#EXT");
  EXPECT_EQ(ScriptOptionsLogText({0, ssCurr, smStop}), "CURR#STOP");
}

TEST(ScriptOptions, CaptionAsTheListShowsIt) {
  EXPECT_EQ(ScriptOptionsCaption({0, ssFull, smRand}),
            "Исходный список; Случайно; Все создаваемые ставки");
  EXPECT_EQ(ScriptOptionsCaption({12, ssExcl, smSysA, true, true}),
            "Исключить 12 тиражей; Система [все]; Удалить ставки; Только новые ставки");
  EXPECT_EQ(ScriptOptionsCaption({0, 7, 11}), "# ERROR #; # ERROR #; Все создаваемые ставки");
}

}  // namespace
}  // namespace kvarn
