// The main window over a real data directory: start-up, status texts, the draws and
// combination commands, the single-instance guard and the stored view switches.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <set>

#include "combs/combs.h"
#include "core/config.h"
#include "core/files.h"
#include "ui/combs_page.h"
#include "ui/draws_page.h"
#include "ui/form_draw.h"
#include "ui/form_gen_combs.h"
#include "ui/form_wait.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

QString Cell(const QAbstractItemModel* m, int row, int col) {
  return m->data(m->index(row, col), Qt::DisplayRole).toString();
}

TEST_F(TUiTest, StartUpFillsListsAndStatusPanels) {
  WriteDraws(MakeDraws(100));
  TFormMain& w = Open();
  EXPECT_EQ(w.StatusText(spDraws), QStringLiteral("Архив тиражей: 100"));
  EXPECT_EQ(w.StatusText(spNextDraw), QStringLiteral("Следующий тираж: 1100"));
  EXPECT_EQ(w.StatusText(spResult), QString());
  EXPECT_EQ(w.StatusText(spCombs), QStringLiteral("Комбинаций: 376992"));
  EXPECT_EQ(w.StatusText(spStakes), QStringLiteral("Ставок: 0"));
  EXPECT_EQ(w.StatusText(spRating), QStringLiteral("Рейтинг: 0"));
  EXPECT_TRUE(shown.empty()) << Texts().front();

  // Newest first, and the combination list in lexicographic order with its sums.
  const auto* draws = w.Page<TDrawsPage>().Model();
  EXPECT_EQ(draws->rowCount(), 100);
  EXPECT_EQ(Cell(draws, 0, 0), QStringLiteral("1099"));
  EXPECT_EQ(Cell(draws, 99, 0), QStringLiteral("1000"));
  EXPECT_EQ(Cell(draws, 0, 8), QStringLiteral("01.02.2020 21:00"));
  const auto* combs = w.Page<TCombsPage>().Model();
  EXPECT_EQ(combs->rowCount(), FullCombsCount);
  EXPECT_EQ(Cell(combs, 0, 0), QStringLiteral("1"));
  EXPECT_EQ(Cell(combs, FullCombsCount - 1, 6), QStringLiteral("170"));
  EXPECT_EQ(w.RightTabs().count(), rtCount);
  EXPECT_EQ(w.RightTabs().tabText(rtScript), QStringLiteral("Сценарий"));
}

TEST_F(TUiTest, ListModelsKeepTheModelContractThroughChanges) {
  gModelTestFailures = 0;
  WriteDraws(MakeDraws(20));
  TFormMain& w = Open();
  QAbstractItemModelTester draws(w.Page<TDrawsPage>().Model(),
                                 QAbstractItemModelTester::FailureReportingMode::Warning);
  QAbstractItemModelTester filters(w.Page<TCombsPage>().Filters()->model(),
                                   QAbstractItemModelTester::FailureReportingMode::Warning);
  QApplication::clipboard()->setText(QStringLiteral("1 2 3 4 5\n6 7 8 9 10\n11 12 13 14 15"));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsPaste"));
  // The tester walks every cell: the list is small now.
  QAbstractItemModelTester combs(w.Page<TCombsPage>().Model(),
                                 QAbstractItemModelTester::FailureReportingMode::Warning);
  w.Page<TCombsPage>().List()->selectionModel()->select(
      w.Page<TCombsPage>().Model()->index(1, 0),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsDelSelected"));
  EXPECT_EQ(Cell(w.Page<TCombsPage>().Model(), 1, 1), QStringLiteral("11"));
  EXPECT_EQ(Cell(w.Page<TCombsPage>().Model(), 1, 0), QStringLiteral("2"));
  EXPECT_EQ(Cell(w.Page<TCombsPage>().Filters()->model(), 0, 1), QStringLiteral("1"));
  EXPECT_EQ(Cell(w.Page<TCombsPage>().Filters()->model(), 0, 2), QStringLiteral("2"));
  w.Page<TDrawsPage>().OffsetField()->setValue(5);
  ASSERT_TRUE(w.Commands().Execute("DrawsSorted"));
  // Sorted for display only: the row shows the numbers ascending.
  const auto* m = w.Page<TDrawsPage>().Model();
  for (int c = 1; c < 5; ++c) EXPECT_LT(Cell(m, 0, c).toInt(), Cell(m, 0, c + 1).toInt());
  EXPECT_EQ(gModelTestFailures, 0);
}

TEST_F(TUiTest, EmptyDirectoryStartsWithEmptyArchive) {
  TFormMain& w = Open();
  EXPECT_EQ(w.StatusText(spDraws), QStringLiteral("Архив тиражей: 0"));
  EXPECT_EQ(w.StatusText(spNextDraw), QStringLiteral("Следующий тираж: 1"));
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("DrawsDel")->isEnabled());
  EXPECT_FALSE(w.Commands().Action("CombsDelExists")->isEnabled());
  EXPECT_TRUE(w.Commands().Action("DrawsAdd")->isEnabled());
}

