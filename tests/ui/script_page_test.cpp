// The "Сценарий" tab driven through its commands, keys and dialogs.
#include <QAbstractItemModelTester>
#include <QFileDialog>
#include <QTest>

#include "core/codec.h"
#include "core/files.h"
#include "stakes/rating.h"
#include "ui/form_script.h"
#include "ui/ratings_page.h"
#include "ui/script_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

class ScriptPageTest : public TUiTest {
 protected:
  TFormMain& OpenWith(const std::string& lss) {
    WriteDraws(MakeDraws(30));
    if (!lss.empty()) WriteFileAtomic(PathJoin(dir_, "Kvarn_5x36.lss"), Utf8ToCp1251(lss));
    TFormMain& w = Open();
    w.RightTabs().setCurrentIndex(rtScript);
    EXPECT_TRUE(ShowActive(w));
    w.UpdateCommands();
    return w;
  }
  static TScriptPage& Page(TFormMain& w) { return w.Page<TScriptPage>(); }
  static QString Cell(TFormMain& w, int row, int col) {
    return Page(w).Model()->index(row, col).data().toString();
  }
  static void Focus(TFormMain& w, int row) {
    QTableView* list = Page(w).List();
    list->setFocus();
    list->selectionModel()->setCurrentIndex(
        Page(w).Model()->index(row, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    w.UpdateCommands();
  }
  static bool Enabled(TFormMain& w, const char* command) {
    return w.Commands().Action(command)->isEnabled();
  }
  std::string Current() const {
    return Cp1251ToUtf8(ReadWholeFile(PathJoin(dir_, "Kvarn_5x36.lss")));
  }

  static constexpr const char* ThreeLines =
      "excl:2#rand| tsd2#sums:10#lmv:3 | | | | | | |Первая\r\n"
      "\r\n"
      "FULL:0#EXT|TSD1#ZZZ9:10#LMV:3#SF:1| | | | | | |Чужой метод\r\n";
};

TEST_F(ScriptPageTest, ListShowsTheCurrentScenarioNormalised) {
  TFormMain& w = OpenWith(ThreeLines);
  TScriptPage& page = Page(w);
  EXPECT_EQ(page.Panel(TScriptPage::spLines)->text().toStdString(), "Строк: 3");
  ASSERT_EQ(page.Model()->rowCount(), 3);
  ASSERT_EQ(page.Model()->columnCount(), 9);
  EXPECT_EQ(page.Model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(),
            "Опции");
  EXPECT_EQ(Cell(w, 0, 0).toStdString(), "Первая");
  EXPECT_EQ(Cell(w, 0, 1).toStdString(), "Исключить 2 тиражей; Случайно; Все создаваемые ставки");
  EXPECT_EQ(Cell(w, 0, 2).toStdString(), "TSD2#SUMS:10#LMV:3#SF:0");
  for (int c = 0; c < 9; ++c) EXPECT_TRUE(Cell(w, 1, c).isEmpty());
  EXPECT_EQ(Cell(w, 2, 2).toStdString(), "TSD1#ZZZ9:10#LMV:3#SF:1");
  // Showing is not editing: the stored text stays as typed.
  EXPECT_EQ(Current(), ThreeLines);
}

TEST_F(ScriptPageTest, EnablingRulesFollowTheFocusedRow) {
  TFormMain& w = OpenWith(ThreeLines);
  EXPECT_FALSE(Enabled(w, "ScriptEdit"));  // nothing focused
  EXPECT_FALSE(Enabled(w, "ScriptDel"));
  Focus(w, 0);
  EXPECT_TRUE(Enabled(w, "ScriptEdit") && Enabled(w, "ScriptClone") && Enabled(w, "ScriptDel"));
  EXPECT_FALSE(Enabled(w, "ScriptUp"));
  EXPECT_TRUE(Enabled(w, "ScriptDown"));
  Focus(w, 1);  // a separator can be moved and deleted, not edited or cloned
  EXPECT_FALSE(Enabled(w, "ScriptEdit") || Enabled(w, "ScriptClone"));
  EXPECT_TRUE(Enabled(w, "ScriptUp") && Enabled(w, "ScriptDown") && Enabled(w, "ScriptDel"));
  Focus(w, 2);
  EXPECT_FALSE(Enabled(w, "ScriptDown"));
  // While a scenario runs nothing may change it.
  w.Workspace().SetScriptRunning(true);
  w.UpdateCommands();
  for (const char* c : {"ScriptOpen", "ScriptSave", "ScriptAdd", "ScriptEmpty", "ScriptLoad",
                        "ScriptClone", "ScriptEdit", "ScriptDel", "ScriptClr", "ScriptUp"})
    EXPECT_FALSE(Enabled(w, c)) << c;
  w.Workspace().SetScriptRunning(false);
}

TEST_F(ScriptPageTest, EmptyScenarioOffersOnlyWhatMakesLines) {
  TFormMain& w = OpenWith("");
  for (const char* c : {"ScriptOpen", "ScriptAdd", "ScriptLoad"}) EXPECT_TRUE(Enabled(w, c)) << c;
  for (const char* c : {"ScriptSave", "ScriptEmpty", "ScriptClr", "ScriptDel", "ScriptEdit"})
    EXPECT_FALSE(Enabled(w, c)) << c;
}

TEST_F(ScriptPageTest, CtrlInsAddsALineThatBecomesTheOnlySelectedRow) {
  TFormMain& w = OpenWith(ThreeLines);
  Focus(w, 0);
  WithDialog<TFormScript>(
      [&] { QTest::keyClick(Page(w).List(), Qt::Key_Insert, Qt::ControlModifier); },
      [&](TFormScript& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Создание новой строки");
        QTest::keyClicks(d.CommentEdit(), QStringLiteral("new"));
        QTest::keyClicks(d.FilterEdit(0), QStringLiteral("TSD1#DIGS:5#LNO:#SF:1"));
        QTest::keyClick(d.FilterEdit(0), Qt::Key_Return);
      });
  EXPECT_EQ(w.Workspace().ScriptCount(), 4);
  EXPECT_EQ(Page(w).SelectedRows(), std::vector<int>{3});
  EXPECT_EQ(Page(w).FocusedRow(), 3);
  EXPECT_EQ(Page(w).Panel(TScriptPage::spLines)->text().toStdString(), "Строк: 4");
  EXPECT_EQ(Current(),
            std::string(ThreeLines) + "FULL:0#EXT|TSD1#DIGS:5#LNO:#SF:1| | | | | | |new\r\n");
}

TEST_F(ScriptPageTest, EditByDoubleClickKeepsAnUnknownMethod) {
  TFormMain& w = OpenWith(ThreeLines);
  QTableView* list = Page(w).List();
  const QRect cell = list->visualRect(Page(w).Model()->index(2, 0));
  WithDialog<TFormScript>(
      [&] {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
      },
      [&](TFormScript& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Редактирование строки");
        d.CommentEdit()->selectAll();
        QTest::keyClicks(d.CommentEdit(), QStringLiteral("Renamed"));
        QTest::keyClick(d.CommentEdit(), Qt::Key_Return);
      });
  EXPECT_EQ(w.Workspace().Script()[2], "FULL:0#EXT|TSD1#ZZZ9:10#LMV:3#SF:1| | | | | | |Renamed");
  EXPECT_EQ(w.Workspace().ScriptCount(), 3);
}

TEST_F(ScriptPageTest, CtrlDelRemovesExactlyTheSelectedRowsAfterTheQuestion) {
  TFormMain& w = OpenWith(ThreeLines);
  QTableView* list = Page(w).List();
  // Selected out of order: the last row first, then the first with Ctrl.
  Focus(w, 2);
  list->selectionModel()->select(Page(w).Model()->index(0, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  answer = false;
  QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Предупреждение");
  EXPECT_EQ(shown[0].text, "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_TRUE(shown[0].defaultNo);
  EXPECT_EQ(w.Workspace().ScriptCount(), 3);
  answer = true;
  QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(w.Workspace().Script(), TScriptLines{""});
  EXPECT_EQ(Current(), "\r\n");
}

TEST_F(ScriptPageTest, CtrlUpAndDownMoveTheLineAndTheSelectionFollows) {
  TFormMain& w = OpenWith(ThreeLines);
  const int failures = gModelTestFailures;
  QAbstractItemModelTester tester(Page(w).Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Warning);
  Focus(w, 2);
  QTest::keyClick(Page(w).List(), Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Page(w).FocusedRow(), 1);
  EXPECT_EQ(Page(w).SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(Cell(w, 1, 0).toStdString(), "Чужой метод");
  w.UpdateCommands();
  QTest::keyClick(Page(w).List(), Qt::Key_Up, Qt::ControlModifier);
  w.UpdateCommands();
  EXPECT_FALSE(Enabled(w, "ScriptUp"));
  QTest::keyClick(Page(w).List(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Page(w).FocusedRow(), 1);
  EXPECT_EQ(w.Workspace().Script()[2], "");
  EXPECT_EQ(gModelTestFailures, failures);
}

TEST_F(ScriptPageTest, SeparatorCloneAndFilesThroughTheirDialogs) {
  TFormMain& w = OpenWith(ThreeLines);
  ASSERT_TRUE(w.Commands().Execute("ScriptEmpty"));
  EXPECT_EQ(Page(w).SelectedRows(), std::vector<int>{3});
  Focus(w, 0);
  WithDialog<TFormScript>([&] { w.Commands().Execute("ScriptClone"); },
                          [&](TFormScript& d) {
                            EXPECT_EQ(d.windowTitle().toStdString(), "Создание новой строки");
                            EXPECT_EQ(d.ExcludeEdit()->value(), 2);
                            d.accept();
                          });
  EXPECT_EQ(w.Workspace().Script()[4], "EXCL:2#RAND|tsd2#sums:10#lmv:3| | | | | | |Первая");

  const std::string copy = PathJoin(dir_, "copy.lsc");
  w.UpdateCommands();
  WithDialog<QFileDialog>([&] { w.Commands().Execute("ScriptSave"); },
                          [&](QFileDialog& d) {
                            d.selectFile(Q(PathJoin(dir_, "copy")));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  EXPECT_EQ(Cp1251ToUtf8(ReadWholeFile(copy)), Current());
  WithDialog<QFileDialog>([&] { w.Commands().Execute("ScriptLoad"); },
                          [&](QFileDialog& d) {
                            d.selectFile(Q(copy));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  EXPECT_EQ(w.Workspace().ScriptCount(), 11);  // the last line was a line: one separator between
  WithDialog<QFileDialog>([&] { w.Commands().Execute("ScriptOpen"); },
                          [&](QFileDialog& d) {
                            d.selectFile(Q(copy));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  EXPECT_EQ(w.Workspace().ScriptCount(), 5);
  EXPECT_EQ(Current(), Cp1251ToUtf8(ReadWholeFile(copy)));
}

TEST_F(ScriptPageTest, RatingRowsAddedFromTheRatingTabOpenTheScenario) {
  TRatingsArray rating(3);
  rating[0].Name = "02.003: Тест @ FULL:0#EXT + TSD1#SUMS:10#LMV:3#SF:1";
  rating[1].Name = "Ставка вручную";
  rating[2].Name = "EXCL:5#RAND#NEX + TSD1#DIGS:5#LNO:#SF:1";
  RatingsWriteFile(PathJoin(dir_, RatingsFileName), rating);
  TFormMain& w = OpenWith("a");
  w.RightTabs().setCurrentIndex(rtRating);
  TRatingsPage& ratings = w.Page<TRatingsPage>();
  QTableView* list = ratings.List();
  list->setFocus();
  const TRatingsArray& rows = w.Workspace().Ratings();
  for (size_t r = 0; r < rows.size(); ++r)
    list->selectionModel()->select(list->model()->index(static_cast<int>(r), 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("RatingsToScript"));
  EXPECT_EQ(w.RightTabs().currentIndex(), rtScript);
  EXPECT_EQ(w.Workspace().ScriptCount(), 3);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Строку\r\rСтавка вручную\r\rневозможно добавить в сценарий!");
  EXPECT_EQ(Page(w).Panel(TScriptPage::spLines)->text().toStdString(), "Строк: 3");
  // Only the manual row: nothing added, the tab stays.
  w.RightTabs().setCurrentIndex(rtRating);
  list->selectionModel()->clearSelection();
  for (size_t r = 0; r < rows.size(); ++r)
    if (rows[r].Name == "Ставка вручную")
      list->selectionModel()->select(list->model()->index(static_cast<int>(r), 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("RatingsToScript"));
  EXPECT_EQ(w.RightTabs().currentIndex(), rtRating);
  EXPECT_EQ(w.Workspace().ScriptCount(), 3);
}

}  // namespace
}  // namespace kvarn::test
