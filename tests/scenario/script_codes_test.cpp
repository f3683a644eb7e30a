#include "scenario/script_codes.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "scenario/filter_item.h"
#include "scenario/script_options.h"

namespace kvarn {
namespace {

TEST(ScriptCodes, EveryTableReadsBackItsOwnCodesInAnyCase) {
  auto check = [](std::span<const TScriptCode> table, bool prefix) {
    for (int v = 0; v < static_cast<int>(table.size()); ++v) {
      std::string code = table[static_cast<size_t>(v)].Code;
      EXPECT_EQ(ScriptCodeOf(table, v), code);
      int back = prefix ? ScriptCodePrefix(table, ToLowerAscii(code) + ":7")
                        : ScriptCodeEqual(table, ToLowerAscii(code));
      EXPECT_EQ(back, v) << code;
    }
  };
  check(ScriptSources, true);
  check(ScriptModes, false);
  check(FilterLevelModes, true);
  check(FilterStopModes, true);
}

TEST(ScriptCodes, ValuesOutsideATableShowTheErrorText) {
  EXPECT_EQ(ScriptCodeOf(ScriptSources, 3), "# ERROR #");
  EXPECT_EQ(ScriptTextOf(ScriptModes, 10), "# ERROR #");
  EXPECT_EQ(ScriptShortOf(ScriptModes, -1), "# ERROR #");
  EXPECT_EQ(ScriptCodeOf(FilterLevelModes, 32), "# ERROR #");
  EXPECT_EQ(ScriptTextOf(FilterStopModes, 7), "# ERROR #");
  // The level and stop tables have no short texts.
  EXPECT_EQ(ScriptShortOf(FilterLevelModes, 0), "# ERROR #");
}

TEST(ScriptCodes, LookUpsRefuseWhatNoCodeStarts) {
  EXPECT_EQ(ScriptCodeEqual(ScriptModes, "EXTRA"), -1);
  EXPECT_EQ(ScriptCodeEqual(ScriptModes, ""), -1);
  EXPECT_EQ(ScriptCodePrefix(FilterStopModes, "S"), -1);
  EXPECT_EQ(ScriptCodePrefix(FilterLevelModes, "ЛМВ"), -1);
  EXPECT_EQ(ScriptCodePrefix(ScriptSources, " FULL"), -1);
}

TEST(ScriptCodes, TextsTheEditorAndTheListShow) {
  EXPECT_EQ(ScriptTextOf(ScriptSources, ssExcl), "Удалить N последних тиражей (для прогнозов)");
  EXPECT_EQ(ScriptShortOf(ScriptModes, smSysC), "Система [комб]");
  EXPECT_EQ(ScriptTextOf(ScriptModes, smNone),
            "Не делать ставок (для последовательного выполнения)");
  EXPECT_EQ(ScriptTextOf(FilterLevelModes, 31), "\"Значения\": из заданного списка значений");
  EXPECT_EQ(ScriptTextOf(FilterLevelModes, 22), "\"Период min\": не менее заданного значения");
  EXPECT_EQ(ScriptTextOf(FilterStopModes, fsEmpty), "Пока список не будет пуст и откатить на шаг");
}

// Every combination of the option codes survives writing and reading.
TEST(ScriptCodes, OptionsRoundTripOverEverySourceModeAndFlag) {
  for (uint8_t s = 0; s < ScriptSources.size(); ++s)
    for (uint8_t m = 0; m < ScriptModes.size(); ++m)
      for (int flags = 0; flags < 4; ++flags) {
        TScriptOptions o{42, s, m, (flags & 1) != 0, (flags & 2) != 0};
        std::string text = ScriptOptionsToText(o);
        EXPECT_EQ(ScriptOptionsFromText(text), o) << text;
        EXPECT_EQ(ScriptOptionsFromText(ToLowerAscii(text)), o) << text;
      }
}

// Every level and stop code survives writing and reading of a filter.
TEST(ScriptCodes, FilterRoundTripOverEveryLevelAndStopMode) {
  TDrawsArray draws;
  TStatList registry(draws);
  registry.Register();
  for (uint8_t level = 0; level < FilterLevelModes.size(); ++level)
    for (uint8_t stop = 0; stop < FilterStopModes.size(); ++stop) {
      TFilterItem f;
      f.Active = true;
      f.Method = &registry.Items(3);
      f.IdentText = f.Method->IdentOf() + ":10";
      f.DrawsLen = "10";
      f.SortColumn = 2;
      f.LevelMode = level;
      f.LevelValue = "1-3;1";
      f.StopMode = stop;
      f.StopValue = 5;
      std::string text = FilterItemToText(f);
      EXPECT_EQ(FilterItemFromText(text, registry), f) << text;
      EXPECT_EQ(FilterItemToText(FilterItemFromText(ToLowerAscii(text), registry)), text);
    }
}

}  // namespace
}  // namespace kvarn