TEST_F(TUiTest, OffsetFieldMovesTheAnalysisPoint) {
  WriteDraws(MakeDraws(100));
  TFormMain& w = Open();
  w.Page<TDrawsPage>().OffsetField()->setValue(3);
  EXPECT_EQ(w.Workspace().DrawsOffset(), 3);
  EXPECT_EQ(w.StatusText(spNextDraw), QStringLiteral("Следующий тираж: 1097"));
  EXPECT_EQ(w.StatusText(spResult), Q(DrawsOffsetResult(w.Workspace().Draws(), 3)));
  EXPECT_FALSE(w.StatusText(spResult).isEmpty());
  // The offset row is the one painted in the offset colour.
  const auto* m = w.Page<TDrawsPage>().Model();
  EXPECT_EQ(m->data(m->index(3, 0), Qt::BackgroundRole).value<QColor>(), QColor(255, 170, 170));
  EXPECT_NE(m->data(m->index(2, 0), Qt::BackgroundRole).value<QColor>(), QColor(255, 170, 170));
  EXPECT_EQ(w.Page<TDrawsPage>().OffsetField()->maximum(), 99);
}

TEST_F(TUiTest, AddingADrawThroughTheDialog) {
  WriteDraws(MakeDraws(10));
  TFormMain& w = Open();
  WithDialog<TFormDraw>([&] { w.Commands().Execute("DrawsAdd"); },
                        [&](TFormDraw& d) {
                          EXPECT_EQ(d.NumberField()->value(), 1010);
                          // Invalid input keeps the dialog open with the error shown.
                          d.NumbersField()->setText(QStringLiteral("1;2;3;4;4;1"));
                          d.accept();
                          EXPECT_TRUE(d.isVisible());
                          ASSERT_EQ(shown.size(), 1u);
                          EXPECT_EQ(shown[0].text, "Введена некорректная комбинация!");
                          EXPECT_EQ(shown[0].caption, "Ошибка");
                          d.NumbersField()->setText(QStringLiteral("5,1,3,2,4,4"));
                          d.DateField()->setDate(QDate(2024, 3, 9));
                          d.TimeField()->setTime(QTime(22, 30));
                          d.accept();
                        });
  EXPECT_EQ(w.StatusText(spDraws), QStringLiteral("Архив тиражей: 11"));
  EXPECT_EQ(Cell(w.Page<TDrawsPage>().Model(), 0, 0), QStringLiteral("1010"));
  TDrawsArray onDisk;
  DrawsReadFile(PathJoin(dir_, DrawsFileName), onDisk);
  ASSERT_EQ(onDisk.size(), 11u);
  EXPECT_EQ(onDisk.back().Number, 1010);
  EXPECT_EQ(onDisk.back().Values, (TComb{5, 1, 3, 2, 4}));
  EXPECT_EQ(onDisk.back().Extra, 4);
  EXPECT_EQ(onDisk.back().DateText, "09.03.2024 22:30");
}

