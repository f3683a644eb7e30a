// The scenario runner on a real workspace: what a forecast and a test leave in the stakes file,
// the offset and the list, how variants chain and clear, how a stop at any level winds down,
// and the log of a small run line by line.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "app/scenario_runner.h"
#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "common/file_size_limit.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/lottery_text.h"
#include "core/text.h"
#include "scenario/script_run_texts.h"
#include "stakes/stake.h"
#include "stakes/stakes_file.h"
#include "stakes/system_store.h"

namespace kvarn {
namespace {

// A host whose event processing can request a stop, as the window's "Стоп" would.
class TRunHost : public TSilentHost {
 public:
  void ProcessEvents() override {
    ++events;
    if (OnEvents) OnEvents(events);
  }
  int events = 0;
  std::function<void(int)> OnEvents;
};

class ScenarioRunner : public test::TDataDirTest {
 protected:
  void SetUp() override { test::WriteArchive(dir_, test::RandomArchive(60, 101, 7)); }
  TWorkspace& Open() {
    ws_ = std::make_unique<TWorkspace>(host_, dir_);
    ws_->OpenHeadless();
    EXPECT_TRUE(ws_->StakesOpen());
    ws_->CombsStartup();
    runner_ = std::make_unique<TScenarioRunner>(*ws_);
    runner_->OnVariant = [this](const TScriptVariantRun& v) { variants_.push_back(v); };
    return *ws_;
  }
  // The stake records of the file, separators included.
  std::vector<TStake> Stakes() {
    std::vector<TStake> out;
    ws_->StakesFile().ForEach(0, [&](const TStake& s) { out.push_back(s); });
    return out;
  }
  int StakeRecords() {
    int n = 0;
    for (const TStake& s : Stakes()) n += s.HasDraw() ? 1 : 0;
    return n;
  }

