// The statistics tab over a small archive: the cells, the header-click sort, filtering by the
// selected rows with its undo, and the full-set comparison columns and chart.
#include <QChart>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineSeries>
#include <QSet>
#include <QTest>
#include <filesystem>

#include "core/files.h"
#include "core/paths.h"
#include "stats/prefetch.h"
#include "ui/combs_page.h"
#include "ui/list_view.h"
#include "ui/stats_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

QString Cell(const QAbstractItemModel* m, int row, int col) {
  return m->data(m->index(row, col), Qt::DisplayRole).toString();
}

int RowOfValue(const QAbstractItemModel* m, const QString& value) {
  for (int r = 0; r < m->rowCount(); ++r)
    if (Cell(m, r, 0) == value) return r;
  return -1;
}

// Puts the statistics box on the line of the method with this identifier.
void SelectMethod(TFormMain& w, const std::string& ident) {
  TWorkspace& ws = w.Workspace();
  const int entry = ws.StatList().FindByIdent(ident);
  ASSERT_GE(entry, 0);
  const auto& lines = ws.MethodBoxes().Stat;
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].Entry == entry) {
      w.Page<TStatsPage>().MethodBox()->setCurrentIndex(static_cast<int>(i));
      return;
    }
  FAIL() << "no line for " << ident;
}

