// The command set's rules (busy state, checked state decided by the command, failures shown),
// the host's message texts, and the combination commands that report in message boxes.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "core/files.h"
#include "core/lottery_text.h"
#include "ui/combs_page.h"
#include "ui/commands.h"
#include "ui/draws_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

TEST(DisplayText, CarriageReturnsBecomeLineBreaks) {
  EXPECT_EQ(DisplayText("Ошибка!\r\rтекст"), QStringLiteral("Ошибка!\n\nтекст"));
  EXPECT_EQ(DisplayText("a\r\nb"), QStringLiteral("a\nb"));
}

class TCommandsTest : public ::testing::Test {
 protected:
  TSilentHost host;
  QObject owner;
  TCommandList list{&owner, host};
  void SetUp() override {
    list.AddAll({{"Plain", "Cat", "Обычная", "F2", false},
                 {"Switch", "Cat", "Переключатель", "", true},
                 {"Stop", "Cat", "Стоп", "", false},
                 {"Unbound", "Cat", "Нет", "", false}});
  }
};

TEST_F(TCommandsTest, UpdateRuleAndBusyStateDecideTheEnabledState) {
  bool allowed = false;
  int runs = 0;
  list.Bind(
      "Plain", [&] { return allowed; }, [&] { ++runs; });
  list.Bind(
      "Stop", [] { return true; }, [&] { ++runs; });
  list.IgnoreBusy("Stop");
  list.UpdateAll();
  EXPECT_FALSE(list.Action("Plain")->isEnabled());
  EXPECT_FALSE(list.Action("Unbound")->isEnabled());
  EXPECT_FALSE(list.Execute("Plain"));
  allowed = true;
  list.UpdateAll();
  EXPECT_TRUE(list.Action("Plain")->isEnabled());
  list.Action("Plain")->trigger();
  EXPECT_EQ(runs, 1);
  {
    TBusyGuard busy(host);
    list.UpdateAll();
    EXPECT_FALSE(list.Action("Plain")->isEnabled());
    EXPECT_TRUE(list.Action("Stop")->isEnabled());
    EXPECT_FALSE(list.Execute("Plain"));
    EXPECT_TRUE(list.Execute("Stop"));
  }
  EXPECT_EQ(runs, 2);
}

TEST_F(TCommandsTest, CheckedStateFollowsTheSettingNotTheClick) {
  bool value = false;
  list.Bind(
      "Switch", [] { return true; }, [&] { value = !value; }, [&] { return value; });
  QAction* alias = list.Alias("Switch", QStringLiteral("Вкладка"));
  list.UpdateAll();
  list.Action("Switch")->trigger();
  EXPECT_TRUE(value);
  EXPECT_TRUE(list.Action("Switch")->isChecked());
  EXPECT_TRUE(alias->isChecked());
  alias->trigger();
  EXPECT_FALSE(value);
  EXPECT_FALSE(list.Action("Switch")->isChecked());
}

TEST_F(TCommandsTest, FailureIsShownAndTheBusyStatePairs) {
  list.Bind(
      "Plain", [] { return true; },
      [&] {
        TBusyGuard busy(host);
        Raise("Ошибка записи в файл тиражей!\r\rнет места");
      });
  EXPECT_TRUE(list.Execute("Plain"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].caption, "Ошибка");
  EXPECT_EQ(host.messages[0].text, "Ошибка записи в файл тиражей!\r\rнет места");
  EXPECT_EQ(host.BusyCount(), 0);
  EXPECT_EQ(list.Action("Plain")->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(list.CategoryOf("Plain"), "Cat");
}

TEST_F(TUiTest, SelectAllKeyActsOnTheFocusedListOnly) {
  WriteDraws(MakeDraws(5));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  w.UpdateCommands();
  QTableView* draws = w.Page<TDrawsPage>().List();
  draws->setFocus();
  QTest::keyClick(draws, Qt::Key_A, Qt::ControlModifier);
  EXPECT_FALSE(w.Page<TCombsPage>().HasSelection());
  EXPECT_EQ(draws->selectionModel()->selectedRows().size(), 5);
  w.LeftTabs().setCurrentIndex(1);
  QTableView* combs = w.Page<TCombsPage>().List();
  combs->setFocus();
  QTest::keyClick(combs, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(w.Page<TCombsPage>().SelectedRows().size(), static_cast<size_t>(FullCombsCount));
}

TEST_F(TUiTest, FindingTheFocusedCombinationInTheArchive) {
  TDrawsArray draws = MakeDraws(5);
  draws[1].Values = {9, 3, 1, 2, 4};
  draws[3].Values = {4, 3, 2, 1, 9};
  WriteDraws(draws);
  TFormMain& w = Open();
  QTableView* list = w.Page<TCombsPage>().List();
  // (1,2,3,4,9) is the fifth combination of the full list.
  list->setCurrentIndex(list->model()->index(4, 0));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsFindInDraws"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Информация");
  EXPECT_EQ(shown[0].text, "Выделенная комбинация найдена в следующих тиражах:\r\r" +
                               DrawText(draws[3]) + "\r" + DrawText(draws[1]));
  shown.clear();
  list->setCurrentIndex(list->model()->index(0, 0));
  ASSERT_TRUE(w.Commands().Execute("CombsFindInDraws"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Выделенная комбинация не найдена архиве тиражей!");
}

TEST_F(TUiTest, CountingUniqueNumbersAndCopyingSelectedRows) {
  TFormMain& w = Open();
  QApplication::clipboard()->setText(QStringLiteral("1 2 3 4 5\n1 2 3 4 6\n10 20 30 31 32"));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsPaste"));
  ASSERT_TRUE(w.Commands().Execute("CombsCheckNums"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "В текущем списке комбинаций содержится 11 уникальных номеров");
  QTableView* list = w.Page<TCombsPage>().List();
  list->selectionModel()->select(list->model()->index(2, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  list->selectionModel()->select(list->model()->index(0, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsCopy"));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("01 02 03 04 05\r\n10 20 30 31 32"));
  EXPECT_EQ(w.StatusText(spMessage), QString());
}

TEST_F(TUiTest, SavingAndOpeningACombinationFile) {
  TFormMain& w = Open();
  QApplication::clipboard()->setText(QStringLiteral("1 2 3 4 5\n7 8 9 10 36"));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsPaste"));
  std::string path = PathJoin(dir_, "мои.lcv");
  WithDialog<QFileDialog>([&] { w.Commands().Execute("CombsSave"); },
                          [&](QFileDialog& d) {
                            d.selectFile(Q(PathJoin(dir_, "мои")));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  EXPECT_EQ(ReadWholeFile(path), "1;2;3;4;5\r\n7;8;9;10;36\r\n");
  ASSERT_TRUE(w.Commands().Execute("CombsSelectAll"));
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Execute("CombsDelSelected"));
  EXPECT_EQ(w.Workspace().Combs().Count(), 0);
  WithDialog<QFileDialog>([&] { w.Commands().Execute("CombsOpen"); },
                          [&](QFileDialog& d) {
                            d.selectFile(Q(path));
                            QMetaObject::invokeMethod(&d, "accept");
                          });
  EXPECT_EQ(w.Page<TCombsPage>().Model()->rowCount(), 2);
  EXPECT_EQ(w.Workspace().AppliedFilters().size(), 0u);
  w.UpdateCommands();
  EXPECT_FALSE(w.Commands().Action("CombsUndo")->isEnabled());
}

}  // namespace
}  // namespace kvarn::test
