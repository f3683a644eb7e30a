#include <gtest/gtest.h>

#include <filesystem>

#include "app/workspace.h"
#include "common/data_dir_test.h"
#include "common/file_size_limit.h"
#include "common/test_methods.h"
#include "core/files.h"
#include "core/text.h"

namespace kvarn {
namespace {

namespace fs = std::filesystem;

// Count of numbers below 10 (group 1): seven values, cheap enough for a full-set pass in tests.
class TstTestSmall : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  KVARN_TEST_METHOD_INFO("TSML", "Малые", 1, sfN)
  static uint16_t ValueOf(const TComb& c) {
    uint16_t n = 0;
    for (uint8_t v : c) n += v < 10;
    return n;
  }
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override {
    TCustomStat::AddCombValues(comb, list);
    Work.Key.Set(ValueOf(comb));
    AddStatItem(list, Work, false);
  }
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override {
    return SelectedHasKey(selected, ValueOf(comb), 0, 0, 0);
  }
};
KVARN_STAT_CLASS(TstTestSmall)

// The same in group 2, and a method without the full-set comparison.
class TstTestSmall2 : public TstTestSmall {
 public:
  using TstTestSmall::TstTestSmall;
  static std::string Ident() { return "TSM2"; }
  static int Group() { return 2; }
};
KVARN_STAT_CLASS(TstTestSmall2)

class TstTestNoFull : public TstTestSmall {
 public:
  using TstTestSmall::TstTestSmall;
  static std::string Ident() { return "TNOF"; }
  static uint8_t Features() { return sfD; }
};
KVARN_STAT_CLASS(TstTestNoFull)

const TStatTableLine kTable[] = {{"TstTestSmall", &TstTestSmall_Class},
                                 {"TstTestNoFull", &TstTestNoFull_Class},
                                 {"TstTestSmall2", &TstTestSmall2_Class}};

class FilterWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    ws = std::make_unique<TWorkspace>(host, dir_);
    ws->CombsReserve();
    ws->StatList().SetTable(kTable);
    ws->StatList().Register();
    ws->WindowState().PrefetchsEnabled = true;
  }
  void TearDown() override { ws.reset(); }
  std::string FileOf(const char* ident) const {
    return PathJoin(PathJoin(dir_, "Prefetchs"), std::string("Kvarn_5x36_") + ident + ".dfc");
  }
  TStatDraw Value(uint16_t k1) const {
    TStatDraw d;
    d.Key.Set(k1);
    return d;
  }

  TSilentHost host;
  const std::filesystem::path dir{dir_};
  std::unique_ptr<TWorkspace> ws;
};

TEST_F(FilterWorkspace, KeepAndDeleteThatEmptyTheListAndUndo) {
  ws->CombsGenerate(gmFull, "", true);
  auto stat = ws->StatList().CreateStat(0);
  ws->CombsSnapshot(true);
  ASSERT_TRUE(ws->FilterCombs(*stat, {Value(6)}, "Малые", false));
  EXPECT_EQ(ws->Combs().Count(), 0) << "no combination has six numbers";
  ASSERT_EQ(ws->AppliedFilters().size(), 1u);
  EXPECT_EQ(ws->AppliedFilters()[0].Caption, "Малые");
  EXPECT_EQ(ws->AppliedFilters()[0].Values, "6");
  EXPECT_FALSE(ws->AppliedFilters()[0].Exclude);
  EXPECT_TRUE(ws->CombsUndo());
  EXPECT_EQ(ws->Combs().Count(), FullCombsCount);
  EXPECT_TRUE(ws->AppliedFilters().empty());

  TStatDrawArray all;
  for (uint16_t k = 0; k <= 5; ++k) all.push_back(Value(k));
  ws->CombsSnapshot(true);
  ws->FilterCombs(*stat, all, "Малые", true);
  EXPECT_EQ(ws->Combs().Count(), 0);
  EXPECT_EQ(ws->AppliedFilters()[0].Values, "0; 1; 2; 3; 4; 5");
  EXPECT_TRUE(ws->AppliedFilters()[0].Exclude);
  ws->CombsUndo();
  EXPECT_EQ(ws->Combs().Count(), FullCombsCount);

  ws->CombsSnapshot(true);
  ws->FilterCombs(*stat, {Value(5)}, "Малые", false);
  EXPECT_EQ(ws->Combs().Count(), 126);  // C(9,5)
  EXPECT_EQ(host.status[spCombs], "Комбинаций: 126");
  EXPECT_FALSE(ws->FilterCombs(*stat, {}, "Малые", false));
  EXPECT_EQ(ws->AppliedFilters().size(), 1u);
  ws->AppliedFiltersAddRollback();
  EXPECT_EQ(ws->AppliedFilters().back().Caption, "Отмена последней операции");
  EXPECT_EQ(ws->AppliedFilters().back().Values, "");
}

TEST_F(FilterWorkspace, ViewFilterByNumbers) {
  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6;7", true);
  try {
    ws->FilterCombsByNumbers({}, "Карточка", false);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "В выделенном диапазоне нет значений для фильтра!");
  }
  EXPECT_EQ(ws->Combs().Count(), 21);
  EXPECT_TRUE(ws->AppliedFilters().empty());
  ws->FilterCombsByNumbers({7, 7, 6}, "Карточка", true);
  EXPECT_EQ(ws->Combs().Count(), 1);
  EXPECT_EQ(ws->AppliedFilters()[0].Values, "7; 6");
}