void SelectRows(QTableView* view, const std::vector<int>& rows) {
  view->selectionModel()->clear();
  for (int r : rows)
    view->selectionModel()->select(view->model()->index(r, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

class TStatsPageTest : public TUiTest {};

TEST_F(TStatsPageTest, TableShowsTheCountsOfTheWindowAndSortsByHeaderClicks) {
  const TDrawsArray draws = MakeDraws(60);
  WriteDraws(draws);
  TFormMain& w = Open();
  TStatsPage& page = w.Page<TStatsPage>();
  page.LenField()->setValue(50);
  SelectMethod(w, "NUMS");
  w.Commands().Execute("DrawsStatCalc");
  const auto* m = page.Model();
  ASSERT_EQ(m->columnCount(), 20);
  EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("Значение"));
  EXPECT_EQ(m->headerData(19, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("+/- КРН"));
  ASSERT_EQ(m->rowCount(), NumbersCount);

  // Counts over the newest 50 draws, counted here from the archive itself.
  int count[NumbersCount + 1] = {};
  int lastIndex[NumbersCount + 1] = {};
  for (int i = 10; i < 60; ++i)
    for (uint8_t n : draws[static_cast<size_t>(i)].Values) {
      ++count[n];
      lastIndex[n] = i;
    }
  for (int n : {1, 17, 36}) {
    const int r = RowOfValue(m, QString::number(n));
    ASSERT_GE(r, 0) << n;
    EXPECT_EQ(Cell(m, r, 1), QString::number(count[n])) << n;
    EXPECT_EQ(Cell(m, r, 2), Q(StrFormat("%.5f", count[n] * 100.0 / 250))) << n;
    if (count[n] > 0) {
      EXPECT_EQ(Cell(m, r, 9), QString::number(draws[static_cast<size_t>(lastIndex[n])].Number));
    }
    // Without the comparison its columns are dashes and hidden.
    EXPECT_EQ(Cell(m, r, 3), QStringLiteral("-"));
    EXPECT_TRUE(page.Table()->isColumnHidden(3));
    // The analysis point is the newest draw: no fact after it.
    EXPECT_EQ(Cell(m, r, 16), QStringLiteral("-"));
  }

  // Initial order: column 1 ascending.
  auto countAt = [&](int r) { return Cell(m, r, 1).toInt(); };
  for (int r = 1; r < m->rowCount(); ++r) ASSERT_LE(countAt(r - 1), countAt(r));
  // The selection follows its item through a re-sort.
  const QString chosen = Cell(m, 3, 0);
  SelectRows(page.Table(), {3});
  page.ClickColumn(1);  // the sort column again: descending
  for (int r = 1; r < m->rowCount(); ++r) ASSERT_GE(countAt(r - 1), countAt(r));
  ASSERT_EQ(SelectedRows(page.Table()).size(), 1u);
  EXPECT_EQ(Cell(m, SelectedRows(page.Table())[0], 0), chosen);
  page.ClickColumn(0);  // another column: ascending, numerically
  EXPECT_EQ(Cell(m, 0, 0), QStringLiteral("1"));
  EXPECT_EQ(Cell(m, 35, 0), QStringLiteral("36"));
  page.ClickColumn(0);
  EXPECT_EQ(Cell(m, 0, 0), QStringLiteral("36"));
  EXPECT_EQ(page.Table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

  // A new computation keeps the chosen order.
  w.Commands().Execute("DrawsStatCalc");
  EXPECT_EQ(Cell(m, 0, 0), QStringLiteral("36"));

  // The chart: the actual series only, one point per value.
  ASSERT_EQ(page.Chart()->series().size(), 1);
  auto* actual = qobject_cast<QLineSeries*>(page.Chart()->series()[0]);
  ASSERT_NE(actual, nullptr);
  EXPECT_EQ(actual->name(), QStringLiteral("Фактические данные"));
  EXPECT_EQ(actual->count(), NumbersCount);
}

TEST_F(TStatsPageTest, LenAndAnalysisPointDecideWhetherTheTableIsRecomputed) {
  WriteDraws(MakeDraws(40));
  TFormMain& w = Open();
  TStatsPage& page = w.Page<TStatsPage>();
  SelectMethod(w, "NUMS");
  const auto* m = page.Model();
  auto total = [&] {
    int t = 0;
    for (int r = 0; r < m->rowCount(); ++r) t += Cell(m, r, 1).toInt();
    return t;
  };
  // Len beyond the archive: every draw counts.
  EXPECT_EQ(total(), 40 * CombSize);
  // A new Len alone does not recompute; the refresh command does.
  page.LenField()->setValue(10);
  EXPECT_EQ(total(), 40 * CombSize);
  w.Commands().Execute("DrawsStatCalc");
  EXPECT_EQ(total(), 10 * CombSize);
  // Enter in the field computes with the typed value; a value out of bounds does nothing.
  page.LenField()->selectAll();
  QTest::keyClicks(page.LenField(), QStringLiteral("20"));
  QTest::keyClick(page.LenField(), Qt::Key_Return);
  EXPECT_EQ(total(), 20 * CombSize);
  page.LenField()->selectAll();
  QTest::keyClicks(page.LenField(), QStringLiteral("0"));
  QTest::keyClick(page.LenField(), Qt::Key_Return);
  EXPECT_EQ(total(), 20 * CombSize);
  page.LenField()->setValue(10);
  w.Commands().Execute("DrawsStatCalc");
  // Moving the analysis point refreshes the shown tab; the fact column then has draws.
  w.RightTabs().setCurrentIndex(rtStats);
  w.Workspace().SetDrawsOffset(5);
  EXPECT_EQ(total(), 10 * CombSize);
  bool anyFact = false;
  for (int r = 0; r < m->rowCount(); ++r)
    anyFact = anyFact || Cell(m, r, 16) != QStringLiteral("-");
  EXPECT_TRUE(anyFact);
}

TEST_F(TStatsPageTest, KeepingAndDeletingSelectedRowsFilterTheListAndUndoRestoresIt) {
  WriteDraws(MakeDraws(30));
  TFormMain& w = Open();
  TStatsPage& page = w.Page<TStatsPage>();
  SelectMethod(w, "NUMS");
  page.ClickColumn(0);
  const auto* m = page.Model();
  ASSERT_EQ(Cell(m, 0, 0), QStringLiteral("1"));
  TWorkspace& ws = w.Workspace();
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("StatFilter_Include")->isEnabled());

  // Keep the rows of 1 and 2: every combination holding 1 or 2.
  SelectRows(page.Table(), {0, 1});
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("StatFilter_Include"));
  const int withOneOrTwo = FullCombsCount - static_cast<int>(CombCount(34, 5));
  EXPECT_EQ(ws.Combs().Count(), withOneOrTwo);
  ASSERT_EQ(ws.AppliedFilters().size(), 1u);
  EXPECT_EQ(ws.AppliedFilters()[0].Values, "1; 2");
  EXPECT_EQ(ws.AppliedFilters()[0].Count, withOneOrTwo);
  EXPECT_FALSE(ws.AppliedFilters()[0].Exclude);
  EXPECT_EQ(w.Page<TCombsPage>().Filters()->model()->rowCount(), 1);
  EXPECT_EQ(w.StatusText(spCombs), Q(StrFormat("Комбинаций: %d", withOneOrTwo)));
  // The method's caption shows whole in the applied-filters list.
  QTableView* filters = w.Page<TCombsPage>().Filters();
  EXPECT_GE(filters->columnWidth(0),
            filters->fontMetrics().horizontalAdvance(Q(ws.AppliedFilters()[0].Caption)));

  // Deleting 1 from those leaves the ones with 2 but without 1.
  SelectRows(page.Table(), {0});
  ASSERT_TRUE(w.Commands().Execute("StatFilter_Exclude"));
  EXPECT_EQ(ws.Combs().Count(), static_cast<int>(CombCount(34, 4)));
  for (int i = 0; i < ws.Combs().Count(); ++i) {
    const TComb& c = ws.Combs()[i];
    ASSERT_NE(c[0], 1);
    ASSERT_TRUE(std::find(c.begin(), c.end(), 2) != c.end());
  }
  EXPECT_EQ(ws.AppliedFilters().size(), 2u);
  EXPECT_TRUE(ws.AppliedFilters()[1].Exclude);

  ASSERT_TRUE(w.Commands().Execute("CombsUndo"));
  EXPECT_EQ(ws.Combs().Count(), withOneOrTwo);
  EXPECT_EQ(ws.AppliedFilters().size(), 1u);
}

TEST_F(TStatsPageTest, ComparisonShowsNormColumnsAndTheIdealLine) {
  WriteDraws(MakeDraws(30));
  TFormMain& w = Open();
  TWorkspace& ws = w.Workspace();
  TStatsPage& page = w.Page<TStatsPage>();
  SelectMethod(w, "NUMS");
  // Only the file of the method under test is built here; the others are stood in for.
  const int target = ws.StatList().FindByIdent("NUMS");
  ASSERT_TRUE(EnsureDir(PrefetchDir(dir_)));
  for (int i = 0; i < ws.StatList().Count(); ++i)
    if (i != target && ws.StatList().CanPrefetch(i)) WriteFileAtomic(ws.PrefetchPathOf(i), "");

  ASSERT_TRUE(w.Commands().Execute("DrawsStatePrefetchsEnabled"));
  EXPECT_TRUE(ws.WindowState().PrefetchsEnabled);
  EXPECT_TRUE(FileExists(ws.PrefetchPathOf(target)));
  const auto* m = page.Model();
  for (int col : {3, 4, 5}) {
    EXPECT_FALSE(page.Table()->isColumnHidden(col));
    EXPECT_EQ(page.Table()->columnWidth(col), 80);
  }
  // Every number is in the same share of combinations: the norm is (min + max) / 2.
  int minCount = 1 << 30, maxCount = 0;
  for (int r = 0; r < m->rowCount(); ++r) {
    minCount = std::min(minCount, Cell(m, r, 1).toInt());
    maxCount = std::max(maxCount, Cell(m, r, 1).toInt());
  }
  const int row = RowOfValue(m, QStringLiteral("7"));
  ASSERT_GE(row, 0);
  const int norm = Cell(m, row, 3).toInt();
  EXPECT_NEAR(norm, (minCount + maxCount) / 2.0, 0.5);
  EXPECT_EQ(Cell(m, row, 4).toInt(), Cell(m, row, 1).toInt() - norm);
  // The ideal line is drawn with the actual one.
  ASSERT_EQ(page.Chart()->series().size(), 2);
  QSet<QString> names;
  for (auto* s : page.Chart()->series()) names.insert(s->name());
  EXPECT_TRUE(names.contains(QStringLiteral("Все возможные комбинации")));

  ASSERT_TRUE(w.Commands().Execute("DrawsStatShowTotalLine"));
  EXPECT_FALSE(ws.WindowState().ShowTotalLine);
  EXPECT_EQ(page.Chart()->series().size(), 1);

  ASSERT_TRUE(w.Commands().Execute("DrawsStatePrefetchsEnabled"));
  EXPECT_TRUE(page.Table()->isColumnHidden(3));
  EXPECT_EQ(Cell(m, row, 3), QStringLiteral("-"));
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("DrawsStatShowTotalLine")->isEnabled());
}

TEST_F(TStatsPageTest, ResettingFavouritesAsksAndOffersEveryMethod) {
  WriteDraws(MakeDraws(10));
  TFormMain& w = Open();
  TWorkspace& ws = w.Workspace();
  ws.StatList().AllFavourite = false;
  for (int i = 1; i < ws.StatList().Count(); ++i) ws.StatList().Items(i).Favourite = false;
  ws.MethodBoxesRefill(true);
  w.Page<TStatsPage>().RefillMethodBox();
  const int few = w.Page<TStatsPage>().MethodBox()->count();

  answer = false;
  ASSERT_TRUE(w.Commands().Execute("FiltersReset"));
  EXPECT_EQ(shown.back().text, "Вы действительно хотите сбросить список избранных фильтров?");
  EXPECT_EQ(w.Page<TStatsPage>().MethodBox()->count(), few);
  answer = true;
  ASSERT_TRUE(w.Commands().Execute("FiltersReset"));
  EXPECT_GT(w.Page<TStatsPage>().MethodBox()->count(), few);
  EXPECT_TRUE(FileExists(ws.MethodListPath()));
}

}  // namespace
}  // namespace kvarn::test