  TRunHost host_;
  std::unique_ptr<TWorkspace> ws_;
  std::unique_ptr<TScenarioRunner> runner_;
  std::vector<TScriptVariantRun> variants_;
};

// Sums over 10 and 20 draws, rows with a depth of at least 1..3, one at a time until at most
// 3,000 combinations are left: six variants.
constexpr const char* SixVariants = "FULL:0#FIRST|TSD1#SUMS:10,20#LMV:1-3;1#SC:3000|";

TEST_F(ScenarioRunner, ForecastRunsEveryVariantInOrderAndStakesForTheNextDraw) {
  TWorkspace& ws = Open();
  const TScriptRunResult r = runner_->Forecast({SixVariants});
  EXPECT_EQ(r.Status, TScriptRunStatus::Completed);
  EXPECT_EQ(r.Message, "");
  ASSERT_EQ(variants_.size(), 6u);
  const char* texts[] = {"TSD#SUMS:10#LMV:1#SC:3000", "TSD#SUMS:10#LMV:2#SC:3000",
                         "TSD#SUMS:10#LMV:3#SC:3000", "TSD#SUMS:20#LMV:1#SC:3000",
                         "TSD#SUMS:20#LMV:2#SC:3000", "TSD#SUMS:20#LMV:3#SC:3000"};
  for (size_t i = 0; i < 6; ++i) {
    const TScriptVariantRun& v = variants_[i];
    EXPECT_EQ(v.Text, texts[i]);
    EXPECT_EQ(v.Pass, 1);
    EXPECT_EQ(v.Line, 1);
    EXPECT_EQ(v.Variant, static_cast<int>(i) + 1);
    EXPECT_EQ(v.StartCount, 376992);
    EXPECT_LT(v.BeforeStakes, v.StartCount);
    EXPECT_EQ(v.StakesAdded, 1);
  }
  EXPECT_EQ(r.StakesAdded, 6);
  EXPECT_EQ(r.Records, 6);
  for (const TStake& s : Stakes()) {
    EXPECT_EQ(s.DrawNumber, 161);
    EXPECT_EQ(s.Kind, skScenario);
    EXPECT_EQ(s.Numbers.Count, 5);
  }
  EXPECT_EQ(Stakes()[0].Comment, "01.001: @ FULL#FIRST + TSD#SUMS:10#LMV:1#SC:3000");
  EXPECT_EQ(ws.DrawsOffset(), 0);
  EXPECT_FALSE(runner_->Running());
}

TEST_F(ScenarioRunner, TestRunsOnePassPerOffsetOldestFirstAndRestoresTheOffset) {
  TWorkspace& ws = Open();
  ws.SetDrawsOffset(5);
  const TScriptRunResult r = runner_->Test({"FULL:0#FIRST|TSD1#SUMS:10#LMV:2#SC:3000|"}, 3);
  EXPECT_EQ(r.Status, TScriptRunStatus::Completed);
  EXPECT_EQ(r.Offset, 5);
  ASSERT_EQ(variants_.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(variants_[i].Pass, i + 1);
    EXPECT_EQ(variants_[i].Offset, 3 - i);
  }
  // A separator between the passes' groups, none before the first.
  std::vector<int> draws;
  for (const TStake& s : Stakes()) draws.push_back(s.HasDraw() ? s.DrawNumber : 0);
  EXPECT_EQ(draws, (std::vector<int>{158, 0, 159, 0, 160}));
  // Every stake was checked against its draw and judged in the rating under its comment.
  for (const TStake& s : Stakes()) {
    if (s.HasDraw()) {
      EXPECT_TRUE(s.IsChecked());
    }
  }
  ASSERT_EQ(ws.Ratings().size(), 1u);
  EXPECT_EQ(ws.Ratings()[0].Name, "01.001: @ FULL#FIRST + TSD#SUMS:10#LMV:2#SC:3000");
  EXPECT_EQ(ws.Ratings()[0].Count, 3u);
}

TEST_F(ScenarioRunner, TestOfOneDrawAndItsBounds) {
  TWorkspace& ws = Open();
  EXPECT_EQ(runner_->TestCountMax(), 59);
  EXPECT_THROW(runner_->Test({SixVariants}, 0), EKvarnError);
  EXPECT_THROW(runner_->Test({SixVariants}, 60), EKvarnError);
  ws.SetDrawsOffset(2);
  const TScriptRunResult r = runner_->Test({"FULL:0#LAST|TSD1#SUMS:10#LMV:2#SC:3000|"}, 1);
  EXPECT_EQ(r.Offset, 2);
  ASSERT_EQ(variants_.size(), 1u);
  EXPECT_EQ(variants_[0].Offset, 1);
}

TEST_F(ScenarioRunner, CurrentListChainsTheVariantsAndClearStakesKeepsTheLastOnly) {
  Open();
  const TScriptRunResult r = runner_->Forecast({"CURR:0#FIRST#CLR|TSD1#SUMS:10,20#LMV:2#SF:0|"});
  EXPECT_EQ(r.Status, TScriptRunStatus::Completed);
  ASSERT_EQ(variants_.size(), 2u);
  EXPECT_EQ(variants_[1].StartCount, variants_[0].BeforeStakes);
  EXPECT_EQ(r.List, variants_[1].BeforeStakes);
  const std::vector<TStake> stakes = Stakes();
  ASSERT_EQ(stakes.size(), 1u);
  EXPECT_EQ(stakes[0].Comment.substr(0, 7), "01.002:");
}

TEST_F(ScenarioRunner, NewOnlyAddsNothingTheSecondTime) {
  Open();
  // Two variants, each staking the first combination left.
  const TScriptLines lines = {"FULL:0#LAST#NEX|TSD1#SUMS:10,20#LMV:2#SC:3000|"};
  const int first = runner_->Forecast(lines).StakesAdded;
  EXPECT_GE(first, 1);
  const std::string log = Path("second.txt");
  runner_->LogPath = log;
  const TScriptRunResult r = runner_->Forecast(lines);
  EXPECT_EQ(r.StakesAdded, 0);
  EXPECT_EQ(StakeRecords(), first);
  const std::string text = Cp1251ToUtf8(ReadWholeFile(log));
  size_t found = 0;
  for (size_t p = 0; (p = text.find("{-} Ставка на тираж 161 не добавлена", p)) != text.npos; ++p)
    ++found;
  EXPECT_EQ(found, 2u);
}

TEST_F(ScenarioRunner, StopModeWithManyLeftStopsWithItsWarningAndStakesNothing) {
  Open();
  const TScriptRunResult r = runner_->Forecast(
      {"FULL:0#STOP|TSD1#SUMS:10#LMV:2#SC:3000|", "FULL:0#FIRST|TSD1#SUMS:10#LMV:2#SC:3000|"});
  EXPECT_EQ(r.Status, TScriptRunStatus::Stopped);
  EXPECT_EQ(r.Message.rfind("Выполнение сценария прервано, т.к. после применения всех фильтров", 0),
            0u)
      << r.Message;
  EXPECT_EQ(r.StakesAdded, 0);
  EXPECT_EQ(variants_.size(), 1u);
  ASSERT_FALSE(host_.messages.empty());
  EXPECT_EQ(host_.messages.back().caption, "Внимание!");
}

TEST_F(ScenarioRunner, SkipAndNoneStakeNothingAndAllStakesEveryCombination) {
  Open();
  runner_->Forecast(
      {"FULL:0#SKIP|TSD1#SUMS:10#LMV:2#SC:3000|", "FULL:0#NONE|TSD1#SUMS:10#LMV:2#SC:3000|"});
  EXPECT_EQ(StakeRecords(), 0);
  const TScriptRunResult r = runner_->Forecast({"FULL:0#ALL|TSD1#SUMS:10#LNO:#SC:20|"});
  ASSERT_EQ(variants_.size(), 3u);
  EXPECT_EQ(r.StakesAdded, variants_[2].BeforeStakes);
  EXPECT_LE(r.StakesAdded, 20);
}

TEST_F(ScenarioRunner, ErrorsOfALineStopTheRunWithTheirMessage) {
  Open();
  TScriptRunResult r = runner_->Forecast({"FULL:0#FIRST||"});
  EXPECT_EQ(r.Status, TScriptRunStatus::Error);
  EXPECT_EQ(r.Message, "Некорректное описание фильтра: !");
  r = runner_->Forecast({"FULL:0#FIRST|TSD1#ZZZ9:10#LMV:2#SC:3000|"});
  EXPECT_EQ(r.Status, TScriptRunStatus::Error);
  EXPECT_EQ(r.Message, "Некорректное описание фильтра: TSD1#ZZZ9:10#LMV:2#SC:3000!");
  r = runner_->Forecast({"FULL:0#FIRST|TSD1#SUMS:#LMV:2#SC:3000|"});
  EXPECT_EQ(r.Status, TScriptRunStatus::Error);
  EXPECT_EQ(host_.messages.back().caption, "Ошибка");
  EXPECT_FALSE(runner_->Running());
}

// A stakes file that cannot grow: the stake write fails, its error is shown once and ends the
// run as an error with that message; nothing is counted as staked. With room again the next run
// stakes, and a pass whose separator cannot be written runs no line at all.
TEST_F(ScenarioRunner, StakesThatCannotBeWrittenEndTheRunWithTheErrorShownOnce) {
  Open();
  const TScriptLines lines = {"FULL:0#FIRST|TSD1#SUMS:10,20#LMV:2#SC:3000|"};
  const std::string stakes = Path(StakesFileName);
  size_t boxes = host_.messages.size();
  TScriptRunResult r;
  {
    test::TFileSizeLimit limit(std::filesystem::file_size(stakes));
    r = runner_->Forecast(lines);
  }
  EXPECT_EQ(r.Status, TScriptRunStatus::Error);
  EXPECT_FALSE(r.Message.empty());
  EXPECT_EQ(r.StakesAdded, 0);
  EXPECT_EQ(r.Records, 0);
  ASSERT_EQ(host_.messages.size(), boxes + 1);
  EXPECT_EQ(host_.messages.back().text, r.Message);
  EXPECT_EQ(variants_.size(), 1u) << "the second variant is not run";
  EXPECT_FALSE(runner_->Running());

  r = runner_->Forecast(lines);
  EXPECT_EQ(r.Status, TScriptRunStatus::Completed) << r.Message;
  EXPECT_EQ(r.Records, 2);

  variants_.clear();
  boxes = host_.messages.size();
  {
    test::TFileSizeLimit limit(std::filesystem::file_size(stakes));
    r = runner_->Forecast(lines);
  }
  EXPECT_EQ(r.Status, TScriptRunStatus::Error);
  EXPECT_EQ(host_.messages.size(), boxes + 1);
  EXPECT_TRUE(variants_.empty());
  EXPECT_EQ(r.Records, 2);
  EXPECT_EQ(Stakes().size(), 2u);
}

// Keeping the one combination of sum 15 leaves a single combination: the next filter is not
// applied, and it is staked whatever the mode.
TEST_F(ScenarioRunner, OneCombinationLeftIsStakedEvenInStopAndExtendedModes) {
  Open();
  const TScriptRunResult r =
      runner_->Forecast({"FULL:0#STOP|TSF1#SUMS:10#LVA:15#SF:0|TSD1#EVEN:10#LNO:#SF:0|",
                         "FULL:0#EXT|TSF1#SUMS:10#LVA:15#SF:0|TSD1#EVEN:10#LNO:#SF:0|"});
  EXPECT_EQ(r.Status, TScriptRunStatus::Completed) << r.Message;
  EXPECT_EQ(r.StakesAdded, 2);
  ASSERT_EQ(variants_.size(), 2u);
  EXPECT_EQ(variants_[0].BeforeStakes, 1);
  for (const TStake& s : Stakes()) {
    ASSERT_EQ(s.Numbers.Count, 5);
    EXPECT_EQ(s.Numbers.Numbers[0], 1);
    EXPECT_EQ(s.Numbers.Numbers[4], 5);
    EXPECT_EQ(s.SampleSize, 1);
  }
  // Only the sum step was recorded for the list.
  ASSERT_EQ(ws_->AppliedFilters().size(), 1u);
}

// Keeping one sum, then another, empties the list: the step is rolled back (a rollback line for
// the list); with SZ the walk ends there, with SF it goes on with the next rows.
TEST_F(ScenarioRunner, EmptiedListIsRolledBackAndSzEndsTheWalk) {
  Open();
  const std::string log = Path("sz.txt");
  runner_->LogPath = log;
  TScriptRunResult r = runner_->Forecast({"FULL:0#NONE|TSF0#SUMS:10#LNO:#SZ:0|"});
  EXPECT_GT(r.List, 0);
  std::string text = Cp1251ToUtf8(ReadWholeFile(log));
  const size_t undo = text.find("{UNDO} Откат изменений...");
  ASSERT_NE(undo, std::string::npos);
  EXPECT_EQ(text.find("Шаг ", undo), std::string::npos);
  EXPECT_EQ(ws_->AppliedFilters().back().Caption, "Отмена последней операции");
  EXPECT_EQ(ws_->AppliedFilters().back().Count, r.List);

  std::filesystem::remove(log);
  r = runner_->Forecast({"FULL:0#NONE|TSF0#SUMS:10#LNO:#SF:0|"});
  EXPECT_GT(r.List, 0);
  text = Cp1251ToUtf8(ReadWholeFile(log));
  const size_t first = text.find("{UNDO} Откат изменений...");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(text.find("Шаг ", first), std::string::npos);
}

// Keeping sums 15 and 16 leaves 1;2;3;4;5 and 1;2;3;4;6: six numbers. The stored system for six
// numbers (three lines, positions standing for the numbers in list order) is staked whole with
// SYSA, only its lines found in the list with SYSC; without a system nothing is staked and the
// run goes on.
TEST_F(ScenarioRunner, SystemModesStakeTheStoredSystemOfTheListsNumbers) {
  Open();
  const std::string filter = "|TMF1#SUMS:10#LVA:15;16#SF:0|";
  TScriptRunResult r = runner_->Forecast({"FULL:0#SYSA" + filter, "FULL:0#FIRST" + filter});
  EXPECT_EQ(r.Status, TScriptRunStatus::Completed);
  EXPECT_EQ(r.StakesAdded, 1);  // only the second line
  ASSERT_FALSE(host_.messages.empty());
  EXPECT_NE(host_.messages.back().text.find("Система для 6 чисел не найдена"), std::string::npos);

  tSystemData d;
  d.Info.Id = 3;
  d.Info.NumsCount = 6;
  d.Info.Title = "Шесть";
  d.Info.Author = "автор";
  d.Info.Description = "проба";
  d.Info.Created = EncodeDateTime(2021, 3, 4, 5, 6, 7);
  d.Combs = "1 2 3 4 5\n1 2 3 4 6\n2 3 4 5 6\n";
  d.Info.CombsCount = 3;
  SystemsAdd(dir_, d);
  ws_->StakesFile().Clear();
  const std::string log = Path("sys.txt");
  runner_->LogPath = log;
  r = runner_->Forecast({"FULL:0#SYSA" + filter, "FULL:0#SYSC" + filter});
  EXPECT_EQ(r.Status, TScriptRunStatus::Completed) << r.Message;
  EXPECT_EQ(r.StakesAdded, 5);
  std::vector<std::string> numbers;
  for (const TStake& s : Stakes())
    if (s.HasDraw()) numbers.push_back(NumberSetText(s.Numbers, ";"));
  EXPECT_EQ(numbers, (std::vector<std::string>{"1;2;3;4;5", "1;2;3;4;6", "2;3;4;5;6", "1;2;3;4;5",
                                               "1;2;3;4;6"}));
  const std::string text = Cp1251ToUtf8(ReadWholeFile(log));
  EXPECT_NE(text.find("{#} Системная игра для 6 чисел [все система]: загружен файл \""),
            std::string::npos);
  EXPECT_NE(text.find("{#} Системная игра для 6 чисел [система * комбинации]: загружен файл"),
            std::string::npos);
}

// A stop requested at the n-th stop check, for every n up to the end of a short test: whatever
// the level, the run ends stopped, nothing half-written is left in the stakes file, and a test
// cut short leaves the offset where it stopped.
TEST_F(ScenarioRunner, StopAtEveryCheckLeavesConsistentFiles) {
  Open();
  const TScriptLines lines = {"FULL:0#FIRST|TSD1#SUMS:10,20#LMV:2#SC:3000|",
                              "CURR:0#ALL|TSD1#SUMS:10#LMV:1#SC:5|"};
  runner_->Test(lines, 2);
  const int total = host_.events;
  ASSERT_GT(total, 20);
  // Every check of the first pass's opening, then a spread over the rest.
  std::vector<int> points;
  for (int n = 1; n <= 5; ++n) points.push_back(n);
  for (int k = 1; k <= 6; ++k) points.push_back(5 + (total - 5) * k / 7);
  for (int n : points) {
    ws_.reset();
    runner_.reset();
    std::filesystem::remove(Path(StakesFileName));
    Open();
    variants_.clear();
    host_.events = 0;
    host_.OnEvents = [this, n](int k) {
      if (k == n) runner_->RequestStop();
    };
    const TScriptRunResult r = runner_->Test(lines, 2);
    host_.OnEvents = nullptr;
    SCOPED_TRACE(n);
    EXPECT_EQ(r.Status, TScriptRunStatus::Stopped);
    EXPECT_FALSE(runner_->Running());
    int made = 0;
    for (const TScriptVariantRun& v : variants_) made += v.StakesAdded;
    EXPECT_EQ(made, r.StakesAdded);
    EXPECT_EQ(StakeRecords(), r.StakesAdded);
    EXPECT_EQ(r.Records, static_cast<int64_t>(Stakes().size()));
    // The first check comes before the first offset is set.
    EXPECT_EQ(ws_->DrawsOffset() >= 1, n > 1);
    // The file reopens whole.
    ws_.reset();
    runner_.reset();
    TSilentHost other;
    TWorkspace again(other, dir_);
    again.OpenHeadless();
    ASSERT_TRUE(again.StakesOpen());
    EXPECT_EQ(again.StakesFile().Count(), r.Records);
    EXPECT_TRUE(other.messages.empty());
  }
}

}  // namespace
}  // namespace kvarn

