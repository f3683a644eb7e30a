// The favourites manager, the method description, the help and the about window, driven through
// the window's keys, buttons and boxes.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include "core/codec.h"
#include "core/files.h"
#include "ui/draws_page.h"
#include "ui/form_about.h"
#include "ui/form_favourites.h"
#include "ui/form_help.h"
#include "ui/stats_page.h"
#include "ui_fixture.h"

namespace kvarn::test {
namespace {

QTreeWidgetItem* EntryItem(TFormFavourites& d, const QString& text) {
  const auto found = d.Tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.first();
}

void ClickButton(QWidget& parent, const QString& objectName) {
  auto* b = parent.findChild<QAbstractButton*>(objectName);
  ASSERT_NE(b, nullptr) << objectName.toStdString();
  QTest::mouseClick(b, Qt::LeftButton);
}

void ClickDialogButton(QDialog& d, QDialogButtonBox::StandardButton which) {
  auto* box = d.findChild<QDialogButtonBox*>();
  ASSERT_NE(box, nullptr);
  QTest::mouseClick(box->button(which), Qt::LeftButton);
}

// Types text as key presses; QTest's own typing knows only ASCII.
void TypeText(QWidget* w, const QString& text) {
  for (const QChar ch : text)
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), {});
}

std::vector<std::string> BoxTexts(TFormMain& w) {
  std::vector<std::string> texts;
  QComboBox* box = w.Page<TStatsPage>().MethodBox();
  for (int i = 0; i < box->count(); ++i) texts.push_back(S(box->itemText(i)));
  return texts;
}

TEST_F(TUiTest, FavouritesManagerTicksRenamesAndSavesOnOk) {
  WriteDraws(MakeDraws(30));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  const size_t all = BoxTexts(w).size();
  QComboBox* box = w.Page<TStatsPage>().MethodBox();
  box->setFocus();

  // Cancel changes nothing, whatever was ticked.
  WithDialog<TFormFavourites>([&] { QTest::keyClick(box, Qt::Key_F7); },
                              [&](TFormFavourites& d) {
                                ClickButton(d, QStringLiteral("btnCheckNone"));
                                ClickDialogButton(d, QDialogButtonBox::Cancel);
                              });
  EXPECT_EQ(BoxTexts(w).size(), all);

  WithDialog<TFormFavourites>(
      [&] { QTest::keyClick(box, Qt::Key_F7); },
      [&](TFormFavourites& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Менеджер избранных методов расчета статистики"));
        EXPECT_EQ(d.CountLabel()->text(), QStringLiteral("всего %1 методов").arg(all));
        ClickButton(d, QStringLiteral("btnCheckNone"));
        // A click ticks a method; Space on the current one too.
        QTreeWidgetItem* nums = EntryItem(d, QStringLiteral("Числа тиража"));
        ASSERT_NE(nums, nullptr);
        d.Tree()->scrollToItem(nums);
        QTest::mouseClick(d.Tree()->viewport(), Qt::LeftButton, {},
                          d.Tree()->visualItemRect(nums).center());
        QTreeWidgetItem* sums = EntryItem(d, QStringLiteral("Сумма тиража: все значения"));
        ASSERT_NE(sums, nullptr);
        d.Tree()->setCurrentItem(sums);
        d.Tree()->setFocus();
        QTest::keyClick(d.Tree(), Qt::Key_Space);
        // Renaming through the input box.
        WithDialog<QInputDialog>([&] { ClickButton(d, QStringLiteral("btnRename")); },
                                 [&](QInputDialog& in) {
                                   EXPECT_EQ(in.windowTitle(), QStringLiteral("Переименование"));
                                   EXPECT_EQ(in.textValue(),
                                             QStringLiteral("Сумма тиража: все значения"));
                                   in.setTextValue(QStringLiteral("Моя сумма"));
                                   in.accept();
                                 });
        EXPECT_EQ(sums->text(0), QStringLiteral("Моя сумма"));
        QTest::mouseClick(d.ShowFlags(), Qt::LeftButton);
        ClickDialogButton(d, QDialogButtonBox::Ok);
      });
  EXPECT_EQ(BoxTexts(w), (std::vector<std::string>{"{ num } Числа тиража", "{ sum } Моя сумма"}));
  EXPECT_EQ(box->currentIndex(), 0);
  const std::string flt = Cp1251ToUtf8(ReadWholeFile(PathJoin(dir_, "Kvarn_5x36.flt")));
  EXPECT_NE(flt.find("Favorites=NUMS,SUMS\r\n"), std::string::npos);
  EXPECT_NE(flt.find("ShowMethodFlags=0\r\n"), std::string::npos);
  EXPECT_NE(flt.find("SUMS=Моя сумма\r\n"), std::string::npos);
}

