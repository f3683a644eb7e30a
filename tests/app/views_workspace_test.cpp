// The analysis views in the workspace: each view is built again only when its inputs changed or
// when forced, the graph follows the graph box, and the views' filters keep or delete
// combinations by the numbers of a selection.
#include <gtest/gtest.h>

#include "app/workspace.h"
#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/text.h"

namespace kvarn {
namespace {

class ViewsWorkspace : public test::TDataDirTest {
 protected:
  void SetUp() override {
    ws = std::make_unique<TWorkspace>(host, dir_);
    ws->CombsReserve();
  }
  void Load(const TDrawsArray& draws) { ws->MutableDraws() = draws; }

  TSilentHost host;
  std::unique_ptr<TWorkspace> ws;
};

TEST_F(ViewsWorkspace, LayoutIsBuiltAgainOnlyWhenItsInputsChange) {
  Load(test::ArchiveOf(30, 1, test::SpreadOfFive));
  EXPECT_TRUE(ws->LayoutCalc(false));
  EXPECT_EQ(ws->Views().Scheme.DrawNumbers.front(), 30);
  EXPECT_FALSE(ws->LayoutCalc(false));
  EXPECT_TRUE(ws->LayoutCalc(true));
  ws->SetDrawsOffset(2);
  EXPECT_TRUE(ws->LayoutCalc(false));
  EXPECT_EQ(ws->Views().Scheme.DrawNumbers.front(), 28);
  ws->SetLayoutLen(5);
  EXPECT_TRUE(ws->LayoutCalc(false));
  EXPECT_EQ(ws->Views().Scheme.DrawNumbers.back(), 24);
  ws->SetLayoutLen(0);  // out of range: kept
  EXPECT_FALSE(ws->LayoutCalc(false));

  EXPECT_TRUE(ws->LayoutCmpCalc(false));
  EXPECT_EQ(ws->Views().Compare[0].Caption, "1 - 28");
  EXPECT_FALSE(ws->LayoutCmpCalc(false));
  ws->SetLayoutCompareLen(0, 3);
  EXPECT_TRUE(ws->LayoutCmpCalc(false));
  EXPECT_EQ(ws->Views().Compare[0].Caption, "26 - 28");
  // A new draw changes every view's inputs.
  ws->MutableDraws().push_back(test::MakeDraw(31, test::SpreadOfFive(31)));
  EXPECT_TRUE(ws->LayoutCalc(false));
  EXPECT_TRUE(ws->LayoutCmpCalc(false));
}

TEST_F(ViewsWorkspace, WeekTableReadsDatesInThePersonsForm) {
  TDrawsArray draws = test::Archive({{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}});
  draws[0].DateText = "2020-01-06";  // a Monday, in a form only the locale's parser reads
  draws[1].DateText = "05.01.2020 20:00";
  Load(draws);
  EXPECT_TRUE(ws->WeekStatCalc(false));
  EXPECT_EQ(ws->Views().Week.Count(1, 1), 0);
  EXPECT_EQ(ws->Views().Week.Count(1, 7), 1);
  EXPECT_EQ(ws->Views().Week.Skipped, 1);
  ws->DateFormat().Parse = [](std::string_view text) -> TDateTime {
    if (text.size() == 10 && text[4] == '-')
      return EncodeDateTime(std::stoi(std::string(text.substr(0, 4))),
                            std::stoi(std::string(text.substr(5, 2))),
                            std::stoi(std::string(text.substr(8, 2))), 0, 0);
    return ParseDateTime(text);
  };
  EXPECT_FALSE(ws->WeekStatCalc(false));
  EXPECT_TRUE(ws->WeekStatCalc(true));
  EXPECT_EQ(ws->Views().Week.Count(1, 1), 1);
  EXPECT_EQ(ws->Views().Week.Max, 1);
  EXPECT_EQ(host.status[spMessage], "") << "the status text is cleared afterwards";
}

TEST_F(ViewsWorkspace, GraphFollowsTheGraphBoxAndTheSortedNumbers) {
  // Nothing to draw on an empty archive.
  EXPECT_TRUE(ws->DrawsGraphDraw(false));
  EXPECT_TRUE(ws->Views().Graph.Points.empty());
  EXPECT_EQ(ws->Views().GraphCaption, "");

  Load(test::ArchiveOf(40, 101, test::SpreadOfFive));
  ASSERT_GE(ws->GraphSelected(), 0);
  EXPECT_TRUE(ws->DrawsGraphDraw(false));
  const TStatGraphSeries first = ws->Views().Graph;
  ASSERT_EQ(first.Points.size(), 40u);
  EXPECT_EQ(first.Points.front().Draw, 101);
  EXPECT_EQ(ws->Views().GraphCaption, ws->MethodBoxes().Graph[0].Text);
  EXPECT_FALSE(ws->DrawsGraphDraw(false));

  ws->SetGraphLen(10);
  EXPECT_TRUE(ws->DrawsGraphDraw(false));
  EXPECT_EQ(ws->Views().Graph.Points.front().Draw, 131);
  ws->DrawsSetSorted(true);
  EXPECT_TRUE(ws->DrawsGraphDraw(false)) << "the order of the numbers is an input";
  ws->SetGraphSelected(1);
  EXPECT_TRUE(ws->DrawsGraphDraw(false));
  EXPECT_EQ(ws->Views().GraphCaption, ws->MethodBoxes().Graph[1].Text);
  ws->SetGraphSelected(-1);
  EXPECT_TRUE(ws->DrawsGraphDraw(false));
  EXPECT_TRUE(ws->Views().Graph.Points.empty());
}

TEST_F(ViewsWorkspace, CardFilterKeepsOrDeletesTheSelectedNumbers) {
  // Draw 2 holds 3, 11, 19, 27, 35; draw 1 holds 1, 2, 3, 4, 5.
  Load(test::Archive({{1, 2, 3, 4, 5}, {35, 3, 11, 19, 27}}));
  ws->CombsGenerate(gmOnlyMine, "1;3;6;11;12;20", true);
  ASSERT_EQ(ws->Combs().Count(), 6);
  // Row 1 is draw 2; columns 1..11 hold 3 and 11.
  ws->CardFilter(1, 1, 1, 11, false);
  EXPECT_EQ(ws->Combs().Count(), 6) << "every combination of six holds 3 or 11";
  ASSERT_EQ(ws->AppliedFilters().size(), 1u);
  EXPECT_EQ(ws->AppliedFilters()[0].Caption, "Карта");
  EXPECT_EQ(ws->AppliedFilters()[0].Values, "3; 11");
  ws->CardFilter(1, 1, 2, 3, true);  // 1, 2, 3 of both rows
  EXPECT_EQ(ws->Combs().Count(), 0);
  ws->CombsUndo();
  EXPECT_EQ(ws->Combs().Count(), 6);

  // Empty cells only: the message, and the list stays as it was.
  try {
    ws->CardFilter(1, 6, 2, 10, false);
    FAIL();
  } catch (const EKvarnError& e) {
    EXPECT_STREQ(e.what(), "В выделенном диапазоне нет значений для фильтра!");
  }
  EXPECT_EQ(ws->Combs().Count(), 6);
  EXPECT_EQ(ws->AppliedFilters().size(), 1u);
}

TEST_F(ViewsWorkspace, LayoutAndWeekFiltersTakeTheirNumbers) {
  Load(test::Archive({{1, 2, 3, 4, 5}, {1, 6, 7, 8, 9}, {10, 11, 12, 13, 14}}));
  ws->SetDrawsOffset(1);
  ws->LayoutCalc(true);
  // At offset 1 draw 3 follows: nothing of it is in the window (draws 1, 2), so no brackets.
  ASSERT_EQ(ws->Views().Scheme.Text(1, 1), "1");
  ws->CombsGenerate(gmOnlyMine, "1;2;20;21;22;23", true);
  ws->LayoutFilter(1, 1, 1, 1, false);
  EXPECT_EQ(ws->Combs().Count(), 5);
  EXPECT_EQ(ws->AppliedFilters().back().Caption, "Схема");
  EXPECT_EQ(ws->AppliedFilters().back().Values, "1");

  ws->WeekFilter(20, 22, true);
  EXPECT_EQ(ws->Combs().Count(), 0);
  EXPECT_EQ(ws->AppliedFilters().back().Caption, "Неделя");
  EXPECT_EQ(ws->AppliedFilters().back().Values, "20; 21; 22");
}

TEST_F(ViewsWorkspace, SumDistributionShowsItsStatus) {
  Load(test::Archive({{1, 2, 3, 4, 5}}));
  const TSumsDistribution d = ws->TotalSumCombs();
  EXPECT_EQ(d.Amax, 1);
  EXPECT_EQ(d.ActualCount(15), 1);
  EXPECT_EQ(host.status[spMessage], "");
}

}  // namespace
}  // namespace kvarn
