// The window comes back as it was closed: placement, panel and splitter sizes and the columns of
// every list; and the lists go to spreadsheets through the save dialog and the progress window.
#include <QFileDialog>
#include <QHeaderView>
#include <QProgressDialog>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "common/xlsx_read.h"
#include "core/files.h"
#include "ui/combs_page.h"
#include "ui/draws_page.h"
#include "ui/stats_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

struct TLayout {
  QRect geometry;
  QList<int> main, filters, stats;
  std::vector<int> drawsColumns, combsColumns, filterColumns, statColumns;
  bool operator==(const TLayout&) const = default;
};

std::vector<int> Widths(const QTableView* v) {
  std::vector<int> w;
  for (int i = 0; i < v->horizontalHeader()->count(); ++i) w.push_back(v->columnWidth(i));
  return w;
}

TLayout LayoutOf(TFormMain& w) {
  TLayout l;
  l.geometry = w.geometry();
  l.main = w.findChild<QSplitter*>(QStringLiteral("splitter"))->sizes();
  l.filters = w.Page<TCombsPage>().findChild<QSplitter*>()->sizes();
  l.stats = w.Page<TStatsPage>().findChild<QSplitter*>(QStringLiteral("spDrawsStat"))->sizes();
  l.drawsColumns = Widths(w.Page<TDrawsPage>().List());
  const auto views = w.Page<TCombsPage>().findChildren<QTableView*>();
  l.filterColumns = Widths(views.value(0));
  l.combsColumns = Widths(views.value(1));
  l.statColumns = Widths(w.Page<TStatsPage>().Table());
  return l;
}

void PrintTo(const TLayout& l, std::ostream* os) {
  auto list = [os](const char* name, const auto& v) {
    *os << name << ":";
    for (int x : v) *os << ' ' << x;
    *os << "; ";
  };
  *os << "geometry " << l.geometry.x() << ',' << l.geometry.y() << ' ' << l.geometry.width() << 'x'
      << l.geometry.height() << "; ";
  list("main", l.main);
  list("filters", l.filters);
  list("stats", l.stats);
  list("draws", l.drawsColumns);
  list("combs", l.combsColumns);
  list("filter columns", l.filterColumns);
  list("stat columns", l.statColumns);
}

TEST_F(TUiTest, WindowPlacementPanelsAndListLayoutsComeBackExactly) {
  WriteDraws(MakeDraws(40));
  TLayout changed;
  {
    TFormMain& w = Open();
    ASSERT_TRUE(ShowActive(w));
    w.setGeometry(40, 50, 1180, 760);
    QTest::qWait(20);
    w.findChild<QSplitter*>(QStringLiteral("splitter"))->setSizes({380, 800});
    w.LeftTabs().setCurrentIndex(1);
    w.Page<TCombsPage>().findChild<QSplitter*>()->setSizes({420, 190});
    w.Page<TStatsPage>().findChild<QSplitter*>(QStringLiteral("spDrawsStat"))->setSizes({430, 230});
    w.Page<TDrawsPage>().List()->setColumnWidth(8, 131);
    w.Page<TDrawsPage>().List()->setColumnWidth(0, 61);
    // The applied filters stretch their last column: the first can only take room from it.
    w.Page<TCombsPage>().findChildren<QTableView*>().value(0)->setColumnWidth(0, 200);
    w.Page<TCombsPage>().findChildren<QTableView*>().value(1)->setColumnWidth(0, 81);
    w.Page<TStatsPage>().Table()->setColumnWidth(0, 166);
    w.Page<TStatsPage>().Table()->setColumnWidth(5, 93);
    QTest::qWait(20);
    changed = LayoutOf(w);
    Close(w);
  }
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.LeftTabs().setCurrentIndex(1);
  QTest::qWait(20);
  EXPECT_EQ(LayoutOf(w), changed);
}

