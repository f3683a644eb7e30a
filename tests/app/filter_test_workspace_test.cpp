#include <gtest/gtest.h>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/text.h"

namespace kvarn {
namespace {

class FilterTestWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    ws = std::make_unique<TWorkspace>(host, dir_);
    ws->MutableDraws() = test::RandomArchive(60, 500, 9);
    entry = ws->StatEntryOf("NUMS");
  }
  std::string ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const EKvarnError& e) {
      return e.what();
    }
    return {};
  }

  TSilentHost host;
  std::unique_ptr<TWorkspace> ws;
  int entry = -1;
};

TEST_F(FilterTestWorkspace, TestsTheDrawsUpToTheAnalysisPointWithProgress) {
  ws->SetDrawsOffset(10);
  std::vector<std::string> statuses;
  int calls = 0;
  ws->OnFilterTestProgress = [&](int done, int total) {
    EXPECT_EQ(total, 20);
    EXPECT_EQ(done, ++calls);
    EXPECT_TRUE(ws->FilterTestRunning());
    EXPECT_EQ(host.BusyCount(), 1);
    statuses.push_back(host.status[spMessage]);
  };
  const TFilterTestResult r = ws->FilterTest(entry, {"1", "2"}, false, 30, 20);
  ASSERT_EQ(r.Draws.size(), 20u);
  EXPECT_EQ(r.Draws.front().Number, 530);
  EXPECT_EQ(r.Draws.back().Number, 549) << "the draw at the analysis point is the newest tested";
  EXPECT_EQ(statuses.front(), "Проверка фильтра на истории (1 из 20)...");
  EXPECT_FALSE(ws->FilterTestRunning());
  EXPECT_EQ(host.BusyCount(), 0);
  EXPECT_EQ(host.status[spMessage], "");
}

TEST_F(FilterTestWorkspace, StopEndsTheRunWithTheDrawsDone) {
  ws->OnFilterTestProgress = [&](int done, int) {
    if (done == 3) ws->FilterTestStop();
  };
  const TFilterTestResult r = ws->FilterTest(entry, {"1"}, true, 30, 20);
  EXPECT_TRUE(r.Stopped);
  EXPECT_EQ(r.Draws.size(), 3u);
  // A new run starts afresh.
  ws->OnFilterTestProgress = nullptr;
  EXPECT_EQ(ws->FilterTest(entry, {"1"}, true, 30, 5).Draws.size(), 5u);

  ws->OnFilterTestProgress = [&](int, int) { ws->FilterTestStop(); };
  const TValueSearchResult s = ws->ValueSearch(entry, 30, 20, 60000);
  EXPECT_TRUE(s.Stopped);
}

TEST_F(FilterTestWorkspace, BadInputsAreRefusedWithTheirMessages) {
  EXPECT_EQ(ErrorOf([&] { ws->FilterTest(entry, {}, false, 30, 20); }),
            "Не выбрано ни одного значения для проверки фильтра!");
  EXPECT_EQ(ErrorOf([&] { ws->FilterTest(entry, {"1"}, false, 30, 0); }),
            "Количество проверяемых тиражей должно быть не меньше 1!");
  EXPECT_EQ(ErrorOf([&] { ws->ValueSearch(entry, 30, 20, 0); }),
            "Бюджет должен быть не меньше одной комбинации!");
  EXPECT_EQ(ErrorOf([&] { ws->FilterTest(entry, {"1"}, false, 0, 20); }),
            "Некорректное количество тиражей для расчета статистики (0)!");
  ws->SetDrawsOffset(59);
  EXPECT_EQ(ErrorOf([&] { ws->FilterTest(entry, {"1"}, false, 30, 20); }),
            "Нет тиражей для проверки: перед проверяемым тиражом должен быть хотя бы один тираж "
            "архива!");
  ws->SetDrawsOffset(58);
  EXPECT_EQ(ErrorOf([&] { ws->ValueSearch(entry, 30, 20, 100); }),
            "Для подбора значений нужно не менее двух тиражей, перед каждым из которых есть "
            "тираж!");
  EXPECT_EQ(host.BusyCount(), 0);
}

TEST_F(FilterTestWorkspace, RowTextsFollowTheDisplayOrder) {
  ws->SetStatSelected(0);
  ASSERT_EQ(ws->StatSelectedEntry(), entry);
  ws->SetStatLen(30);
  ws->ComputeStatistics(true);
  TStatTable& t = ws->StatTable();
  SortStatTable(t, stcValue, true);  // 36, 35, ...
  EXPECT_EQ(ws->StatRowTexts({2, 0, 0, 99}), (std::vector<std::string>{"36", "34"}));
}

}  // namespace
}  // namespace kvarn