TEST_F(FilterWorkspace, OpenBuildsOnceAndRebuildsAnEmptyFile) {
  ws->WindowState().PrefetchsEnabled = false;
  EXPECT_EQ(ws->OpenPrefetch(0), nullptr);
  EXPECT_FALSE(fs::exists(dir / "Prefetchs"));
  ws->WindowState().PrefetchsEnabled = true;
  EXPECT_EQ(ws->OpenPrefetch(1), nullptr) << "a method without the comparison";

  ws->CombsGenerate(gmOnlyMine, "1;2;3;4;5;6", true);
  ws->CombsDelSelected({0});
  std::unique_ptr<TPrefetchData> data = ws->OpenPrefetch(0);
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(data->Records.size(), 6u);
  EXPECT_EQ(data->Records[5].Count, 126);
  EXPECT_EQ(fs::file_size(FileOf("TSML")), 7 * PrefetchRecordSize);
  EXPECT_EQ(ws->Combs().Count(), 5) << "the working list is left alone";
  EXPECT_EQ(ws->CombsUndoList().Count(), 6) << "and so is its undo";

  WriteFileAtomic(FileOf("TSML"), "");
  data = ws->OpenPrefetch(0);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->Records.size(), 6u);
  EXPECT_EQ(fs::file_size(FileOf("TSML")), 7 * PrefetchRecordSize);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilterWorkspace, DamagedFilesAreRebuiltOnUseAndByTheMissingRun) {
  ws->WindowState().PrefetchsEnabled = true;
  ASSERT_NE(ws->OpenPrefetch(0), nullptr);
  const std::string valid = ReadWholeFile(FileOf("TSML"));
  // Cut short, random, without its trailer, with an absurd trailer: each is built again when
  // the table needs it, and its norms never come from the damage.
  std::string absurd = valid;
  absurd[valid.size() - 9] = '\x7F';
  for (const std::string& damaged :
       {valid.substr(0, 30), std::string(84, '\x5A'), valid.substr(0, valid.size() - 12), absurd}) {
    WriteFileAtomic(FileOf("TSML"), damaged);
    std::unique_ptr<TPrefetchData> data = ws->OpenPrefetch(0);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->MaxCount, 157950);  // one number below 10: 9 x C(27,4)
    EXPECT_EQ(ReadWholeFile(FileOf("TSML")), valid);
  }
  // "prefetch --missing" repairs a damaged file and leaves a sound one alone.
  WriteFileAtomic(FileOf("TSML"), valid.substr(0, 50));
  EXPECT_EQ(ws->RefreshPrefetchFiles(true, 0), 2);  // TSML repaired, TSM2 missing
  EXPECT_EQ(ReadWholeFile(FileOf("TSML")), valid);
  EXPECT_EQ(ws->RefreshPrefetchFiles(true, 0), 0);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(FilterWorkspace, AFailedRebuildKeepsTheOldFile) {
  ws->WindowState().PrefetchsEnabled = true;
  ASSERT_NE(ws->OpenPrefetch(0), nullptr);
  const std::string valid = ReadWholeFile(FileOf("TSML"));
  {
    // The new file cannot be written whole.
    test::TFileSizeLimit limit(40);
    EXPECT_EQ(ws->BuildPrefetch(0), nullptr);
  }
  EXPECT_EQ(ReadWholeFile(FileOf("TSML")), valid);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Prefetchs"), fs::directory_iterator()), 1)
      << "no temporary file is left";
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text.rfind("Ошибка создания файла данных для полного набора "
                                        "вариантов!\r\rИмя файла: " +
                                            FileOf("TSML") + "\r\r",
                                        0),
            0u);
}

TEST_F(FilterWorkspace, RefreshBuildsMissingAndRebuildsMaskedGroups) {
  ws->WindowState().PrefetchsEnabled = false;
  EXPECT_EQ(ws->RefreshPrefetchFiles(false, 0), 0);
  EXPECT_FALSE(ws->PrefetchStartup(false, false)) << "a normal start goes on";
  EXPECT_FALSE(fs::exists(dir / "Prefetchs"));

  std::vector<std::string> built;
  ws->OnPrefetchProgress = [&](int, int, const std::string& file) {
    if (!file.empty()) built.push_back(file);
  };
  EXPECT_EQ(ws->PrefetchMaintenance(false), 2);
  EXPECT_EQ(built, (std::vector<std::string>{"Kvarn_5x36_TSML.dfc", "Kvarn_5x36_TSM2.dfc"}));
  EXPECT_EQ(ws->PrefetchMaintenance(false), 0) << "nothing missing";
  built.clear();
  EXPECT_EQ(ws->RefreshPrefetchFiles(true, 1u << 2), 1);
  EXPECT_EQ(built, (std::vector<std::string>{"Kvarn_5x36_TSM2.dfc"}));
  EXPECT_EQ(ws->PrefetchMaintenance(true), 2);
  EXPECT_FALSE(fs::exists(FileOf("TNOF")));
  fs::remove(FileOf("TSM2"));
  built.clear();
  EXPECT_TRUE(ws->PrefetchStartup(false, true)) << "fullrefresh ends the program";
  EXPECT_EQ(built, (std::vector<std::string>{"Kvarn_5x36_TSM2.dfc"}));
  built.clear();
  EXPECT_TRUE(ws->PrefetchStartup(true, false));
  EXPECT_EQ(built.size(), 2u);
}

}  // namespace
}  // namespace kvarn