TEST_F(TUiTest, GroupCommandsFollowTheSelectedNode) {
  WriteDraws(MakeDraws(10));
  TFormMain& w = Open();
  w.UpdateCommands();
  // The statistics tab's button "Избранное" opens the manager.
  auto* button = w.Page<TStatsPage>().findChild<QToolButton*>(QStringLiteral("btFiltersManager"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QStringLiteral("Избранное"));
  WithDialog<TFormFavourites>(
      [&] { QTest::mouseClick(button, Qt::LeftButton); },
      [&](TFormFavourites& d) {
        QTreeWidgetItem* heading = d.Tree()->topLevelItem(1);  // { sum }
        d.Tree()->setCurrentItem(heading);
        EXPECT_FALSE(d.Command("Rename")->isEnabled());  // a heading has no name of its own
        EXPECT_TRUE(d.Command("GroupNone")->isEnabled());
        ClickButton(d, QStringLiteral("btnGroupNone"));
        d.Tree()->setCurrentItem(heading->child(2));
        EXPECT_TRUE(d.Command("Rename")->isEnabled());
        ClickButton(d, QStringLiteral("btnGroupAll"));
        ClickButton(d, QStringLiteral("btnGroupNone"));
        // Headings keep their icon; the group's entries are all unticked, the others ticked.
        EXPECT_EQ(d.Model().Icon({1, -1}), fiHeading);
        EXPECT_EQ(d.Model().Icon({1, 0}), fiUnticked);
        EXPECT_EQ(d.Model().Icon({0, 0}), fiTicked);
        ClickDialogButton(d, QDialogButtonBox::Ok);
      });
  for (const std::string& t : BoxTexts(w)) EXPECT_EQ(t.find("{ sum }"), std::string::npos) << t;
}

TEST_F(TUiTest, DescriptionHelpAndAboutWindowsShowTheirPages) {
  WriteDraws(MakeDraws(10));
  TFormMain& w = Open();
  ASSERT_TRUE(ShowActive(w));
  QComboBox* box = w.Page<TStatsPage>().MethodBox();
  box->setFocus();
  WithDialog<QDialog>([&] { QTest::keyClick(box, Qt::Key_F8); },
                      [&](QDialog& d) {
                        EXPECT_EQ(d.objectName(), QStringLiteral("FormMethodHelp"));
                        EXPECT_EQ(d.windowTitle(), QStringLiteral("Описание методики расчета"));
                        auto* view = d.findChild<QTextBrowser*>();
                        ASSERT_NE(view, nullptr);
                        EXPECT_EQ(view->documentTitle(), QStringLiteral("Числа тиража"));
                        EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("NUMS")));
                        ClickDialogButton(d, QDialogButtonBox::Close);
                      });

  // F1 in the draws list opens the help at the archive's page.
  QWidget* draws = w.Page<TDrawsPage>().List();
  ASSERT_TRUE(ShowActive(w));
  draws->setFocus();
  w.UpdateCommands();
  ASSERT_TRUE(w.Commands().Action("GetHelp")->isEnabled());
  QTest::keyClick(draws, Qt::Key_F1);
  auto* help = w.findChild<TFormHelp*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->CurrentPage(), "draws");
  EXPECT_EQ(help->Browser()->documentTitle(), QStringLiteral("Архив тиражей"));
  // Typing in the search field lists the pages; choosing one opens it.
  help->SearchField()->setFocus();
  TypeText(help->SearchField(), QStringLiteral("маска чётности"));
  EXPECT_EQ(help->SearchField()->text(), QStringLiteral("маска чётности"));
  ASSERT_EQ(help->Results()->count(), 1);
  help->Results()->setCurrentRow(0);
  EXPECT_EQ(help->CurrentPage(), "method/TstEvenValues");
  // A link of a group page leads to the method's page.
  help->ShowPage("group/sum");
  emit help->Browser()->anchorClicked(QUrl(QStringLiteral("method/TstSumValues")));
  EXPECT_EQ(help->CurrentPage(), "method/TstSumValues");

  WithDialog<TFormAbout>(
      [&] { w.Commands().Execute("About"); },
      [&](TFormAbout& d) {
        auto* libs = d.findChild<QTreeWidget*>(QStringLiteral("lvLibraries"));
        ASSERT_NE(libs, nullptr);
        EXPECT_FALSE(libs->findItems(QStringLiteral("libxlsxwriter"), Qt::MatchExactly).isEmpty());
        auto* name = d.findChild<QLabel*>(QStringLiteral("lblProgram"));
        ASSERT_NE(name, nullptr);
        EXPECT_TRUE(name->text().contains(QStringLiteral("Версия ")));
        d.reject();
      });
}

}  // namespace
}  // namespace kvarn::test