namespace kvarn {
namespace {

// A forecast on eight draws with the log on: the file named by the start time in the data
// directory, handed to the viewer at the end, every line as expected.
TEST_F(ScenarioRunner, LogOfASmallRunLineByLine) {
  test::WriteArchive(dir_, test::Archive({{1, 2, 3, 4, 5},
                                          {2, 4, 6, 8, 9},
                                          {10, 11, 13, 15, 17},
                                          {20, 22, 24, 26, 28},
                                          {1, 3, 5, 30, 36},
                                          {7, 14, 21, 28, 35},
                                          {6, 12, 18, 24, 31},
                                          {9, 19, 29, 33, 34}},
                                         41));
  TWorkspace& ws = Open();
  ws.WindowState().ScriptLogEnabled = true;
  runner_->LogClock = [] { return EncodeDateTime(2026, 3, 7, 10, 5, 9); };
  std::string opened;
  runner_->OnOpenLog = [&](const std::string& path) { opened = path; };
  const TScriptRunResult r = runner_->Forecast({"FULL:0#FIRST|TSD1#EVEN:5#LDV:1;2#ST:1|"});
  EXPECT_EQ(r.Status, TScriptRunStatus::Completed);
  EXPECT_EQ(opened, Path("ScriptLog_2026-03-07-10-05-09.txt"));
  EXPECT_TRUE(runner_->State().LogFile.empty());
  const std::string bytes = ReadWholeFile(opened);
  std::vector<std::string> lines;
  for (size_t p = 0; p < bytes.size();) {
    const size_t e = bytes.find("\r\n", p);
    ASSERT_NE(e, std::string::npos) << "every line ends with CR LF";
    lines.push_back(Cp1251ToUtf8(bytes.substr(p, e - p)));
    p = e + 2;
  }
  const std::string kEquals(94, '='), kDashes(94, '-');
  const std::vector<std::string> expected = {
      "### ЗАПУСК СЦЕНАРИЯ "
      "##########################################################################",
      kEquals,
      "=== Выполнение сценария для смещения 000000 "
      "==================================================",
      kEquals,
      kDashes,
      "Выполнение строки 001: \"FULL:0#FIRST|TSD1#EVEN:5#LDV:1;2#ST:1|\"",
      kDashes,
      "Создание всех вариантов фильтров...",
      "Создано 1 вариантов фильтров.",
      "",
      kDashes,
      "Применение набора фильтров 001: \"TSD#EVEN:5#LDV:1;2#ST:1\"",
      kDashes,
      "Создание начального списка комбинаций...",
      "Количество комбинаций в списке: 376992",
      "Анализ тиражей и расчет статистики \"{ num } Количество четных чисел в тираже (Ч:Н) [ NG "
      "]\" для выборки в 5 тиражей...",
      "< [2:3] кол-во: 2 (40.00000 %), отклонение: - (- %), глубина: 3 (60.00 %), вес: 3.00 >",
      "< [5:0] кол-во: 1 (20.00000 %), отклонение: - (- %), глубина: 5 (100.00 %), вес: 5.00 >",
      "< [4:1] кол-во: 1 (20.00000 %), отклонение: - (- %), глубина: 2 (40.00 %), вес: 2.00 >",
      "< [1:4] кол-во: 1 (20.00000 %), отклонение: - (- %), глубина: 1 (20.00 %), вес: 1.00 >",
      "< [3:2] кол-во: 0 (0.00000 %), отклонение: - (- %), глубина: - (- %), вес: - >",
      "Шаг 001. Выделение строки: < [4:1] кол-во: 1 (20.00000 %), отклонение: - (- %), глубина: 2 "
      "(40.00 %), вес: 2.00 >",
      "Удаляем выделенные значения...",
      "Количество комбинаций в списке: 321912",
      "{*} Добавление ставки, режим: \"Выбрать первую комбинацию в списке\"",
      "{+} Ставка на тираж 49 добавлена в список ставок: [1;2;3;4;5]",
      kDashes,
      "### ЗАВЕРШЕНИЕ СЦЕНАРИЯ "
      "######################################################################"};
  for (size_t i = 0; i < std::max(lines.size(), expected.size()); ++i) {
    const std::string got = i < lines.size() ? lines[i] : "(none)";
    const std::string want =
        i < expected.size() ? "[2026-03-07 10:05:09]: " + expected[i] : "(none)";
    EXPECT_EQ(got, want) << "line " << i + 1;
  }
}

}  // namespace
}  // namespace kvarn
