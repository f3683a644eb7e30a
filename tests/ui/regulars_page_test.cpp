// The "Регуляры" tab: adding through the real dialog (one or several selected combinations, its
// checks and messages), deleting, sorting, and the tab switch that frees and reloads the list.
#include <QAbstractItemModelTester>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>

#include "core/lottery_text.h"
#include "stakes/regulars_file.h"
#include "type_text.h"
#include "ui/combs_page.h"
#include "ui/form_stake.h"
#include "ui/form_table.h"
#include "ui/form_test_cnt.h"
#include "ui/regulars_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

QString Cell(const QAbstractItemModel* m, int row, int col) {
  return m->data(m->index(row, col), Qt::DisplayRole).toString();
}

void SelectRows(QTableView* view, std::initializer_list<int> rows) {
  view->selectionModel()->clear();
  for (int r : rows)
    view->selectionModel()->select(view->model()->index(r, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void ClickOk(QDialog& d) {
  auto* box = d.findChild<QDialogButtonBox*>();
  ASSERT_NE(box, nullptr);
  QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// OK that must close the dialog; a dialog left open would block the test.
void ClickOkToClose(QDialog& d) {
  ClickOk(d);
  if (d.isVisible()) {
    ADD_FAILURE() << "the dialog stayed open";
    d.reject();
  }
}

class RegularsTab : public TUiTest {
 protected:
  TFormMain& OpenWithDraws() {
    WriteDraws(MakeDraws(30));
    TFormMain& w = Open();
    w.RightTabs().setCurrentIndex(rtTables);
    return w;
  }
};

TEST_F(RegularsTab, SeveralSelectedCombinationsMakeOneRegularEach) {
  TFormMain& w = OpenWithDraws();
  SelectRows(w.Page<TCombsPage>().List(), {3, 8, 11});
  WithDialog<TFormTable>(
      [&] { w.Commands().Execute("TablesAdd"); },
      [&](TFormTable& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Добавление регулярной ставки"));
        EXPECT_EQ(d.CommentField()->text(), QStringLiteral("Регулярная ставка"));
        EXPECT_TRUE(d.OwnCombButton()->isChecked());
        EXPECT_TRUE(d.StartField()->isReadOnly());
        EXPECT_EQ(d.StartField()->text(), QStringLiteral("{...Выделенные комбинации...}"));
        EXPECT_EQ(d.StepField()->minimum(), -36);
        EXPECT_EQ(d.StepField()->maximum(), 36);
        ClickOkToClose(d);
      });
  const auto* m = w.Page<TRegularsPage>().Model();
  ASSERT_EQ(m->rowCount(), 3);
  EXPECT_EQ(Cell(m, 0, 0), QStringLiteral("Регулярная ставка (4)"));
  EXPECT_EQ(Cell(m, 1, 0), QStringLiteral("Регулярная ставка (9)"));
  EXPECT_EQ(Cell(m, 2, 0), QStringLiteral("Регулярная ставка (12)"));
  EXPECT_EQ(Cell(m, 0, 1), QStringLiteral("1;2;3;4;8"));  // row 4 of the full list
  EXPECT_EQ(Cell(m, 0, 2), QStringLiteral("1"));
  EXPECT_EQ(Cell(m, 0, 3), QStringLiteral("1;2;3;4;8"));
  EXPECT_EQ(Cell(m, 0, 4), QStringLiteral("0"));
  EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("Стартовая комбинация"));
  EXPECT_TRUE(shown.empty());
}

TEST_F(RegularsTab, DialogRefusesBadInputWithItsMessagesAndStaysOpen) {
  TFormMain& w = OpenWithDraws();
  SelectRows(w.Page<TCombsPage>().List(), {0});
  WithDialog<TFormTable>([&] { w.Commands().Execute("TablesAdd"); },
                         [&](TFormTable& d) {
                           EXPECT_FALSE(d.StartField()->isReadOnly());
                           EXPECT_EQ(d.StartField()->text(), QStringLiteral("1;2;3;4;5"));
                           d.StartField()->clear();
                           TypeText(d.StartField(), QStringLiteral("36, 1;2;3"));
                           ClickOk(d);
                           EXPECT_EQ(Texts().back(), "Введена некорректная комбинация!");
                           EXPECT_TRUE(d.isVisible());
                           d.StartField()->end(false);
                           TypeText(d.StartField(), QStringLiteral(";35"));
                           d.CommentField()->clear();
                           ClickOk(d);
                           EXPECT_EQ(Texts().back(), "Необходимо ввести комментарий!");
                           TypeText(d.CommentField(), QStringLiteral("Круг"));
                           d.StepField()->setValue(-3);
                           ClickOkToClose(d);
                         });
  ASSERT_EQ(w.Workspace().RegularsCount(), 1);
  const TRegular& r = w.Workspace().Regulars()[0];
  EXPECT_EQ(CombText(r.Start), "1;2;3;35;36");
  EXPECT_EQ(r.Step, -3);

  // The same comment in other letters is refused; the draws base takes no start.
  WithDialog<TFormTable>([&] { w.Commands().Execute("TablesAdd"); },
                         [&](TFormTable& d) {
                           d.CommentField()->setText(QStringLiteral("КРУГ"));
                           QTest::mouseClick(d.LastDrawButton(), Qt::LeftButton);
                           EXPECT_TRUE(d.StartField()->isReadOnly());
                           ClickOk(d);
                           EXPECT_EQ(Texts().back(),
                                     "Запись с таким комментарией уже присутствует в списке!\r"
                                     "Выберите другой комментарий.");
                           d.CommentField()->setText(QStringLiteral("По тиражу"));
                           ClickOkToClose(d);
                         });
  ASSERT_EQ(w.Workspace().RegularsCount(), 2);
  EXPECT_EQ(w.Workspace().Regulars()[1].Base, rbLastDraw);
}

TEST_F(RegularsTab, DeletingSortedRowsRemovesTheirOwnRecords) {
  TFormMain& w = OpenWithDraws();
  TWorkspace& ws = w.Workspace();
  for (const char* c : {"в", "а", "б"}) {
    TRegularInput in;
    in.Comment = c;
    in.StartText = "1;2;3;4;5";
    ASSERT_TRUE(ws.TablesAdd(ws.RegularsCheck(in, {}).Created));
  }
  TRegularsPage& page = w.Page<TRegularsPage>();
  gModelTestFailures = 0;
  QAbstractItemModelTester tester(page.Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Warning);
  page.List()->sortByColumn(0, Qt::AscendingOrder);
  EXPECT_EQ(Cell(page.Model(), 0, 0), QStringLiteral("а"));
  EXPECT_EQ(Cell(page.Model(), 2, 0), QStringLiteral("в"));
  SelectRows(page.List(), {0});
  answer = true;
  ASSERT_TRUE(w.Commands().Execute("TablesDel"));
  EXPECT_EQ(Texts().back(), "Удалить выделенную запись?");
  ASSERT_EQ(ws.RegularsCount(), 2);
  EXPECT_EQ(ws.Regulars()[0].Comment, "в");
  EXPECT_EQ(ws.Regulars()[1].Comment, "б");
  EXPECT_EQ(Cell(page.Model(), 0, 0), QStringLiteral("б"));  // still sorted
  EXPECT_EQ(gModelTestFailures, 0);
}

TEST_F(RegularsTab, HidingTheTabFreesTheRegularsAndShowingReloadsThem) {
  TFormMain& w = OpenWithDraws();
  TWorkspace& ws = w.Workspace();
  TRegularInput in;
  in.StartText = "1;2;3;4;5";
  ASSERT_TRUE(ws.TablesAdd(ws.RegularsCheck(in, {}).Created));
  w.RightTabs().setCurrentIndex(rtStats);

  ASSERT_TRUE(w.Commands().Execute("TabTables"));
  EXPECT_FALSE(w.RightTabs().isTabVisible(rtTables));
  EXPECT_EQ(ws.RegularsCount(), 0);
  EXPECT_EQ(w.Page<TRegularsPage>().Model()->rowCount(), 0);
  w.Commands().UpdateAll();
  EXPECT_FALSE(w.Commands().Action("TablesAdd")->isEnabled());

  TRegularsStore store(dir_);
  store.Load();
  store.Items()[0].Comment = "Изменён снаружи";
  store.Save();
  ASSERT_TRUE(w.Commands().Execute("TabTables"));
  EXPECT_TRUE(w.RightTabs().isTabVisible(rtTables));
  EXPECT_EQ(w.RightTabs().currentIndex(), rtTables);
  EXPECT_EQ(Cell(w.Page<TRegularsPage>().Model(), 0, 0), QStringLiteral("Изменён снаружи"));

  // The switch is stored: a new window starts with the tab as it was left.
  ASSERT_TRUE(w.Commands().Execute("TabTables"));
  Close(w);
  TFormMain& again = Open();
  EXPECT_FALSE(again.RightTabs().isTabVisible(rtTables));
  EXPECT_EQ(again.Workspace().RegularsCount(), 0);
}

TEST_F(RegularsTab, StakeOfTheFocusedRegularGoesThroughTheStakeDialog) {
  TFormMain& w = OpenWithDraws();
  TWorkspace& ws = w.Workspace();
  TRegularInput in;
  in.Comment = "Круг";
  in.StartText = "30;31;32;33;34";
  in.Step = 5;
  ASSERT_TRUE(ws.TablesAdd(ws.RegularsCheck(in, {}).Created));
  TRegularsPage& page = w.Page<TRegularsPage>();
  page.List()->setCurrentIndex(page.Model()->index(0, 0));
  w.Commands().UpdateAll();
  ASSERT_TRUE(w.Commands().Action("TablesStakeAdd")->isEnabled());

  // Cancel: no stake, and the regular stays where it was.
  WithDialog<TFormStake>([&] { w.Commands().Execute("TablesStakeAdd"); },
                         [&](TFormStake& d) {
                           EXPECT_EQ(d.NumbersField()->text(), QStringLiteral("1;2;3;35;36"));
                           EXPECT_EQ(d.CommentField()->text(), QStringLiteral("Круг"));
                           EXPECT_EQ(d.DrawNumberField()->value(), 1030);
                           d.reject();
                         });
  EXPECT_EQ(ws.StakesCount(), 0);
  EXPECT_EQ(Cell(page.Model(), 0, 3), QStringLiteral("30;31;32;33;34"));

  WithDialog<TFormStake>([&] { w.Commands().Execute("TablesStakeAdd"); },
                         [&](TFormStake& d) { ClickOkToClose(d); });
  ASSERT_EQ(ws.StakesCount(), 1);
  EXPECT_EQ(ws.StakesReadRecord(0, TStakeOrigin::Start).Kind, skRegular);
  EXPECT_EQ(Cell(page.Model(), 0, 3), QStringLiteral("1;2;3;35;36"));
  EXPECT_EQ(Cell(page.Model(), 0, 4), QStringLiteral("1"));
}

TEST_F(RegularsTab, TestOfTheSelectedRegularsAsksTheCountAndChecksTheStakes) {
  TFormMain& w = OpenWithDraws();
  TWorkspace& ws = w.Workspace();
  for (const char* c : {"а", "б", "в"}) {
    TRegularInput in;
    in.Comment = c;
    in.StartText = "1;2;3;4;5";
    ASSERT_TRUE(ws.TablesAdd(ws.RegularsCheck(in, {}).Created));
  }
  TRegularsPage& page = w.Page<TRegularsPage>();
  SelectRows(page.List(), {0, 2});
  WithDialog<TFormTestCnt>([&] { w.Commands().Execute("TablesStakeTest"); },
                           [&](TFormTestCnt& d) {
                             EXPECT_EQ(d.windowTitle(), QStringLiteral("Количество тестов"));
                             EXPECT_EQ(d.CountField()->value(), 10);
                             EXPECT_EQ(d.CountField()->maximum(), 29);
                             d.CountField()->setValue(5);
                             ClickOkToClose(d);
                           });
  ASSERT_EQ(ws.StakesCount(), 10);
  for (int i = 0; i < 10; ++i) {
    const TStake s = ws.StakesReadRecord(i, TStakeOrigin::Start);
    EXPECT_TRUE(s.IsChecked());
    EXPECT_EQ(s.DrawNumber, 1025 + i / 2);
  }
  EXPECT_EQ(Cell(page.Model(), 0, 4), QStringLiteral("5"));
  EXPECT_EQ(Cell(page.Model(), 1, 4), QStringLiteral("0"));
  EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace kvarn::test