TEST_F(TUiTest, CancelledDialogChangesNothing) {
  WriteDraws(MakeDraws(5));
  TFormMain& w = Open();
  w.Page<TDrawsPage>().List()->setCurrentIndex(w.Page<TDrawsPage>().Model()->index(1, 0));
  WithDialog<TFormDraw>([&] { w.Commands().Execute("DrawsEdit"); },
                        [&](TFormDraw& d) {
                          EXPECT_EQ(d.NumberField()->value(), 1003);
                          d.NumbersField()->setText(QStringLiteral("1;2;3;4;5;1"));
                          d.reject();
                        });
  TDrawsArray onDisk;
  DrawsReadFile(PathJoin(dir_, DrawsFileName), onDisk);
  EXPECT_EQ(onDisk[3].Values, MakeDraws(5)[3].Values);
}

TEST_F(TUiTest, TheDrawDialogKeepsADateItCannotShowAndOffersNoEarlierDay) {
  TDrawsArray draws = MakeDraws(5);
  draws.back().DateText = "01.01.1800 10:00";
  WriteDraws(draws);
  TFormMain& w = Open();
  w.Page<TDrawsPage>().List()->setCurrentIndex(w.Page<TDrawsPage>().Model()->index(0, 0));
  WithDialog<TFormDraw>([&] { w.Commands().Execute("DrawsEdit"); },
                        [&](TFormDraw& d) {
                          EXPECT_EQ(d.DateField()->minimumDate(), QDate(1899, 12, 30));
                          d.NumbersField()->setText(QStringLiteral("1;2;3;4;5;1"));
                          d.accept();
                        });
  TDrawsArray onDisk;
  DrawsReadFile(PathJoin(dir_, DrawsFileName), onDisk);
  ASSERT_EQ(onDisk.size(), 5u);
  EXPECT_EQ(onDisk.back().Values, (TComb{1, 2, 3, 4, 5}));
  EXPECT_EQ(onDisk.back().DateText, "01.01.1800 10:00");

  // A date the person picks replaces it.
  w.Page<TDrawsPage>().List()->setCurrentIndex(w.Page<TDrawsPage>().Model()->index(0, 0));
  WithDialog<TFormDraw>([&] { w.Commands().Execute("DrawsEdit"); },
                        [&](TFormDraw& d) {
                          d.DateField()->setDate(QDate(2024, 3, 9));
                          d.TimeField()->setTime(QTime(22, 30));
                          d.accept();
                        });
  onDisk.clear();
  DrawsReadFile(PathJoin(dir_, DrawsFileName), onDisk);
  EXPECT_EQ(onDisk.back().DateText, "09.03.2024 22:30");
}

