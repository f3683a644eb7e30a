// The "Ставки" page driven like a person would: keys and double clicks on the combination list,
// the stake dialogs, the grid with its colours, deletion and the profit chart.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "stakes/stakes_file.h"
#include "stakes/stakes_grid.h"
#include "ui/colours.h"
#include "ui/combs_page.h"
#include "ui/form_graph.h"
#include "ui/form_multi.h"
#include "ui/form_stake.h"
#include "ui/form_stake_filter.h"
#include "ui/stakes_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

class TStakesPageTest : public TUiTest {
 protected:
  // Runs `action` on the modal dialog of type D as soon as `open` shows it, also when `open`
  // processes events before.
  template <class D>
  static void WhenModal(const std::function<void()>& open, const std::function<void(D&)>& action) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
        poll.stop();
        seen = true;
        action(*d);
      }
    });
    poll.start();
    open();
    EXPECT_TRUE(seen);
  }
  void SetUp() override {
    TUiTest::SetUp();
    WriteFileAtomic(PathJoin(dir_, ConfigFileName),
                    "[STAKES]\r\nCost=10\r\nProfits=1\r\nProfit_0_Overlap=3\r\n"
                    "Profit_0_Profit=50\r\n");
    TDrawsArray draws = MakeDraws(3);
    draws.back().Values = {5, 20, 3, 36, 1};  // draw 1002
    WriteDraws(draws);
  }
  TFormMain& OpenOnStakes() {
    TFormMain& w = Open();
    w.RightTabs().setCurrentIndex(rtStakes);
    return w;
  }
  static TStakesPage& Page(TFormMain& w) { return w.Page<TStakesPage>(); }
  // With KVARN_SCREENSHOT_DIR set the widget is saved there for a look.
  static void Shoot(QWidget& widget, const char* name) {
    const char* dir = std::getenv("KVARN_SCREENSHOT_DIR");
    if (!dir) return;
    QApplication::processEvents();
    widget.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QString::fromUtf8(name));
  }
  static QVariant Cell(TFormMain& w, int row, int col, int role = Qt::DisplayRole) {
    const TStakesModel* m = Page(w).Model();
    return m->data(m->index(row, col), role);
  }
};

