// Single-select walks count their steps and cut the list once; filtering the list at every step
// must give the same run to the byte: the log, the stakes, the applied filters, the list and the
// variant reports, also where a step is rolled back, the walk asks for the list's numbers, a
// method has several keys per combination, or the list comes from the keyed buffer.
#include <gtest/gtest.h>

#include "app/scenario_runner.h"
#include "app/workspace.h"
#include "common/archives.h"
#include "common/temp_dir.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "stakes/stakes_file.h"

namespace kvarn {
namespace {

// What a run leaves, as texts to compare.
struct TRunTrace {
  std::string Result, Log, Stakes, Filters, List, Variants;
};

TRunTrace RunTest(const TScriptLines& lines, int count, bool counted) {
  test::TTempDir dir;
  test::WriteArchive(dir.Path(), test::RandomArchive(80, 101, 7));
  TSilentHost host;
  TWorkspace ws(host, dir.Path());
  ws.OpenHeadless();
  EXPECT_TRUE(ws.StakesOpen());
  ws.CombsStartup();
  TScenarioRunner runner(ws);
  runner.CountedWalks = counted;
  runner.LogPath = dir.File("log.txt");
  runner.LogClock = [] { return EncodeDateTime(2026, 3, 7, 10, 5, 9); };
  TRunTrace t;
  const auto filters = [&ws] {
    std::string text;
    for (const TAppliedFilter& f : ws.AppliedFilters())
      text += StrFormat("%s|%s|%d|%d\n", f.Caption.c_str(), f.Values.c_str(), f.Count,
                        f.Exclude ? 1 : 0);
    return text;
  };
  // A variant's applied filters are gone once the next one starts anew: each is kept here.
  runner.OnVariant = [&](const TScriptVariantRun& v) {
    t.Variants += StrFormat("%d %d %d %d %d %d %d %s\n", v.Pass, v.Offset, v.Line, v.Variant,
                            v.StartCount, v.BeforeStakes, v.StakesAdded, v.Text.c_str()) +
                  filters();
  };
  const TScriptRunResult r = runner.Test(lines, count);
  t.Result = StrFormat("%d %s %d %d %d %lld", static_cast<int>(r.Status), r.Message.c_str(),
                       r.Offset, r.List, r.StakesAdded, static_cast<long long>(r.Records));
  t.Log = ReadWholeFile(dir.File("log.txt"));
  ws.StakesFile().ForEach(0, [&](const TStake& s) {
    t.Stakes += StrFormat("%d %d ", s.DrawNumber, s.SampleSize) + NumberSetText(s.Numbers, ";") +
                " " + s.Comment + "\n";
  });
  t.Filters = filters();
  for (int i = 0; i < ws.Combs().Count(); ++i) t.List += CombText(ws.Combs()[i]) + "\n";
  return t;
}

void ExpectSameRun(const TScriptLines& lines, int count) {
  const TRunTrace fast = RunTest(lines, count, true);
  const TRunTrace plain = RunTest(lines, count, false);
  EXPECT_EQ(fast.Result, plain.Result);
  EXPECT_EQ(fast.Variants, plain.Variants);
  EXPECT_EQ(fast.Filters, plain.Filters);
  EXPECT_EQ(fast.Stakes, plain.Stakes);
  EXPECT_EQ(fast.List, plain.List);
  EXPECT_EQ(fast.Log, plain.Log);
  EXPECT_FALSE(plain.Log.empty());
}

TEST(ScenarioCountedWalk, DeletingStepsAcrossThreeFiltersAndSeveralVariants) {
  ExpectSameRun({"FULL:0#FIRST|TSD1#SUMS:10,20#LMV:1-3;1#SC:20000|TSD1#EVEN:30#LNO:#SC:5000|"
                 "TSD1#DIFM:15#LNO:#SC:500|"},
                3);
}

TEST(ScenarioCountedWalk, KeepingStepsRolledBackWithAndWithoutEndingTheWalk) {
  ExpectSameRun({"FULL:0#LAST|TSF0#SUMS:10#LNO:#SZ:0|", "CURR:0#FIRST|TSF1#EVEN:10#LNO:#SF:0|",
                 "FULL:0#FIRST|TSD0#EVEN:10#LNO:#SZ:0|"},
                2);
}

TEST(ScenarioCountedWalk, StopOnNumbersLeftSeveralKeysPerCombinationAndTheKeyedBuffer) {
  ExpectSameRun({"FULL:0#FIRST|TSD1#SUMS:10#LNO:#SE:30|",
                 "EXCL:5#LAST|TSD1#NUMS:10#LNO:#SC:100000|TSD0#SUMS:15#LMV:1#SC:8000|",
                 "EXCL:5#FIRST|TMD1#SUMS:10#LMV:2#SF:0|TSD1#EVEN:10#LNO:#ST:2|"},
                2);
}

}  // namespace
}  // namespace kvarn