TEST_F(TUiTest, DeletingSelectedDrawsAsksWithNoAsDefault) {
  WriteDraws(MakeDraws(10));
  TFormMain& w = Open();
  QTableView* list = w.Page<TDrawsPage>().List();
  auto* m = w.Page<TDrawsPage>().Model();
  list->selectionModel()->select(m->index(0, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  list->selectionModel()->select(m->index(4, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  answer = false;
  EXPECT_TRUE(w.Commands().Execute("DrawsDel"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].question);
  EXPECT_TRUE(shown[0].defaultNo);
  EXPECT_EQ(shown[0].caption, "Предупреждение");
  EXPECT_EQ(shown[0].text, "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_EQ(w.Workspace().DrawsCount(), 10);
  answer = true;
  w.UpdateCommands();
  EXPECT_TRUE(w.Commands().Execute("DrawsDel"));
  EXPECT_EQ(w.Workspace().DrawsCount(), 8);
  // Rows 0 and 4 were the draws 1009 and 1005.
  EXPECT_EQ(w.Workspace().DrawsFindNumber(1009), -1);
  EXPECT_EQ(w.Workspace().DrawsFindNumber(1005), -1);
  EXPECT_NE(w.Workspace().DrawsFindNumber(1008), -1);
  EXPECT_EQ(w.StatusText(spDraws), QStringLiteral("Архив тиражей: 8"));
}

TEST_F(TUiTest, GeneratingWithMyNumbers) {
  TFormMain& w = Open();
  WithDialog<TFormGenCombs>([&] { w.Commands().Execute("CombsGen"); },
                            [&](TFormGenCombs& d) {
                              EXPECT_EQ(d.ModeBox()->currentIndex(), 0);
                              EXPECT_FALSE(d.ParamEdit()->isEnabled());
                              d.ModeBox()->setCurrentIndex(gmAnyMine);
                              EXPECT_TRUE(d.ParamEdit()->isEnabled());
                              d.ParamEdit()->setText(QStringLiteral("36"));
                              d.accept();
                            });
  EXPECT_EQ(w.Workspace().Combs().Count(), 52360);
  EXPECT_EQ(w.Page<TCombsPage>().Model()->rowCount(), 52360);
  EXPECT_EQ(w.StatusText(spCombs), QStringLiteral("Комбинаций: 52360"));
  // Not kept as the default: the stored parameters stay the full list.
  EXPECT_EQ(w.GenerateParameters().Mode, 0);

  WithDialog<TFormGenCombs>([&] { w.Commands().Execute("CombsGen"); },
                            [&](TFormGenCombs& d) {
                              EXPECT_FALSE(d.SaveBox()->isChecked());
                              d.ModeBox()->setCurrentIndex(gmOnlyMine);
                              d.ParamEdit()->setText(QStringLiteral("1;2;3;4;5;6"));
                              d.SaveBox()->setChecked(true);
                              d.accept();
                            });
  EXPECT_EQ(w.Workspace().Combs().Count(), 6);
  TConfigFile cfg;
  ConfigLoad(PathJoin(dir_, ConfigFileName), cfg);
  EXPECT_EQ(cfg.Generate.Mode, gmOnlyMine);
  EXPECT_EQ(cfg.Generate.Parameters, "1;2;3;4;5;6");
}

TEST_F(TUiTest, PasteOfABadLineKeepsTheList) {
  TFormMain& w = Open();
  QApplication::clipboard()->setText(QStringLiteral("1 2 3 4 5\n1 2 3 4 5 6\n"));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsPaste"));
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0].caption, "Ошибка");
  EXPECT_EQ(shown[0].text, "Некорректная комбинация: \"1 2 3 4 5 6\"!");
  EXPECT_EQ(w.Workspace().Combs().Count(), FullCombsCount);
  EXPECT_EQ(w.Page<TCombsPage>().Model()->rowCount(), FullCombsCount);

  shown.clear();
  QApplication::clipboard()->setText(QStringLiteral("01 02 03 04 05\r\n7,8,9,10,11"));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsPaste"));
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(w.Page<TCombsPage>().Model()->rowCount(), 2);
  EXPECT_EQ(w.StatusText(spCombs), QStringLiteral("Комбинаций: 2"));
}

TEST_F(TUiTest, SelectAllDeleteAndUndoOnTheFullList) {
  TFormMain& w = Open();
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsSelectAll"));
  EXPECT_EQ(w.Page<TCombsPage>().SelectedRows().size(), static_cast<size_t>(FullCombsCount));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsDelSelected"));
  EXPECT_EQ(w.Page<TCombsPage>().Model()->rowCount(), 0);
  ASSERT_EQ(w.Workspace().AppliedFilters().size(), 1u);
  EXPECT_EQ(w.Page<TCombsPage>().Filters()->model()->rowCount(), 1);
  EXPECT_EQ(Cell(w.Page<TCombsPage>().Filters()->model(), 0, 0),
            QStringLiteral("Выделенные комбинации"));
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("CombsDelSelected")->isEnabled());
  ASSERT_TRUE(w.Commands().Execute("CombsUndo"));
  EXPECT_EQ(w.Page<TCombsPage>().Model()->rowCount(), FullCombsCount);
  EXPECT_EQ(w.Page<TCombsPage>().Filters()->model()->rowCount(), 0);
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("CombsUndo")->isEnabled());
}

TEST_F(TUiTest, ExcludingTheLastDraws) {
  TDrawsArray draws = MakeDraws(3);
  for (auto& d : draws) SortComb(d.Values);
  WriteDraws(draws);
  TFormMain& w = Open();
  // Enter in the field runs the exclusion.
  QSpinBox* field = w.Page<TCombsPage>().ExcludeField();
  field->selectAll();
  QTest::keyClicks(field, QStringLiteral("2"));
  w.UpdateCommands();
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(w.Workspace().Combs().Count(), FullCombsCount - 2);
  ASSERT_EQ(w.Workspace().AppliedFilters().size(), 1u);
  EXPECT_EQ(w.Workspace().AppliedFilters()[0].Caption, "Последние тиражи");
}

TEST_F(TUiTest, SecondInstanceOnTheSameDirectoryIsRefused) {
  bool first = false, second = true;
  Open(&first);
  ASSERT_TRUE(first);
  TFormMain& w2 = Open(&second);
  EXPECT_FALSE(second);
  ASSERT_EQ(shown.size(), 2u);
  // The first window holds the data directory: the second names it and ends.
  EXPECT_EQ(shown[0].text.rfind(
                StrFormat("Каталог данных \"%s\" занят работающей программой", dir_.c_str()), 0),
            0u)
      << shown[0].text;
  EXPECT_EQ(shown[1].text.rfind("Невозможно получить монопольный доступ к файлам данных!", 0), 0u);
  // Nothing was loaded by the refused instance, and it leaves the files alone.
  EXPECT_EQ(w2.Workspace().Combs().Count(), 0);
  std::string state = ReadWholeFile(PathJoin(dir_, WindowStateFileName));
  Close(w2);
  EXPECT_EQ(ReadWholeFile(PathJoin(dir_, WindowStateFileName)), state);
}

TEST_F(TUiTest, LoadOnlyEndsTheProgramAfterTheDownload) {
  WriteDraws(MakeDraws(4));
  bool running = true;
  TStartSwitches loadOnly;
  loadOnly.loadOnly = true;
  TFormMain& w = Open(&running, loadOnly);
  EXPECT_FALSE(running);
  // The download ran (and failed for want of a web archive address) after the draws were
  // loaded.
  EXPECT_EQ(w.Workspace().DrawsCount(), 4);
  EXPECT_FALSE(shown.empty());
}

TEST_F(TUiTest, NormalStartAsksForTheDownloadWhenSetToAsk) {
  WindowStateWriteInt(PathJoin(dir_, WindowStateFileName), "DownloadDrawsOnStart", 0);
  answer = false;
  bool running = false;
  Open(&running);
  EXPECT_TRUE(running);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].question);
  EXPECT_EQ(shown[0].caption, "Подтверждение");
  EXPECT_EQ(shown[0].text.rfind("Обновить список тиражей?", 0), 0u);
}

