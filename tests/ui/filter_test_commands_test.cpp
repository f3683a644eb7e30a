// "Проверить фильтр на истории" and "Подбор значений" driven through the real window: the menu,
// the question dialog's fields and buttons, the progress box's "Стоп", the result window.
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "stats/filter_report.h"
#include "ui/form_filter_ask.h"
#include "ui/form_filter_test.h"
#include "ui/stats_filter_tests.h"
#include "ui/stats_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

QAction* MenuItem(TFormMain& w, const QString& menu, const QString& item) {
  for (QAction* m : w.menuBar()->actions())
    if (m->text() == menu && m->menu())
      for (QAction* a : m->menu()->actions())
        if (a->text() == item) return a;
  return nullptr;
}

void Type(QSpinBox* field, const QString& text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, text);
}

void ClickOk(QDialog& d) {
  for (QPushButton* b : d.findChildren<QPushButton*>())
    if (b->text() == QStringLiteral("OK")) QTest::mouseClick(b, Qt::LeftButton);
}

class TFilterTestCommands : public TUiTest {
 protected:
  TFormMain& OpenOn(const char* ident) {
    WriteDraws(RandomArchive(160, 1000, 31));
    TFormMain& w = Open();
    TStatsPage& page = w.Page<TStatsPage>();
    page.LenField()->setValue(60);
    TWorkspace& ws = w.Workspace();
    const int entry = ws.StatEntryOf(ident);
    const auto& lines = ws.MethodBoxes().Stat;
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].Entry == entry) page.MethodBox()->setCurrentIndex(static_cast<int>(i));
    w.Commands().Execute("DrawsStatCalc");
    return w;
  }
  // Selects the table rows whose value is one of `values`.
  static void SelectValues(TStatsPage& page, const std::vector<QString>& values) {
    QTableView* t = page.Table();
    t->selectionModel()->clear();
    for (int r = 0; r < t->model()->rowCount(); ++r)
      for (const QString& v : values)
        if (t->model()->index(r, 0).data().toString() == v)
          t->selectionModel()->select(t->model()->index(r, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
};

TEST_F(TFilterTestCommands, TestOfTheSelectedRowsShowsTheEnginesFigures) {
  TFormMain& w = OpenOn("NUMS");
  TStatsPage& page = w.Page<TStatsPage>();
  QAction* item =
      MenuItem(w, QStringLiteral("Статистика"), QStringLiteral("Проверить фильтр на истории"));
  ASSERT_NE(item, nullptr);
  w.UpdateCommands();
  EXPECT_FALSE(item->isEnabled()) << "no row selected";
  SelectValues(page, {QStringLiteral("7"), QStringLiteral("30")});
  EXPECT_TRUE(item->isEnabled());

  WithDialog<TFormFilterAsk>([&] { item->trigger(); },
                             [&](TFormFilterAsk& d) {
                               EXPECT_EQ(d.DrawsField()->value(), 100);
                               Type(d.DrawsField(), QStringLiteral("40"));
                               // On the round mark: the button's middle may lie past its text.
                               QTest::mouseClick(d.DeleteButton(), Qt::LeftButton, {},
                                                 QPoint(6, d.DeleteButton()->height() / 2));
                               EXPECT_TRUE(d.DeleteButton()->isChecked());
                               ClickOk(d);
                             });
  TFormFilterTest* result = page.FilterTests()->LastResult();
  ASSERT_NE(result, nullptr);
  EXPECT_TRUE(result->isVisible());

  // The same run through the engine gives the same figures.
  TWorkspace& ws = w.Workspace();
  const TFilterTestResult r = ws.FilterTest(ws.StatEntryOf("NUMS"), {"7", "30"}, true, 60, 40);
  const std::vector<TFigureRow> rows = FilterTestFigures(r.Summary);
  ASSERT_EQ(result->Figures()->rowCount(), static_cast<int>(rows.size()));
  for (int i = 0; i < result->Figures()->rowCount(); ++i)
    EXPECT_EQ(S(result->Figures()->item(i, 1)->text()), rows[static_cast<size_t>(i)].Values[0]);
  EXPECT_EQ(S(result->Verdict()->text()), FilterTestVerdict(r.Summary));
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(w.Host().BusyCount(), 0);
}

TEST_F(TFilterTestCommands, StopEndsTheRunAndTheWindowSaysSo) {
  TFormMain& w = OpenOn("SUMS");
  TStatsPage& page = w.Page<TStatsPage>();
  SelectValues(page, {QStringLiteral("100"), QStringLiteral("101")});
  bool clicked = false;
  WithDialog<TFormFilterAsk>(
      [&] { w.Commands().Execute("StatFilterTest"); },
      [&](TFormFilterAsk& d) {
        // The first paint of the run presses "Стоп".
        QTimer::singleShot(0, [&] {
          auto* p = w.findChild<QProgressDialog*>(QStringLiteral("FilterTestProgress"));
          ASSERT_NE(p, nullptr);
          for (QPushButton* b : p->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Стоп")) {
              QTest::mouseClick(b, Qt::LeftButton);
              clicked = true;
            }
        });
        ClickOk(d);
      });
  EXPECT_TRUE(clicked);
  TFormFilterTest* result = page.FilterTests()->LastResult();
  ASSERT_NE(result, nullptr);
  const QString about = result->findChild<QLabel*>(QStringLiteral("SubjectLabel"))->text();
  EXPECT_TRUE(about.contains(QStringLiteral("Проверка остановлена; проверено тиражей: 1 из 100.")))
      << S(about);
  EXPECT_FALSE(w.Workspace().FilterTestRunning());
  EXPECT_EQ(w.Host().BusyCount(), 0);
}

TEST_F(TFilterTestCommands, ValueSearchAsksTheBudgetAndShowsBothHalves) {
  TFormMain& w = OpenOn("SUMS");
  TStatsPage& page = w.Page<TStatsPage>();
  QAction* item = MenuItem(w, QStringLiteral("Статистика"), QStringLiteral("Подбор значений"));
  ASSERT_NE(item, nullptr);
  w.UpdateCommands();
  ASSERT_TRUE(item->isEnabled());
  WithDialog<TFormFilterAsk>([&] { item->trigger(); },
                             [&](TFormFilterAsk& d) {
                               EXPECT_EQ(d.DeleteButton(), nullptr);
                               Type(d.DrawsField(), QStringLiteral("80"));
                               Type(d.BudgetField(), QStringLiteral("25000"));
                               ClickOk(d);
                             });
  TFormFilterTest* result = page.FilterTests()->LastResult();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->windowTitle(), QStringLiteral("Подбор значений"));
  ASSERT_EQ(result->Figures()->columnCount(), 3);
  EXPECT_TRUE(result->Figures()->item(0, 1)->text().startsWith(QStringLiteral("40 (№ 1080–1119)")));
  EXPECT_TRUE(result->Figures()->item(0, 2)->text().startsWith(QStringLiteral("40 (№ 1120–1159)")));
  if (const char* dir = std::getenv("KVARN_SCREENSHOT_DIR")) {
    QApplication::processEvents();
    result->grab().save(QString::fromUtf8(dir) + QStringLiteral("/search_from_window.png"));
  }
}

}  // namespace
}  // namespace kvarn::test