TEST_F(TStakesPageTest, F4OnTheCombinationListStakesTheFocusedCombination) {
  TFormMain& w = OpenOnStakes();
  ASSERT_TRUE(ShowActive(w));
  w.LeftTabs().setCurrentIndex(1);
  QTableView* combs = w.Page<TCombsPage>().List();
  combs->setFocus();
  combs->setCurrentIndex(combs->model()->index(0, 0));  // 1;2;3;4;5
  w.UpdateCommands();
  WithDialog<TFormStake>(
      [&] { QTest::keyClick(combs, Qt::Key_F4); },
      [&](TFormStake& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Добавление ставки"));
        EXPECT_EQ(d.DrawNumberField()->value(), 1003);
        EXPECT_EQ(d.NumbersField()->text(), QStringLiteral("1;2;3;4;5"));
        EXPECT_EQ(d.SumField()->text(), QStringLiteral("15"));
        EXPECT_EQ(d.CommentField()->text(), QStringLiteral("Ставка \"вручную\""));
        EXPECT_EQ(d.CommentField()->maxLength(), 64);
        EXPECT_EQ(d.DrawsField()->value(), 1);
        EXPECT_EQ(d.DrawsField()->maximum(), 65535);
        EXPECT_EQ(d.DrawNumberField()->toolTip(), QStringLiteral("Номер первого тиража"));
        // Typed numbers: the sum follows every change.
        d.NumbersField()->selectAll();
        QTest::keyClicks(d.NumbersField(), QStringLiteral("1,3,5,x"));
        EXPECT_EQ(d.SumField()->text(), QStringLiteral("9"));
        d.accept();  // four words: refused, the dialog stays
        EXPECT_TRUE(d.isVisible());
        d.NumbersField()->selectAll();
        QTest::keyClicks(d.NumbersField(), QStringLiteral("9,7;5,3;1"));
        d.DrawNumberField()->setValue(1002);
        d.DrawsField()->setValue(2);
        Shoot(d, "stake_dialog.png");
        d.accept();
      });
  EXPECT_EQ(Texts(), std::vector<std::string>{"Введена некорректная комбинация!"});
  // 1002 is in the archive and is checked at once; 1003 waits.
  ASSERT_EQ(Page(w).Model()->rowCount(), 3);
  EXPECT_EQ(Cell(w, 0, scDraw).toString(), QStringLiteral("1002"));
  EXPECT_EQ(Cell(w, 0, scNumbers).toString(), QStringLiteral("1;3;5;7;9"));
  EXPECT_EQ(Cell(w, 0, scDrawValues).toString(), QStringLiteral("5;20;3;36;1"));
  EXPECT_EQ(Cell(w, 0, scMatched).toString(), QStringLiteral("1 3 5"));
  EXPECT_EQ(Cell(w, 0, scProfit).toString(), QStringLiteral("40.00"));
  EXPECT_EQ(Cell(w, 0, scProfit, Qt::ForegroundRole).value<QColor>(), WinColour(StakeWinColour));
  EXPECT_EQ(Cell(w, 0, scKind, Qt::BackgroundRole).value<QColor>(), QColor(234, 255, 234));
  EXPECT_EQ(Cell(w, 0, scNumbers, TStakesModel::MatchedRole).value<QList<int>>(),
            (QList<int>{1, 3, 5}));
  EXPECT_EQ(Cell(w, 1, scDraw).toString(), QString());  // the separator
  EXPECT_EQ(Cell(w, 2, scProfit).toString(), QStringLiteral("-10.00"));
  EXPECT_FALSE(Cell(w, 2, scProfit, Qt::ForegroundRole).isValid());
  EXPECT_EQ(w.StatusText(spStakes), QStringLiteral("Ставок: 3"));
  // The new stake is the current row.
  EXPECT_EQ(Page(w).Grid()->currentIndex().row(), 2);
  Shoot(w, "stakes_tab.png");
}