TEST_F(TUiTest, ViewSwitchesSurviveARestart) {
  {
    TFormMain& w = Open();
    w.UpdateCommands();
    EXPECT_TRUE(w.Commands().Action("TabCard")->isChecked());
    EXPECT_TRUE(w.RightTabs().isTabVisible(rtCard));
    ASSERT_TRUE(w.Commands().Execute("TabCard"));
    EXPECT_FALSE(w.RightTabs().isTabVisible(rtCard));
    ASSERT_TRUE(w.Commands().Execute("ViewColorDraws"));
    ASSERT_TRUE(w.Commands().Execute("DrawsSorted"));
    ASSERT_TRUE(w.Commands().Execute("RatingsEffMode2"));
    // Written at once, before the window closes.
    EXPECT_EQ(WindowStateReadInt(PathJoin(dir_, WindowStateFileName), "TabCard", 1), 0);
    Close(w);
  }
  TFormMain& w = Open();
  w.UpdateCommands();
  EXPECT_FALSE(w.RightTabs().isTabVisible(rtCard));
  EXPECT_FALSE(w.Commands().Action("TabCard")->isChecked());
  EXPECT_FALSE(w.Commands().Action("ViewColorDraws")->isChecked());
  EXPECT_TRUE(w.Commands().Action("DrawsSorted")->isChecked());
  EXPECT_TRUE(w.Commands().Action("RatingsEffMode2")->isChecked());
  EXPECT_FALSE(w.Commands().Action("RatingsEffMode1")->isChecked());
  ASSERT_TRUE(w.Commands().Execute("TabCard"));
  EXPECT_TRUE(w.RightTabs().isTabVisible(rtCard));
  EXPECT_EQ(w.RightTabs().currentIndex(), rtCard);
}

