// The window's shell: every menu name known, keys that several commands share, the dialogs'
// captions, and a close request while a long operation runs.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "ui/draws_page.h"
#include "ui/form_config.h"
#include "ui/form_proxy.h"
#include "ui/stats_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

TEST_F(TUiTest, EveryMenuItemNamesAKnownCommand) {
  TFormMain& w = Open();
  EXPECT_TRUE(w.UnknownMenuCommands().empty()) << w.UnknownMenuCommands().front();
  EXPECT_EQ(w.menuBar()->actions().size(), 11);
}

// The texts of the items of every menu, sub-menus included, by their captions.
void CollectShortcuts(QMenu* menu, std::map<QString, QKeySequence>& out) {
  for (QAction* a : menu->actions()) {
    if (a->menu()) CollectShortcuts(a->menu(), out);
    if (!a->text().isEmpty()) out[menu->title() + QLatin1Char('/') + a->text()] = a->shortcut();
  }
}

TEST_F(TUiTest, EveryMenuItemShowsItsKeyEvenWhenShared) {
  TFormMain& w = Open();
  std::map<QString, QKeySequence> keys;
  for (QAction* a : w.menuBar()->actions()) CollectShortcuts(a->menu(), keys);
  auto key = [&](const char* item) { return keys[QString::fromUtf8(item)].toString(); };
  EXPECT_EQ(key("Статистика/Избранные статистики"), QStringLiteral("F7"));
  EXPECT_EQ(key("Статистика/Все доступные статистики"), QStringLiteral("Ctrl+F7"));
  EXPECT_EQ(key("Ставки/Сделать ставки для выделенных комбинаций"), QStringLiteral("Alt+F4"));
  EXPECT_EQ(key("Файл/Выход"), QStringLiteral("Alt+F4"));
  EXPECT_EQ(key("Сценарий/Открыть"), QStringLiteral("Ctrl+J"));
  EXPECT_EQ(key("Системы/Системная игра"), QStringLiteral("Ctrl+J"));
  EXPECT_EQ(key("Сценарий/Удалить"), QStringLiteral("Ctrl+Del"));
  EXPECT_EQ(key("Комбинации/Удалить выделенные"), QStringLiteral("Ctrl+Del"));
  // The editing of a scenario line names the Enter key and takes the main Return key too.
  EXPECT_EQ(key("Сценарий/Изменить"), QStringLiteral("Ctrl+Enter"));
  EXPECT_TRUE(w.Commands()
                  .Action("ScriptEdit")
                  ->shortcuts()
                  .contains(QKeySequence(Qt::ControlModifier | Qt::Key_Return)));
}

TEST_F(TUiTest, SharedKeyGoesToTheCommandOfTheFocus) {
  WriteDraws(MakeDraws(30));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  TStatsPage& stats = w.Page<TStatsPage>();
  w.RightTabs().setCurrentIndex(rtStats);
  stats.Table()->selectionModel()->select(stats.Model()->index(0, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Action("StatFilter_Exclude")->isEnabled());
  const QKeySequence ctrlF7(Qt::ControlModifier | Qt::Key_F7);

  // With a row selected but the focus in the draws list, Ctrl+F7 is the general command.
  QTableView* draws = w.Page<TDrawsPage>().List();
  draws->setFocus();
  EXPECT_EQ(w.SharedKeyCommand(ctrlF7, draws), "FiltersReset");
  answer = false;
  QTest::keyClick(draws, Qt::Key_F7, Qt::ControlModifier);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Вы действительно хотите сбросить список избранных фильтров?");
  EXPECT_EQ(w.Workspace().Combs().Count(), FullCombsCount);

  // On the statistics table the same key deletes the combinations of the selected row.
  shown.clear();
  stats.Table()->setFocus();
  EXPECT_EQ(w.SharedKeyCommand(ctrlF7, stats.Table()), "StatFilter_Exclude");
  QTest::keyClick(stats.Table(), Qt::Key_F7, Qt::ControlModifier);
  EXPECT_TRUE(shown.empty());
  EXPECT_LT(w.Workspace().Combs().Count(), FullCombsCount);
  EXPECT_EQ(w.Workspace().AppliedFilters().size(), 1u);

  // Without a selection the table's key falls back to the general command.
  stats.Table()->selectionModel()->clear();
  w.UpdateCommands();
  EXPECT_EQ(w.SharedKeyCommand(ctrlF7, stats.Table()), "FiltersReset");
  // Alt+F4 stakes only from the combination list; elsewhere it ends the program.
  EXPECT_EQ(w.SharedKeyCommand(QKeySequence(Qt::AltModifier | Qt::Key_F4), draws), "ExitProgram");
}

TEST_F(TUiTest, DialogsAnswerInRussian) {
  TFormMain& w = Open();
  auto check = [](QDialog& d) {
    auto* box = d.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
    EXPECT_EQ(box->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
    d.reject();
  };
  WithDialog<TFormConfig>([&] { w.Commands().Execute("EditConfig"); }, check);
  WithDialog<TFormProxy>([&] { w.Commands().Execute("EditProxy"); }, check);
}

TEST_F(TUiTest, CloseDuringALongOperationSaysWhyOrStopsIt) {
  TFormMain& w = Open();
  w.show();
  {
    TBusyGuard busy(w.Host());
    EXPECT_FALSE(w.close());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Внимание!");
    EXPECT_EQ(shown[0].text,
              "Программа будет доступна для закрытия после завершения выполняемой "
              "операции.\r\rДождитесь ее окончания.");
  }
  EXPECT_TRUE(w.isVisible());

  // An operation that can be stopped: No keeps it running, Yes stops it and the window closes
  // once it has ended.
  shown.clear();
  int stops = 0;
  {
    TBusyGuard busy(w.Host());
    w.SetRunningStop([&] { ++stops; });
    answer = false;
    EXPECT_FALSE(w.close());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].question);
    EXPECT_EQ(shown[0].text, "Прервать выполняемую операцию и закрыть программу?");
    EXPECT_EQ(stops, 0);
    answer = true;
    EXPECT_FALSE(w.close());
    EXPECT_EQ(stops, 1);
    w.SetRunningStop({});
  }
  QApplication::processEvents();
  EXPECT_FALSE(w.isVisible());
}

TEST_F(TUiTest, StatisticsModelKeepsTheModelContract) {
  gModelTestFailures = 0;
  WriteDraws(MakeDraws(40));
  TFormMain& w = Open();
  TStatsPage& page = w.Page<TStatsPage>();
  QAbstractItemModelTester tester(page.Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Warning);
  page.LenField()->setValue(20);
  page.Compute(true);
  page.Table()->selectionModel()->select(page.Model()->index(2, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
  page.ClickColumn(3);
  page.ClickColumn(3);
  page.MethodBox()->setCurrentIndex(page.MethodBox()->count() - 1);
  page.Compute(true);
  w.Workspace().SetDrawsOffset(39);
  page.Compute(true);
  EXPECT_EQ(gModelTestFailures, 0);
}

}  // namespace
}  // namespace kvarn::test