TEST_F(TStakesPageTest, DoubleClickOnACombinationOpensTheStakeDialog) {
  TFormMain& w = OpenOnStakes();
  ASSERT_TRUE(ShowActive(w));
  w.LeftTabs().setCurrentIndex(1);
  QTableView* combs = w.Page<TCombsPage>().List();
  const QRect cell = combs->visualRect(combs->model()->index(1, 2));
  bool opened = false;
  WithDialog<TFormStake>(
      [&] {
        QTest::mouseClick(combs->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(combs->viewport(), Qt::LeftButton, {}, cell.center());
      },
      [&](TFormStake& d) {
        opened = true;
        EXPECT_EQ(d.NumbersField()->text(), QStringLiteral("1;2;3;4;6"));
        d.reject();
      });
  EXPECT_TRUE(opened);
  EXPECT_EQ(Page(w).Model()->rowCount(), 0);
}

TEST_F(TStakesPageTest, SelectedCombinationsThenDeletionByRowsAndByCondition) {
  TFormMain& w = OpenOnStakes();
  QAbstractItemModelTester tester(Page(w).Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Warning);
  QTableView* combs = w.Page<TCombsPage>().List();
  for (int row : {0, 2, 4})
    combs->selectionModel()->select(combs->model()->index(row, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  WithDialog<TFormMulti>([&] { w.Commands().Execute("StakeAddSelected"); },
                         [&](TFormMulti& d) {
                           EXPECT_EQ(d.windowTitle(), QStringLiteral("Добавление мультиставки"));
                           EXPECT_EQ(d.DrawNumberField()->value(), 1003);
                           d.CommentField()->clear();
                           d.accept();
                           EXPECT_TRUE(d.isVisible());
                           d.CommentField()->setText(QStringLiteral("три"));
                           d.DrawNumberField()->setValue(1002);
                           Shoot(d, "multi_dialog.png");
                           d.accept();
                         });
  EXPECT_EQ(Texts(), std::vector<std::string>{"Необходимо ввести комментарий!"});
  EXPECT_FALSE(w.Page<TCombsPage>().HasSelection());
  ASSERT_EQ(Page(w).Model()->rowCount(), 3);
  EXPECT_EQ(Cell(w, 2, scComment).toString(), QStringLiteral("три"));
  EXPECT_EQ(Cell(w, 1, scNumbers).toString(), QStringLiteral("1;2;3;4;7"));

  // Rows 0..1 selected: one question for two records.
  shown.clear();
  QTableView* grid = Page(w).Grid();
  grid->selectionModel()->clear();
  grid->selectionModel()->select(
      QItemSelection(grid->model()->index(0, 0), grid->model()->index(1, 0)),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("StakeDel"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_TRUE(shown[0].defaultNo);
  ASSERT_EQ(Page(w).Model()->rowCount(), 1);

  // "Не менее [ >= ]" 3: the remaining stake (1;2;3;4;7 against 5,20,3,36,1: matches 1, 3).
  WithDialog<TFormStakeFilter>([&] { w.Commands().Execute("StakeFilter"); },
                               [&](TFormStakeFilter& d) {
                                 EXPECT_EQ(d.windowTitle(), QStringLiteral("Удаление по условию"));
                                 EXPECT_EQ(d.ConditionBox()->count(), 5);
                                 EXPECT_EQ(d.ConditionBox()->currentText(),
                                           QStringLiteral("Равно [ = ]"));
                                 EXPECT_EQ(d.ValueField()->value(), 0);
                                 EXPECT_EQ(d.ValueField()->maximum(), 5);
                                 d.ConditionBox()->setCurrentIndex(4);
                                 d.ValueField()->setValue(2);
                                 Shoot(d, "stake_filter_dialog.png");
                                 d.accept();
                               });
  EXPECT_EQ(Page(w).Model()->rowCount(), 0);
  EXPECT_EQ(w.StatusText(spStakes), QStringLiteral("Ставок: 0"));
}

TEST_F(TStakesPageTest, LogSwitchIsStoredAndTheProfitChartHasThreeSeries) {
  TFormMain& w = OpenOnStakes();
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("LogStakes"));
  w.UpdateCommands();
  EXPECT_TRUE(w.Commands().Action("LogStakes")->isChecked());
  EXPECT_TRUE(WindowStateReadBool(PathJoin(dir_, WindowStateFileName), "StakesLogEnabled", false));
  TStake s = w.Workspace().StakePrepare(0);  // 1;2;3;4;5 against 5,20,3,36,1: three matches
  s.DrawNumber = 1002;
  ASSERT_TRUE(w.Workspace().StakeAdd(s, 2));
  EXPECT_TRUE(FileExists(PathJoin(dir_, "Kvarn_5x36-3.log")));
  // The chart's data is collected with progress (events are processed) before the window opens.
  WhenModal<TFormGraph>([&] { w.Commands().Execute("StakesGraphDraws"); },
                        [&](TFormGraph& g) {
                          EXPECT_EQ(g.SeriesCount(), 3);
                          EXPECT_NE(g.FindSeries("Накопленное значение"), nullptr);
                          Shoot(g, "stakes_chart.png");
                          g.reject();
                        });
}

TEST_F(TStakesPageTest, StakeCommandsNeedTheStakesFile) {
  TFormMain& w = OpenOnStakes();
  w.UpdateCommands();
  EXPECT_TRUE(w.Commands().Action("StakeAdd")->isEnabled());
  EXPECT_TRUE(w.Commands().Action("StakeAddAll")->isEnabled());
  EXPECT_FALSE(w.Commands().Action("StakeDel")->isEnabled());  // nothing selected
  w.Workspace().StakesClose();
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("StakeAdd")->isEnabled());
  EXPECT_FALSE(w.Commands().Action("StakesCheckManual")->isEnabled());
  EXPECT_TRUE(w.Commands().Action("LogStakesDelete")->isEnabled());
}

}  // namespace
}  // namespace kvarn::test