TEST_F(TUiTest, LayoutIsWrittenWhenTheWindowCloses) {
  {
    TFormMain& w = Open();
    w.Page<TCombsPage>().ExcludeField()->setValue(7);
    w.Page<TDrawsPage>().List()->setColumnWidth(8, 140);
    Close(w);
  }
  std::string path = PathJoin(dir_, WindowStateFileName);
  EXPECT_EQ(WindowStateReadInt(path, "DrawsExclude", 0), 7);
  EXPECT_EQ(WindowStateReadString(path, "lvDraws.Column8", "").substr(0, 4), "140,");
  TFormMain& w = Open();
  EXPECT_EQ(w.Page<TCombsPage>().ExcludeField()->value(), 7);
  EXPECT_EQ(w.Page<TDrawsPage>().List()->columnWidth(8), 140);
}

TEST_F(TUiTest, BusyStateDisablesEveryCommandButTheStop) {
  TFormMain& w = Open();
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Action("CombsGen")->isEnabled());
  {
    TBusyGuard busy(w.Host());
    w.UpdateCommands();
    for (const std::string& n : w.Commands().Names()) {
      if (n != "ScriptStop") {
        EXPECT_FALSE(w.Commands().Action(n)->isEnabled()) << n;
      }
    }
    EXPECT_FALSE(w.Commands().Execute("CombsSelectAll"));
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    // The window does not go away under a running operation.
    EXPECT_FALSE(w.close());
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(w.Commands().Action("CombsGen")->isEnabled());
}

TEST_F(TUiTest, EveryMenuCommandExistsWithItsCategory) {
  TFormMain& w = Open();
  std::set<std::string> names;
  for (const auto& d : MainCommandTable()) {
    EXPECT_TRUE(names.insert(d.name).second) << "duplicate " << d.name;
    QAction* a = w.Commands().Action(d.name);
    ASSERT_NE(a, nullptr) << d.name;
    EXPECT_EQ(a->property("category").toString(), QString::fromUtf8(d.category));
    // Every shortcut text of the table is one the toolkit understands.
    if (*d.shortcut) {
      QKeySequence key(QString::fromUtf8(d.shortcut));
      EXPECT_EQ(key.count(), 1) << d.name;
      EXPECT_NE(key[0].key(), Qt::Key_unknown) << d.name;
    }
  }
  EXPECT_EQ(w.Commands().Action("CombsGen")->shortcut(), QKeySequence(QStringLiteral("F2")));
  EXPECT_EQ(w.Commands().Action("StakeClear")->shortcut(),
            QKeySequence(QStringLiteral("Ctrl+Shift+Del")));
  // Commands whose engine is not there yet exist and stay disabled.
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("ScriptRun")->isEnabled());
}

TEST_F(TUiTest, DownloadShowsTheWaitWindowAndHidesItAfterAFailure) {
  WriteDraws(MakeDraws(3));
  TFormMain& w = Open();
  // Nothing listens on port 1: the connection is refused at once.
  w.Workspace().Settings().Download.Host = "http://127.0.0.1:1";
  std::vector<std::string> waits;
  auto show = w.Workspace().OnDownloadWaitText;
  w.Workspace().OnDownloadWaitText = [&](const std::string& text) {
    waits.push_back(text);
    show(text);
    if (!text.empty()) {
      EXPECT_TRUE(w.WaitWindow().isVisible());
    }
  };
  answer = false;  // no second attempt
  ASSERT_TRUE(w.Commands().Execute("DrawsDownload"));
  ASSERT_FALSE(waits.empty());
  EXPECT_EQ(waits.front(), "Загрузка архива тиражей...");
  EXPECT_FALSE(w.WaitWindow().isVisible());
  EXPECT_EQ(w.Workspace().DrawsCount(), 3);
}

}  // namespace
}  // namespace kvarn::test