TEST_F(TUiTest, MaximisedWindowReopensMaximisedWithItsNormalPlaceKept) {
  QRect normal;
  {
    TFormMain& w = Open();
    ASSERT_TRUE(ShowActive(w));
    w.setGeometry(30, 40, 900, 640);
    QTest::qWait(20);
    normal = w.geometry();
    w.showMaximized();
    QTest::qWait(20);
    Close(w);
  }
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  EXPECT_TRUE(w.isMaximized());
  EXPECT_EQ(w.normalGeometry(), normal);
}

TEST_F(TUiTest, ListsGoToSpreadsheetsThroughTheSaveDialog) {
  WriteDraws(MakeDraws(12));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.UpdateCommands();
  const std::string drawsFile = PathJoin(dir_, "Архив.xlsx");
  WithDialog<QFileDialog>([&] { w.Commands().Execute("DrawsXlsExport"); },
                          [&](QFileDialog& d) {
                            EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
                            EXPECT_EQ(d.defaultSuffix(), QStringLiteral("xlsx"));
                            d.selectFile(Q(PathJoin(dir_, "Архив")));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  auto x = ReadXlsx(drawsFile);
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Rows, 13);
  EXPECT_EQ(x.Cells.at("A2").Value, "1011");

  // The statistics table as shown, in the folder of the last export.
  w.Page<TStatsPage>().Compute(true);
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Action("DrawsStatExportToExcel")->isEnabled());
  WithDialog<QFileDialog>([&] { w.Commands().Execute("DrawsStatExportToExcel"); },
                          [&](QFileDialog& d) {
                            EXPECT_EQ(d.directory().absolutePath(), Q(dir_));
                            d.selectFile(Q(PathJoin(dir_, "stat.xlsx")));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  x = ReadXlsx(PathJoin(dir_, "stat.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Rows, 1 + w.Page<TStatsPage>().Model()->rowCount());
  EXPECT_EQ(S(x.Cells.at("A2").Value.empty() ? QString() : Q(x.Cells.at("A2").Value)),
            S(w.Page<TStatsPage>().Model()->index(0, 0).data().toString()));

  // The stakes grid, once it has a row.
  EXPECT_FALSE(w.Commands().Action("StakesXlsExport")->isEnabled());
  ASSERT_TRUE(w.Workspace().StakeAdd(w.Workspace().StakePrepare(0), 1));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Action("StakesXlsExport")->isEnabled());
  WithDialog<QFileDialog>([&] { w.Commands().Execute("StakesXlsExport"); },
                          [&](QFileDialog& d) {
                            d.selectFile(Q(PathJoin(dir_, "stakes.xlsx")));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  x = ReadXlsx(PathJoin(dir_, "stakes.xlsx"));
  ASSERT_TRUE(x.Ok) << x.Output;
  EXPECT_EQ(x.Name, "Ставки");
  EXPECT_EQ(x.Rows, 2);
  EXPECT_EQ(x.Cells.at("C2").Value, "1;2;3;4;5");

  // The full combination list: "Отмена" in the progress window stops it and writes nothing.
  ASSERT_EQ(w.Workspace().Combs().Count(), FullCombsCount);
  QTimer cancel;
  cancel.setInterval(50);
  bool cancelled = false;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* p = top->findChild<QProgressDialog*>(QStringLiteral("ExportProgress"));
          p && p->isVisible() && !cancelled) {
        cancelled = true;
        p->cancel();
      }
  });
  cancel.start();
  WithDialog<QFileDialog>([&] { w.Commands().Execute("CombsXlsExport"); },
                          [&](QFileDialog& d) {
                            d.selectFile(Q(PathJoin(dir_, "combs.xlsx")));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  cancel.stop();
  EXPECT_TRUE(cancelled);
  EXPECT_FALSE(FileExists(PathJoin(dir_, "combs.xlsx")));
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(w.Host().BusyCount(), 0);
}

}  // namespace
}  // namespace kvarn::test
